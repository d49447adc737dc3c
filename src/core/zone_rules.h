// Zone rules: the whole history of a time zone's clocks, and its practice from then on.
//
// A named zone such as Europe/Berlin is not one offset but a history: local mean time
// until 1893, then CET, the wartime and post-war summer times, and since 1980 the European
// rule. The history is a list of transitions, each the moment (whole seconds since the Unix
// epoch) at which a new local time type comes into force; a local time type is an offset
// east of UTC, whether it counts as daylight saving, and its abbreviation ("CEST"). Before
// the first transition the first type is in force. After the last one a POSIX TZ rule
// (core/posix_tz_rule.h) carries the current practice on for ever, so 2100 in Berlin
// still has summer time.
//
// The rules answer two questions only: which type is in force at a moment, and which
// transitions lie between two moments. Turning wall-clock readings into moments, with
// the gaps and repeats that transitions make, is the zone's job (core/time_zone.h).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/posix_tz_rule.h"

namespace zentrel {

class TZoneRules {
 public:
  /// A history of transitions at strictly increasing moments; typeOfTransition[i] indexes
  /// types for the transition at times[i]. The reader (core/tzif.h) checks all of that
  /// before it builds one; types is never empty.
  TZoneRules(std::vector<std::int64_t> times, std::vector<std::uint8_t> typeOfTransition,
             std::vector<TLocalType> types, std::optional<TPosixTzRule> footer);

  /// The local time type in force at a moment.
  const TLocalType& TypeAt(std::int64_t unixSeconds) const;
  /// The transitions at from <= At <= to that change the local time type, in order.
  std::vector<TZoneTransition> TransitionsBetween(std::int64_t from, std::int64_t to) const;

 private:
  std::vector<std::int64_t> times_;
  std::vector<std::uint8_t> typeOfTransition_;
  std::vector<TLocalType> types_;
  std::optional<TPosixTzRule> footer_;
};

}  // namespace zentrel
