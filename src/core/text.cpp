#include "core/text.h"

#include <cstdint>
#include <cstring>

namespace zentrel {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

std::string_view TrimControls(std::string_view text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isControl(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

/// Position of the first case-insensitive match of pattern in text at or after from.
size_t FindText(std::string_view text, std::string_view pattern, size_t from) {
  if (pattern.size() > text.size()) return std::string_view::npos;
  // A first character without case (a backslash, a digit) is found with memchr, which skips
  // the long runs of text between matches.
  const char first = pattern.front();
  const bool firstHasCase = UpperAscii(first) != first || (first >= 'A' && first <= 'Z');
  for (size_t i = from; i + pattern.size() <= text.size(); ++i) {
    if (!firstHasCase) {
      const void* hit = std::memchr(text.data() + i, first, text.size() - pattern.size() + 1 - i);
      if (hit == nullptr) break;
      i = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
    }
    size_t k = 0;
    while (k < pattern.size() && UpperAscii(text[i + k]) == UpperAscii(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ReplaceText(std::string_view source, std::string_view pattern,
                        std::string_view replacement, bool firstOnly) {
  if (pattern.empty()) return std::string(source);
  std::string result;
  result.reserve(source.size());
  size_t pos = 0;
  for (;;) {
    size_t match = FindText(source, pattern, pos);
    if (match == std::string_view::npos) break;
    result.append(source, pos, match - pos);
    result.append(replacement);
    pos = match + pattern.size();
    if (firstOnly) break;
  }
  result.append(source.substr(pos));
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FindText(a, b, 0) == 0;
}

std::string QuoteIfSpaced(std::string_view text) {
  if (text.empty() || text.find(' ') != std::string_view::npos) {
    return "\"" + std::string(text) + "\"";
  }
  return std::string(text);
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

/// The length of the well-formed UTF-8 sequence that starts at i (the byte ranges of the
/// Unicode standard, which leave out overlong forms, surrogates and code points past
/// U+10FFFF), or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t at) -> unsigned char {
    return at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
  };
  const unsigned char first = byte(i);
  if (first < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

/// Characters a terminal shows as nothing or acts on: C1 controls, direction marks,
/// embeddings, overrides and isolates, and the byte-order mark.
bool IsHiddenCharacter(char32_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x61C || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

void AppendHex(std::string& out, std::uint32_t value, int digits) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out += kHexDigits[(value >> shift) & 0xF];
  }
}

}  // namespace

std::string EscapeForEcho(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto first = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0 || first < 0x20 || first == 0x7F) {
      out += "\\x";
      AppendHex(out, first, 2);
      ++i;
      continue;
    }
    char32_t c = length == 1 ? first : first & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    if (IsHiddenCharacter(c)) {
      out += "\\u";
      AppendHex(out, c, 4);
    } else {
      out.append(text, i, length);
    }
    i += length;
  }
  return out;
}

}  // namespace zentrel
