// Reading a holidays file: the dates, one a line, that business-day counting and stepping
// leave out. The file may come from any editor: UTF-8 with or without a byte-order mark,
// or UTF-16 (little- or big-endian) with one, as Windows editors save it; lines end in LF
// or CR LF. A line that is blank, or whose first character is '#', holds no date:
//
//   # 2024 closings
//   12/25/2024
//   2025-01-01
//
// gives the lines 2 and 3, which the caller reads as dates and names by number when one
// is not a date.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

/// A line of a holidays file that holds a value: its number, counting from 1 every line of
/// the file (blank and comment lines too), and its text in UTF-8 without the blanks and
/// control characters at either end.
struct THolidayLine {
  std::int64_t Number = 0;
  std::string Text;
  friend bool operator==(const THolidayLine&, const THolidayLine&) = default;
};

/// The file's bytes as UTF-8: a UTF-8 byte-order mark is dropped; UTF-16 after its mark
/// (FF FE little-endian, FE FF big-endian) is converted, an unpaired surrogate or a final
/// odd byte becoming U+FFFD. Any other bytes are kept as they are, valid UTF-8 or not.
std::string HolidaysFileText(std::string_view bytes);

/// The lines of the file that hold a value (see above), in file order, from its raw bytes.
/// Never fails: what a line holds is for the caller to judge.
std::vector<THolidayLine> ReadHolidayLines(std::string_view bytes);

}  // namespace zentrel
