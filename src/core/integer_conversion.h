// The conversion of numeric option values (-p, -a, -u, -r) to 32-bit integers.
//
// Accepted: leading blanks and tabs, then an optional "+" or "-", then a digit run that is
// decimal by default, hexadecimal after "$" or "0x" (either case, digits a-f in either case),
// binary after "%" and octal after "&". The sign comes before the prefix and applies to the
// whole value, so "-$10" is -16 and "-%101" is -5; a sign after the prefix ("$-10") is junk.
// The value must lie in the signed 32-bit range after the sign is applied, in every base:
// "-2147483648" and "-$80000000" are accepted, "2147483648" and "$FFFFFFFF" are not (a hex
// value is a number, not a bit pattern).
//
//   StrToInt32(" \t-12")  == -12
//   StrToInt32("0x1F")    == 31
//   StrToInt32("&17")     == 15
//   StrToInt32("12 ")     throws: nothing may follow the digits
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentrel {

/// The value of the text as above. Throws ConversionError for anything else: an empty or
/// blank text, a sign or prefix without digits, a digit that does not belong to the base,
/// any trailing character, or a value outside -2147483648 to 2147483647.
std::int32_t StrToInt32(std::string_view text);
/// The value of the text as above, or nullopt for anything else: for callers to whom a
/// text that is no number is an answer, not a failure.
std::optional<std::int32_t> ReadInt32(std::string_view text);

}  // namespace zentrel
