#include "core/text.h"

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

}  // namespace zentrel
