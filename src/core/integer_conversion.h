// The conversion of numeric option values (-p, -a, -u, -r) to 32-bit integers.
#pragma once

#include <cstdint>
#include <string_view>

namespace zentrel {

/// Leading blanks and tabs, an optional sign, then decimal digits, or hexadecimal after "$"
/// or "0x", binary after "%", octal after "&". Throws ConversionError for anything else,
/// an empty digit run or a value outside the signed 32-bit range.
std::int32_t StrToInt32(std::string_view text);

}  // namespace zentrel
