#include "dates/calendar_steps.h"

#include <algorithm>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/integer_conversion.h"
#include "core/text.h"

namespace zentrel {
namespace {

/// Monday 0 to Sunday 6; day 0 (12/30/1899) was a Saturday.
int WeekdayIndex(TDayNumber day) {
  return static_cast<int>(day.Value + 5 - 7 * FloorDiv(day.Value + 5, 7));
}

bool IsWeekday(TDayNumber day) { return WeekdayIndex(day) < 5; }

/// The days of the week as a step names them and as a label does, Monday first.
constexpr std::string_view kDayUnits[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
constexpr std::string_view kDayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                          "Friday", "Saturday", "Sunday"};

/// The days from a day to the count-th day of the week (Monday 1 to Sunday 7) after it
/// (before it when count is negative), the day itself not counted; for 0, the day itself
/// when it is that day of the week, else the next one that way.
std::int64_t DaysToWeekday(TDayNumber from, int weekday, std::int64_t count,
                           TDirection zeroWay) {
  const int ahead = (weekday - 1 - WeekdayIndex(from) + 7) % 7;  // 0 to 6
  if (count > 0) return (ahead == 0 ? 7 : ahead) + 7 * (count - 1);
  const int behind = (7 - ahead) % 7;  // 0 to 6
  if (count < 0) return -(behind == 0 ? 7 : behind) + 7 * (count + 1);
  return zeroWay == TDirection::Forward ? ahead : -behind;
}

/// "1 Month", "2 Months", "2 Tuesdays", ...: the count and its unit as a label starts.
std::string CountedUnit(std::int64_t count, TStepUnit unit, int day) {
  std::string_view name;
  switch (unit) {
    case TStepUnit::Weekday: name = kDayNames[day - 1]; break;
    case TStepUnit::Days: name = "Day"; break;
    case TStepUnit::Weeks: name = "Week"; break;
    case TStepUnit::Months: name = "Month"; break;
    case TStepUnit::Years: name = "Year"; break;
    case TStepUnit::BusinessDays: name = "Business Day"; break;
  }
  return std::to_string(count) + " " + std::string(name) + (count == 1 ? "" : "s");
}

}  // namespace

std::optional<TStep> ReadStep(std::string_view text) {
  if (const std::optional<std::int32_t> days = ReadInt32(text)) {
    return TStep{*days, TStepUnit::Days};
  }
  if (text.size() > 3) {
    const std::string_view unit = text.substr(text.size() - 3);
    for (int day = 1; day <= 7; ++day) {
      if (!SameText(unit, kDayUnits[day - 1])) continue;
      const std::optional<std::int32_t> count = ReadInt32(text.substr(0, text.size() - 3));
      if (!count) return std::nullopt;
      return TStep{*count, TStepUnit::Weekday, day};
    }
  }
  if (text.empty()) return std::nullopt;
  TStepUnit unit;
  switch (text.back()) {
    case 'd': case 'D': unit = TStepUnit::Days; break;
    case 'w': case 'W': unit = TStepUnit::Weeks; break;
    case 'm': case 'M': unit = TStepUnit::Months; break;
    case 'y': case 'Y': unit = TStepUnit::Years; break;
    case 'b': case 'B': unit = TStepUnit::BusinessDays; break;
    default: return std::nullopt;
  }
  const std::optional<std::int32_t> count = ReadInt32(text.substr(0, text.size() - 1));
  if (!count) return std::nullopt;
  return TStep{*count, unit};
}

std::optional<TDateTimeValue> AddMonths(TDateTimeValue value, std::int64_t months) {
  const TDateParts date = DecodeDate(value);
  // Every count of months an int64 can hold before this sum is far beyond the calendar.
  if (months > 12 * 10000 || months < -12 * 10000) return std::nullopt;
  const std::int64_t index = std::int64_t{date.Year} * 12 + (date.Month - 1) + months;
  const std::int64_t year = FloorDiv(index, 12);
  if (year < 1 || year > 9999) return std::nullopt;
  const int month = static_cast<int>(index - year * 12) + 1;
  const int day = std::min(date.Day, DaysInMonth(static_cast<int>(year), month));
  return CombineDateTime(EncodeDate(static_cast<int>(year), month, day), value.TimeOfDay());
}

TBusinessCalendar::TBusinessCalendar(std::vector<TDayNumber> holidays)
    : holidays_(std::move(holidays)) {
  std::erase_if(holidays_, [](TDayNumber day) { return !IsWeekday(day); });
  std::sort(holidays_.begin(), holidays_.end());
  holidays_.erase(std::unique(holidays_.begin(), holidays_.end()), holidays_.end());
}

bool TBusinessCalendar::IsBusinessDay(TDayNumber day) const {
  return IsWeekday(day) && !std::binary_search(holidays_.begin(), holidays_.end(), day);
}

std::int64_t TBusinessCalendar::Weekdays(TDayNumber from, TDayNumber to) {
  if (to <= from) return 0;
  const std::int64_t weeks = (to - from) / 7;
  std::int64_t count = weeks * 5;
  for (TDayNumber day = from + weeks * 7; day < to; day = day + 1) {
    count += IsWeekday(day) ? 1 : 0;
  }
  return count;
}

std::int64_t TBusinessCalendar::Count(TDayNumber from, TDayNumber to) const {
  if (to <= from) return 0;
  const auto first = std::lower_bound(holidays_.begin(), holidays_.end(), from);
  const auto last = std::lower_bound(first, holidays_.end(), to);
  return Weekdays(from, to) - (last - first);
}

std::optional<TDayNumber> TBusinessCalendar::Step(TDayNumber day, std::int64_t count,
                                                  TDirection zeroWay) const {
  // The wanted day is found by bisection on the count, which grows with the distance.
  if (count > 0 || (count == 0 && zeroWay == TDirection::Forward)) {
    const TDayNumber from = count > 0 ? day + 1 : day;
    const std::int64_t wanted = count > 0 ? count : 1;
    if (from > kLastDay || Count(from, kLastDay + 1) < wanted) return std::nullopt;
    TDayNumber low = from, high = kLastDay;  // Count(from, high + 1) >= wanted
    while (low < high) {
      const TDayNumber middle = low + (high - low) / 2;
      if (Count(from, middle + 1) >= wanted) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return low;
  }
  const TDayNumber to = count < 0 ? day : day + 1;  // the days before it
  const std::int64_t wanted = count < 0 ? -count : 1;
  if (to <= kFirstDay || Count(kFirstDay, to) < wanted) return std::nullopt;
  TDayNumber low = kFirstDay, high = to - 1;  // Count(low, to) >= wanted
  while (low < high) {
    const TDayNumber middle = low + (high - low + 1) / 2;
    if (Count(middle, to) >= wanted) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

std::optional<TDateTimeValue> MoveByStep(TDateTimeValue value, TStep step, TDirection direction,
                                         const TBusinessCalendar* calendar) {
  const std::int64_t count = SignOf(direction) * step.Count;
  switch (step.Unit) {
    case TStepUnit::Days: return value.MovedByDays(count);
    case TStepUnit::Weeks: return value.MovedByDays(7 * count);
    case TStepUnit::Months: return AddMonths(value, count);
    case TStepUnit::Years: return AddMonths(value, 12 * count);
    case TStepUnit::Weekday:
      return value.MovedByDays(DaysToWeekday(TDayNumber::Of(value), step.Day, count, direction));
    case TStepUnit::BusinessDays: {
      const TBusinessCalendar none({});
      const TBusinessCalendar& days = calendar != nullptr ? *calendar : none;
      const TDayNumber from = TDayNumber::Of(value);
      const std::optional<TDayNumber> day = days.Step(from, count, direction);
      if (!day) return std::nullopt;
      return value.AddDays(*day - from);
    }
  }
  return value;
}

std::string StepLabel(TStep step, TDirection direction, TDateTimeValue base,
                      const TFormatSettings& settings) {
  return CountedUnit(step.Count, step.Unit, step.Day) +
         (direction == TDirection::Forward ? " After " : " Before ") +
         FormatDateTimeValue(kDatePattern, base, false, settings) + " ";
}

TLabelledResult BusinessDaysResult(TDateTimeValue first, TDateTimeValue second,
                                   const TBusinessCalendar& calendar,
                                   const TFormatSettings& settings) {
  const TDayNumber a = TDayNumber::Of(first);
  const TDayNumber b = TDayNumber::Of(second);
  const std::int64_t count = a <= b ? calendar.Count(a, b) : -calendar.Count(b, a);
  return {std::to_string(count), "Business Days Between " +
                                     FormatDateTimeValue(kDatePattern, first, false, settings) +
                                     " and " +
                                     FormatDateTimeValue(kDatePattern, second, false, settings) +
                                     " "};
}

}  // namespace zentrel
