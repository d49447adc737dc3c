// Date-times: a calendar date and a time of day, to the millisecond.
//
// A date-time is a point on the civil calendar with no time zone attached: 12/07/2026
// 10:30:00.000 means that reading of a wall clock, wherever it hangs. It is stored as the
// serial number scripts have always exchanged: a double counting days from midnight at the
// start of 30 December 1899. 12/30/1899 is day 0, 12/31/1899 day 1, 01/01/1900 day 2; the
// integer part is the date, the fraction the time of day (0.5 is noon). Before day 0 the
// date is the integer part truncated toward zero and the time of day the absolute value of
// the fraction, so -1.25 is 12/29/1899 06:00.
//
// That encoding is why TDateTimeValue is a class and not a bare double: the serial number
// is not a linear scale. 0.25 - 1 is -0.75, which is 12/30/1899 18:00, not the day before
// 06:00. So the value offers its moves instead of arithmetic:
//
//   - AddDays moves the date by whole days and keeps the time of day exactly, also across
//     day 0 (the calendar meaning of "a week later");
//   - AddMs moves by a span of time on the linear scale, as a stopwatch would (the meaning
//     of "36 hours later"); a fraction of a day becomes milliseconds through MsOfDays;
//   - DatePart and TimeOfDay take the two halves apart.
//
// The serial number goes in and out only through FromSerial and Serial, at the edges where
// a number is read or shown. The valid range is years 1 to 9999 of the proleptic Gregorian
// calendar; a value is split into its parts to the nearest millisecond, and anything
// outside the range throws ConversionError when it is taken apart.
//
//   TDateTimeValue v = EncodeDate(2026, 12, 7);             // serial 46363.0
//   v = CombineDateTime(v, EncodeTime(10, 30, 0, 0));       // 12/07/2026 10:30
//   v.AddDays(1);                                           // 12/08/2026 10:30
//   v.AddMs(TMilliseconds{-kMsPerHour * 36});               // 12/05/2026 22:30
//   TDateTimeValue::FromSerial(0.25).AddDays(-1).Serial()   // -1.25: 12/29/1899 06:00
//   ParseDateTimeArg("12/7/26 10:30", fs, now)              // 12/07/2026 10:30
#pragma once

#include <chrono>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/time_units.h"
#include "platform/format_settings.h"
#include "platform/local_time.h"

namespace zentrel {

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

/// A number of days, possibly fractional, as whole milliseconds (halves away from zero).
inline TMilliseconds MsOfDays(double days) {
  return TMilliseconds{RoundHalfAway(days * static_cast<double>(kMsPerDay))};
}

/// A day of the week, with the three numberings the output uses.
class TWeekday {
 public:
  constexpr explicit TWeekday(std::chrono::weekday day) : day_(day) {}
  /// Sunday 1 to Saturday 7.
  constexpr int SundayOneToSeven() const { return static_cast<int>(day_.c_encoding()) + 1; }
  /// Monday 1 to Sunday 7 (ISO 8601).
  constexpr int IsoMondayOneToSeven() const { return static_cast<int>(day_.iso_encoding()); }
  /// Monday 2 to Sunday 8, as the day-of-week queries have always printed it.
  constexpr int MondayTwoToSundayEight() const { return IsoMondayOneToSeven() + 1; }
  constexpr bool operator==(const TWeekday&) const = default;

 private:
  std::chrono::weekday day_;
};

/// The day numbers (TDateTimeValue::DayNumber) of 01/01/0001 and 12/31/9999.
inline constexpr std::int64_t kFirstDayNumber = -693593;
inline constexpr std::int64_t kLastDayNumber = 2958465;

class TDateTimeValue {
 public:
  /// Day 0 at midnight, 12/30/1899 00:00.
  constexpr TDateTimeValue() = default;
  /// The value of a serial number, taken as it is: one outside the valid range (or NaN)
  /// throws when it is taken apart, not here.
  static constexpr TDateTimeValue FromSerial(double serial) {
    TDateTimeValue value;
    value.serial_ = serial;
    return value;
  }
  /// The value of a count of milliseconds on the linear scale of SinceCalendarStart.
  /// Throws ConversionError for a count outside years 1 to 9999.
  static TDateTimeValue FromCalendarStart(TMilliseconds sinceStart);

