// Reading the dates and times a user types: the one order in which every text is tried,
// and what the text names.
//
// ISO 8601 and Unix time come first ("2024-12-25", "2024-12-25T10:30Z", "@1735122600"):
// they read the same under every regional setting, and no regional form accepts them.
// Anything else is read in the regional forms of the run's settings, where a time alone
// falls on today.
//
// A text with a zone or "@" names a moment; any other names a wall-clock reading. The two
// meet only through the run's display zone: a moment is shown there as a reading, and a
// reading is taken there as a moment by the zone's rule for skipped and repeated hours
// (core/time_zone.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/date_time.h"
#include "core/moment.h"
#include "core/run_context.h"
#include "core/time_zone.h"

namespace zentrel {

/// What a typed date-time names: a wall-clock reading, or a moment.
struct TTypedDateTime {
  /// The reading, for a text without a zone.
  TDateTimeValue Wall;
  /// The moment of a text with a zone or "@".
  std::optional<TMoment> Moment;

  static TTypedDateTime Reading(TDateTimeValue wall) { return {wall, std::nullopt}; }
  bool IsMoment() const { return Moment.has_value(); }
  /// The reading in the zone: a moment as the zone shows it, a reading as it is. Throws
  /// ConversionError when the moment shows outside years 1 to 9999 there.
  TDateTimeValue WallIn(const TTimeZone& zone) const {
    return Moment ? zone.WallClockOf(*Moment) : Wall;
  }
  /// The moment in the zone: a reading taken there by its rule, a moment as it is.
  TMoment MomentIn(const TTimeZone& zone) const { return Moment ? *Moment : zone.MomentOf(Wall); }
};

/// What the text names. Throws ConversionError for a text that names no date-time.
TTypedDateTime ReadTypedDateTime(std::string_view text, TRunContext& run,
                                 TAmbiguousText ambiguous = TAmbiguousText::Date);

/// The date-time the text names, as the run's display zone shows it. Throws
/// ConversionError for a text that names none, or a moment shown outside years 1 to 9999.
inline TDateTimeValue ReadDateTimeText(std::string_view text, TRunContext& run,
                                       TAmbiguousText ambiguous = TAmbiguousText::Date) {
  return ReadTypedDateTime(text, run, ambiguous).WallIn(run.Zone);
}

/// The regional short date as messages name it: "mm/dd/yyyy".
std::string RegionalDatePatternText(const TFormatSettings& settings);
/// The regional time of day as messages name it: "hh:nn:ss".
std::string RegionalClockPatternText(const TFormatSettings& settings);

}  // namespace zentrel
