#include "dates/date_queries.h"

#include <chrono>
#include <string>

#include "core/date_format.h"
#include "core/iso_week.h"
#include "core/value_format.h"
#include "dates/calendar_steps.h"
#include "durations/duration.h"

namespace zentrel {
namespace {

namespace chr = std::chrono;

/// The date as it appears inside a label.
std::string LabelDate(TDateTimeValue value, const TFormatSettings& settings) {
  return FormatDateTimeValue(kDatePattern, value, false, settings);
}

chr::year_month_day CivilDate(TDateTimeValue value) {
  TDateParts parts = DecodeDate(value);
  return chr::year{parts.Year} / parts.Month / parts.Day;
}

unsigned IsoWeekday(chr::sys_days day) { return chr::weekday{day}.iso_encoding(); }

TMonthWeek MonthWeekOf(chr::year_month_day date) {
  int year = static_cast<int>(date.year());
  int month = static_cast<int>(static_cast<unsigned>(date.month()));
  int day = static_cast<int>(static_cast<unsigned>(date.day()));
  int first = static_cast<int>(IsoWeekday(date.year() / date.month() / 1));
  int n = day - 1 + first;
  if (first > 4) n -= 7;  // the month starts on a Friday, Saturday or Sunday
  if (n < 1) {
    // Before the month's first week: the last week of the previous month.
    return MonthWeekOf(chr::sys_days{date.year() / date.month() / 1} - chr::days{1});
  }
  TMonthWeek result{year, month, n / 7 + (n % 7 != 0 ? 1 : 0)};
  chr::year_month_day_last last{date.year() / date.month() / chr::last};
  int lastWeekday = static_cast<int>(IsoWeekday(last));
  int daysInMonth = static_cast<int>(static_cast<unsigned>(last.day()));
  if (lastWeekday < 4 && daysInMonth - day < lastWeekday) {
    // The month ends on a Monday, Tuesday or Wednesday: its last days open the next one.
    result.Week = 1;
    result.Month = month == 12 ? 1 : month + 1;
    result.Year = month == 12 ? year + 1 : year;
  }
  return result;
}

}  // namespace

std::int64_t WholeDaysBetween(TDateTimeValue a, TDateTimeValue b) {
  // Both values are taken to whole milliseconds on one linear scale, so a difference a hair
  // below a whole number of days (within half a millisecond) still counts that day, and the
  // count is right also when the values lie on both sides of day 0, where the raw doubles
  // do not measure time linearly.
  return MsBetween(a, b) / kMsPerDay;
}

TDateWeek DecodeDateWeek(TDateTimeValue value) {
  const TIsoWeekDate week = IsoWeekDateOf(value);
  return {week.Year, week.Week};
}

TMonthWeek DecodeMonthWeek(TDateTimeValue value) { return MonthWeekOf(CivilDate(value)); }

int DayOfYear(TDateTimeValue value) {
  chr::year_month_day date = CivilDate(value);
  chr::sys_days firstOfYear{date.year() / chr::January / 1};
  return static_cast<int>((chr::sys_days{date} - firstOfYear).count() + 1);
}

TLabelledResult LeapYearResult(TDateTimeValue value, const TFormatSettings& settings) {
  bool leap = IsLeapYear(DecodeDate(value).Year);
  return {std::string(YesNo(leap)), "Leap Year Status [" + LabelDate(value, settings) + "] "};
}

TLabelledResult DaysBetweenResult(TDateTimeValue first, TDateTimeValue second,
                                  const TFormatSettings& settings) {
  std::string label = "Days Between " + LabelDate(first, settings) + " and " +
                      LabelDate(second, settings) + " ";
  return {std::to_string(WholeDaysBetween(first, second)), std::move(label)};
}

TLabelledResult DaysBetweenResult(TDateTimeValue first, TDateTimeValue second,
                                  TMilliseconds elapsed, const TFormatSettings& settings) {
  std::string label = "Days Between " + LabelDate(first, settings) + " and " +
                      LabelDate(second, settings) + " ";
  const std::int64_t ms = elapsed.count() < 0 ? -elapsed.count() : elapsed.count();
  return {std::to_string(ms / kMsPerDay), std::move(label)};
}

TLabelledResult DayOfYearResult(TDateTimeValue value, const TFormatSettings& settings) {
  return {std::to_string(DayOfYear(value)), "Day of Year [" + LabelDate(value, settings) + "] "};
}

TLabelledResult WeekNumberResult(TDateTimeValue value, const TFormatSettings& settings) {
  const TIsoWeekDate week = IsoWeekDateOf(value);
  return {std::to_string(week.Week), "Week Number of " + std::to_string(week.Year) + " [" +
                                         LabelDate(value, settings) + "] "};
}

TLabelledResult DayOfWeekResult(TDateTimeValue value, const TFormatSettings& settings) {
  int printed = value.Weekday().MondayTwoToSundayEight();
  return {std::to_string(printed), "Day of Week [" + LabelDate(value, settings) + "] "};
}

TLabelledResult MonthEndResult(TDateTimeValue value, const TFormatSettings& settings) {
  TDateParts date = DecodeDate(value);
  bool monthEnd = date.Day == DaysInMonth(date.Year, date.Month);
  return {std::string(YesNo(monthEnd)), "Month-end Status [" + LabelDate(value, settings) + "] "};
}

TLabelledResult CurrentDayResult(TDateTimeValue value, const TFormatSettings& settings,
                                 TDateTimeValue today) {
  return {std::string(YesNo(value.DayNumber() == today.DayNumber())),
          "Current Day Status [" + LabelDate(value, settings) + "] "};
}

TLabelledResult UnixTimeResult(std::int64_t seconds, TDateTimeValue value,
                               const TFormatSettings& settings) {
  return {std::to_string(seconds), "Unix Time [" + LabelDate(value, settings) + "] "};
}

TDateResult DaysPriorAfterResult(std::int32_t count, TDirection direction, TDateTimeValue base,
                                 const TFormatSettings& settings) {
  // Widened before negating: -2147483648 has no positive 32-bit counterpart.
  const std::int64_t days = SignOf(direction) * std::int64_t{count};
  return {StepLabel({count, TStepUnit::Days}, direction, base, settings), base.AddDays(days)};
}

}  // namespace zentrel
