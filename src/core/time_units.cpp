#include "core/time_units.h"

#include <array>

namespace zentrel {

std::string_view TimeUnitName(TTimeUnits unit) {
  static constexpr std::array<std::string_view, 11> kNames{
      "AutoDetect", "Years",   "Months",       "Weeks",        "Days",       "Hours",
      "Minutes",    "Seconds", "Milliseconds", "Microseconds", "Nanoseconds"};
  return kNames[static_cast<size_t>(unit)];
}

}  // namespace zentrel
