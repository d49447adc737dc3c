#include "core/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <string>

#include "core/unicode_text.h"

namespace zentrel {
namespace {

TEST(ReplaceText, MatchesWithoutRegardToCaseAndNeverInsideTheReplacement) {
  EXPECT_EQ(ReplaceText("a\\N b\\n", "\\n", "\\n\\n"), "a\\n\\n b\\n\\n");
  EXPECT_EQ(ReplaceText("aaa", "a", "aa", true), "aaaa");
  EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
}

TEST(ReplaceText, FoldsAsciiOnlySoNonAsciiPositionsDoNotShift) {
  // U+00E9 and U+00C9 differ in ASCII folding; neither matches the other.
  EXPECT_EQ(ReplaceText("\xc3\xa9x", "\xc3\x89", "-"), "\xc3\xa9x");
  EXPECT_EQ(ReplaceText("\xc3\xa9X", "x", "y"), "\xc3\xa9y");
}

TEST(QuoteIfSpaced, QuotesEmptyAndBlankHoldingTexts) {
  EXPECT_EQ(QuoteIfSpaced(""), "\"\"");
  EXPECT_EQ(QuoteIfSpaced("/opt/my dir/"), "\"/opt/my dir/\"");
  EXPECT_EQ(QuoteIfSpaced("/opt/bin/"), "/opt/bin/");
}

TEST(Trimming, ControlsGoesToCode32BlanksOnlyToWhiteSpace) {
  EXPECT_EQ(TrimControls("\t hr:min \r\n"), "hr:min");
  EXPECT_EQ(TrimControls(" \x01 "), "");
  EXPECT_EQ(TrimBlanks("\v\f\t hr:min \r\n"), "hr:min");
  EXPECT_EQ(TrimBlanks(" \x01 "), "\x01");
  EXPECT_EQ(TrimBlanks(" "), "");
}

TEST(AppendUtf8, WritesOneToFourBytesByCodePoint) {
  std::string text;
  for (char32_t c : {U'A', U'\u00A9', U'\u2122', U'\U0001F600'}) AppendUtf8(text, c);
  EXPECT_EQ(text, "A\xc2\xa9\xe2\x84\xa2\xf0\x9f\x98\x80");
}

/// The UTF-8 bytes of one code point below U+10000.
std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Over the blocks it covers, simple case folding is the C library's lower case but for
// letters whose simple fold is not their lower case (dotted I has none, long s folds to s)
// and the archaic Greek letters left out; everywhere else a code point is its own fold.
TEST(FoldCase, IsTheLowerCaseOfTheCLibraryOverTheBlocksItCovers) {
  const std::string saved = std::setlocale(LC_CTYPE, nullptr);
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  const struct {
    char32_t First, Last;
  } blocks[] = {{0, 0x17F}, {0x386, 0x3AB}, {0x400, 0x52F}, {0x531, 0x556},
                {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF}, {0xFF21, 0xFF3A}};
  for (const auto& block : blocks) {
    for (char32_t c = block.First; c <= block.Last; ++c) {
      const auto lower = static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
      const char32_t expected = c == 0x130 ? c : c == 0x17F ? U's' : lower;
      ASSERT_EQ(FoldCase(c), expected) << std::hex << static_cast<unsigned>(c);
    }
  }
  for (char32_t c : {U'\u0180', U'\u0370', U'\u03F4', U'\u1E9E', U'\uFF41', U'\uFF3B'}) {
    EXPECT_EQ(FoldCase(c), c) << std::hex << static_cast<unsigned>(c);
  }
  std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(WithoutDirectionMarks, TakesOutTheMarksEmbeddingsAndIsolatesOnly) {
  for (char32_t c = 0x600; c < 0x2100; ++c) {
    const bool mark = c == 0x61C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
                      (c >= 0x2066 && c <= 0x2069);
    EXPECT_EQ(WithoutDirectionMarks("1" + Utf8(c) + "2"), mark ? "12" : "1" + Utf8(c) + "2")
        << std::hex << static_cast<unsigned>(c);
  }
}

}  // namespace
}  // namespace zentrel
