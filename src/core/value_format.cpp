#include "core/value_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zentrel {

void AppendInteger(std::string& out, std::int64_t value, std::size_t width,
                   std::size_t precision) {
  // The magnitude as unsigned, so that the smallest int64 has one too.
  std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  char digits[20];
  std::size_t first = sizeof digits;  // the digits fill the end of the array
  do {
    digits[--first] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const std::size_t count = sizeof digits - first;
  const std::size_t zeros = precision > count ? precision - count : 0;
  const std::size_t length = zeros + count + (value < 0 ? 1 : 0);
  if (width > length) out.append(width - length, ' ');
  if (value < 0) out.push_back('-');
  if (zeros > 0) out.append(zeros, '0');
  out.append(digits + first, count);
}

namespace {

/// A small decimal count inside a conversion ("%12d"); caps at a width nobody needs so a
/// long digit run cannot ask for a huge allocation.
std::size_t ReadCount(std::string_view pattern, std::size_t& pos) {
  std::size_t count = 0;
  while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
    if (count < 1000) count = count * 10 + static_cast<std::size_t>(pattern[pos] - '0');
    ++pos;
  }
  return count < 1000 ? count : 1000;
}

}  // namespace

std::string FormatIntegers(std::string_view pattern, std::span<const std::int64_t> values) {
  std::string result;
  std::size_t next = 0;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    char c = pattern[pos];
    if (c != '%') {
      result += c;
      ++pos;
      continue;
    }
    if (pos + 1 < pattern.size() && pattern[pos + 1] == '%') {
      result += '%';
      pos += 2;
      continue;
    }
    std::size_t end = pos + 1;
    bool hasPrecision = false;
    if (end < pattern.size() && pattern[end] == '.') {
      hasPrecision = true;
      ++end;
    }
    std::size_t count = ReadCount(pattern, end);
    if (end < pattern.size() && pattern[end] == 'd' && next < values.size()) {
      AppendInteger(result, values[next++], hasPrecision ? 0 : count, hasPrecision ? count : 0);
      pos = end + 1;
    } else {
      result += c;  // not a conversion of this subset: copied as it stands
      ++pos;
    }
  }
  return result;
}

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

// The value is first rounded to 15 significant digits; trailing zeros are dropped, so a
// whole number prints as its digits alone. Values of 1e15 and more use exponent notation
// ("1.5E+20"). Small fractions are written out in plain digits however many zeros they
// start with (0.00000123 rather than an exponent), because a script reading the value
// rarely understands exponents.
std::string FloatToText(double value, const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // "d.dddddddddddddde+XX": the 15 significant digits and the decimal exponent.
  // printf's conversion is exact, as std::to_chars is; to_chars for floating point would
  // also link the maths library into every start of the program.
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1,
                                   std::fabs(value));
  std::string_view text(buffer, length > 0 ? static_cast<size_t>(length) : 0);
  size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = value < 0 ? "-" : "";
  if (exponent >= kSignificantDigits) {
    result += digits.substr(0, 1);
    if (digits.size() > 1) result += settings.DecimalSeparator + digits.substr(1);
    result += "E+" + std::to_string(exponent);
  } else if (exponent >= 0) {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      result += digits + std::string(whole - digits.size(), '0');
    } else {
      result += digits.substr(0, whole) + settings.DecimalSeparator + digits.substr(whole);
    }
  } else {
    result += std::string("0") + settings.DecimalSeparator +
              std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  return result;
}

std::string_view YesNo(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace zentrel
