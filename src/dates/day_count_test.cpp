#include "dates/day_count.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrel {
namespace {

std::string Converted(std::int32_t count, int mode) {
  return DayCountConversion(count, mode).Value;
}

TEST(DayCountConversion, LabelsOfEveryMode) {
  const std::string combined =
      "0 year(s), 3 month(s), 10 day(s); 3 month(s), 10 day(s); 14 week(s), 2 day(s)";
  struct Case {
    int Mode;
    std::string_view Label, Value;
  };
  // The week form's label has no blank before its dots.
  for (const Case& c : {Case{1, "Convert 100 days to ~years, months, days ",
                             "0 year(s), 3 month(s), 10 day(s)"},
                        Case{2, "Convert 100 days to ~months, days ", "3 month(s), 10 day(s)"},
                        Case{3, "Convert 100 days to ~weeks, days", "14 week(s), 2 day(s)"},
                        Case{0, "Convert 100", combined}, Case{7, "Convert 100", combined}}) {
    const TLabelledResult result = DayCountConversion(100, c.Mode);
    EXPECT_EQ(result.Label, c.Label) << c.Mode;
    EXPECT_EQ(result.Value, c.Value) << c.Mode;
  }
  EXPECT_EQ(DayCountConversion(INT32_MIN, 3).Label, "Convert -2147483648 days to ~weeks, days");
}

TEST(DayCountConversion, TruncatesAndKeepsTheSignOfTheCount) {
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

}  // namespace
}  // namespace zentrel
