// ParseDateTimeArg on arbitrary text: a value or a ConversionError, nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/date_format.h"
#include "core/date_time.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  const TFormatSettings settings;
  const TDateTimeValue now = FromLocalTime({2026, 12, 7, 4, 15, 11, 270});
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    TDateTimeValue value = ParseDateTimeArg(text, "mm/dd/yyyy", settings, now);
    (void)FormatDateTimeValue("mm/dd/yyyy hh:nn:ss.zzz", value, true, settings);
  } catch (const ConversionError&) {
  }
  return 0;
}
