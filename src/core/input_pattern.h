// Reading dates and times in a fixed layout, written in the letters of the -f pattern
// language: "dd.mm.yyyy" reads 25.12.2024, "yyyymmdd" 20241225, "dd/mmm/yyyy:hh:nn:ss"
// 10/Oct/2024:13:55:36 (a web server's log). A letter run reads what it would print:
//
//   d, m, h, n, s   one or two digits        dd, mm, hh, nn, ss   exactly two
//   yy              two digits, in the regional two-digit-year window
//   yyyy            four digits              z: one to three digits, zzz exactly three
//   mmm, mmmm       a short or long month name (the long one also as a date declines it)
//   ddd, dddd       a day name, read and not checked against the date
//   am/pm, a/p      the markers as the pattern spells them, any case; ampm the regional ones
//   "/" and ":"     the regional date and time separators
//
// Quoted text and every other character must stand in the text as they are. "m" right after
// an hour is minutes, as in -f. A field the pattern leaves out takes the current year, the
// current month (when a day is read) or the first, and midnight; a pattern of clock fields
// alone reads a time today. Blanks around the text are ignored.
#pragma once

#include <optional>
#include <string_view>

#include "core/date_time.h"

namespace zentrel {

/// Throws ConversionError("Cannot read with this pattern") for a pattern with a letter run
/// that reads nothing fixed (a regional pattern such as ddddd, t or c, elapsed time in
/// brackets), or with an "a" that starts no AM/PM marker.
void CheckInputPattern(std::string_view pattern);

/// The date-time the text names in the pattern's layout. Throws ConversionError when the
/// text does not follow the pattern, names a date or time that does not exist, or the
/// pattern cannot read (as CheckInputPattern).
TDateTimeValue ReadWithPattern(std::string_view pattern, std::string_view text,
                               const TFormatSettings& settings, TDateTimeValue now);

}  // namespace zentrel
