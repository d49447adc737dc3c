#include "dates/day_count.h"

#include <gtest/gtest.h>

#include <string>

#include "dates/dates_test_support.h"

namespace zentrel {
namespace {

using testing::LabelledLine;
using testing::QuietLine;
using testing::TCapturedRun;

std::string Converted(std::int32_t count, int mode) {
  TCapturedRun t;
  t.Quiet();
  ShowDayCountConversion(t.Run, count, mode);
  std::string out = t.TakeOut();
  return out.substr(0, out.size() - kLineEnd.size());
}

TEST(ShowDayCountConversion, LabelsOfEveryMode) {
  TCapturedRun t;
  for (int mode : {1, 2, 3, 0, 7}) ShowDayCountConversion(t.Run, 100, mode);
  const std::string combined =
      "0 year(s), 3 month(s), 10 day(s); 3 month(s), 10 day(s); 14 week(s), 2 day(s)";
  // The week form's label has no blank before its dots.
  EXPECT_EQ(t.TakeOut(),
            LabelledLine("Convert 100 days to ~years, months, days ",
                         "0 year(s), 3 month(s), 10 day(s)") +
                LabelledLine("Convert 100 days to ~months, days ", "3 month(s), 10 day(s)") +
                LabelledLine("Convert 100 days to ~weeks, days", "14 week(s), 2 day(s)") +
                LabelledLine("Convert 100", combined) + LabelledLine("Convert 100", combined));
}

TEST(ShowDayCountConversion, TruncatesAndKeepsTheSignOfTheCount) {
  struct Case {
    std::int32_t Count;
    const char* Years;
    const char* Months;
    const char* Weeks;
  };
  for (const Case& c : {
           Case{0, "0 year(s), 0 month(s), 0 day(s)", "0 month(s), 0 day(s)",
                "0 week(s), 0 day(s)"},
           Case{365, "1 year(s), 0 month(s), 0 day(s)", "12 month(s), 5 day(s)",
                "52 week(s), 1 day(s)"},
           Case{364, "0 year(s), 12 month(s), 4 day(s)", "12 month(s), 4 day(s)",
                "52 week(s), 0 day(s)"},
           Case{-400, "-1 year(s), -1 month(s), -5 day(s)", "-13 month(s), -10 day(s)",
                "-57 week(s), -1 day(s)"},
           Case{-6, "0 year(s), 0 month(s), -6 day(s)", "0 month(s), -6 day(s)",
                "0 week(s), -6 day(s)"},
           Case{2147483647, "5883516 year(s), 10 month(s), 7 day(s)",
                "71582788 month(s), 7 day(s)", "306783378 week(s), 1 day(s)"},
           Case{INT32_MIN, "-5883516 year(s), -10 month(s), -8 day(s)",
                "-71582788 month(s), -8 day(s)", "-306783378 week(s), -2 day(s)"},
       }) {
    EXPECT_EQ(Converted(c.Count, 1), c.Years) << c.Count;
    EXPECT_EQ(Converted(c.Count, 2), c.Months) << c.Count;
    EXPECT_EQ(Converted(c.Count, 3), c.Weeks) << c.Count;
    EXPECT_EQ(Converted(c.Count, 0),
              std::string(c.Years) + "; " + c.Months + "; " + c.Weeks)
        << c.Count;
  }
}

TEST(ShowDayCountConversion, TheLowestCountKeepsItsLabel) {
  TCapturedRun t;
  ShowDayCountConversion(t.Run, INT32_MIN, 3);
  EXPECT_EQ(t.TakeOut(), LabelledLine("Convert -2147483648 days to ~weeks, days",
                                      "-306783378 week(s), -2 day(s)"));
}

}  // namespace
}  // namespace zentrel
