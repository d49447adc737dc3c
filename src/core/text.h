// Text helpers shared by every unit: ASCII case folding, trimming, the case-insensitive
// replacement the printers are built on, quoting, UTF-8 encoding, and escaping input that a
// message echoes.
#pragma once

#include <string>
#include <string_view>

namespace zentrel {

/// Upper-cases ASCII letters a to z only; every other byte is kept, so lengths and
/// positions never shift on non-ASCII text.
std::string UpperAscii(std::string_view text);
char UpperAscii(char c);
/// Lower-cases an ASCII letter A to Z; every other byte is kept.
constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

/// Removes blanks and control characters (codes 0 to 32) from both ends.
std::string_view TrimControls(std::string_view text);

/// True for the ASCII digits 0 to 9.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// True for white space: blank, tab, line feed, carriage return, vertical tab, form feed.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
/// Removes white space (IsBlank) from both ends.
std::string_view TrimBlanks(std::string_view text);

/// The source with the pattern replaced, compared without regard to ASCII case; every
/// occurrence, or only the first. Searching resumes after each match, never inside the
/// inserted replacement. An empty pattern yields the source unchanged.
std::string ReplaceText(std::string_view source, std::string_view pattern,
                        std::string_view replacement, bool firstOnly = false);

/// Equal without regard to ASCII case.
bool SameText(std::string_view a, std::string_view b);

/// A text that is empty or holds a blank, in double quotes; any other unchanged.
std::string QuoteIfSpaced(std::string_view text);

/// Appends one code point (below U+110000) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

/// The text made safe to echo inside a message. Every byte that is not part of valid UTF-8
/// (a lone byte of a cut character, an overlong form, a surrogate) and every control byte
/// (0x00 to 0x1F, 0x7F) is shown as \xHH, two upper-case hex digits; the characters a
/// terminal shows as nothing or obeys (the C1 controls, the byte-order mark, the direction
/// marks, embeddings, overrides and isolates) as \uHHHH. Every other character is kept, a
/// backslash too, so a path or a date that echoed well before echoes the same:
///
///   12/25/2024 and a byte 1        echoes as   12/25/2024\x01
///   -1 and U+FF11 cut after 2 bytes echoes as  -1\xEF\xBC
///   a byte-order mark and 12/25    echoes as   \uFEFF12/25
///   C:\Días\x.txt                  echoes as itself
std::string EscapeForEcho(std::string_view text);

}  // namespace zentrel
