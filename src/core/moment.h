// Moments: instants on the world's one time line, to the millisecond.
//
// A moment is the answer to "when did it happen?" that every observer on Earth agrees on:
// the instant a log line was written, a Unix time, 2024-12-25T10:30:00Z. It is stored as
// whole milliseconds since 1970-01-01T00:00:00Z (the Unix epoch), 64 bits wide, so it
// reaches far past both ends of the calendar; leap seconds are not counted, as in Unix
// time.
//
// A moment has no date and no time of day of its own. A date-time (TDateTimeValue,
// core/date_time.h) is the other kind of value: a reading of a wall clock, "12/25/2024
// 10:30", which names a different instant in Tokyo than in New York, and sometimes none
// or two (when the clocks skip or repeat an hour). The two kinds meet only through a time
// zone (TTimeZone, core/time_zone.h): the zone shows a moment as a wall-clock reading, and
// takes a wall-clock reading to a moment by its stated rule. Nothing converts between
// them silently, so a calculation cannot lose the daylight-saving hour by accident.
//
// Arithmetic on moments is arithmetic on the time line, in milliseconds:
//
//   TMoment a = TMoment::FromUnixSeconds(1710046800);   // 2024-03-10T05:00:00Z
//   TMoment b = a + TMilliseconds{kMsPerHour * 4};       // 2024-03-10T09:00:00Z
//   b - a                                                // 4 hours, whatever the zone
//   b.UnixSeconds()                                      // 1710061200
#pragma once

#include <compare>
#include <cstdint>

#include "core/time_units.h"

namespace zentrel {

class TMoment {
 public:
  /// 1970-01-01T00:00:00Z.
  constexpr TMoment() = default;
  static constexpr TMoment FromUnixMs(std::int64_t ms) { return TMoment(ms); }
  /// Throws nothing: a count of seconds beyond the range of milliseconds is the caller's
  /// to refuse (kMaxUnixSeconds).
  static constexpr TMoment FromUnixSeconds(std::int64_t seconds) {
    return TMoment(seconds * kMsPerSecond);
  }

  /// Milliseconds since 1970-01-01T00:00:00Z, negative before.
  constexpr std::int64_t UnixMs() const { return ms_; }
  /// Whole seconds since the epoch, rounded down (so -0.5 s is second -1, as Unix time
  /// counts it).
  constexpr std::int64_t UnixSeconds() const { return FloorDiv(ms_, kMsPerSecond); }

  /// The moment a span later (earlier when negative). The sum must lie within the 64-bit
  /// range, which every span between two moments of the calendar does.
  constexpr TMoment operator+(TMilliseconds span) const { return TMoment(ms_ + span.count()); }
  constexpr TMoment operator-(TMilliseconds span) const { return TMoment(ms_ - span.count()); }
  /// The elapsed time from other to this moment.
  constexpr TMilliseconds operator-(TMoment other) const { return TMilliseconds{ms_ - other.ms_}; }

  constexpr auto operator<=>(const TMoment&) const = default;

 private:
  constexpr explicit TMoment(std::int64_t ms) : ms_(ms) {}
  std::int64_t ms_ = 0;
};

/// Seconds past which FromUnixSeconds would overflow.
inline constexpr std::int64_t kMaxUnixSeconds = INT64_MAX / 1000;

}  // namespace zentrel
