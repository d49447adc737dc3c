// Conversion between UTF-8, the program's text, and UTF-16, the text of the Windows API.
// Pure functions, built on every platform so their rules are tested everywhere.
#pragma once

#include <string>
#include <string_view>

namespace zentrel::platform {

/// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD, so the result is always valid
/// UTF-8 whatever the system handed over.
std::string Utf16ToUtf8(std::u16string_view text);

/// UTF-8 to UTF-16. A byte that starts no valid sequence (a stray continuation byte, a
/// truncated, overlong or surrogate sequence, a value above U+10FFFF) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

/// The length of the longest prefix of text that ends on a whole UTF-8 sequence: a
/// sequence cut off at the end is left for the next piece of a stream.
size_t CompleteUtf8Prefix(std::string_view text);

#ifdef _WIN32
/// UTF-8 to the wide text of the Windows API, whose wchar_t is UTF-16.
inline std::wstring Wide(std::string_view utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

/// The wide text of the Windows API to UTF-8.
inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}
#endif

}  // namespace zentrel::platform
