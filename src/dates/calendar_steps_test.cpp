#include "dates/calendar_steps.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "core/date_format.h"

namespace zentrel {
namespace {

TDateTimeValue Date(int y, int m, int d) { return EncodeDate(y, m, d); }
std::int64_t Day(int y, int m, int d) { return Date(y, m, d).DayNumber(); }
std::string Text(TDateTimeValue value) {
  return FormatDateTimeValue("yyyy-mm-dd hh:nn", value, false, TFormatSettings{});
}
std::string DayText(std::int64_t day) { return Text(TDateTimeValue::FromSerial(double(day))); }

TEST(ReadStep, CountsWithAndWithoutAUnitLetter) {
  const struct {
    const char* Text;
    std::int64_t Count;
    TStepUnit Unit;
  } cases[] = {
      {"10", 10, TStepUnit::Days},       {"10d", 10, TStepUnit::Days},
      {"2W", 2, TStepUnit::Weeks},       {"-1m", -1, TStepUnit::Months},
      {"3Y", 3, TStepUnit::Years},       {"5b", 5, TStepUnit::BusinessDays},
      {"0x1d", 29, TStepUnit::Days},     {"0x1b", 27, TStepUnit::Days},  // hexadecimal numbers
      {"$1w", 1, TStepUnit::Weeks},      {" 7m", 7, TStepUnit::Months},
  };
  for (const auto& c : cases) {
    const TStep step = ReadStep(c.Text);
    EXPECT_EQ(step.Count, c.Count) << c.Text;
    EXPECT_EQ(step.Unit, c.Unit) << c.Text;
  }
  for (const char* text : {"", "m", "b", "1mm", "1 m", "1x", "1.5m", "2147483648w", "1m "}) {
    EXPECT_THROW(ReadStep(text), ConversionError) << text;
  }
}

TEST(AddMonths, KeepsTheDayOrTakesTheMonthsLast) {
  const struct {
    TDateTimeValue From;
    std::int64_t Months;
    const char* To;
  } cases[] = {
      {Date(2024, 3, 31), -1, "2024-02-29 00:00"}, {Date(2023, 3, 31), -1, "2023-02-28 00:00"},
      {Date(2024, 1, 31), 1, "2024-02-29 00:00"},  {Date(2024, 1, 31), 3, "2024-04-30 00:00"},
      {Date(2024, 2, 29), 12, "2025-02-28 00:00"}, {Date(2024, 2, 29), 48, "2028-02-29 00:00"},
      {Date(2024, 12, 15), 1, "2025-01-15 00:00"}, {Date(2025, 1, 15), -1, "2024-12-15 00:00"},
      {Date(1900, 1, 31), -1, "1899-12-31 00:00"}, {Date(1899, 12, 30), 2, "1900-02-28 00:00"},
      {Date(1, 1, 31), 119987, "9999-12-31 00:00"},  {Date(9999, 12, 31), -119987, "0001-01-31 00:00"},
      {CombineDateTime(Date(1899, 12, 29), EncodeTime(18, 30, 0, 0)), 1, "1900-01-29 18:30"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(AddMonths(c.From, c.Months)), c.To) << c.Months;
  EXPECT_THROW(AddMonths(Date(9999, 12, 1), 1), ConversionError);
  EXPECT_THROW(AddMonths(Date(1, 1, 1), -1), ConversionError);
  EXPECT_THROW(AddMonths(Date(2024, 1, 1), INT64_C(1) << 40), ConversionError);
}

TEST(BusinessCalendar, StepsFromEachWeekday) {
  const TBusinessCalendar calendar({});
  // 12/02/2024 is a Monday; from each day of that week, 0, 1 and 5 business days on and back.
  const struct {
    int Day;
    const char *Zero, *ZeroBack, *One, *Five, *MinusOne;
  } cases[] = {
      {2, "2024-12-02", "2024-12-02", "2024-12-03", "2024-12-09", "2024-11-29"},
      {6, "2024-12-06", "2024-12-06", "2024-12-09", "2024-12-13", "2024-12-05"},
      {7, "2024-12-09", "2024-12-06", "2024-12-09", "2024-12-13", "2024-12-06"},
      {8, "2024-12-09", "2024-12-06", "2024-12-09", "2024-12-13", "2024-12-06"},
  };
  for (const auto& c : cases) {
    const std::int64_t day = Day(2024, 12, c.Day);
    auto at = [&](std::int64_t count, bool back) { return DayText(calendar.Step(day, count, back)).substr(0, 10); };
    EXPECT_EQ(at(0, false), c.Zero) << c.Day;
    EXPECT_EQ(at(0, true), c.ZeroBack) << c.Day;
    EXPECT_EQ(at(1, false), c.One) << c.Day;
    EXPECT_EQ(at(5, false), c.Five) << c.Day;
    EXPECT_EQ(at(-1, false), c.MinusOne) << c.Day;
  }
}

TEST(BusinessCalendar, HolidaysOnWeekdaysCountAndOnWeekendsDoNot) {
  // Wednesday 12/25/2024 and Saturday 12/28/2024, given twice and out of order.
  const TBusinessCalendar calendar({Day(2024, 12, 28), Day(2024, 12, 25), Day(2024, 12, 25)});
  EXPECT_FALSE(calendar.IsBusinessDay(Day(2024, 12, 25)));
  EXPECT_TRUE(calendar.IsBusinessDay(Day(2024, 12, 24)));
  EXPECT_EQ(calendar.Count(Day(2024, 12, 23), Day(2024, 12, 30)), 4);
  EXPECT_EQ(DayText(calendar.Step(Day(2024, 12, 24), 1)).substr(0, 10), "2024-12-26");
  EXPECT_EQ(DayText(calendar.Step(Day(2024, 12, 26), -1)).substr(0, 10), "2024-12-24");
  EXPECT_EQ(DayText(calendar.Step(Day(2024, 12, 25), 0)).substr(0, 10), "2024-12-26");
  EXPECT_EQ(DayText(calendar.Step(Day(2024, 12, 25), 0, true)).substr(0, 10), "2024-12-24");
}

TEST(BusinessCalendar, CountAndStepAgreeWithAWalkOverTheDays) {
  const TBusinessCalendar calendar({Day(2024, 1, 1), Day(2024, 1, 15), Day(2024, 2, 19)});
  const std::int64_t start = Day(2023, 12, 20);
  for (std::int64_t from = start; from < start + 20; ++from) {
    std::int64_t walked = 0;
    for (std::int64_t to = from; to < from + 80; ++to) {
      EXPECT_EQ(calendar.Count(from, to), walked) << from << " " << to;
      if (calendar.IsBusinessDay(to)) {
        ++walked;
        const std::int64_t count = calendar.IsBusinessDay(from) ? walked - 1 : walked;
        if (count > 0) {
          EXPECT_EQ(calendar.Step(from, count), to) << from << " " << count;
        }
      }
    }
  }
}

TEST(BusinessCalendar, TheWholeCalendarAndItsEnds) {
  const TBusinessCalendar calendar({});
  const std::int64_t first = Day(1, 1, 1), last = Day(9999, 12, 31);  // a Monday, a Friday
  EXPECT_EQ(calendar.Count(first, last + 1), 2608615);
  EXPECT_EQ(calendar.Step(first, 2608614), last);
  EXPECT_EQ(calendar.Step(last, -2608614), first);
  EXPECT_THROW(calendar.Step(last, 1), ConversionError);
  EXPECT_THROW(calendar.Step(first, -1), ConversionError);
  EXPECT_THROW(calendar.Step(first, -1, true), ConversionError);
}

TEST(MoveByStep, EveryUnitKeepsTheTimeOfDay) {
  const TDateTimeValue base = CombineDateTime(Date(2024, 1, 31), EncodeTime(10, 30, 0, 0));
  EXPECT_EQ(Text(MoveByStep(base, {2, TStepUnit::Days}, 1, nullptr)), "2024-02-02 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {2, TStepUnit::Weeks}, -1, nullptr)), "2024-01-17 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {1, TStepUnit::Months}, 1, nullptr)), "2024-02-29 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {1, TStepUnit::Years}, -1, nullptr)), "2023-01-31 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {3, TStepUnit::BusinessDays}, 1, nullptr)), "2024-02-05 10:30");
}

