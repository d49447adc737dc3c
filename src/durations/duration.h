// Durations held as whole milliseconds, with every breakdown the named formats need.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_time.h"
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

/// Pads a duration text to n colon-separated fields.
std::string PadDurationFields(std::string_view text, int n);

}  // namespace zentrel
