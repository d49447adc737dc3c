#include "core/text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

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

TEST(TrimControls, RemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(TrimControls("\t hr:min \r\n"), "hr:min");
  EXPECT_EQ(TrimControls(" \x01 "), "");
}

TEST(AppendUtf8, WritesOneToFourBytesByCodePoint) {
  std::string text;
  for (char32_t c : {U'A', U'\u00A9', U'\u2122', U'\U0001F600'}) AppendUtf8(text, c);
  EXPECT_EQ(text, "A\xc2\xa9\xe2\x84\xa2\xf0\x9f\x98\x80");
}

TEST(FormatIntegers, FillsThePrintfSubsetOnSixtyFourBits) {
  const std::array<std::int64_t, 1> five{5};
  EXPECT_EQ(FormatIntegers("%d", five), "5");
  EXPECT_EQ(FormatIntegers("%.2d|%.3d|%.4d", std::array<std::int64_t, 3>{5, 5, 5}),
            "05|005|0005");
  EXPECT_EQ(FormatIntegers("%2d|%3d|%4d", std::array<std::int64_t, 3>{5, 5, 5}),
            " 5|  5|   5");
  // Wider numbers are printed whole.
  EXPECT_EQ(FormatIntegers("%.2d|%2d", std::array<std::int64_t, 2>{12345, 12345}),
            "12345|12345");
  EXPECT_EQ(FormatIntegers("%.3d|%4d", std::array<std::int64_t, 2>{-5, -5}), "-005|  -5");
  EXPECT_EQ(FormatIntegers("%d", std::array<std::int64_t, 1>{std::numeric_limits<std::int64_t>::min()}),
            "-9223372036854775808");
}

TEST(FormatIntegers, CopiesWhatIsNoConversionOfTheSubset) {
  const std::array<std::int64_t, 1> seven{7};
  EXPECT_EQ(FormatIntegers("SECTION [#%.2d]", seven), "SECTION [#07]");
  EXPECT_EQ(FormatIntegers("100%% %s %d", seven), "100% %s 7");
  EXPECT_EQ(FormatIntegers("%d %d", seven), "7 %d");  // no value left
  EXPECT_EQ(FormatIntegers("50%", seven), "50%");
  EXPECT_EQ(FormatIntegers("%99999999999d", seven).size(), 1000u);
}

}  // namespace
}  // namespace zentrel
