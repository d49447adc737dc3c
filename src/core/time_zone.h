// Time zones: the link between moments and wall-clock readings.
//
// A moment (core/moment.h) is an instant; a date-time value (core/date_time.h) is what a
// wall clock shows. A time zone turns one into the other. It is one of four kinds:
//
//   the machine's zone   the system's own conversion of local time (TZ on POSIX, the
//                        Windows time-zone settings), exactly as the program has always
//                        used it;
//   UTC                  offset zero, shown with "Z";
//   a fixed offset       "+05:30": that far east of UTC at every moment;
//   a named zone         "Europe/Berlin": the zone's rules from the tz database
//                        (core/zone_rules.h), found by core/zone_lookup.h.
//
// From a moment to the wall clock there is always exactly one answer: the moment plus the
// offset in force. The other way round a wall-clock reading may name no moment (the hour
// the clocks skip when they go forward) or two (the hour they show twice when they go
// back). Every zone resolves both cases by one rule:
//
//   - a reading in a gap is moved later by the length of the gap: it is read with the
//     offset in force before the change, so 02:30 in New York's spring gap (clocks go from
//     02:00 EST to 03:00 EDT) is 07:30Z, shown as 03:30 EDT;
//   - a reading shown twice is the earlier of its moments: 01:30 on New York's autumn
//     change is 05:30Z (01:30 EDT), not 06:30Z (01:30 EST).
//
// The rule does not care why the clocks moved: daylight saving, negative daylight saving
// (Dublin's winter), a 30-minute shift (Lord Howe), or a change of standard offset
// (Kolkata in the 1940s) all resolve alike.
//
//   TTimeZone tokyo = *FindZone("Asia/Tokyo", os);                // core/zone_lookup.h
//   tokyo.WallClockOf(TMoment::FromUnixSeconds(1735122600))      // 12/25/2024 19:30
//   TTimeZone::Fixed(-8 * 3600).Name()                           // "-08:00"
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/date_time.h"
#include "core/moment.h"
#include "core/zone_rules.h"
#include "platform/platform.h"

namespace zentrel {

/// The local time in force at a moment.
struct TZoneOffset {
  /// Seconds east of UTC.
  std::int32_t Seconds = 0;
  /// "CET", "EDT", "+0530" as the zone data call it; empty for the machine's zone, whose
  /// conversion does not say, and for fixed offsets.
  std::string Abbreviation;
  bool IsDst = false;
};

/// A moment as a zone shows it: the wall-clock reading and the offset it was read with.
struct TZonedDateTime {
  TDateTimeValue Wall;
  TZoneOffset Offset;
  /// True in the UTC zone: ISO 8601 writes "Z" for the offset.
  bool Utc = false;
};

class TTimeZone {
 public:
  enum class TKind { Machine, Utc, Fixed, Named };

  /// The machine's zone, through the platform's conversion of local time. The platform
  /// must outlive the zone.
  static TTimeZone Machine(platform::Platform& os);
  static TTimeZone Utc();
  /// A fixed offset, seconds east of UTC; named "+hh:mm" (with ":ss" when not whole
  /// minutes).
  static TTimeZone Fixed(std::int32_t offsetSeconds);
  /// A zone of the tz database under its name.
  static TTimeZone Named(std::string name, std::shared_ptr<const TZoneRules> rules);

  TKind Kind() const { return kind_; }
  /// "UTC", "+05:30", "Europe/Berlin"; "" for the machine's zone.
  const std::string& Name() const { return name_; }

  /// The local time in force at a moment.
  TZoneOffset OffsetAt(TMoment moment) const;
  /// The wall-clock reading of a moment; throws ConversionError when it lies outside years
  /// 1 to 9999.
  TDateTimeValue WallClockOf(TMoment moment) const;
  /// The wall-clock reading with its offset, for output; throws as WallClockOf.
  TZonedDateTime Show(TMoment moment) const;
  /// The moment of a wall-clock reading by the rule above; throws ConversionError for a
  /// value outside years 1 to 9999.
  TMoment MomentOf(TDateTimeValue wall) const;

 private:
  TTimeZone(TKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
  std::int64_t MachineMomentSeconds(std::int64_t localSeconds) const;
  std::int64_t RulesMomentSeconds(std::int64_t localSeconds) const;

  TKind kind_;
  std::string name_;
  platform::Platform* os_ = nullptr;
  std::int32_t fixed_ = 0;
  std::shared_ptr<const TZoneRules> rules_;
};

/// "+01:00", "-08:00", "+00:00"; "-04:56:02" for an offset that is not whole minutes.
std::string IsoOffsetText(std::int32_t offsetSeconds);

}  // namespace zentrel
