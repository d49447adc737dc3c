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

TEST(EscapeForEcho, ShowsControlsHiddenCharactersAndBrokenUtf8AsEscapes) {
  const struct {
    std::string_view Text, Echo;
  } cases[] = {
      {"12/25/2024", "12/25/2024"},
      {"C:\\D\xc3\xad" "as\\x01.txt", "C:\\D\xc3\xad" "as\\x01.txt"},  // a backslash is kept
      {"", ""},
      // control bytes, the first and last of each end
      {std::string_view("\x00\x01\t\x1f\x7f", 5), "\\x00\\x01\\x09\\x1F\\x7F"},
      {" ~", " ~"},
      // valid characters of two, three and four bytes, each at the edge of its range
      {"\xc2\xa0\xdf\xbf", "\xc2\xa0\xdf\xbf"},
      {"\xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd",
       "\xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd"},
      {"\xf0\x90\x80\x80\xf4\x8f\xbf\xbf", "\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"},
      // a character cut short, at the end and before an ASCII byte
      {"-1\xef\xbc", "-1\\xEF\\xBC"},
      {"\xe3\x81x", "\\xE3\\x81x"},
      {"\xf0\x9f\x98", "\\xF0\\x9F\\x98"},
      // bytes that start nothing, overlong forms, surrogates, past U+10FFFF
      {"\x80\xbf\xc0\xc1\xf5\xff", "\\x80\\xBF\\xC0\\xC1\\xF5\\xFF"},
      {"\xc1\xbf", "\\xC1\\xBF"},
      {"\xe0\x9f\xbf", "\\xE0\\x9F\\xBF"},
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},
      {"\xf0\x8f\xbf\xbf", "\\xF0\\x8F\\xBF\\xBF"},
      {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
      // C1 controls, direction marks and overrides, the byte-order mark; their neighbours kept
      {"\xc2\x80\xc2\x9b\xc2\x9f", "\\u0080\\u009B\\u009F"},
      {"\xef\xbb\xbf" "12/25", "\\uFEFF12/25"},
      {"\xe2\x80\x8e\xe2\x80\x8f\xe2\x80\xaa\xe2\x80\xae\xe2\x81\xa6\xe2\x81\xa9\xd8\x9c",
       "\\u200E\\u200F\\u202A\\u202E\\u2066\\u2069\\u061C"},
      {"\xe2\x80\x8d\xe2\x80\xaf\xe2\x81\xaa\xef\xbb\xbe",
       "\xe2\x80\x8d\xe2\x80\xaf\xe2\x81\xaa\xef\xbb\xbe"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeForEcho(c.Text), c.Echo) << c.Echo;
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