  /// The serial number.
  constexpr double Serial() const { return serial_; }
  /// The value as whole milliseconds (rounded half away from zero) counted from the day
  /// before 1 January of year 1, so 01/01/0001 00:00 is one day: a linear scale on both
  /// sides of day 0, on which only differences mean anything. Throws ConversionError for a
  /// value that is not finite or lies far outside years 1 to 9999.
  TMilliseconds SinceCalendarStart() const;

  /// The date moved by whole days with the time of day kept (to the nearest millisecond);
  /// throws ConversionError when the result leaves years 1 to 9999.
  TDateTimeValue AddDays(std::int64_t days) const;
  /// As AddDays, but nullopt when the result leaves years 1 to 9999 (the value itself
  /// outside them still throws).
  std::optional<TDateTimeValue> MovedByDays(std::int64_t days) const;
  /// The moment a span of time later (earlier when negative); throws ConversionError when
  /// the result leaves years 1 to 9999.
  TDateTimeValue AddMs(TMilliseconds span) const;
  /// As AddMs, but a move past either end of the calendar stops at that end (01/01/0001
  /// 00:00:00.000 or 12/31/9999 23:59:59.999).
  TDateTimeValue AddMsWithinCalendar(TMilliseconds span) const;
  /// The date at midnight, the value first taken to the nearest millisecond (so
  /// 23:59:59.9997 belongs to the next day); throws ConversionError outside years 1 to 9999.
  TDateTimeValue DatePart() const;
  /// The date as a signed count of days from day 0 (12/31/1899 is 1, 12/29/1899 is -1);
  /// throws as DatePart.
  std::int64_t DayNumber() const;
  /// The time of day to the nearest millisecond, 0 to kMsPerDay - 1; throws as DatePart.
  TMilliseconds TimeOfDay() const;
  /// The value at the nearest whole millisecond (the carry rule of DatePart); throws as
  /// DatePart. Calculations that work in whole milliseconds round with this, never by
  /// rendering a text and reading it back.
  TDateTimeValue RoundedToMs() const;
  /// The day of the week of the date; throws as DatePart.
  TWeekday Weekday() const;

  /// The same serial number. (Two values are ordered by SinceCalendarStart, never by
  /// their serial numbers, which do not grow with time before day 0.)
  constexpr bool operator==(const TDateTimeValue&) const = default;

 private:
  double serial_ = 0;
};

struct TDateParts {
  int Year = 1899, Month = 12, Day = 30;
};
struct TTimeParts {
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

/// The year ending in the two given digits that lies in the hundred years starting
/// `window` years before the current year, as every reader of two-digit years takes it.
int WindowedYear(int twoDigits, int currentYear, int window);

/// Gregorian rule, also before 1582.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

/// The date at midnight; throws ConversionError("Invalid date") for a date that does not
/// exist or lies outside years 1 to 9999.
TDateTimeValue EncodeDate(int year, int month, int day);
/// The time of day; throws ConversionError for an hour, minute, second or millisecond out
/// of range.
TMilliseconds EncodeTime(int hour, int minute, int second, int millisecond);
/// The date of date (its DatePart) at the time of day timeOfDay, which must lie in
/// 0 to kMsPerDay - 1. Throws ConversionError for a date outside years 1 to 9999 or a time
/// that is not a time of day.
TDateTimeValue CombineDateTime(TDateTimeValue date, TMilliseconds timeOfDay);

/// The calendar date and the time of day (to the nearest millisecond) of a value; returns
/// its day number (DayNumber). Throws ConversionError when the value lies outside years 1
/// to 9999.
std::int64_t DecodeDateTime(TDateTimeValue value, TDateParts& date, TTimeParts& time);
TDateParts DecodeDate(TDateTimeValue value);
TTimeParts DecodeTime(TDateTimeValue value);

/// The value of a clock reading; throws ConversionError for a date or time that does not
/// exist.
TDateTimeValue FromLocalTime(const platform::TLocalTime& time);

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
