// Date-time values and the one parser of dates and times typed by the user.
//
// A TDateTimeValue is a double counting days from midnight at the start of 30 December
// 1899: 12/30/1899 is day 0, 12/31/1899 day 1, 01/01/1900 day 2. The integer part is the
// date, the fraction the time of day (0.5 is noon; one millisecond is 1/86,400,000).
// Before day 0 the date is the integer part truncated toward zero and the time of day the
// absolute value of the fraction, so -1.25 is 12/29/1899 06:00. Arithmetic in whole days
// is therefore done on the date and time parts (IncDays), never on the raw double:
// 0.25 - 1 is not 12/29/1899 06:00 in this encoding.
//
// The valid range is years 1 to 9999 of the proleptic Gregorian calendar, at millisecond
// resolution; a value is split into its parts to the nearest millisecond.
//
//   TDateTimeValue v = EncodeDate(2026, 12, 7);            // 46363.0
//   v = IncDays(v + EncodeTime(10, 30, 0, 0), 1);          // 12/08/2026 10:30
//   ParseDateTimeArg("12/7/26 10:30", fs, now)             // 12/07/2026 10:30
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/format_settings.h"
#include "platform/platform.h"

namespace zentrel {

using TDateTimeValue = double;

inline constexpr std::int64_t kMsPerDay = 86'400'000;

/// The nearest whole number, halves away from zero (as llround, without needing the maths
/// library at start-up). Values beyond the 64-bit range give its nearest end; NaN gives
/// the lowest value, as llround does on this hardware.
constexpr std::int64_t RoundHalfAway(double value) {
  constexpr double kLimit = 9'223'372'036'854'775'808.0;  // 2^63
  if (!(value > -kLimit)) return INT64_MIN;
  if (!(value < kLimit)) return INT64_MAX;
  const auto whole = static_cast<std::int64_t>(value);   // toward zero
  const double rest = value - static_cast<double>(whole);  // exact
  if (rest >= 0.5) return whole + 1;
  if (rest <= -0.5) return whole - 1;
  return whole;
}

struct TDateParts {
  int Year = 1899, Month = 12, Day = 30;
};
struct TTimeParts {
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

/// Gregorian rule, also before 1582.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

/// The date at midnight; throws ConversionError("Invalid date") for a date that does not
/// exist or lies outside years 1 to 9999.
TDateTimeValue EncodeDate(int year, int month, int day);
/// The time-of-day fraction; throws ConversionError for an hour, minute, second or
/// millisecond out of range.
TDateTimeValue EncodeTime(int hour, int minute, int second, int millisecond);
/// A date and a time of day combined under the encoding's sign rule: the whole days of
/// date and the absolute fraction of timeOfDay (below one day). Throws ConversionError for a
/// date outside years 1 to 9999 or a time that is not a fraction of a day.
TDateTimeValue CombineDateTime(TDateTimeValue date, TDateTimeValue timeOfDay);

/// The calendar date and the time of day (to the nearest millisecond) of a value; throws
/// ConversionError when the value lies outside years 1 to 9999.
void DecodeDateTime(TDateTimeValue value, TDateParts& date, TTimeParts& time);
TDateParts DecodeDate(TDateTimeValue value);
TTimeParts DecodeTime(TDateTimeValue value);
/// Day of the week, Sunday 1 to Saturday 7.
int DayOfWeek(TDateTimeValue value);
/// The date of the value at midnight, the value first taken to the nearest millisecond (so
/// 23:59:59.9997 belongs to the next day); throws ConversionError outside years 1 to 9999.
TDateTimeValue DateOf(TDateTimeValue value);
/// Moves the date by whole days and keeps the time of day, also across day 0; throws
/// ConversionError when the result leaves years 1 to 9999.
TDateTimeValue IncDays(TDateTimeValue value, std::int64_t days);

/// The value of a clock reading; throws ConversionError for a date or time that does not
/// exist.
TDateTimeValue FromLocalTime(const platform::TLocalTime& time);

/// The value at the nearest whole millisecond (the carry rule of DecodeDateTime); throws
/// ConversionError outside years 1 to 9999. Calculations that work in whole milliseconds
/// round with this, never by rendering a text and reading it back.
TDateTimeValue RoundToMillisecond(TDateTimeValue value);

/// True when c introduces the milliseconds of a time: the regional decimal separator, and
/// "." wherever "." does not separate the fields of a time.
bool IsDecimalMark(char c, const TFormatSettings& settings);

/// How a text without white space is read when its one separator is both the regional
/// date and time separator (a locale that writes 1.02.2026 and 10.30.15): a text of three
/// digit fields is a date unless the caller expects a time.
enum class TAmbiguousText { Date, Time };

/// The general conversion of a text to a value under the regional settings: a date, a
/// time, or a date and a time separated by white space. now supplies the current year and
/// month for dates written with fewer than three fields and for two-digit years. A time
/// alone lies on day 0. Throws ConversionError for anything it does not accept.
TDateTimeValue StrToDateTime(std::string_view text, const TFormatSettings& settings,
                             TDateTimeValue now);

/// Parses a date or time typed after an option: the general conversion, with milliseconds
/// normalised to three digits (.5 is 500 ms) and a time typed without a date put on the
/// date of now. A date typed as day 0 (12/30/1899) keeps day 0. Throws ConversionError.
TDateTimeValue ParseDateTimeArg(std::string_view text, const TFormatSettings& settings,
                                TDateTimeValue now,
                                TAmbiguousText ambiguous = TAmbiguousText::Date);

}  // namespace zentrel
