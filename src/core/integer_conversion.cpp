#include "core/integer_conversion.h"

#include <string>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

/// The digit's value in bases up to 16, or 16 for a character that is no digit.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 16;
}

}  // namespace

std::int32_t StrToInt32(std::string_view text) {
  const std::optional<std::int32_t> value = ReadInt32(text);
  if (!value) throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}

std::optional<std::int32_t> ReadInt32(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);

  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }

  int base = 10;
  if (!rest.empty() && rest.front() == '$') {
    base = 16;
    rest.remove_prefix(1);
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    base = 16;
    rest.remove_prefix(2);
  } else if (!rest.empty() && rest.front() == '%') {
    base = 2;
    rest.remove_prefix(1);
  } else if (!rest.empty() && rest.front() == '&') {
    base = 8;
    rest.remove_prefix(1);
  }
  if (rest.empty()) return std::nullopt;

  // The magnitude may reach 2^31 for a negative value; anything above that is out of range
  // in any case, so the loop stops there and a digit run of any length cannot overflow.
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (char c : rest) {
    int digit = DigitValue(c);
    if (digit >= base) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace zentrel
