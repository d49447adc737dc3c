// The text pieces of the comparison report that are read or built once per section: the
// heading pattern filled with the section number, and the plain time texts of timing files
// read without the general duration parser (the durations themselves are rendered by the
// compiled formats of durations/duration_format.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "durations/duration.h"

namespace zentrel {

/// A printf-style heading pattern with at most one integer conversion: %d, %i, %u, %x, %X
/// or %o with the flags "-+ 0#", a width and a precision (up to kHeadingWidthMax each) and
/// an optional l or ll; "%%" is a percent sign. The pattern is user input, so it is read
/// here and never handed to the C library's printf family.
class THeadingPattern {
 public:
  static constexpr int kHeadingWidthMax = 1000;

  /// Reads the pattern; false when it holds any other conversion (%s, %n, %f, "*", ...),
  /// more than one conversion, a width or precision above kHeadingWidthMax, or ends in a
  /// lone '%'. The pattern is then unusable.
  bool Compile(std::string_view pattern);
  /// Appends the pattern filled with the number.
  void AppendTo(std::string& out, std::int64_t number) const;
  /// Writes the pattern filled with the number at out, which has room for MaxSize bytes;
  /// returns the end of what was written.
  char* Write(char* out, std::int64_t number) const;
  /// The most bytes the pattern filled with any number takes.
  std::size_t MaxSize() const;
  /// The pattern filled with the number ("" when Compile failed).
  std::string Format(std::int64_t number) const;

 private:
  bool compiled_ = false;
  std::string prefix_, suffix_;  // literal text around the conversion, "%%" resolved
  bool hasConversion_ = false;
  char conversion_ = 'd';
  bool leftAlign_ = false, plusSign_ = false, blankSign_ = false, zeroPad_ = false,
       alternate_ = false;
  int width_ = 0;
  int precision_ = -1;  // -1: none given
  bool plainDecimal_ = false;  // %d, %i or %u with at most a precision of up to 20
};

/// Appends value as printf's "%<width>.<precision>d" does: blank padding on the left up
/// to width, zeros up to precision digits (-1 for none); nothing is ever cut.
void AppendDecimal(std::string& out, std::int64_t value, int width, int precision);

/// Reads a time text the way ParseDuration reads it, when the text has the plain form of a
/// timing file: one to four colon-separated runs of 1 to 9 digits whose last run carries a
/// fraction of 1 to 9 digits after one '.' ("01:20:29.730", "5:07.003", "0:00:00:05.5").
/// Every field is then valid, so the zero mode plays no part. Returns false, leaving ms
/// alone, for any other text; the caller gives that to ParseDuration.
bool ParsePlainDuration(std::string_view text, std::int64_t& ms);

}  // namespace zentrel
