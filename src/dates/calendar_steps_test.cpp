#include "dates/calendar_steps.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "core/date_format.h"

namespace zentrel {
namespace {

TDateTimeValue Date(int y, int m, int d) { return EncodeDate(y, m, d); }
TDayNumber Day(int y, int m, int d) { return TDayNumber::Of(Date(y, m, d)); }
constexpr TDirection kOn = TDirection::Forward;
constexpr TDirection kBack = TDirection::Backward;
std::string Text(TDateTimeValue value) {
  return FormatDateTimeValue("yyyy-mm-dd hh:nn", value, false, TFormatSettings{});
}
std::string Text(std::optional<TDateTimeValue> value) { return value ? Text(*value) : "none"; }
std::string DayText(std::optional<TDayNumber> day) {
  return day ? Text(TDateTimeValue::FromSerial(double(day->Value))) : "none";
}

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
      {"2tue", 2, TStepUnit::Weekday},   {"-1FRI", -1, TStepUnit::Weekday},
      {"0Sun", 0, TStepUnit::Weekday},   {"1wed", 1, TStepUnit::Weekday},
  };
  for (const auto& c : cases) {
    const std::optional<TStep> step = ReadStep(c.Text);
    ASSERT_TRUE(step) << c.Text;
    EXPECT_EQ(step->Count, c.Count) << c.Text;
    EXPECT_EQ(step->Unit, c.Unit) << c.Text;
  }
  const char* days[] = {"1mon", "1tue", "1wed", "1thu", "1fri", "1sat", "1sun"};
  for (int day = 1; day <= 7; ++day) EXPECT_EQ(ReadStep(days[day - 1])->Day, day);
  for (const char* text : {"", "m", "b", "1mm", "1 m", "1x", "1.5m", "2147483648w", "1m ",
                           "tue", "1tu", "1tues", "1 tue", "1tuesday", "xtue", "1tue "}) {
    EXPECT_FALSE(ReadStep(text)) << text;
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
  EXPECT_FALSE(AddMonths(Date(9999, 12, 1), 1));
  EXPECT_FALSE(AddMonths(Date(1, 1, 1), -1));
  EXPECT_FALSE(AddMonths(Date(2024, 1, 1), INT64_C(1) << 40));
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
    const TDayNumber day = Day(2024, 12, c.Day);
    auto at = [&](std::int64_t count, TDirection zeroWay) {
      return DayText(calendar.Step(day, count, zeroWay)).substr(0, 10);
    };
    EXPECT_EQ(at(0, kOn), c.Zero) << c.Day;
    EXPECT_EQ(at(0, kBack), c.ZeroBack) << c.Day;
    EXPECT_EQ(at(1, kOn), c.One) << c.Day;
    EXPECT_EQ(at(5, kOn), c.Five) << c.Day;
    EXPECT_EQ(at(-1, kOn), c.MinusOne) << c.Day;
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
  EXPECT_EQ(DayText(calendar.Step(Day(2024, 12, 25), 0, kBack)).substr(0, 10), "2024-12-24");
}

TEST(BusinessCalendar, CountAndStepAgreeWithAWalkOverTheDays) {
  const TBusinessCalendar calendar({Day(2024, 1, 1), Day(2024, 1, 15), Day(2024, 2, 19)});
  const TDayNumber start = Day(2023, 12, 20);
  for (TDayNumber from = start; from < start + 20; from = from + 1) {
    std::int64_t walked = 0;
    for (TDayNumber to = from; to < from + 80; to = to + 1) {
      EXPECT_EQ(calendar.Count(from, to), walked) << from.Value << " " << to.Value;
      if (calendar.IsBusinessDay(to)) {
        ++walked;
        const std::int64_t count = calendar.IsBusinessDay(from) ? walked - 1 : walked;
        if (count > 0) {
          EXPECT_EQ(calendar.Step(from, count), to) << from.Value << " " << count;
        }
      }
    }
  }
}

TEST(BusinessCalendar, TheWholeCalendarAndItsEnds) {
  const TBusinessCalendar calendar({});
  const TDayNumber first = Day(1, 1, 1), last = Day(9999, 12, 31);  // a Monday, a Friday
  EXPECT_EQ(first, kFirstDay);
  EXPECT_EQ(last, kLastDay);
  EXPECT_EQ(calendar.Count(first, last + 1), 2608615);
  EXPECT_EQ(calendar.Step(first, 2608614), last);
  EXPECT_EQ(calendar.Step(last, -2608614), first);
  EXPECT_FALSE(calendar.Step(last, 1));
  EXPECT_FALSE(calendar.Step(first, -1));
  EXPECT_FALSE(calendar.Step(first, -1, kBack));
  EXPECT_FALSE(TBusinessCalendar({last}).Step(last, 0));  // no business day left on or after
  EXPECT_EQ(calendar.Step(last - 1, 0), last - 1);
}

TEST(MoveByStep, EveryUnitKeepsTheTimeOfDay) {
  const TDateTimeValue base = CombineDateTime(Date(2024, 1, 31), EncodeTime(10, 30, 0, 0));
  EXPECT_EQ(Text(MoveByStep(base, {2, TStepUnit::Days}, kOn, nullptr)), "2024-02-02 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {2, TStepUnit::Weeks}, kBack, nullptr)), "2024-01-17 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {1, TStepUnit::Months}, kOn, nullptr)), "2024-02-29 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {1, TStepUnit::Years}, kBack, nullptr)), "2023-01-31 10:30");
  EXPECT_EQ(Text(MoveByStep(base, {3, TStepUnit::BusinessDays}, kOn, nullptr)), "2024-02-05 10:30");
}

