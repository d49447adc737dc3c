// Calendar steps: moving a date by days, weeks, calendar months, calendar years, business
// days or to a day of the week, and counting business days between two dates.
//
// A month step keeps the day of the month, or takes the last day of the target month when
// that month is shorter: 03/31/2024 less one month is 02/29/2024, 01/31/2023 plus one month
// 02/28/2023. A year step is twelve month steps, so 02/29/2024 plus one year is
// 02/28/2025. Every step keeps the time of day.
//
// Business days are Monday to Friday, except the holidays given. Counting and stepping are
// arithmetic on whole weeks plus a search among the holidays, never a walk over the days,
// so a step across 9,999 years costs what a step across one week does:
//
//   TBusinessCalendar calendar({});                  // no holidays
//   calendar.Count(friday, nextFriday)               // 5: the earlier day counted, not the later
//   calendar.Step(friday, 1)                         // the Monday after
//   calendar.Step(saturday, 0)                       // the Monday after: 0 is "this or the next"
//   calendar.Step(saturday, 0, TDirection::Backward) // the Friday before
//
// A weekday step counts that day of the week: 2 Tuesdays after a date is the second Tuesday
// after it, 1 Friday before it the last Friday before it, and 0 Tuesdays the date itself
// when it is a Tuesday, else the next one (the previous one, moving backward), as 0
// business days is.
//
// A move that would leave years 1 to 9999 has no result (nullopt): the callers decide
// whether that is a failure (-p, -a) or the end of a list (--sequence).
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "core/direction.h"
#include "core/result.h"
#include "platform/format_settings.h"

namespace zentrel {

/// A date as a signed count of days from day 0 (12/30/1899): the unit of business-day
/// arithmetic, apart from any time of day.
struct TDayNumber {
  std::int64_t Value = 0;
  static TDayNumber Of(TDateTimeValue value) { return {value.DayNumber()}; }
  friend constexpr auto operator<=>(TDayNumber, TDayNumber) = default;
  constexpr TDayNumber operator+(std::int64_t days) const { return {Value + days}; }
  constexpr TDayNumber operator-(std::int64_t days) const { return {Value - days}; }
  constexpr std::int64_t operator-(TDayNumber other) const { return Value - other.Value; }
};

/// The first and last days of the calendar, 01/01/0001 and 12/31/9999.
inline constexpr TDayNumber kFirstDay{kFirstDayNumber};
inline constexpr TDayNumber kLastDay{kLastDayNumber};

enum class TStepUnit { Days, Weeks, Months, Years, BusinessDays, Weekday };

/// A signed count of one unit, as typed after -p, -a and --step: "10", "2w", "-1M", "5b",
/// "2tue".
struct TStep {
  std::int64_t Count = 0;
  TStepUnit Unit = TStepUnit::Days;
  /// The day of the week a Weekday step counts, Monday 1 to Sunday 7.
  int Day = 1;
};

/// The step of a count with an optional unit at its end: a letter (d, w, m, y or b) or the
/// first three letters of a day of the week (mon ... sun), in any case. A text that
/// converts as a whole number (including "0x1d", a hexadecimal number) is that many days.
/// Nullopt for anything else.
std::optional<TStep> ReadStep(std::string_view text);

/// The date moved by whole calendar months, the day kept or cut to the month's last; the
/// time of day kept. Nullopt when the result leaves years 1 to 9999.
std::optional<TDateTimeValue> AddMonths(TDateTimeValue value, std::int64_t months);

class TBusinessCalendar {
 public:
  /// Holidays in any order, repeats allowed; those on a Saturday or Sunday change nothing.
  explicit TBusinessCalendar(std::vector<TDayNumber> holidays);

  bool IsBusinessDay(TDayNumber day) const;
  /// The business days d with from <= d < to; 0 when to <= from.
  std::int64_t Count(TDayNumber from, TDayNumber to) const;
  /// The count-th business day after day (before it when count is negative), the day
  /// itself not counted. For 0: the day itself when it is a business day, else the next
  /// one that way. Nullopt when the result would leave years 1 to 9999.
  std::optional<TDayNumber> Step(TDayNumber day, std::int64_t count,
                                 TDirection zeroWay = TDirection::Forward) const;

