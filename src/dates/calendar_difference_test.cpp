#include "dates/calendar_difference.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "dates/calendar_steps.h"

namespace zentrel {
namespace {

TDateTimeValue Date(int y, int m, int d) { return EncodeDate(y, m, d); }

TEST(CalendarDifference, MonthsFirstThenTheDaysLeft) {
  const struct {
    TDateTimeValue From, To;
    std::int64_t Years, Months, Days;
  } cases[] = {
      {Date(2000, 1, 1), Date(2024, 12, 25), 24, 11, 24},
      {Date(2024, 12, 25), Date(2000, 1, 1), -24, -11, -24},
      {Date(2024, 1, 31), Date(2024, 3, 1), 0, 1, 1},     // through 02/29/2024
      {Date(2024, 3, 31), Date(2024, 2, 29), 0, -1, 0},   // the day cut to February's last
      {Date(2024, 3, 31), Date(2024, 2, 28), 0, -1, -1},
      {Date(2024, 1, 31), Date(2024, 2, 29), 0, 1, 0},
      {Date(2024, 1, 30), Date(2024, 2, 29), 0, 1, 0},    // the 30th cut to the 29th
      {Date(2024, 2, 29), Date(2025, 2, 28), 1, 0, 0},    // a leap day's birthday
      {Date(2024, 2, 29), Date(2028, 2, 29), 4, 0, 0},
      {Date(2025, 2, 28), Date(2024, 2, 29), 0, -11, -28},
      {Date(2024, 12, 25), Date(2024, 12, 25), 0, 0, 0},
      {Date(2024, 12, 31), Date(2025, 1, 1), 0, 0, 1},
      {Date(1, 1, 1), Date(9999, 12, 31), 9998, 11, 30},
      {Date(9999, 12, 31), Date(1, 1, 1), -9998, -11, -30},
  };
  for (const auto& c : cases) {
    const TCalendarDifference d = CalendarDifference(c.From, c.To);
    EXPECT_EQ(d.Years, c.Years) << c.Years << " " << c.Months << " " << c.Days;
    EXPECT_EQ(d.Months, c.Months) << c.Years << " " << c.Months << " " << c.Days;
    EXPECT_EQ(d.Days, c.Days) << c.Years << " " << c.Months << " " << c.Days;
    // Stepped back: the months, then the days, from the first date give the second.
    const TDateTimeValue moved = *AddMonths(c.From, d.AllMonths());
    EXPECT_EQ(moved.AddDays(d.Days), c.To);
  }
}

TEST(CalendarDifference, TimesOfDayAreNotCounted) {
  const TDateTimeValue evening = CombineDateTime(Date(2024, 1, 31), EncodeTime(23, 0, 0, 0));
  const TCalendarDifference d = CalendarDifference(evening, Date(2024, 2, 29));
  EXPECT_EQ(d.AllMonths(), 1);
  EXPECT_EQ(d.Days, 0);
}

TEST(CalendarDifferenceResult, NumbersAScriptReadsLabelledWithBothDates) {
  const TFormatSettings fs;
  const auto all = CalendarDifferenceResult(Date(2000, 1, 1), Date(2024, 12, 25),
                                            TCalendarUnits::YearsMonthsDays, fs);
  EXPECT_EQ(all.Value, "24 11 24");
  EXPECT_EQ(all.Label, "Years, Months, Days Between 01/01/2000 and 12/25/2024 ");
  const struct {
    TDateTimeValue From, To;
    TCalendarUnits Units;
    const char* Value;
    const char* Label;
  } cases[] = {
      {Date(1990, 6, 15), Date(2024, 6, 14), TCalendarUnits::Years, "33", "Years"},
      {Date(1990, 6, 15), Date(2024, 6, 15), TCalendarUnits::Years, "34", "Years"},
      {Date(2024, 6, 15), Date(1990, 6, 16), TCalendarUnits::Years, "-33", "Years"},
      {Date(2000, 1, 1), Date(2024, 12, 25), TCalendarUnits::Months, "299", "Months"},
      {Date(2024, 12, 1), Date(2024, 12, 28), TCalendarUnits::Weeks, "3", "Weeks"},
      {Date(2024, 12, 1), Date(2024, 12, 29), TCalendarUnits::Weeks, "4", "Weeks"},
      {Date(2024, 12, 29), Date(2024, 12, 1), TCalendarUnits::Weeks, "-4", "Weeks"},
      {Date(2024, 12, 28), Date(2024, 12, 1), TCalendarUnits::Weeks, "-3", "Weeks"},
  };
  for (const auto& c : cases) {
    const auto result = CalendarDifferenceResult(c.From, c.To, c.Units, fs);
    EXPECT_EQ(result.Value, c.Value) << c.Value;
    EXPECT_TRUE(result.Label.starts_with(std::string(c.Label) + " Between ")) << result.Label;
  }
  EXPECT_THROW(CalendarDifferenceResult(TDateTimeValue::FromSerial(1e7), Date(2024, 1, 1),
                                        TCalendarUnits::Years, fs),
               ConversionError);
}

}  // namespace
}  // namespace zentrel
