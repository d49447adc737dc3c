#include "core/unicode_text.h"

namespace zentrel {

char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char first = byte(i);
  std::size_t length = first < 0x80 ? 1 : first >> 5 == 0x6 ? 2 : first >> 4 == 0xE ? 3
                                    : first >> 3 == 0x1E ? 4 : 0;
  if (length <= 1 || i + length > text.size()) {
    ++i;
    return first;
  }
  char32_t c = first & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return first;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return c;
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149) return c;  // no simple fold
    if (c == 0x178) return 0xFF;
    if (c == 0x17F) return 's';
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper) return c % 2 == 1 ? c + 1 : c;
    return c % 2 == 0 ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek capitals
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x400 && c <= 0x40F) return c + 80;  // Cyrillic capitals with marks
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
    return c % 2 == 0 ? c + 1 : c;
  }
  if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 1 ? c + 1 : c;
  if (c == 0x4C0) return 0x4CF;
  if (c >= 0x531 && c <= 0x556) return c + 48;  // Armenian
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) {
    return c % 2 == 0 ? c + 1 : c;  // Latin with diacritics (Vietnamese and others)
  }
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;  // fullwidth Latin
  return c;
}

bool IsBlankLike(char32_t c) {
  return c == ' ' || c == '\t' || c == 0xA0 || c == 0x202F || c == 0x2009 || c == 0x2007;
}

namespace {

bool IsDirectionMark(char32_t c) {
  return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

/// The next code point that is not a blank, folded; end when none is left.
std::optional<char32_t> NextSignificant(std::string_view text, std::size_t& i) {
  while (i < text.size()) {
    const char32_t c = NextCodePoint(text, i);
    if (!IsBlankLike(c)) return FoldCase(c);
  }
  return std::nullopt;
}

}  // namespace

std::string WithoutDirectionMarks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    if (!IsDirectionMark(NextCodePoint(text, i))) kept.append(text.substr(start, i - start));
  }
  return kept;
}

std::optional<std::size_t> MatchFolded(std::string_view text, std::size_t at,
                                       std::string_view marker) {
  std::size_t m = 0;
  std::size_t i = at;
  bool any = false;
  for (;;) {
    const std::optional<char32_t> wanted = NextSignificant(marker, m);
    if (!wanted) return any ? std::optional<std::size_t>(i) : std::nullopt;
    const std::optional<char32_t> found = NextSignificant(text, i);
    if (!found || *found != *wanted) return std::nullopt;
    any = true;
  }
}

}  // namespace zentrel
