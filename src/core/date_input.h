// Reading the dates and times a user types: the one order in which every text is tried.
//
// ISO 8601 and Unix time come first ("2024-12-25", "2024-12-25T10:30Z", "@1735122600"):
// they read the same under every regional setting, and no regional form accepts them.
// Anything else is read in the regional forms of the run's settings, where a time alone
// falls on today. A moment (a text with a zone, or "@") is shown as the run shows moments.
#pragma once

#include <string>
#include <string_view>

#include "core/date_time.h"
#include "core/run_context.h"

namespace zentrel {

/// The date-time the text names. Throws ConversionError for a text that names none.
TDateTimeValue ReadDateTimeText(std::string_view text, TRunContext& run,
                                TAmbiguousText ambiguous = TAmbiguousText::Date);

/// The regional short date as messages name it: "mm/dd/yyyy".
std::string RegionalDatePatternText(const TFormatSettings& settings);
/// The regional time of day as messages name it: "hh:nn:ss".
std::string RegionalClockPatternText(const TFormatSettings& settings);

}  // namespace zentrel
