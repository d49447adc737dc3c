#include "perf/time_line.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrel {
namespace {

std::string Line(std::string_view label, const TLineTime& time, std::string_view name) {
  std::string out(kTimeLineBound + TDurationFormat::kSlack, '\0');
  TAlignedDuration column(FindDurationFormat(kClockFormat), kTimeColumns);
  out.resize(static_cast<std::size_t>(WriteTimeLine(out.data(), label, time, name, column) -
                                      out.data()));
  return out;
}

TLineTime Plain(std::int64_t ms) {
  TLineTime time;
  time.Ms = ms;
  return time;
}

TEST(TimeLine, GeneralTimesShowAsPlainOnesRightAligned) {
  const std::string name = "- ONE EXAMPLE SECTION";
  const TLineTime general = GeneralLineTime("01:20:29.730", kNoTimeText, TZeroMode::ZeroThis);
  EXPECT_FALSE(general.Plain);
  EXPECT_EQ(general.Ms, 4'829'730);
  EXPECT_EQ(Line("OLD", general, name), " OLD:    1:20:29.730 - ONE EXAMPLE SECTION");
  EXPECT_EQ(Line("OLD", Plain(4'829'730), name), Line("OLD", general, name));

  // A time wider than the column is written whole, with no blank before it.
  const std::int64_t wide = 2'000'000'000LL * 3'600'000;
  const TLineTime wideGeneral =
      GeneralLineTime("2000000000:00:00.000", kNoTimeText, TZeroMode::ZeroThis);
  EXPECT_EQ(wideGeneral.Ms, wide);
  EXPECT_EQ(Line("NEW", wideGeneral, "- W"), " NEW: 2000000000:00:00.000 - W");
  EXPECT_EQ(Line("NEW", Plain(wide), "- W"), Line("NEW", wideGeneral, "- W"));
}

TEST(TimeLine, OverrideReplacesTheTimeAndNoTimeCountsAsZero) {
  const TLineTime override = GeneralLineTime("01:20:29.730", "  2:00:00.000", TZeroMode::ZeroThis);
  EXPECT_EQ(override.Ms, 7'200'000);
  EXPECT_EQ(Line("NEW", override, "- S"), " NEW:    2:00:00.000 - S");

  const TLineTime none = GeneralLineTime(kNoTimeText, kNoTimeText, TZeroMode::ZeroThis);
  EXPECT_EQ(none.Ms, 0);
  EXPECT_EQ(Line("OLD", none, "- *** AGGREGATE JOB TIME ***"),
            " OLD:       -:--.--- - *** AGGREGATE JOB TIME ***");
}

}  // namespace
}  // namespace zentrel
