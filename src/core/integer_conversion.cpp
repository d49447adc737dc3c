#include "core/integer_conversion.h"

#include <charconv>

#include "core/text.h"

namespace zentrel {

std::int32_t StrToInt32(std::string_view text) {
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) throw ConversionError("Invalid integer");
  return value;
}

}  // namespace zentrel
