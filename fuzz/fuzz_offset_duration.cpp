// ParseOffsetDuration under each unit mode: clamped components or a ConversionError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/conversion_error.h"
#include "durations/duration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (TTimeUnits mode : {TTimeUnits::AutoDetect, TTimeUnits::Hours, TTimeUnits::Minutes,
                          TTimeUnits::Seconds}) {
    try {
      TOffsetDuration offset = ParseOffsetDuration(text, mode).Offset;
      if (offset.Hours < 0 || offset.Hours > 999 || offset.Minutes > 59 || offset.Seconds > 59 ||
          offset.Milliseconds > 999) {
        __builtin_trap();  // clamping must hold every component within its limit
      }
    } catch (const ConversionError&) {
    }
  }
  return 0;
}
