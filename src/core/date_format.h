// Rendering of date-time values through a pattern of tokens ("mm/dd/yyyy hh:nn:ss.zzz",
// "mmmm dd, yyyy", a user's -f pattern). Letters are case-insensitive and a run of one
// letter is one token: d/dd/ddd/dddd/ddddd/dddddd, m/mm/mmm/mmmm (minutes after an hour
// token), y/yy/yyyy, h/hh, n/nn, s/ss, z/zzz, t/tt, c, am/pm, a/p, ampm, "/" and ":" as the
// regional separators, quoted text copied, and in interval mode "[" ... "]" for elapsed
// hours, minutes and seconds counted from day 0. The letters reserved for regional calendar
// forms print Gregorian values: "e" the year without leading zeros, "g" the era name "AD";
// "f" is copied like any other letter. Tokens that would expand a regional pattern from
// inside a regional pattern ("ddddd", "t", "c" and the like) print nothing.
#pragma once

#include <string>
#include <string_view>

#include "core/date_time.h"

namespace zentrel {

/// The fixed patterns of the program's own date texts, used whatever the regional settings
/// say: a date, and a moment to the millisecond (the form of every reference moment).
inline constexpr std::string_view kDatePattern = "mm/dd/yyyy";
inline constexpr std::string_view kMomentPattern = "mm/dd/yyyy hh:nn:ss.zzz";

/// The value rendered through the pattern. Throws ConversionError("Illegal character in
/// format string") for an "a" that starts no AM/PM token, and ConversionError when the value
/// lies outside years 1 to 9999.
std::string FormatDateTimeValue(std::string_view pattern, TDateTimeValue value,
                                bool intervalMode, const TFormatSettings& settings);

}  // namespace zentrel
