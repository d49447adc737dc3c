#include "perf/timing_format.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/text.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

/// Writes the digits of value in the base backwards from end; returns the first digit.
template <unsigned Base>
char* WriteDigits(char* end, std::uint64_t value, bool upper = false) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char* p = end;
  do {
    *--p = digits[value % Base];
    value /= Base;
  } while (value != 0);
  return p;
}

/// Reads 1 to 9 digits from text at pos; false when there are none or more than nine.
bool ReadDigitRun(std::string_view text, std::size_t& pos, std::int64_t& value) {
  const std::size_t start = pos;
  value = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    // A longer run is rejected below; reading on without adding keeps the value in range.
    if (pos - start < 9) value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  const std::size_t length = pos - start;
  return length >= 1 && length <= 9;
}

}  // namespace

void AppendDecimal(std::string& out, std::int64_t value, int width, int precision) {
  char buffer[24];
  char* end = buffer + sizeof buffer;
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  // As in printf, a precision of 0 writes no digit for 0.
  char* first = precision == 0 && magnitude == 0 ? end : WriteDigits<10>(end, magnitude);
  const int digitCount = static_cast<int>(end - first);
  const int zeros = precision > digitCount ? precision - digitCount : 0;
  const int length = digitCount + zeros + (negative ? 1 : 0);
  if (width > length) out.append(static_cast<std::size_t>(width - length), ' ');
  if (negative) out.push_back('-');
  if (zeros > 0) out.append(static_cast<std::size_t>(zeros), '0');
  out.append(first, end);
}

bool THeadingPattern::Compile(std::string_view pattern) {
  *this = THeadingPattern();
  std::string* literal = &prefix_;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i++];
    if (c != '%') {
      literal->push_back(c);
      continue;
    }
    if (i < pattern.size() && pattern[i] == '%') {
      literal->push_back('%');
      ++i;
      continue;
    }
    if (hasConversion_) return false;  // one number fills at most one conversion
    for (; i < pattern.size(); ++i) {
      const char flag = pattern[i];
      if (flag == '-') {
        leftAlign_ = true;
      } else if (flag == '+') {
        plusSign_ = true;
      } else if (flag == ' ') {
        blankSign_ = true;
      } else if (flag == '0') {
        zeroPad_ = true;
      } else if (flag == '#') {
        alternate_ = true;
      } else {
        break;
      }
    }
    auto readNumber = [&](int& number) {
      number = 0;
      while (i < pattern.size() && IsDigit(pattern[i])) {
        number = number * 10 + (pattern[i++] - '0');
        if (number > kHeadingWidthMax) return false;
      }
      return true;
    };
    if (!readNumber(width_)) return false;
    if (i < pattern.size() && pattern[i] == '.') {
      ++i;
      if (!readNumber(precision_)) return false;
    }
    if (i < pattern.size() && pattern[i] == 'l') ++i;
    if (i < pattern.size() && pattern[i] == 'l') ++i;
    if (i == pattern.size()) return false;
    conversion_ = pattern[i++];
    if (std::string_view("diuxXo").find(conversion_) == std::string_view::npos) return false;
    hasConversion_ = true;
    literal = &suffix_;
  }
  plainDecimal_ = hasConversion_ && std::string_view("diu").find(conversion_) != std::string_view::npos &&
                  !leftAlign_ && !plusSign_ && !blankSign_ && !zeroPad_ && !alternate_ &&
                  width_ == 0 && precision_ != 0 && precision_ <= 20;
  compiled_ = true;
  return true;
}

