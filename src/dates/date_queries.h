// The queries on one date (or two, for days between): leap year, whole days between, day
// of the year and of the week, month end, is-today, and the date some days before or after.
// Each prints one labelled result.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/run_context.h"

namespace zentrel {

/// Whole 24-hour periods between two values, never negative.
std::int64_t WholeDaysBetween(TDateTimeValue a, TDateTimeValue b);

/// The ISO 8601 week of a date and its weekday (Monday 1 to Sunday 7).
struct TDateWeek {
  int Year = 0;
  int Week = 0;
  int DayOfWeek = 0;
};
TDateWeek DecodeDateWeek(TDateTimeValue value);

void ShowLeapYear(TRunContext& run, TDateTimeValue value);
void ShowDaysBetween(TRunContext& run, TDateTimeValue first, TDateTimeValue second);
void ShowDayOfYear(TRunContext& run, TDateTimeValue value);
void ShowDayOfWeek(TRunContext& run, TDateTimeValue value);
void ShowMonthEnd(TRunContext& run, TDateTimeValue value);
void ShowCurrentDay(TRunContext& run, TDateTimeValue value);
/// sign '+' moves forward, any other character back; the time of day is kept.
void ShowDaysPriorAfter(TRunContext& run, std::int32_t count, char sign, std::string_view format,
                        TDateTimeValue base);

}  // namespace zentrel