TEST(CalendarStepResult, LabelsFollowTheDayLabel) {
  const TFormatSettings fs;
  EXPECT_EQ(CalendarStepResult({1, TStepUnit::Months}, '-', Date(2024, 3, 31), fs, nullptr).Label,
            "1 Month Before 03/31/2024 ");
  EXPECT_EQ(CalendarStepResult({5, TStepUnit::BusinessDays}, '+', Date(2024, 12, 24), fs, nullptr)
                .Label,
            "5 Business Days After 12/24/2024 ");
  EXPECT_EQ(CalendarStepResult({2, TStepUnit::Weeks}, '+', Date(2024, 12, 24), fs, nullptr).Label,
            "2 Weeks After 12/24/2024 ");
}

TEST(BusinessDaysResult, TheEarlierDateCountsAndTheLaterNot) {
  const TBusinessCalendar calendar({});
  const TFormatSettings fs;
  const auto result = BusinessDaysResult(Date(2024, 12, 2), Date(2024, 12, 9), calendar, fs);
  EXPECT_EQ(result.Value, "5");
  EXPECT_EQ(result.Label, "Business Days Between 12/02/2024 and 12/09/2024 ");
  EXPECT_EQ(BusinessDaysResult(Date(2024, 12, 9), Date(2024, 12, 2), calendar, fs).Value, "-5");
  EXPECT_EQ(BusinessDaysResult(Date(2024, 12, 7), Date(2024, 12, 8), calendar, fs).Value, "0");
  EXPECT_EQ(BusinessDaysResult(Date(2024, 12, 6), Date(2024, 12, 6), calendar, fs).Value, "0");
}

}  // namespace
}  // namespace zentrel
