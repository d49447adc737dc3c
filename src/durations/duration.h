// Durations held as whole milliseconds, with every breakdown the named formats need.
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

/// A date-time as whole milliseconds counted from 1 January of year 1 (rounded half away
/// from zero); only differences of two results mean anything.
std::int64_t DateTimeToTotalMs(TDateTimeValue value);
/// |DateTimeToTotalMs(a) - DateTimeToTotalMs(b)|.
std::int64_t MsBetween(TDateTimeValue a, TDateTimeValue b);
/// Every field recomputed from a millisecond count.
TDurationRec DurationFromMs(std::int64_t milliseconds);

struct TDurationBetween {
  std::string TextA;  ///< a rendered "mm/dd/yyyy hh:nn:ss.zzz"
  std::string TextB;
  TDurationRec Record;
};
/// The duration between two date-times, both first limited to whole milliseconds.
TDurationBetween DurationBetween(TDateTimeValue a, TDateTimeValue b,
                                 const TFormatSettings& settings, TDateTimeValue now);

/// Pads a duration text to n colon-separated fields ("1:20" to 3 is "1:20:00"; with a
/// fraction the given fields are the least significant: "20:29.730" to 4 is
/// "00:00:20:29.730").
std::string PadDurationFields(std::string_view text, int n);
/// Reads days:hours:minutes:seconds.milliseconds; never fails (unreadable fields follow
/// the zero mode).
TDurationRec ParseDuration(std::string_view text, TZeroMode zeroMode);
TDurationRec AddDurations(const TDurationRec& a, const TDurationRec& b);
/// The larger minus the smaller.
TDurationRec DurationDifference(const TDurationRec& a, const TDurationRec& b);

/// A -x/-z offset, each component clamped to its limit.
struct TOffsetDuration {
  std::int32_t Hours = 0, Minutes = 0, Seconds = 0, Milliseconds = 0;
  /// The offset as a fraction of days.
  double Days() const;
};
/// Reads a -x/-z duration under the unit mode; a component above its limit is clamped with
/// two lines on standard error each and exit code 65. Throws ConversionError for a field
/// that is not a whole number.
TOffsetDuration ParseOffsetDuration(TRunContext& run, std::string_view text, TTimeUnits mode);

}  // namespace zentrel
