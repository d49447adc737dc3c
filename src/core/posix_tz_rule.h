// POSIX time-zone rules: the one-line description of a zone's current practice.
//
// A zone file lists its clock changes one by one up to some year and then ends with a rule
// in the form of the POSIX TZ variable, which carries the practice on for ever:
//
//   EST5EDT,M3.2.0,M11.1.0      New York: standard time EST 5 hours behind UTC, daylight
//                               time EDT (an hour ahead of standard unless stated) from
//                               the 2nd Sunday of March to the 1st Sunday of November,
//                               both at 02:00 local time
//   <+1030>-10:30<+11>-11,M10.1.0,M4.1.0   Lord Howe: a 30-minute shift, south of the
//                               equator, so daylight time spans the new year
//   IST-1GMT0,M10.5.0,M3.5.0/1  Dublin: "summer" is standard time (IST), and winter the
//                               negative daylight saving of GMT
//   <+0530>-5:30                Kolkata: no daylight saving at all
//
// An offset is written west-positive (EST5 is UTC-5); the rule here keeps offsets as the
// rest of the program does, seconds east of UTC. The day of a change is "Mm.w.d" (the
// w-th weekday d of month m, w = 5 meaning the last), "Jn" (day n of 365, February 29th
// never counted) or "n" (day n from 0, leap days counted); the time of a change is in the
// local time in force before it and may lie from -167 to 167 hours (the extension of
// RFC 8536, so "J365/25" or "M3.2.0/-1" are allowed).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

/// The local time in force over a stretch of the time line.
struct TLocalType {
  /// Seconds east of UTC (negative west of Greenwich).
  std::int32_t Offset = 0;
  bool IsDst = false;
  std::string Abbreviation;
  bool operator==(const TLocalType&) const = default;
};

/// A change of local time at a moment, in whole seconds since the Unix epoch.
struct TZoneTransition {
  std::int64_t At = 0;
  /// The local time before the change and from it on.
  TLocalType Before, After;
};

/// The day of the year a change happens on.
struct TRuleDay {
  enum class TKind { MonthWeekDay, JulianNoLeap, ZeroBased };
  TKind Kind = TKind::MonthWeekDay;
  int Month = 0, Week = 0, Weekday = 0;  ///< Mm.w.d: weekday 0 is Sunday
  int Day = 0;                           ///< Jn: 1 to 365; n: 0 to 365
  /// Seconds after local midnight of that day, in the time in force before the change.
  std::int32_t Time = 2 * 3600;
};

class TPosixTzRule {
 public:
  /// The rule of a TZ text; nullopt for a text that is no valid rule (an empty name, an
  /// offset beyond 24:59:59, a day or time out of range, text left over).
  static std::optional<TPosixTzRule> Parse(std::string_view text);

  const TLocalType& Standard() const { return standard_; }
  /// True when the rule has daylight saving time.
  bool HasDst() const { return hasDst_; }

  /// The local time in force at a moment (seconds since the Unix epoch).
  const TLocalType& TypeAt(std::int64_t unixSeconds) const;
  /// The changes from one local time to another at from <= At <= to, in order.
  std::vector<TZoneTransition> TransitionsBetween(std::int64_t from, std::int64_t to) const;

 private:
  /// The changes of one year as moments, each with the type it starts, in time order.
  struct TChange {
    std::int64_t At;
    const TLocalType* Type;
  };
  void ChangesOfYears(std::int64_t firstYear, std::int64_t lastYear,
                      std::vector<TChange>& out) const;

  TLocalType standard_;
  TLocalType dst_;
  bool hasDst_ = false;
  TRuleDay start_, end_;
};

}  // namespace zentrel
