// Reading registry values the way the system queries need them: a missing string is an
// empty text, anything else that is not a string or a 32-bit integer is a failure, and
// numbers stored as text convert as strict decimals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace zentrel {

/// The string value; empty text when the key holds no value of that name. Throws
/// ConversionError for a value of another type or a failed read.
std::string ReadRegistryString(platform::RegistryKey& key, std::string_view name);

/// The 32-bit integer value, as the signed number the records hold. Throws
/// ConversionError when it is missing, of another type or cannot be read.
std::int32_t ReadRegistryInteger(platform::RegistryKey& key, std::string_view name);

/// An optional minus sign and decimal digits, nothing else, within the signed 32-bit range.
/// Throws ConversionError naming what did not convert.
std::int32_t ParseDecimal(std::string_view text, std::string_view what);

/// Like ParseDecimal, but fallback for a text that does not convert.
std::int32_t ParseDecimalOr(std::string_view text, std::int32_t fallback);

}  // namespace zentrel