 private:
  /// Monday to Friday among from <= d < to.
  static std::int64_t Weekdays(TDayNumber from, TDayNumber to);
  std::vector<TDayNumber> holidays_;  ///< sorted, unique, weekdays only
};

/// The value moved by the step that way; business days need a calendar (a step of 0
/// business days goes back when moving backward). Nullopt when the result leaves years 1
/// to 9999.
std::optional<TDateTimeValue> MoveByStep(TDateTimeValue value, TStep step, TDirection direction,
                                         const TBusinessCalendar* calendar);

/// The label of -p (backward) or -a (forward) for a step from the base:
/// "2 Months Before 03/31/2024 ", "1 Business Day After 12/25/2024 ", "10 Days After ...".
std::string StepLabel(TStep step, TDirection direction, TDateTimeValue base,
                      const TFormatSettings& settings);

/// Calls write for every date from start towards end, end included when a step meets it,
/// each date taken from the start, not from the one before (so a month step from the 31st
/// gives every month's last day where the month is shorter, and the 31st again after). A
/// business-day list starts on the first business day it meets, a weekday list on the
/// first such day of the week, and each goes on from the date before. The sign of the step's
/// count is ignored: the direction is end's. The list stops where the next date would
/// leave the calendar.
template <class TWrite>
void ListDates(TDateTimeValue start, TDateTimeValue end, TStep step,
               const TBusinessCalendar* calendar, TWrite write);

/// The business days between the two dates, the earlier counted and the later not,
/// negative when second is earlier, labelled with both dates.
TLabelledResult BusinessDaysResult(TDateTimeValue first, TDateTimeValue second,
                                   const TBusinessCalendar& calendar,
                                   const TFormatSettings& settings);

template <class TWrite>
void ListDates(TDateTimeValue start, TDateTimeValue end, TStep step,
               const TBusinessCalendar* calendar, TWrite write) {
  if (step.Count < 0) step.Count = -step.Count;
  const TDayNumber last = TDayNumber::Of(end);
  const TDirection direction =
      last < TDayNumber::Of(start) ? TDirection::Backward : TDirection::Forward;
  const auto beyond = [&](TDateTimeValue date) {
    return direction == TDirection::Forward ? TDayNumber::Of(date) > last
                                            : TDayNumber::Of(date) < last;
  };
  if (calendar == nullptr && (step.Unit == TStepUnit::Days || step.Unit == TStepUnit::Weeks)) {
    // Whole days: each date's day number is counted, not read back from the date.
    constexpr std::int64_t kSpan = kLastDayNumber - kFirstDayNumber;
    const std::int64_t days = (step.Unit == TStepUnit::Weeks ? 7 : 1) * step.Count *
                              (direction == TDirection::Forward ? 1 : -1);
    if (days > kSpan || days < -kSpan) {
      if (!beyond(start)) write(start);
      return;
    }
    const TDayNumber first = TDayNumber::Of(start);
    for (std::int64_t k = 0;; ++k) {
      const TDayNumber day = first + k * days;
      if (day < kFirstDay || day > kLastDay) return;
      if (direction == TDirection::Forward ? day > last : day < last) return;
      write(start.AddDays(k * days));
    }
  }
  const bool walks = step.Unit == TStepUnit::BusinessDays || step.Unit == TStepUnit::Weekday;
  std::optional<TDateTimeValue> date =
      walks ? MoveByStep(start, {0, step.Unit, step.Day}, direction, calendar) : start;
  for (std::int64_t k = 1; date && !beyond(*date); ++k) {
    write(*date);
    date = walks ? MoveByStep(*date, step, direction, calendar)
                 : MoveByStep(start, {step.Count * k, step.Unit}, direction, nullptr);
  }
}

}  // namespace zentrel
