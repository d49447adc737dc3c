#include "dates/calendar_steps.h"

#include <algorithm>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/integer_conversion.h"

namespace zentrel {
namespace {

constexpr const char* kInvalidDate = "Invalid date";

/// Monday 0 to Sunday 6; day 0 (12/30/1899) was a Saturday.
int WeekdayIndex(std::int64_t day) { return static_cast<int>(day + 5 - 7 * FloorDiv(day + 5, 7)); }

bool IsWeekday(std::int64_t day) { return WeekdayIndex(day) < 5; }

TDateTimeValue OnDay(TDateTimeValue value, std::int64_t day) {
  return value.AddDays(day - value.DayNumber());
}

/// "1 Month", "2 Months", ...: the count and its unit as a label starts.
std::string CountedUnit(std::int64_t count, TStepUnit unit) {
  std::string_view name;
  switch (unit) {
    case TStepUnit::Days: name = "Day"; break;
    case TStepUnit::Weeks: name = "Week"; break;
    case TStepUnit::Months: name = "Month"; break;
    case TStepUnit::Years: name = "Year"; break;
    case TStepUnit::BusinessDays: name = "Business Day"; break;
  }
  return std::to_string(count) + " " + std::string(name) + (count == 1 ? "" : "s");
}

}  // namespace

TStep ReadStep(std::string_view text) {
  try {
    return {StrToInt32(text), TStepUnit::Days};
  } catch (const ConversionError&) {
    if (text.empty()) throw;
    TStepUnit unit;
    switch (text.back()) {
      case 'd': case 'D': unit = TStepUnit::Days; break;
      case 'w': case 'W': unit = TStepUnit::Weeks; break;
      case 'm': case 'M': unit = TStepUnit::Months; break;
      case 'y': case 'Y': unit = TStepUnit::Years; break;
      case 'b': case 'B': unit = TStepUnit::BusinessDays; break;
      default: throw;
    }
    return {StrToInt32(text.substr(0, text.size() - 1)), unit};
  }
}

TDateTimeValue AddMonths(TDateTimeValue value, std::int64_t months) {
  const TDateParts date = DecodeDate(value);
  // Every count of months an int64 can hold before this sum is far beyond the calendar.
  if (months > 12 * 10000 || months < -12 * 10000) throw ConversionError(kInvalidDate);
  const std::int64_t index = std::int64_t{date.Year} * 12 + (date.Month - 1) + months;
  const std::int64_t year = FloorDiv(index, 12);
  if (year < 1 || year > 9999) throw ConversionError(kInvalidDate);
  const int month = static_cast<int>(index - year * 12) + 1;
  const int day = std::min(date.Day, DaysInMonth(static_cast<int>(year), month));
  return CombineDateTime(EncodeDate(static_cast<int>(year), month, day), value.TimeOfDay());
}

TBusinessCalendar::TBusinessCalendar(std::vector<std::int64_t> holidays)
    : holidays_(std::move(holidays)) {
  std::erase_if(holidays_, [](std::int64_t day) { return !IsWeekday(day); });
  std::sort(holidays_.begin(), holidays_.end());
  holidays_.erase(std::unique(holidays_.begin(), holidays_.end()), holidays_.end());
}

bool TBusinessCalendar::IsBusinessDay(std::int64_t day) const {
  return IsWeekday(day) && !std::binary_search(holidays_.begin(), holidays_.end(), day);
}

std::int64_t TBusinessCalendar::Weekdays(std::int64_t from, std::int64_t to) {
  if (to <= from) return 0;
  const std::int64_t weeks = (to - from) / 7;
  std::int64_t count = weeks * 5;
  for (std::int64_t day = from + weeks * 7; day < to; ++day) count += IsWeekday(day) ? 1 : 0;
  return count;
}

std::int64_t TBusinessCalendar::Count(std::int64_t from, std::int64_t to) const {
  if (to <= from) return 0;
  const auto first = std::lower_bound(holidays_.begin(), holidays_.end(), from);
  const auto last = std::lower_bound(first, holidays_.end(), to);
  return Weekdays(from, to) - (last - first);
}

std::int64_t TBusinessCalendar::Step(std::int64_t day, std::int64_t count, bool backward) const {
  // The wanted day is found by bisection on the count, which grows with the distance.
  if (count > 0 || (count == 0 && !backward)) {
    const std::int64_t from = count > 0 ? day + 1 : day;
    const std::int64_t wanted = count > 0 ? count : 1;
    if (from > kLastDayNumber || Count(from, kLastDayNumber + 1) < wanted) {
      throw ConversionError(kInvalidDate);
    }
    std::int64_t low = from, high = kLastDayNumber;  // Count(from, high + 1) >= wanted
    while (low < high) {
      const std::int64_t middle = low + (high - low) / 2;
      if (Count(from, middle + 1) >= wanted) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return low;
  }
  const std::int64_t to = count < 0 ? day : day + 1;  // the days before it
  const std::int64_t wanted = count < 0 ? -count : 1;
  if (to <= kFirstDayNumber || Count(kFirstDayNumber, to) < wanted) {
    throw ConversionError(kInvalidDate);
  }
  std::int64_t low = kFirstDayNumber, high = to - 1;  // Count(low, to) >= wanted
  while (low < high) {
    const std::int64_t middle = low + (high - low + 1) / 2;
    if (Count(middle, to) >= wanted) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

TDateTimeValue MoveByStep(TDateTimeValue value, TStep step, int sign,
                          const TBusinessCalendar* calendar) {
  const std::int64_t count = sign * step.Count;
  switch (step.Unit) {
    case TStepUnit::Days: return value.AddDays(count);
    case TStepUnit::Weeks: return value.AddDays(7 * count);
    case TStepUnit::Months: return AddMonths(value, count);
    case TStepUnit::Years: return AddMonths(value, 12 * count);
    case TStepUnit::BusinessDays: {
      const TBusinessCalendar none({});
      const TBusinessCalendar& days = calendar != nullptr ? *calendar : none;
      return OnDay(value, days.Step(value.DayNumber(), count, sign < 0));
    }
  }
  return value;
}

TDateResult CalendarStepResult(TStep step, char sign, TDateTimeValue base,
                               const TFormatSettings& settings,
                               const TBusinessCalendar* calendar) {
  std::string label = CountedUnit(step.Count, step.Unit) +
                      (sign == '+' ? " After " : " Before ") +
                      FormatDateTimeValue(kDatePattern, base, false, settings) + " ";
  return {std::move(label), MoveByStep(base, step, sign == '+' ? 1 : -1, calendar)};
}

TLabelledResult BusinessDaysResult(TDateTimeValue first, TDateTimeValue second,
                                   const TBusinessCalendar& calendar,
                                   const TFormatSettings& settings) {
  const std::int64_t a = first.DayNumber();
  const std::int64_t b = second.DayNumber();
  const std::int64_t count = a <= b ? calendar.Count(a, b) : -calendar.Count(b, a);
  return {std::to_string(count), "Business Days Between " +
                                     FormatDateTimeValue(kDatePattern, first, false, settings) +
                                     " and " +
                                     FormatDateTimeValue(kDatePattern, second, false, settings) +
                                     " "};
}

}  // namespace zentrel
