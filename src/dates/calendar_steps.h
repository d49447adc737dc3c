// Calendar steps: moving a date by days, weeks, calendar months, calendar years or business
// days, and counting business days between two dates.
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
//   calendar.Step(saturday, 0, /*backward=*/true)    // the Friday before
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "core/result.h"
#include "platform/format_settings.h"

namespace zentrel {

enum class TStepUnit { Days, Weeks, Months, Years, BusinessDays };

/// A signed count of one unit, as typed after -p, -a and --step: "10", "2w", "-1M", "5b".
struct TStep {
  std::int64_t Count = 0;
  TStepUnit Unit = TStepUnit::Days;
};

/// The step of a count with an optional unit letter at its end (d, w, m, y or b, in either
/// case). A text that converts as a whole number (including "0x1d", a hexadecimal number)
/// is that many days. Throws ConversionError for anything else.
TStep ReadStep(std::string_view text);

/// The date moved by whole calendar months, the day kept or cut to the month's last; the
/// time of day kept. Throws ConversionError when the result leaves years 1 to 9999.
TDateTimeValue AddMonths(TDateTimeValue value, std::int64_t months);

class TBusinessCalendar {
 public:
  /// Holidays as day numbers (TDateTimeValue::DayNumber), in any order, repeats allowed;
  /// those on a Saturday or Sunday change nothing.
  explicit TBusinessCalendar(std::vector<std::int64_t> holidays);

  bool IsBusinessDay(std::int64_t day) const;
  /// The business days d with from <= d < to; 0 when to <= from.
  std::int64_t Count(std::int64_t from, std::int64_t to) const;
  /// The count-th business day after day (before it when count is negative), the day
  /// itself not counted. For 0: the day itself when it is a business day, else the next
  /// one, or the previous one when backward. Throws ConversionError when the result would
  /// leave years 1 to 9999.
  std::int64_t Step(std::int64_t day, std::int64_t count, bool backward = false) const;

 private:
  /// Monday to Friday among from <= d < to.
  static std::int64_t Weekdays(std::int64_t from, std::int64_t to);
  std::vector<std::int64_t> holidays_;  ///< sorted, unique, weekdays only
};

/// The value moved by the step, sign -1 or +1 applied to its count; business days need a
/// calendar (a step of 0 business days goes back when sign is -1). Throws ConversionError
/// when the result leaves years 1 to 9999.
TDateTimeValue MoveByStep(TDateTimeValue value, TStep step, int sign,
                          const TBusinessCalendar* calendar);

/// The labelled moment of -p (sign '-') or -a ('+') with a step in any unit but days:
/// "2 Months Before 03/31/2024 ", "1 Business Day After 12/25/2024 ".
TDateResult CalendarStepResult(TStep step, char sign, TDateTimeValue base,
                               const TFormatSettings& settings,
                               const TBusinessCalendar* calendar);

/// The business days between the two dates, the earlier counted and the later not,
/// negative when second is earlier, labelled with both dates.
TLabelledResult BusinessDaysResult(TDateTimeValue first, TDateTimeValue second,
                                   const TBusinessCalendar& calendar,
                                   const TFormatSettings& settings);

}  // namespace zentrel
