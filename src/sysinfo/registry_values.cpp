#include "sysinfo/registry_values.h"

#include <charconv>

#include "core/conversion_error.h"

namespace zentrel {

std::string ReadRegistryString(platform::RegistryKey& key, std::string_view name) {
  std::string text;
  switch (key.ReadString(name, text)) {
    case platform::TRegistryRead::Ok:
      return text;
    case platform::TRegistryRead::Missing:
      return {};
    case platform::TRegistryRead::WrongType:
      throw ConversionError("Registry value \"" + std::string(name) + "\" is not a string");
    case platform::TRegistryRead::Failed:
      break;
  }
  throw ConversionError("Registry value \"" + std::string(name) + "\" could not be read");
}

std::int32_t ReadRegistryInteger(platform::RegistryKey& key, std::string_view name) {
  std::uint32_t value = 0;
  switch (key.ReadInteger(name, value)) {
    case platform::TRegistryRead::Ok:
      // The records hold signed numbers; a value above 2^31 - 1 wraps as the system's own
      // conversion of a 32-bit integer does.
      return static_cast<std::int32_t>(value);
    case platform::TRegistryRead::Missing:
      throw ConversionError("Registry value \"" + std::string(name) + "\" is missing");
    case platform::TRegistryRead::WrongType:
      throw ConversionError("Registry value \"" + std::string(name) +
                            "\" is not a 32-bit integer");
    case platform::TRegistryRead::Failed:
      break;
  }
  throw ConversionError("Registry value \"" + std::string(name) + "\" could not be read");
}

namespace {

bool TryParseDecimal(std::string_view text, std::int32_t& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
  return ec == std::errc() && ptr == end;
}

}  // namespace

std::int32_t ParseDecimal(std::string_view text, std::string_view what) {
  std::int32_t value = 0;
  if (!TryParseDecimal(text, value)) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value for " +
                          std::string(what));
  }
  return value;
}

std::int32_t ParseDecimalOr(std::string_view text, std::int32_t fallback) {
  std::int32_t value = 0;
  return TryParseDecimal(text, value) ? value : fallback;
}

}  // namespace zentrel
