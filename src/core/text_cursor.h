// A cursor over a text for the readers of machine-written forms (ISO 8601, TZ rules): it
// reads from left to right, and every read moves past what it took.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/text.h"

namespace zentrel {

class TTextCursor {
 public:
  explicit TTextCursor(std::string_view text) : text_(text) {}
  bool AtEnd() const { return at_ == text_.size(); }
  /// The next character, or '\0' at the end.
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  /// Takes c when it is next.
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  /// Exactly count digits as a number; nothing is taken when there are fewer.
  std::optional<int> Digits(std::size_t count) {
    if (text_.size() - at_ < count) return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const char c = text_[at_ + i];
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + (c - '0');
    }
    at_ += count;
    return value;
  }
  /// One to maxDigits digits as a number.
  std::optional<int> Number(int maxDigits) {
    int value = 0, n = 0;
    while (n < maxDigits && IsDigit(Peek())) {
      value = value * 10 + (text_[at_++] - '0');
      ++n;
    }
    if (n == 0) return std::nullopt;
    return value;
  }
  /// One or more digits; their count in *count. The value keeps only the first maxKept
  /// digits (the rest are read and cut).
  std::optional<std::int64_t> Run(std::size_t maxKept, std::size_t* count) {
    std::int64_t value = 0;
    std::size_t n = 0;
    while (IsDigit(Peek())) {
      if (n < maxKept) value = value * 10 + (text_[at_] - '0');
      ++n;
      ++at_;
    }
    *count = n;
    if (n == 0) return std::nullopt;
    return value;
  }

 protected:
  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace zentrel
