#include "dates/date_queries.h"

#include <chrono>
#include <string>

#include "core/date_format.h"
#include "core/output.h"
#include "durations/duration.h"

namespace zentrel {
namespace {

namespace chr = std::chrono;

constexpr std::string_view kTrueText = "TRUE";
constexpr std::string_view kFalseText = "FALSE";

std::string_view YesNo(bool value) { return value ? kTrueText : kFalseText; }

/// The date as it appears inside a label.
std::string LabelDate(TRunContext& run, TDateTimeValue value) {
  return FormatDateTimeValue(kDatePattern, value, false, run.Format);
}

chr::year_month_day CivilDate(TDateTimeValue value) {
  TDateParts parts = DecodeDate(value);
  return chr::year{parts.Year} / parts.Month / parts.Day;
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
  chr::sys_days day{CivilDate(value)};
  chr::weekday weekday{day};
  unsigned isoWeekday = weekday.iso_encoding();  // Monday 1 .. Sunday 7
  // The ISO week belongs to the year that holds its Thursday.
  chr::sys_days thursday = day - chr::days{isoWeekday - 1} + chr::days{3};
  chr::year weekYear = chr::year_month_day{thursday}.year();
  chr::sys_days firstOfWeekYear{weekYear / chr::January / 1};
  TDateWeek result;
  result.Year = static_cast<int>(weekYear);
  result.Week = static_cast<int>((thursday - firstOfWeekYear).count() / 7 + 1);
  result.DayOfWeek = static_cast<int>(isoWeekday);
  return result;
}

void ShowLeapYear(TRunContext& run, TDateTimeValue value) {
  bool leap = IsLeapYear(DecodeDate(value).Year);
  PrintResult(run, YesNo(leap), "Leap Year Status [" + LabelDate(run, value) + "] ");
}

void ShowDaysBetween(TRunContext& run, TDateTimeValue first, TDateTimeValue second) {
  std::string label =
      "Days Between " + LabelDate(run, first) + " and " + LabelDate(run, second) + " ";
  PrintResult(run, std::to_string(WholeDaysBetween(first, second)), label);
}

void ShowDayOfYear(TRunContext& run, TDateTimeValue value) {
  // Counted on the calendar date, not on the raw value minus 1 January: before day 0 the
  // time of day would otherwise pull the count one day short.
  chr::year_month_day date = CivilDate(value);
  chr::sys_days firstOfYear{date.year() / chr::January / 1};
  auto dayOfYear = (chr::sys_days{date} - firstOfYear).count() + 1;
  PrintResult(run, std::to_string(dayOfYear), "Day of Year [" + LabelDate(run, value) + "] ");
}

void ShowDayOfWeek(TRunContext& run, TDateTimeValue value) {
  // Monday 2 through Sunday 8: the ISO weekday plus one, as scripts have always read it.
  int printed = DecodeDateWeek(value).DayOfWeek + 1;
  PrintResult(run, std::to_string(printed), "Day of Week [" + LabelDate(run, value) + "] ");
}

void ShowMonthEnd(TRunContext& run, TDateTimeValue value) {
  TDateParts date = DecodeDate(value);
  bool monthEnd = date.Day == DaysInMonth(date.Year, date.Month);
  PrintResult(run, YesNo(monthEnd), "Month-end Status [" + LabelDate(run, value) + "] ");
}

void ShowCurrentDay(TRunContext& run, TDateTimeValue value) {
  std::string date = LabelDate(run, value);
  PrintResult(run, YesNo(date == run.RunSettings.TodayText), "Current Day Status [" + date + "] ");
}

void ShowDaysPriorAfter(TRunContext& run, std::int32_t count, char sign, std::string_view format,
                        TDateTimeValue base) {
  std::string label = std::to_string(count) + (count == 1 ? " Day " : " Days ") +
                      (sign == '+' ? "After " : "Before ") + LabelDate(run, base) + " ";
  // Widened before negating: -2147483648 has no positive 32-bit counterpart. A result
  // outside years 1 to 9999 throws ConversionError before anything is printed.
  std::int64_t days = sign == '+' ? std::int64_t{count} : -std::int64_t{count};
  PrintDateResult(run, format, label, IncDays(base, days));
}

}  // namespace zentrel