TEST(MoveByStep, WeekdayStepsAgreeWithAWalkOverTheDays) {
  // From each day of a fortnight, for each day of the week and count, both ways.
  for (int from = 1; from <= 14; ++from) {
    const TDateTimeValue base = CombineDateTime(Date(2024, 12, from), EncodeTime(8, 0, 0, 0));
    for (int day = 1; day <= 7; ++day) {
      for (std::int64_t count = -3; count <= 3; ++count) {
        for (TDirection way : {kOn, kBack}) {
          const std::int64_t sign = (count == 0 ? SignOf(way) : SignOf(way) * (count > 0 ? 1 : -1));
          std::int64_t left = count < 0 ? -count : count;
          TDateTimeValue walked = count == 0 ? base : base.AddDays(sign);
          while (true) {
            const bool match = walked.Weekday().IsoMondayOneToSeven() == day;
            if (match && (count == 0 || --left == 0)) break;
            walked = walked.AddDays(sign);
          }
          EXPECT_EQ(Text(MoveByStep(base, {count, TStepUnit::Weekday, day}, way, nullptr)),
                    Text(walked))
              << from << " " << day << " " << count << " " << SignOf(way);
        }
      }
    }
  }
  // The recipes: the second Tuesday of December 2024, the last Friday of November.
  EXPECT_EQ(Text(MoveByStep(Date(2024, 11, 30), {2, TStepUnit::Weekday, 2}, kOn, nullptr)),
            "2024-12-10 00:00");
  EXPECT_EQ(Text(MoveByStep(Date(2024, 12, 1), {1, TStepUnit::Weekday, 5}, kBack, nullptr)),
            "2024-11-29 00:00");
}

TEST(MoveByStep, NoResultBeyondEitherEndOfTheCalendar) {
  const TDateTimeValue last = CombineDateTime(Date(9999, 12, 31), EncodeTime(23, 0, 0, 0));
  EXPECT_EQ(Text(MoveByStep(last, {0, TStepUnit::Days}, kOn, nullptr)), "9999-12-31 23:00");
  EXPECT_EQ(Text(MoveByStep(last, {1, TStepUnit::Days}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(last, {1, TStepUnit::Weeks}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 7), {1, TStepUnit::Weeks}, kBack, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 8), {1, TStepUnit::Weeks}, kBack, nullptr)),
            "0001-01-01 00:00");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 1), {INT32_MIN, TStepUnit::Days}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(last, {1, TStepUnit::Months}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(last, {1, TStepUnit::BusinessDays}, kOn, nullptr)), "none");
  // 12/31/9999 is a Friday, 01/01/0001 a Monday.
  EXPECT_EQ(Text(MoveByStep(last, {0, TStepUnit::Weekday, 5}, kOn, nullptr)), "9999-12-31 23:00");
  EXPECT_EQ(Text(MoveByStep(last, {0, TStepUnit::Weekday, 6}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(last, {1, TStepUnit::Weekday, 5}, kOn, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 1), {0, TStepUnit::Weekday, 7}, kBack, nullptr)), "none");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 1), {INT32_MIN, TStepUnit::Weekday, 1}, kOn, nullptr)),
            "none");
  EXPECT_EQ(Text(MoveByStep(Date(1, 1, 1), {INT32_MAX, TStepUnit::Weekday, 1}, kOn, nullptr)),
            "none");
}

/// The dates ListDates writes, as "yyyy-mm-dd" joined by blanks.
std::string Listed(TDateTimeValue start, TDateTimeValue end, TStep step,
                   const TBusinessCalendar* calendar = nullptr) {
  std::string dates;
  ListDates(start, end, step, calendar, [&](TDateTimeValue date) {
    if (!dates.empty()) dates += " ";
    dates += Text(date).substr(0, 10);
  });
  return dates;
}

