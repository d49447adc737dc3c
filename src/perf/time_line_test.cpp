#include "perf/time_line.h"

#include <gtest/gtest.h>

namespace zentrel {
namespace {

TEST(FormatTimingLine, RightAlignsTheTimeAndKeepsTheName) {
  const TTimingEntry entry{"[#47]", "01:20:29.730", "- ONE EXAMPLE SECTION"};
  TTimingLine line = FormatTimingLine("old", entry, kNoTimeText, TZeroMode::ZeroThis);
  EXPECT_EQ(line.Line, " OLD:    1:20:29.730 - ONE EXAMPLE SECTION");
  EXPECT_EQ(line.Duration.TotalMilliseconds(), 4'829'730);

  line = FormatTimingLine("NEW", entry, "  2:00:00.000", TZeroMode::ZeroThis);
  EXPECT_EQ(line.Line, " NEW:    2:00:00.000 - ONE EXAMPLE SECTION");
  EXPECT_EQ(line.Duration.TotalMilliseconds(), 7'200'000);

  const TTimingEntry noTime{"[#ZZ]", "-:--.---", "- *** AGGREGATE JOB TIME ***"};
  line = FormatTimingLine("OLD", noTime, kNoTimeText, TZeroMode::ZeroThis);
  EXPECT_EQ(line.Line, " OLD:       -:--.--- - *** AGGREGATE JOB TIME ***");
  EXPECT_EQ(line.Duration.TotalMilliseconds(), 0);
}

}  // namespace
}  // namespace zentrel
