// Durations held as whole milliseconds, with every breakdown the named formats need.
//
// A duration is a signed count of milliseconds. TDurationRec keeps that count together with
// the ways the formats read it: totals in each unit (TotalHours, TotalMinutes, ...) and the
// clock breakdown of a day count plus the hours, minutes, seconds and milliseconds left
// over. Every field is recomputed from TotalMilliseconds with integer division that
// truncates toward zero, so a record is always consistent; months count 30 days each.
//
//   DurationFromMs(90'061'001)   // Days 1, Hours 1, Minutes 1, Seconds 1, Milliseconds 1,
//                                // TotalHours 25, Text "01:01:01:01.001"
//
// Two texts read as durations:
//   - the stored form days:hours:minutes:seconds.milliseconds (ParseDuration), padded to
//     four fields first; the milliseconds are read as a plain integer, so ".5" is 5 ms;
//   - the offset of -x/-z (ParseOffsetDuration), "hhh:nn:ss.zzz" with fewer fields
//     allowed, whose fields a unit mode assigns: "1:30" is 1 h 30 min, "1:30.250" is 1 min
//     30.250 s, and under Seconds "1:2:3:4" is 2 h 3 min 4 s.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_time.h"
#include "core/run_context.h"
#include "core/time_units.h"

namespace zentrel {

struct TDurationRec {
  std::int64_t TotalMilliseconds = 0;
  std::int64_t Months = 0;
  std::int64_t Weeks = 0;
  std::int64_t Days = 0;
  std::int64_t TotalHours = 0;
  std::int64_t Hours = 0;
  std::int64_t TotalMinutes = 0;
  std::int64_t Minutes = 0;
  std::int64_t TotalSeconds = 0;
  std::int64_t Seconds = 0;
  std::int64_t Milliseconds = 0;
  std::string Text = "00:00:00:00.000";
};

/// A date-time as whole milliseconds (rounded half away from zero) counted from the day
/// before 1 January of year 1, so 01/01/0001 00:00 is one day; only differences of two
/// results mean anything. Throws ConversionError for a value that is not finite or lies far
/// outside years 1 to 9999.
std::int64_t DateTimeToTotalMs(TDateTimeValue value);
/// The value DateTimeToTotalMs maps to the count, under the encoding's rule for days before
/// day 0. Throws ConversionError for a count outside years 1 to 9999.
TDateTimeValue DateTimeFromTotalMs(std::int64_t totalMs);
/// |DateTimeToTotalMs(a) - DateTimeToTotalMs(b)|.
std::int64_t MsBetween(TDateTimeValue a, TDateTimeValue b);
/// Every field recomputed from a millisecond count; Text is cut at 255 characters.
TDurationRec DurationFromMs(std::int64_t milliseconds);

struct TDurationBetween {
  std::string TextA;  ///< ValueA rendered "mm/dd/yyyy hh:nn:ss.zzz"
  std::string TextB;
  TDurationRec Record;
  TDateTimeValue ValueA = 0;  ///< a at the nearest whole millisecond
  TDateTimeValue ValueB = 0;
};
/// The duration between two date-times, both first taken to the nearest whole millisecond.
/// Never negative: which of the two is earlier is not kept.
TDurationBetween DurationBetween(TDateTimeValue a, TDateTimeValue b,
                                 const TFormatSettings& settings);

/// Pads a duration text to n colon-separated fields ("1:20" to 3 is "1:20:00"; with a
/// fraction the given fields are the least significant: "20:29.730" to 4 is
/// "00:00:20:29.730").
std::string PadDurationFields(std::string_view text, int n);
/// The same for a clock typed after -k under the regional settings: fields separated by
/// the time separator, a fraction introduced by a decimal mark (IsDecimalMark), both looked
/// for in the clock alone, after any date and blanks in front of it.
std::string PadClockFields(std::string_view text, int n, const TFormatSettings& settings);
/// Reads days:hours:minutes:seconds.milliseconds; never fails (unreadable fields follow
/// the zero mode).
TDurationRec ParseDuration(std::string_view text, TZeroMode zeroMode);
/// The sum. Throws ConversionError when it does not fit in 64 bits.
TDurationRec AddDurations(const TDurationRec& a, const TDurationRec& b);
/// The larger minus the smaller. Throws ConversionError when it does not fit in 64 bits.
TDurationRec DurationDifference(const TDurationRec& a, const TDurationRec& b);

/// A -x/-z offset, each component clamped to its limit.
struct TOffsetDuration {
  std::int32_t Hours = 0, Minutes = 0, Seconds = 0, Milliseconds = 0;
  /// The offset as a fraction of days.
  double Days() const;
  /// The offset in milliseconds.
  std::int64_t TotalMilliseconds() const;
};
/// Reads a -x/-z duration under the unit mode; a component above its limit is clamped with
/// two lines on standard error each and exit code 65. Throws ConversionError for a field
/// that is not a whole number.
TOffsetDuration ParseOffsetDuration(TRunContext& run, std::string_view text, TTimeUnits mode);

/// When the component exceeds the limit: beeps, writes the two limit lines to standard
/// error (the first ends with unclampedText), clamps the component and sets exit code 65.
void CheckDurationLimit(TRunContext& run, std::int32_t& component, std::int32_t limit,
                        std::string_view unclampedText);

}  // namespace zentrel