void THeadingPattern::AppendTo(std::string& out, std::int64_t number) const {
  if (!compiled_) return;
  if (plainDecimal_ && number >= 0) {  // the usual "%d" or "%.2d", written in one piece
    char buffer[48];
    char* end = buffer + sizeof buffer;
    char* first = WriteDigits<10>(end, static_cast<std::uint64_t>(number));
    while (end - first < precision_) *--first = '0';
    out.append(prefix_);
    out.append(first, end);
    out.append(suffix_);
    return;
  }
  out.append(prefix_);
  if (!hasConversion_) return;
  const bool isSigned = conversion_ == 'd' || conversion_ == 'i';
  const unsigned base = conversion_ == 'o' ? 8 : (conversion_ == 'x' || conversion_ == 'X') ? 16 : 10;
  std::string_view sign;
  std::uint64_t magnitude = static_cast<std::uint64_t>(number);
  if (isSigned) {
    if (number < 0) {
      sign = "-";
      magnitude = 0 - magnitude;
    } else if (plusSign_) {
      sign = "+";
    } else if (blankSign_) {
      sign = " ";
    }
  }
  char buffer[72];
  char* end = buffer + sizeof buffer;
  char* first = end;
  if (!(precision_ == 0 && magnitude == 0)) {
    first = base == 10  ? WriteDigits<10>(end, magnitude)
            : base == 8 ? WriteDigits<8>(end, magnitude)
                        : WriteDigits<16>(end, magnitude, conversion_ == 'X');
  }
  int digitCount = static_cast<int>(end - first);
  int zeros = precision_ > digitCount ? precision_ - digitCount : 0;
  if (alternate_ && base == 8 && zeros == 0 && (digitCount == 0 || *first != '0')) zeros = 1;
  if (alternate_ && base == 16 && magnitude != 0) sign = conversion_ == 'X' ? "0X" : "0x";
  const int length = static_cast<int>(sign.size()) + zeros + digitCount;
  const int padding = width_ > length ? width_ - length : 0;
  if (zeroPad_ && !leftAlign_ && precision_ < 0) {
    zeros += padding;
    out.append(sign);
    out.append(static_cast<std::size_t>(zeros), '0');
    out.append(first, end);
  } else {
    if (!leftAlign_) out.append(static_cast<std::size_t>(padding), ' ');
    out.append(sign);
    out.append(static_cast<std::size_t>(zeros), '0');
    out.append(first, end);
    if (leftAlign_) out.append(static_cast<std::size_t>(padding), ' ');
  }
  out.append(suffix_);
}

namespace {

/// memcpy without a call for the few bytes of a heading's literal text.
inline char* PutShort(char* out, const std::string& text) {
  if (text.size() > 16) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
  }
  for (char c : text) *out++ = c;
  return out;
}

}  // namespace

char* THeadingPattern::Write(char* out, std::int64_t number) const {
  if (compiled_ && plainDecimal_ && number >= 0) {  // the usual "%d" or "%.2d"
    out = PutShort(out, prefix_);
    char* end = WriteDecimal(out, static_cast<std::uint64_t>(number));
    const std::ptrdiff_t digits = end - out;
    if (digits < precision_) {  // zeros in front: a number shorter than the precision
      const auto zeros = static_cast<std::size_t>(precision_ - digits);
      std::memmove(out + zeros, out, static_cast<std::size_t>(digits));
      std::memset(out, '0', zeros);
      end += zeros;
    }
    return PutShort(end, suffix_);
  }
  const std::string text = Format(number);
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

std::size_t THeadingPattern::MaxSize() const {
  // A sign or "0x", then digits (at most 22 in octal), padded to the width or precision.
  const std::size_t number = std::max<std::size_t>(
      24, static_cast<std::size_t>(std::max(width_, precision_)) + 2);
  return prefix_.size() + number + suffix_.size();
}

std::string THeadingPattern::Format(std::int64_t number) const {
  std::string out;
  AppendTo(out, number);
  return out;
}

bool ParsePlainDuration(std::string_view text, std::int64_t& ms) {
  // The usual form "hh:nn:ss.zzz" first, read at fixed positions.
  if (text.size() == 12 && text[2] == ':' && text[5] == ':' && text[8] == '.') {
    const char* t = text.data();
    bool digits = true;
    for (int i : {0, 1, 3, 4, 6, 7, 9, 10, 11}) digits = digits && IsDigit(t[i]);
    if (digits) {
      auto two = [t](int i) { return (t[i] - '0') * 10 + (t[i + 1] - '0'); };
      ms = two(0) * kMsPerHour + two(3) * kMsPerMinute + two(6) * kMsPerSecond +
           (t[9] - '0') * 100 + two(10);
      return true;
    }
  }
  std::int64_t fields[4] = {0, 0, 0, 0};
  int count = 0;
  std::size_t pos = 0;
  for (;;) {
    std::int64_t value = 0;
    if (count == 4 || !ReadDigitRun(text, pos, value)) return false;
    fields[count++] = value;
    if (pos == text.size()) return false;  // the fraction is missing
    if (text[pos] == '.') break;
    if (text[pos] != ':') return false;
    ++pos;
  }
  ++pos;  // the '.'
  std::int64_t fraction = 0;
  if (!ReadDigitRun(text, pos, fraction) || pos != text.size()) return false;
  // With a fraction the given fields are the least significant ones: seconds last.
  std::int64_t dhms[4] = {0, 0, 0, 0};
  for (int k = 0; k < count; ++k) dhms[4 - count + k] = fields[k];
  ms = dhms[0] * kMsPerDay + dhms[1] * kMsPerHour + dhms[2] * kMsPerMinute +
       dhms[3] * kMsPerSecond + fraction;
  return true;
}

}  // namespace zentrel