TEST(ListDates, EveryDateFromTheStartTowardsTheEnd) {
  const TBusinessCalendar christmas({Day(2024, 12, 25)});
  const struct {
    TDateTimeValue Start, End;
    TStep Step;
    const TBusinessCalendar* Calendar;
    const char* Dates;
  } cases[] = {
      {Date(2024, 12, 1), Date(2024, 12, 3), {1, TStepUnit::Days}, nullptr,
       "2024-12-01 2024-12-02 2024-12-03"},
      // Backward when the end is earlier, whatever the step's sign.
      {Date(2024, 12, 3), Date(2024, 12, 1), {-1, TStepUnit::Days}, nullptr,
       "2024-12-03 2024-12-02 2024-12-01"},
      {Date(2024, 12, 3), Date(2024, 12, 1), {1, TStepUnit::Days}, nullptr,
       "2024-12-03 2024-12-02 2024-12-01"},
      // The end is not met: the list stops before it.
      {Date(2024, 12, 1), Date(2024, 12, 16), {1, TStepUnit::Weeks}, nullptr,
       "2024-12-01 2024-12-08 2024-12-15"},
      // Each month from the start: the 31st comes back after a shorter month.
      {Date(2024, 1, 31), Date(2024, 5, 31), {1, TStepUnit::Months}, nullptr,
       "2024-01-31 2024-02-29 2024-03-31 2024-04-30 2024-05-31"},
      // Business days start on the first one met and skip the holiday.
      {Date(2024, 12, 21), Date(2024, 12, 27), {1, TStepUnit::BusinessDays}, &christmas,
       "2024-12-23 2024-12-24 2024-12-26 2024-12-27"},
      {Date(2024, 12, 27), Date(2024, 12, 21), {1, TStepUnit::BusinessDays}, &christmas,
       "2024-12-27 2024-12-26 2024-12-24 2024-12-23"},
      // None at all: a weekend, and a holiday at the calendar's end.
      {Date(2024, 12, 7), Date(2024, 12, 8), {1, TStepUnit::BusinessDays}, &christmas, ""},
      // The calendar's ends stop the list where the next date would leave it.
      {Date(9999, 12, 30), Date(9999, 12, 31), {1, TStepUnit::Days}, nullptr,
       "9999-12-30 9999-12-31"},
      {Date(9999, 12, 1), Date(9999, 12, 31), {1, TStepUnit::Years}, nullptr, "9999-12-01"},
      {Date(1, 1, 2), Date(1, 1, 1), {5, TStepUnit::Days}, nullptr, "0001-01-02"},
      // A weekday list starts on the first such day it meets, and goes on by whole weeks.
      {Date(2024, 12, 1), Date(2024, 12, 23), {1, TStepUnit::Weekday, 1}, nullptr,
       "2024-12-02 2024-12-09 2024-12-16 2024-12-23"},
      {Date(2024, 12, 2), Date(2024, 12, 31), {2, TStepUnit::Weekday, 1}, nullptr,
       "2024-12-02 2024-12-16 2024-12-30"},
      {Date(2024, 12, 31), Date(2024, 12, 1), {1, TStepUnit::Weekday, 5}, nullptr,
       "2024-12-27 2024-12-20 2024-12-13 2024-12-06"},
      {Date(2024, 12, 3), Date(2024, 12, 8), {1, TStepUnit::Weekday, 1}, nullptr, ""},
      {Date(9999, 12, 20), Date(9999, 12, 31), {1, TStepUnit::Weekday, 5}, nullptr,
       "9999-12-24 9999-12-31"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Listed(c.Start, c.End, c.Step, c.Calendar), c.Dates) << c.Dates;
  }
  const TBusinessCalendar lastDay({Day(9999, 12, 31)});
  EXPECT_EQ(Listed(Date(9999, 12, 31), Date(9999, 12, 31), {1, TStepUnit::BusinessDays},
                   &lastDay),
            "");
}

TEST(StepLabel, LabelsFollowTheDayLabel) {
  const TFormatSettings fs;
  EXPECT_EQ(StepLabel({1, TStepUnit::Months}, kBack, Date(2024, 3, 31), fs),
            "1 Month Before 03/31/2024 ");
  EXPECT_EQ(StepLabel({5, TStepUnit::BusinessDays}, kOn, Date(2024, 12, 24), fs),
            "5 Business Days After 12/24/2024 ");
  EXPECT_EQ(StepLabel({1, TStepUnit::Days}, kOn, Date(2024, 12, 24), fs),
            "1 Day After 12/24/2024 ");
  EXPECT_EQ(StepLabel({-10, TStepUnit::Days}, kBack, Date(2024, 12, 24), fs),
            "-10 Days Before 12/24/2024 ");
  EXPECT_EQ(StepLabel({2, TStepUnit::Weeks}, kOn, Date(2024, 12, 24), fs),
            "2 Weeks After 12/24/2024 ");
  EXPECT_EQ(StepLabel({2, TStepUnit::Weekday, 2}, kOn, Date(2024, 11, 30), fs),
            "2 Tuesdays After 11/30/2024 ");
  EXPECT_EQ(StepLabel({1, TStepUnit::Weekday, 5}, kBack, Date(2024, 12, 1), fs),
            "1 Friday Before 12/01/2024 ");
  EXPECT_EQ(StepLabel({0, TStepUnit::Weekday, 7}, kOn, Date(2024, 12, 1), fs),
            "0 Sundays After 12/01/2024 ");
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
