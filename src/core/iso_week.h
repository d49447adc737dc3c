// ISO 8601 week dates and ordinal dates: the two other ways ISO 8601 names a day.
//
// A week date names the year, the week and the weekday: weeks run Monday (1) to Sunday (7)
// and belong to the year that holds their Thursday, so week 1 is the week of 4 January
// and may begin in December, and the last days of December may lie in week 1 of the next
// year. A year has 53 weeks when it begins on a Thursday, or is a leap year that begins on
// a Wednesday; 52 otherwise. An ordinal date names the year and the day of it, 1 to 365
// (366 in a leap year):
//
//   2024-W52-3   Wednesday of week 52 of 2024, 12/25/2024
//   2025-W01-1   Monday of week 1 of 2025, 12/30/2024
//   2020-W53-5   01/01/2021: 2020 has 53 weeks
//   2024-360     12/25/2024
#pragma once

#include "core/date_time.h"

namespace zentrel {

struct TIsoWeekDate {
  int Year = 0;     ///< the week-based year, the calendar year of the week's Thursday
  int Week = 0;     ///< 1 to 53
  int Weekday = 0;  ///< Monday 1 to Sunday 7
};

/// The week date of a value's date; throws ConversionError outside years 1 to 9999.
TIsoWeekDate IsoWeekDateOf(TDateTimeValue value);

/// 52 or 53: the weeks of a week-based year.
int IsoWeeksInYear(int year);

/// The date at midnight of a week date; throws ConversionError("Invalid date") for a week
/// the year does not have, a weekday outside 1 to 7, or a date outside years 1 to 9999
/// (2024-W01-1 is 01/01/2024, 9999-W52-6 is past the calendar's end).
TDateTimeValue EncodeIsoWeekDate(int year, int week, int weekday);

/// The date at midnight of the day-th day of the year; throws ConversionError("Invalid
/// date") for a day outside the year or a year outside 1 to 9999.
TDateTimeValue EncodeOrdinalDate(int year, int day);

/// The day of the year of a value's date, 1 to 366; throws ConversionError outside years
/// 1 to 9999.
int OrdinalDayOf(TDateTimeValue value);

}  // namespace zentrel
