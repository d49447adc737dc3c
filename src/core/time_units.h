// The two enumerations the run settings share with the duration unit: the unit of time a
// duration is read or reported in, and how unreadable duration fields count.
#pragma once

#include <string_view>

namespace zentrel {

/// Units of time; the enumerator names are printed as text (see TimeUnitName).
enum class TTimeUnits {
  AutoDetect,
  Years,
  Months,
  Weeks,
  Days,
  Hours,
  Minutes,
  Seconds,
  Milliseconds,
  Microseconds,
  Nanoseconds,
};

/// The enumerator name exactly as declared: "AutoDetect", "Hours", "Milliseconds", ...
std::string_view TimeUnitName(TTimeUnits unit);

/// How a duration field holding invalid characters reads: as 0 on its own (ZeroThis), or
/// as a zero duration for the whole text (ZeroAll).
enum class TZeroMode { ZeroThis, ZeroAll };

}  // namespace zentrel
