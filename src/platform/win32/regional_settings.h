// The regional settings of a Windows user locale, translated into the program's own
// pattern language. The Windows side only looks the items up (GetLocaleInfoEx); building
// and translating is pure, so every rule is tested on any platform.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/format_settings.h"

namespace zentrel::platform {

/// The items of a user locale that make up the regional settings.
enum class TLocaleItem {
  DateSeparator,
  TimeSeparator,
  DecimalSeparator,
  ShortDatePattern,
  LongDatePattern,
  ShortTimePattern,
  LongTimePattern,
  AmText,
  PmText,
  LongMonthName,   ///< index 0 is January
  GenitiveMonthName,  ///< the long name after a day ("7 декабря"), index 0 is January
  ShortMonthName,  ///< index 0 is January
  LongDayName,     ///< index 0 is Sunday
  ShortDayName,    ///< index 0 is Sunday
};

/// Looks one item up (as UTF-8); nullopt when the system cannot say.
using TLocaleLookup = std::function<std::optional<std::string>(TLocaleItem item, int index)>;

/// A Windows date or time picture ("M/d/yyyy", "dddd, MMMM d, yyyy", "HH:mm:ss",
/// "h:mm:ss tt", "d. MMMM yyyy 'r.'") in the program's pattern tokens ("m/d/yyyy",
/// "h:nn:ss AMPM", ...). dateSeparator and timeSeparator are the locale's own: a literal
/// equal to one of them becomes the "/" or ":" token, any other "/" or ":" and every letter
/// that is no Windows picture are quoted, so the rendering is the one Windows gives.
std::string TranslateLocalePattern(std::string_view picture, char dateSeparator,
                                   char timeSeparator);

/// The regional settings from the lookup. Every item the lookup cannot supply, or supplies
/// empty, keeps the default of TFormatSettings; a separator is taken when it is a single
/// ASCII character.
TFormatSettings BuildRegionalSettings(const TLocaleLookup& lookup);

}  // namespace zentrel::platform
