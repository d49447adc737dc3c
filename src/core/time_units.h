// Units of time: the millisecond type every span of time is held in, the one home of the
// unit constants, and the two enumerations the run settings share with the duration unit
// (the unit a duration is read or reported in, and how unreadable duration fields count).
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

namespace zentrel {

/// A span of time in whole milliseconds, signed, 64 bits wide.
using TMilliseconds = std::chrono::duration<std::int64_t, std::milli>;

/// a divided by b, rounded toward negative infinity (b positive).
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

inline constexpr std::int64_t kMsPerSecond = TMilliseconds{std::chrono::seconds{1}}.count();
inline constexpr std::int64_t kMsPerMinute = TMilliseconds{std::chrono::minutes{1}}.count();
inline constexpr std::int64_t kMsPerHour = TMilliseconds{std::chrono::hours{1}}.count();
inline constexpr std::int64_t kMsPerDay = TMilliseconds{std::chrono::days{1}}.count();

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
