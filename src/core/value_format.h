// Plain values rendered for output: integers padded the printf way, the general
// floating-point text, and the TRUE/FALSE of every yes-or-no answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/format_settings.h"

namespace zentrel {

/// Appends the number in decimal, at least precision digits (zero-padded) and at least
/// width columns (blank-padded on the left), sign included. Numbers are never cut.
void AppendInteger(std::string& out, std::int64_t value, std::size_t width = 0,
                   std::size_t precision = 0);

/// Fills the pattern with the values in order, printf-style on 64-bit integers: "%d",
/// "%.Nd" (at least N digits, zero-padded), "%Nd" (right-aligned in N columns) and "%%".
/// Numbers are never cut. A conversion that is not one of these, or that has no value left,
/// is copied as it stands; every other character is copied unchanged.
std::string FormatIntegers(std::string_view pattern, std::span<const std::int64_t> values);

/// The general floating-point text: whole numbers as plain digits, fractions with up to 15
/// significant digits, trailing zeros dropped, the regional decimal separator.
std::string FloatToText(double value, const TFormatSettings& settings);

/// "TRUE" or "FALSE", as every yes-or-no answer of the program prints.
std::string_view YesNo(bool value);

}  // namespace zentrel
