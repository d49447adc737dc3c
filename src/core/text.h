// Text helpers shared by every unit: the line end, the conversion error, ASCII case
// folding, trimming, the case-insensitive replacement the printers are built on, and the
// padded rendering of integers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentrel {

/// The one line end of the program's output.
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

/// A date, time, number or system fact that does not convert. Thrown where the fault is
/// found and caught once by the main run, which shows the syntax-error screen.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Upper-cases ASCII letters a to z only; every other byte is kept, so lengths and
/// positions never shift on non-ASCII text.
std::string UpperAscii(std::string_view text);
char UpperAscii(char c);

/// Removes blanks and control characters (codes 0 to 32) from both ends.
std::string_view TrimControls(std::string_view text);

/// The source with the pattern replaced, compared without regard to ASCII case; every
/// occurrence, or only the first. Searching resumes after each match, never inside the
/// inserted replacement. An empty pattern yields the source unchanged.
std::string ReplaceText(std::string_view source, std::string_view pattern,
                        std::string_view replacement, bool firstOnly = false);

/// True when the text holds the pattern, compared without regard to ASCII case.
bool ContainsText(std::string_view text, std::string_view pattern);

/// Equal without regard to ASCII case.
bool SameText(std::string_view a, std::string_view b);

/// A text that is empty or holds a blank, in double quotes; any other unchanged.
std::string QuoteIfSpaced(std::string_view text);

/// Appends one code point (below U+110000) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

/// Appends the number in decimal, at least precision digits (zero-padded) and at least
/// width columns (blank-padded on the left), sign included. Numbers are never cut.
void AppendInteger(std::string& out, std::int64_t value, std::size_t width = 0,
                   std::size_t precision = 0);

/// Fills the pattern with the values in order, printf-style on 64-bit integers: "%d",
/// "%.Nd" (at least N digits, zero-padded), "%Nd" (right-aligned in N columns) and "%%".
/// Numbers are never cut. A conversion that is not one of these, or that has no value left,
/// is copied as it stands; every other character is copied unchanged.
std::string FormatIntegers(std::string_view pattern, std::span<const std::int64_t> values);

}  // namespace zentrel
