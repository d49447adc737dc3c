#include "durations/duration_format.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

namespace zentrel {
namespace {

// The durations every named format is rendered for: zero, 4.005 s, 3 min 4.005 s,
// 2 h 3 min 4.005 s, 1 day 2 h 3 min 4.005 s, 30 h, and 123 days 4 h 5 min 6.007 s.
constexpr std::array<std::int64_t, 7> kDurations{
    0, 4'005, 184'005, 7'384'005, 93'784'005, 108'000'000, 10'641'906'007};

struct TFormatCase {
  std::string_view Name;
  std::array<std::string_view, kDurations.size()> Expected;
};

// Expected renderings, one column per duration above.
const TFormatCase kCases[] = {
    {"months",
     {"0", "0", "0", "0", "0", "0", "4"}},
    {"weeks",
     {"0", "0", "0", "0", "0", "0", "17"}},
    {"days",
     {"0", "0", "0", "0", "1", "1", "123"}},
    {"hours",
     {"0", "0", "0", "2", "26", "30", "2956"}},
    {"seconds",
     {"0", "4", "184", "7384", "93784", "108000", "10641906"}},
    {"mseconds",
     {"0", "4005", "184005", "7384005", "93784005", "108000000", "10641906007"}},
    {"min:sec.ms",
     {"00:00.000", "00:04.005", "03:04.005", "123:04.005", "1563:04.005", "1800:00.000", "177365:06.007"}},
    {"min:sec",
     {"00:00", "00:04", "03:04", "123:04", "1563:04", "1800:00", "177365:06"}},
    {"minutes",
     {"0", "0", "3", "123", "1563", "1800", "177365"}},
    {"0000:sec.ms",
     {"0000:00.000", "0000:04.005", "0003:04.005", "0123:04.005", "1563:04.005", "1800:00.000", "177365:06.007"}},
    {"0000:sec",
     {"0000:00", "0000:04", "0003:04", "0123:04", "1563:04", "1800:00", "177365:06"}},
    {"0000",
     {"0000", "0000", "0003", "0123", "1563", "1800", "177365"}},
    {"####:sec.ms",
     {"    00.000", "    04.005", "   3:04.005", " 123:04.005", "1563:04.005", "1800:00.000", "177365:06.007"}},
    {"####:sec",
     {"    00", "    04", "   3:04", " 123:04", "1563:04", "1800:00", "177365:06"}},
    {"####",
     {"0", "0", "3", "123", "1563", "1800", "177365"}},
    {"hr:min:sec.ms",
     {"00:00:00.000", "00:00:04.005", "00:03:04.005", "02:03:04.005", "26:03:04.005", "30:00:00.000", "2956:05:06.007"}},
    {"hr:min:sec",
     {"00:00:00", "00:00:04", "00:03:04", "02:03:04", "26:03:04", "30:00:00", "2956:05:06"}},
    {"hr:min",
     {"00:00", "00:00", "00:03", "02:03", "26:03", "30:00", "2956:05"}},
    {"000:min:sec.ms",
     {"000:00:00.000", "000:00:04.005", "000:03:04.005", "002:03:04.005", "026:03:04.005", "030:00:00.000", "2956:05:06.007"}},
    {"000:min:sec",
     {"000:00:00", "000:00:04", "000:03:04", "002:03:04", "026:03:04", "030:00:00", "2956:05:06"}},
    {"000:min",
     {"000:00", "000:00", "000:03", "002:03", "026:03", "030:00", "2956:05"}},
    {"###:min:sec.ms",
     {"     0:00.000", "     0:04.005", "     3:04.005", "  2:03:04.005", " 26:03:04.005", " 30:00:00.000", "2956:05:06.007"}},
    {"###:min:sec",
     {"     0:00", "     0:04", "     3:04", "  2:03:04", " 26:03:04", " 30:00:00", "2956:05:06"}},
    {"###:min",
     {"     0", "     0", "     3", "  2:03", " 26:03", " 30:00", "2956:05"}},
    {"dd hr:min:sec.ms",
     {" 0 00:00:00.000", " 0 00:00:04.005", " 0 00:03:04.005", " 0 02:03:04.005", " 1 02:03:04.005", " 1 06:00:00.000", "123 04:05:06.007"}},
    {"dd hr:min:sec",
     {" 0 00:00:00", " 0 00:00:04", " 0 00:03:04", " 0 02:03:04", " 1 02:03:04", " 1 06:00:00", "123 04:05:06"}},
    {"dd hr:min",
     {" 0 00:00", " 0 00:00", " 0 00:03", " 0 02:03", " 1 02:03", " 1 06:00", "123 04:05"}},
    {"00 hr:min:sec.ms",
     {"00 00:00:00.000", "00 00:00:04.005", "00 00:03:04.005", "00 02:03:04.005", "01 02:03:04.005", "01 06:00:00.000", "123 04:05:06.007"}},
    {"00 hr:min:sec",
     {"00 00:00:00", "00 00:00:04", "00 00:03:04", "00 02:03:04", "01 02:03:04", "01 06:00:00", "123 04:05:06"}},
    {"00 hr:min",
     {"00 00:00", "00 00:00", "00 00:03", "00 02:03", "01 02:03", "01 06:00", "123 04:05"}},
    {"## hr:min:sec.ms",
     {"    0:00:00.000", "    0:00:04.005", "    0:03:04.005", "    2:03:04.005", " 1 02:03:04.005", " 1 06:00:00.000", "123 04:05:06.007"}},
    {"## hr:min:sec",
     {"    0:00:00", "    0:00:04", "    0:03:04", "    2:03:04", " 1 02:03:04", " 1 06:00:00", "123 04:05:06"}},
    {"## hr:min",
     {"    0:00", "    0:00", "    0:03", "    2:03", " 1 02:03", " 1 06:00", "123 04:05"}},
    {"dd:hr:min:sec.ms",
     {" 0:00:00:00.000", " 0:00:00:04.005", " 0:00:03:04.005", " 0:02:03:04.005", " 1:02:03:04.005", " 1:06:00:00.000", "123:04:05:06.007"}},
    {"dd:hr:min:sec",
     {" 0:00:00:00", " 0:00:00:04", " 0:00:03:04", " 0:02:03:04", " 1:02:03:04", " 1:06:00:00", "123:04:05:06"}},
    {"dd:hr:min",
     {" 0:00:00", " 0:00:00", " 0:00:03", " 0:02:03", " 1:02:03", " 1:06:00", "123:04:05"}},
    {"00:hr:min:sec.ms",
     {"00:00:00:00.000", "00:00:00:04.005", "00:00:03:04.005", "00:02:03:04.005", "01:02:03:04.005", "01:06:00:00.000", "123:04:05:06.007"}},
    {"00:hr:min:sec",
     {"00:00:00:00", "00:00:00:04", "00:00:03:04", "00:02:03:04", "01:02:03:04", "01:06:00:00", "123:04:05:06"}},
    {"00:hr:min",
     {"00:00:00", "00:00:00", "00:00:03", "00:02:03", "01:02:03", "01:06:00", "123:04:05"}},
    {"##:hr:min:sec.ms",
     {"    0:00:00.000", "    0:00:04.005", "    0:03:04.005", "    2:03:04.005", " 1:02:03:04.005", " 1:06:00:00.000", "123:04:05:06.007"}},
    {"##:hr:min:sec",
     {"    0:00:00", "    0:00:04", "    0:03:04", "    2:03:04", " 1:02:03:04", " 1:06:00:00", "123:04:05:06"}},
    {"##:hr:min",
     {"    0:00", "    0:00", "    0:03", "    2:03", " 1:02:03", " 1:06:00", "123:04:05"}},
    {"000:hr:min:sec.ms",
     {"000:00:00:00.000", "000:00:00:04.005", "000:00:03:04.005", "000:02:03:04.005", "001:02:03:04.005", "001:06:00:00.000", "123:04:05:06.007"}},
    {"000:hr:min:sec",
     {"000:00:00:00", "000:00:00:04", "000:00:03:04", "000:02:03:04", "001:02:03:04", "001:06:00:00", "123:04:05:06"}},
    {"000:hr:min",
     {"000:00:00", "000:00:00", "000:00:03", "000:02:03", "001:02:03", "001:06:00", "123:04:05"}},
    {"###:hr:min:sec.ms",
     {"     0:00:00.000", "     0:00:04.005", "     0:03:04.005", "     2:03:04.005", "  1:02:03:04.005", "  1:06:00:00.000", "123:04:05:06.007"}},
    {"###:hr:min:sec",
     {"     0:00:00", "     0:00:04", "     0:03:04", "     2:03:04", "  1:02:03:04", "  1:06:00:00", "123:04:05:06"}},
    {"###:hr:min",
     {"     0:00", "     0:00", "     0:03", "     2:03", "  1:02:03", "  1:06:00", "123:04:05"}},
    {"dddd:hr:min:sec.ms",
     {"   0:00:00:00.000", "   0:00:00:04.005", "   0:00:03:04.005", "   0:02:03:04.005", "   1:02:03:04.005", "   1:06:00:00.000", " 123:04:05:06.007"}},
    {"dddd:hr:min:sec",
     {"   0:00:00:00", "   0:00:00:04", "   0:00:03:04", "   0:02:03:04", "   1:02:03:04", "   1:06:00:00", " 123:04:05:06"}},
    {"dddd:hr:min",
     {"   0:00:00", "   0:00:00", "   0:00:03", "   0:02:03", "   1:02:03", "   1:06:00", " 123:04:05"}},
    {"0000:hr:min:sec.ms",
     {"0000:00:00:00.000", "0000:00:00:04.005", "0000:00:03:04.005", "0000:02:03:04.005", "0001:02:03:04.005", "0001:06:00:00.000", "0123:04:05:06.007"}},
    {"0000:hr:min:sec",
     {"0000:00:00:00", "0000:00:00:04", "0000:00:03:04", "0000:02:03:04", "0001:02:03:04", "0001:06:00:00", "0123:04:05:06"}},
    {"0000:hr:min",
     {"0000:00:00", "0000:00:00", "0000:00:03", "0000:02:03", "0001:02:03", "0001:06:00", "0123:04:05"}},
    {"####:hr:min:sec.ms",
     {"      0:00:00.000", "      0:00:04.005", "      0:03:04.005", "      2:03:04.005", "   1:02:03:04.005", "   1:06:00:00.000", " 123:04:05:06.007"}},
    {"####:hr:min:sec",
     {"      0:00:00", "      0:00:04", "      0:03:04", "      2:03:04", "   1:02:03:04", "   1:06:00:00", " 123:04:05:06"}},
    {"####:hr:min",
     {"      0:00", "      0:00", "      0:03", "      2:03", "   1:02:03", "   1:06:00", " 123:04:05"}},
    {"dys hrs mins secs.ms",
     {"0 dy 00 hr 00 min 00.000 sec", "0 dy 00 hr 00 min 04.005 sec", "0 dy 00 hr 03 min 04.005 sec", "0 dy 02 hr 03 min 04.005 sec", "1 dy 02 hr 03 min 04.005 sec", "1 dy 06 hr 00 min 00.000 sec", "123 dy 04 hr 05 min 06.007 sec"}},
    {"dys hrs mins secs",
     {"0 dy 00 hr 00 min 00 sec", "0 dy 00 hr 00 min 04 sec", "0 dy 00 hr 03 min 04 sec", "0 dy 02 hr 03 min 04 sec", "1 dy 02 hr 03 min 04 sec", "1 dy 06 hr 00 min 00 sec", "123 dy 04 hr 05 min 06 sec"}},
    {"dys hrs mins",
     {"0 dy 00 hr 00 min", "0 dy 00 hr 00 min", "0 dy 00 hr 03 min", "0 dy 02 hr 03 min", "1 dy 02 hr 03 min", "1 dy 06 hr 00 min", "123 dy 04 hr 05 min"}},
    {"days hours mins secs.ms",
     {"0 day(s) 00 hour(s) 00 minute(s) 00.000 second(s)", "0 day(s) 00 hour(s) 00 minute(s) 04.005 second(s)", "0 day(s) 00 hour(s) 03 minute(s) 04.005 second(s)", "0 day(s) 02 hour(s) 03 minute(s) 04.005 second(s)", "1 day(s) 02 hour(s) 03 minute(s) 04.005 second(s)", "1 day(s) 06 hour(s) 00 minute(s) 00.000 second(s)", "123 day(s) 04 hour(s) 05 minute(s) 06.007 second(s)"}},
    {"days hours mins secs",
     {"0 day(s) 00 hour(s) 00 minute(s) 00 second(s)", "0 day(s) 00 hour(s) 00 minute(s) 04 second(s)", "0 day(s) 00 hour(s) 03 minute(s) 04 second(s)", "0 day(s) 02 hour(s) 03 minute(s) 04 second(s)", "1 day(s) 02 hour(s) 03 minute(s) 04 second(s)", "1 day(s) 06 hour(s) 00 minute(s) 00 second(s)", "123 day(s) 04 hour(s) 05 minute(s) 06 second(s)"}},
    {"days hours mins",
     {"0 day(s) 00 hour(s) 00 minute(s)", "0 day(s) 00 hour(s) 00 minute(s)", "0 day(s) 00 hour(s) 03 minute(s)", "0 day(s) 02 hour(s) 03 minute(s)", "1 day(s) 02 hour(s) 03 minute(s)", "1 day(s) 06 hour(s) 00 minute(s)", "123 day(s) 04 hour(s) 05 minute(s)"}},
};

TEST(FormatDuration, RendersEveryNamedFormatAtItsEdges) {
  ASSERT_EQ(std::size(kCases), 63u);
  for (const TFormatCase& c : kCases) {
    for (size_t i = 0; i < kDurations.size(); ++i) {
      SCOPED_TRACE(std::string(c.Name) + " of " + std::to_string(kDurations[i]) + " ms");
      EXPECT_EQ(FormatDuration(DurationFromMs(kDurations[i]), c.Name), c.Expected[i]);
    }
  }
}

TEST(DurationFormatNames, ListsTheSixtyThreeNamesInHelpOrder) {
  auto names = DurationFormatNames();
  ASSERT_EQ(names.size(), std::size(kCases));
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], kCases[i].Name);
}

TEST(FormatDuration, MatchesWholeNamesWithoutRegardToCase) {
  const TDurationRec r = DurationFromMs(93'784'005);
  EXPECT_EQ(FormatDuration(r, "HR:MIN:SEC"), "26:03:04");
  EXPECT_EQ(FormatDuration(r, "Days Hours Mins"), "1 day(s) 02 hour(s) 03 minute(s)");
  // Blanks count and nothing is trimmed; no prefix matches.
  EXPECT_EQ(FormatDuration(r, "hr:min:sec "), "1 02:03:04.005");
  EXPECT_EQ(FormatDuration(r, " hours"), "1 02:03:04.005");
  EXPECT_EQ(FormatDuration(r, "hr:min:se"), "1 02:03:04.005");
  EXPECT_EQ(FormatDuration(r, "hr:min:sec.msx"), "1 02:03:04.005");
}

TEST(FormatDuration, FallsBackToTheDefaultRendering) {
  EXPECT_EQ(FormatDuration(DurationFromMs(7'384'005), "bogus"), "  02:03:04.005");
  EXPECT_EQ(FormatDuration(DurationFromMs(93'784'005), "bogus"), "1 02:03:04.005");
  EXPECT_EQ(FormatDuration(DurationFromMs(0), ""), "  00:00:00.000");
  EXPECT_EQ(FormatDuration(DurationFromMs(10'641'906'007), ""), "123 04:05:06.007");
}

TEST(FormatDuration, NeverCutsDigitsOfHugeDurations) {
  const TDurationRec r = DurationFromMs(std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(FormatDuration(r, "mseconds"), "9223372036854775807");
  EXPECT_EQ(FormatDuration(r, "dd:hr:min:sec.ms"), "106751991167:07:12:55.807");
  EXPECT_EQ(FormatDuration(r, "hr:min"), "2562047788015:12");
}

TEST(IsDurationFormatName, KnowsExactlyTheTableNames) {
  for (const TFormatCase& c : kCases) EXPECT_TRUE(IsDurationFormatName(c.Name)) << c.Name;
  EXPECT_TRUE(IsDurationFormatName("DDDD:HR:MIN"));
  EXPECT_FALSE(IsDurationFormatName(""));
  EXPECT_FALSE(IsDurationFormatName("hr:min "));
  EXPECT_FALSE(IsDurationFormatName("bogus"));
}

TEST(FormatDurationText, ReadsTheTextAndRendersItByName) {
  EXPECT_EQ(FormatDurationText("00:01:20:29.730", "", TZeroMode::ZeroThis), "  1:20:29.730");
  EXPECT_EQ(FormatDurationText("20:29.730", "", TZeroMode::ZeroThis), "    20:29.730");
  EXPECT_EQ(FormatDurationText("0:00:01:05.7z", "min:sec.ms", TZeroMode::ZeroThis),
            "01:05.000");
  EXPECT_EQ(FormatDurationText("0:00:01:05.7z", "min:sec.ms", TZeroMode::ZeroAll),
            "00:00.000");
}

}  // namespace
}  // namespace zentrel
