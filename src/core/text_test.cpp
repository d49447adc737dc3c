#include "core/text.h"

#include <gtest/gtest.h>


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

}  // namespace
}  // namespace zentrel
