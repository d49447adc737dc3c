// ParseDuration under both zero modes, rendered under every format name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "durations/duration.h"
#include "durations/duration_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (TZeroMode mode : {TZeroMode::ZeroThis, TZeroMode::ZeroAll}) {
    TDurationRec record = ParseDuration(text, mode);
    for (std::string_view name : DurationFormatNames()) (void)FormatDuration(record, name);
    (void)FormatDuration(record, text);
    (void)FormatDurationText(text, "min:sec.ms", mode);
  }
  return 0;
}
