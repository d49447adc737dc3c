#include "dates/date_queries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

constexpr TDirection kBack = TDirection::Backward;
constexpr TDirection kOn = TDirection::Forward;

void ExpectResult(const TLabelledResult& result, std::string_view label, std::string_view value) {
  EXPECT_EQ(result.Label, label);
  EXPECT_EQ(result.Value, value);
}

constexpr double kMsPerDayD = 86'400'000.0;

/// A value built straight from the encoding: a day number and a time of day, the time
/// counted away from day 0 before it (so day -1 at 06:00 is -1.25).
TDateTimeValue Raw(std::int64_t day, std::int64_t msOfDay = 0) {
  double time = static_cast<double>(msOfDay) / kMsPerDayD;
  return TDateTimeValue::FromSerial(day < 0 ? static_cast<double>(day) - time
                                            : static_cast<double>(day) + time);
}

/// The day number of a calendar date.
std::int64_t DayNumber(int y, unsigned m, unsigned d) {
  using namespace std::chrono;
  return (sys_days{year{y} / m / d} - sys_days{year{1899} / December / 30}).count();
}

TDateTimeValue Date(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return Raw(DayNumber(y, m, d), (hour * 60 + minute) * 60'000);
}

// An independent calendar, stepped one day at a time from 1 January 1600 (a Saturday).
struct TCalendarWalk {
  int Year = 1600, Month = 1, Day = 1, DayOfYear = 1, IsoWeekday = 6;

  static bool Leap(int y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }
  static int MonthLength(int y, int m) {
    static const int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && Leap(y) ? 29 : kLengths[m - 1];
  }
  void Step() {
    IsoWeekday = IsoWeekday % 7 + 1;
    ++DayOfYear;
    if (++Day > MonthLength(Year, Month)) {
      Day = 1;
      if (++Month > 12) {
        Month = 1;
        ++Year;
        DayOfYear = 1;
      }
    }
  }
};

/// Weeks in an ISO year: 53 when the year starts on a Thursday, or on a Wednesday in a
/// leap year (the usual closed form), else 52.
int IsoWeeksInYear(int y) {
  auto p = [](int v) { return (v + v / 4 - v / 100 + v / 400) % 7; };
  return p(y) == 4 || p(y - 1) == 3 ? 53 : 52;
}

/// The ISO week and its year from the ordinal date and the weekday.
TDateWeek IsoWeek(int y, int dayOfYear, int isoWeekday) {
  int week = (dayOfYear - isoWeekday + 10) / 7;
  if (week < 1) return {y - 1, IsoWeeksInYear(y - 1)};
  if (week > IsoWeeksInYear(y)) return {y + 1, 1};
  return {y, week};
}

// Needs the calendar arithmetic and the date rendering of core/ underneath.
TEST(DateQueries, CalendarFactsMatchAnIndependentCalendarFrom1600To2400) {
  TCalendarWalk walk;
  int failures = 0;
  for (std::int64_t day = DayNumber(1600, 1, 1); walk.Year <= 2400 && failures < 10;
       ++day, walk.Step()) {
    // Midnight and late evening: the time of day must not move any answer, on either side
    // of day 0.
    for (std::int64_t ms : {std::int64_t{0}, std::int64_t{23 * 3'600'000 + 59 * 60'000}}) {
      TDateTimeValue value = Raw(day, ms);
      TDateWeek expected = IsoWeek(walk.Year, walk.DayOfYear, walk.IsoWeekday);
      TDateWeek actual = DecodeDateWeek(value);
      bool monthEnd = walk.Day == TCalendarWalk::MonthLength(walk.Year, walk.Month);

      const TFormatSettings settings{};
      const std::string out = LeapYearResult(value, settings).Value + " " +
                              DayOfYearResult(value, settings).Value + " " +
                              DayOfWeekResult(value, settings).Value + " " +
                              MonthEndResult(value, settings).Value;
      const std::string expectedOut =
          std::string(TCalendarWalk::Leap(walk.Year) ? "TRUE" : "FALSE") + " " +
          std::to_string(walk.DayOfYear) + " " + std::to_string(walk.IsoWeekday + 1) + " " +
          (monthEnd ? "TRUE" : "FALSE");
      if (actual.Year != expected.Year || actual.Week != expected.Week || out != expectedOut) {
        ++failures;
        ADD_FAILURE() << walk.Month << "/" << walk.Day << "/" << walk.Year << " ms " << ms
                      << ": week " << actual.Year << "-W" << actual.Week << " expected "
                      << expected.Year << "-W" << expected.Week << "; output\n"
                      << out << "expected\n"
                      << expectedOut;
      }
    }
  }
}

TEST(DecodeMonthWeek, WeeksBelongToTheMonthOfTheirThursday) {
  struct Case {
    TDateTimeValue when;
    TMonthWeek expected;
  } cases[] = {
      // January 2027 begins on a Friday: its 1st to 3rd close December's last week.
      {Date(2027, 1, 1), {2026, 12, 5}},
      {Date(2027, 1, 3), {2026, 12, 5}},
      {Date(2027, 1, 4), {2027, 1, 1}},
      {Date(2027, 1, 11), {2027, 1, 2}},
      // June 2026 ends on a Tuesday: its last two days open July.
      {Date(2026, 6, 28), {2026, 6, 4}},
      {Date(2026, 6, 29), {2026, 7, 1}},
      {Date(2026, 6, 30), {2026, 7, 1}},
      {Date(2026, 7, 1), {2026, 7, 1}},
      // December 2025 ends on a Wednesday: its last days open January of the next year.
      {Date(2025, 12, 29), {2026, 1, 1}},
      {Date(2025, 12, 28), {2025, 12, 4}},
      // A month that begins on a Thursday keeps its first days.
      {Date(2026, 10, 1), {2026, 10, 1}},
      {Date(2026, 10, 5), {2026, 10, 2}},
  };
  for (const auto& c : cases) {
    TMonthWeek w = DecodeMonthWeek(c.when);
    EXPECT_EQ(w.Year, c.expected.Year) << c.when.Serial();
    EXPECT_EQ(w.Month, c.expected.Month) << c.when.Serial();
    EXPECT_EQ(w.Week, c.expected.Week) << c.when.Serial();
  }
}

TEST(DecodeDateWeek, WeeksAcrossYearEnds) {
  struct Case {
    int Y, M, D;
    TDateWeek Week;
  };
  // The walk above covers 1600 to 2400; these are the ends of the calendar and a few
  // year ends spelled out.
  for (const Case& c : {
           Case{2024, 12, 30, {2025, 1}},   // Monday of the first week of 2025
           Case{2021, 1, 3, {2020, 53}},    // Sunday closing the 53rd week of 2020
           Case{2027, 1, 1, {2026, 53}},
           Case{1, 1, 1, {1, 1}},
           Case{9999, 12, 31, {9999, 52}},
       }) {
    TDateWeek w = DecodeDateWeek(Date(c.Y, c.M, c.D, 12));
    EXPECT_EQ(w.Year, c.Week.Year) << c.M << "/" << c.D << "/" << c.Y;
    EXPECT_EQ(w.Week, c.Week.Week) << c.M << "/" << c.D << "/" << c.Y;
  }
}

TEST(WholeDaysBetween, CountsWhole24HourPeriodsInEitherOrder) {
  EXPECT_EQ(WholeDaysBetween(Date(2026, 12, 1), Date(2026, 12, 7)), 6);
  EXPECT_EQ(WholeDaysBetween(Date(2026, 12, 7), Date(2026, 12, 1)), 6);
  EXPECT_EQ(WholeDaysBetween(Date(2026, 12, 7, 15, 30), Date(2026, 12, 7, 15, 30)), 0);
  EXPECT_EQ(WholeDaysBetween(Date(2026, 12, 1), Date(2026, 12, 7, 15, 30)), 6);
  EXPECT_EQ(WholeDaysBetween(Date(2026, 12, 8), Date(2026, 12, 7, 15, 30)), 0);
  EXPECT_EQ(WholeDaysBetween(Date(1, 1, 1), Date(9999, 12, 31)), 3'652'058);
}

TEST(WholeDaysBetween, IsLinearAcrossDayZero) {
  // 1899 has 365 days; the raw values less half a day would give 364.
  EXPECT_EQ(WholeDaysBetween(Date(1899, 1, 1), Date(1900, 1, 1)), 365);
  EXPECT_EQ(WholeDaysBetween(Date(1899, 12, 29), Date(1899, 12, 31)), 2);
  // 12/29/1899 18:00 to 12/30/1899 17:59 is just short of one day; to 18:00 it is one.
  EXPECT_EQ(WholeDaysBetween(Date(1899, 12, 29, 18), Date(1899, 12, 30, 17, 59)), 0);
  EXPECT_EQ(WholeDaysBetween(Date(1899, 12, 29, 18), Date(1899, 12, 30, 18)), 1);
  // Both before day 0, times of day included: 36 hours.
  EXPECT_EQ(WholeDaysBetween(Date(1899, 12, 28, 6), Date(1899, 12, 29, 18)), 1);
}

TEST(WholeDaysBetween, ToleratesHalfAMillisecond) {
  TDateTimeValue start = Date(2026, 12, 1);
  auto dayLaterLess = [&](double ms) {
    return TDateTimeValue::FromSerial(start.Serial() + 1 - ms / kMsPerDayD);
  };
  EXPECT_EQ(WholeDaysBetween(start, dayLaterLess(0.4)), 1);
  EXPECT_EQ(WholeDaysBetween(start, dayLaterLess(0.6)), 0);
  EXPECT_EQ(WholeDaysBetween(start, dayLaterLess(1)), 0);
}

TEST(WholeDaysBetween, KeepsTheRawRuleForValuesAfterDayZero) {
  // Millisecond values on the same side of day 0 give what the raw difference plus half a
  // millisecond, truncated, always gave.
  std::mt19937_64 gen(7);
  std::uniform_int_distribution<std::int64_t> ms(0, DayNumber(9999, 12, 31) * 86'400'000);
  for (int i = 0; i < 20'000; ++i) {
    std::int64_t a = ms(gen), b = i % 2 ? a + ms(gen) % (86'400'000LL * 40) : ms(gen);
    if (b > DayNumber(9999, 12, 31) * 86'400'000) continue;
    TDateTimeValue va = TDateTimeValue::FromSerial(static_cast<double>(a) / kMsPerDayD);
    TDateTimeValue vb = TDateTimeValue::FromSerial(static_cast<double>(b) / kMsPerDayD);
    auto raw =
        static_cast<std::int64_t>(std::fabs(va.Serial() - vb.Serial()) + 1.0 / 172'800'000.0);
    ASSERT_EQ(WholeDaysBetween(va, vb), raw) << a << " " << b;
  }
}

TEST(DateQueries, LabelsRepeatTheDate) {
  const TFormatSettings s{};
  ExpectResult(LeapYearResult(Date(2024, 2, 29), s), "Leap Year Status [02/29/2024] ", "TRUE");
  ExpectResult(DaysBetweenResult(Date(2026, 12, 7, 9), Date(2026, 12, 1), s),
               "Days Between 12/07/2026 and 12/01/2026 ", "6");
  ExpectResult(DayOfYearResult(Date(2024, 12, 31), s), "Day of Year [12/31/2024] ", "366");
  ExpectResult(DayOfWeekResult(Date(2026, 12, 6), s), "Day of Week [12/06/2026] ", "8");
  // The week's year, not the date's, where the two differ.
  ExpectResult(WeekNumberResult(Date(2024, 12, 30), s), "Week Number of 2025 [12/30/2024] ", "1");
  ExpectResult(WeekNumberResult(Date(2021, 1, 3, 23), s), "Week Number of 2020 [01/03/2021] ",
               "53");
  ExpectResult(MonthEndResult(Date(2023, 2, 28), s), "Month-end Status [02/28/2023] ", "TRUE");
  ExpectResult(CurrentDayResult(Date(2026, 12, 7, 23, 59), s, Date(2026, 12, 7)),
               "Current Day Status [12/07/2026] ", "TRUE");
}

TEST(MonthEndResult, TheCalendarsLastDayIsAMonthEnd) {
  // The day after 12/31/9999 cannot be represented, so the test must not need it.
  EXPECT_EQ(MonthEndResult(Date(9999, 12, 31, 23, 59), {}).Value, "TRUE");
  EXPECT_EQ(MonthEndResult(Date(9999, 12, 30), {}).Value, "FALSE");
}

TEST(CurrentDayResult, ComparesTheDateWithTodayWhateverTheTimes) {
  const TDateTimeValue today = Date(2026, 12, 7, 4, 15);
  EXPECT_EQ(CurrentDayResult(Date(2026, 12, 7), {}, today).Value, "TRUE");
  EXPECT_EQ(CurrentDayResult(Date(2026, 12, 7, 23, 59), {}, today).Value, "TRUE");
  EXPECT_EQ(CurrentDayResult(Date(2026, 12, 6, 23, 59), {}, today).Value, "FALSE");
  EXPECT_EQ(CurrentDayResult(Date(2026, 12, 8), {}, today).Value, "FALSE");
}

TEST(DaysPriorAfterResult, LabelWordsFollowCountAndSignAndTheTimeOfDayIsKept) {
  struct Case {
    std::int32_t Count;
    TDirection Sign;
    TDateTimeValue Base;
    std::string_view Label;
    TDateTimeValue Moment;
  };
  for (const Case& c : {
           Case{31, kBack, Date(2026, 12, 7), "31 Days Before 12/07/2026 ", Date(2026, 11, 6)},
           Case{1, kOn, Date(2026, 12, 7), "1 Day After 12/07/2026 ", Date(2026, 12, 8)},
           Case{0, kBack, Date(2026, 12, 7), "0 Days Before 12/07/2026 ", Date(2026, 12, 7)},
           Case{-1, kOn, Date(2026, 12, 7), "-1 Days After 12/07/2026 ", Date(2026, 12, 6)},
           Case{10, kOn, Date(2026, 12, 7, 4, 15), "10 Days After 12/07/2026 ",
                Date(2026, 12, 17, 4, 15)},
           // Across day 0, where the raw values do not measure time linearly.
           Case{2, kBack, Date(1899, 12, 31, 6), "2 Days Before 12/31/1899 ", Date(1899, 12, 29, 6)},
           Case{3, kOn, Date(1899, 12, 28, 18, 30), "3 Days After 12/28/1899 ",
                Date(1899, 12, 31, 18, 30)},
           Case{366, kBack, Date(2025, 3, 1, 12), "366 Days Before 03/01/2025 ",
                Date(2024, 2, 29, 12)},
           // The calendar's last and first days are still reachable.
           Case{2'912'102, kOn, Date(2026, 12, 7), "2912102 Days After 12/07/2026 ",
                Date(9999, 12, 31)},
           Case{739'956, kBack, Date(2026, 12, 7), "739956 Days Before 12/07/2026 ",
                Date(1, 1, 1)},
       }) {
    const TDateResult result = DaysPriorAfterResult(c.Count, c.Sign, c.Base, {});
    EXPECT_EQ(result.Label, c.Label);
    EXPECT_EQ(result.Moment.Serial(), c.Moment.Serial()) << c.Label;
  }
}

TEST(DaysPriorAfterResult, ResultsOutsideTheCalendarFail) {
  struct Case {
    std::int32_t Count;
    TDirection Sign;
  };
  for (const Case& c : {Case{2147483647, kBack}, Case{2147483647, kOn}, Case{INT32_MIN, kOn},
                        Case{INT32_MIN, kBack}, Case{2'920'000, kOn}, Case{740'000, kBack}}) {
    EXPECT_THROW(DaysPriorAfterResult(c.Count, c.Sign, Date(2026, 12, 7), {}), ConversionError)
        << c.Count << " " << SignOf(c.Sign);
  }
}

}  // namespace
}  // namespace zentrel
