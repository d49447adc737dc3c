// Durations: spans of time in whole milliseconds, and the ways the formats read them.
//
// A duration is a signed count of milliseconds (TMilliseconds) with no calendar attached:
// "90061001 ms" is one day, one hour, one minute, one second and one millisecond however
// long the days around it are. Two date-times give one by their distance on the linear
// scale (never negative; which one is earlier is not kept), and two durations add or
// subtract without leaving 64 bits.
//
// TDurationRec is a view of one count: the totals in each unit (TotalHours, TotalMinutes,
// ...) and the clock breakdown into a day count plus the hours, minutes, seconds and
// milliseconds left over. Every field is computed from the count when it is read, by
// integer division that truncates toward zero, so no two fields can disagree; months
// count 30 days each.
//
//   DurationFromMs(90'061'001)   // Days() 1, Hours() 1, Minutes() 1, Seconds() 1,
//                                // Milliseconds() 1, TotalHours() 25,
//                                // Text() "01:01:01:01.001"
//   DurationFromMs(-90'061'001)  // Days() -1, Hours() -1, ..., TotalHours() -25
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
#include <vector>

#include "core/date_time.h"
#include "core/result.h"
#include "core/time_units.h"
#include "platform/format_settings.h"

namespace zentrel {

class TDurationRec {
 public:
  constexpr TDurationRec() = default;
  constexpr explicit TDurationRec(TMilliseconds span) : span_(span) {}

  constexpr TMilliseconds Span() const { return span_; }
  constexpr std::int64_t TotalMilliseconds() const { return span_.count(); }
  constexpr std::int64_t TotalSeconds() const { return span_.count() / kMsPerSecond; }
  constexpr std::int64_t TotalMinutes() const { return span_.count() / kMsPerMinute; }
  constexpr std::int64_t TotalHours() const { return span_.count() / kMsPerHour; }
  constexpr std::int64_t Days() const { return span_.count() / kMsPerDay; }
  constexpr std::int64_t Weeks() const { return Days() / 7; }
  constexpr std::int64_t Months() const { return Days() / 30; }
  /// What is left over after the whole days, hours, minutes and seconds.
  constexpr std::int64_t Hours() const { return span_.count() % kMsPerDay / kMsPerHour; }
  constexpr std::int64_t Minutes() const { return span_.count() % kMsPerHour / kMsPerMinute; }
  constexpr std::int64_t Seconds() const { return span_.count() % kMsPerMinute / kMsPerSecond; }
  constexpr std::int64_t Milliseconds() const { return span_.count() % kMsPerSecond; }
  /// "dd:hh:nn:ss.zzz" of Days to Milliseconds, cut at 255 characters.
  std::string Text() const;

 private:
  TMilliseconds span_{0};
};

/// |a - b| on the linear scale of TDateTimeValue::SinceCalendarStart.
std::int64_t MsBetween(TDateTimeValue a, TDateTimeValue b);
/// The view of a millisecond count.
TDurationRec DurationFromMs(std::int64_t milliseconds);

struct TDurationBetween {
  TDurationRec Record;
  TDateTimeValue ValueA;  ///< a at the nearest whole millisecond
  TDateTimeValue ValueB;
};
/// The duration between two date-times, both first taken to the nearest whole millisecond.
/// Never negative: which of the two is earlier is not kept.
TDurationBetween DurationBetween(TDateTimeValue a, TDateTimeValue b);

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
  /// The offset in milliseconds.
  std::int64_t TotalMilliseconds() const;
};
/// A -x/-z offset as read: the clamped offset, and one warning for each component that was
/// above its limit (two lines, the first ending with the components as given; exit code 65).
struct TOffsetParse {
  TOffsetDuration Offset;
  std::vector<TWarning> Warnings;
};
/// Reads a -x/-z duration under the unit mode, clamping each component to its limit.
/// Throws ConversionError for a field that is not a whole number.
TOffsetParse ParseOffsetDuration(std::string_view text, TTimeUnits mode);

}  // namespace zentrel
