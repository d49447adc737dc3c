// FormatDateTimeValue with a fuzzed pattern; the first eight bytes pick the value.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/conversion_error.h"
#include "core/date_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  const TFormatSettings settings;
  double value = 46363.177213773;  // 12/07/2026 04:15:11.270
  if (size >= sizeof value) {
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
  }
  std::string_view pattern(reinterpret_cast<const char*>(data), size);
  for (bool interval : {false, true}) {
    try {
      (void)FormatDateTimeValue(pattern, TDateTimeValue::FromSerial(value), interval, settings);
    } catch (const ConversionError&) {
    }
  }
  return 0;
}
