// The queries on one date (or two, for days between): leap year, whole days between, day
// of the year and of the week, month end, is-today, and the date some days before or after.
// Each returns one labelled result, its label showing the date under the format settings.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/date_time.h"
#include "core/direction.h"
#include "core/result.h"
#include "platform/format_settings.h"

namespace zentrel {

/// Whole 24-hour periods between two values, never negative.
std::int64_t WholeDaysBetween(TDateTimeValue a, TDateTimeValue b);

/// A week of a date and the year it is counted in, which may be the year before or after
/// the date's own (the weekday is the date's: TDateTimeValue::Weekday).
struct TDateWeek {
  int Year = 0;
  int Week = 0;
};
/// The ISO 8601 week: weeks run Monday to Sunday and belong to the year that holds their
/// Thursday. Throws ConversionError outside years 1 to 9999.
TDateWeek DecodeDateWeek(TDateTimeValue value);

/// The week of the month of a date, with the year and month that week belongs to (the
/// previous or next month at the edges): weeks run Monday to Sunday and belong to the month
/// that holds their Thursday. Throws ConversionError outside years 1 to 9999.
struct TMonthWeek {
  int Year = 0;
  int Month = 0;
  int Week = 0;
};
TMonthWeek DecodeMonthWeek(TDateTimeValue value);

/// The day of the year of the date, 1 to 366, counted on the calendar date (the time of
/// day never moves it, also before day 0). Throws ConversionError outside years 1 to 9999.
int DayOfYear(TDateTimeValue value);

TLabelledResult LeapYearResult(TDateTimeValue value, const TFormatSettings& settings);
TLabelledResult DaysBetweenResult(TDateTimeValue first, TDateTimeValue second,
                                  const TFormatSettings& settings);
/// The same for two moments, labelled with their readings first and second: the whole
/// 24-hour periods that passed between them.
TLabelledResult DaysBetweenResult(TDateTimeValue first, TDateTimeValue second,
                                  TMilliseconds elapsed, const TFormatSettings& settings);
TLabelledResult DayOfYearResult(TDateTimeValue value, const TFormatSettings& settings);
/// The ISO 8601 week number of the date, labelled with the week-based year, which differs
/// from the date's own year at the edges: "Week Number of 2025 [12/30/2024] " and 1.
TLabelledResult WeekNumberResult(TDateTimeValue value, const TFormatSettings& settings);
TLabelledResult DayOfWeekResult(TDateTimeValue value, const TFormatSettings& settings);
TLabelledResult MonthEndResult(TDateTimeValue value, const TFormatSettings& settings);
/// TRUE when the date is today's.
TLabelledResult CurrentDayResult(TDateTimeValue value, const TFormatSettings& settings,
                                 TDateTimeValue today);
/// The seconds since 01/01/1970 00:00 UTC of the date (counted by the caller, who knows the
/// zone), labelled with the date.
TLabelledResult UnixTimeResult(std::int64_t seconds, TDateTimeValue value,
                               const TFormatSettings& settings);
/// The date count days that way from the base, the time of day kept. Throws
/// ConversionError for a result outside years 1 to 9999.
TDateResult DaysPriorAfterResult(std::int32_t count, TDirection direction, TDateTimeValue base,
                                 const TFormatSettings& settings);

}  // namespace zentrel
