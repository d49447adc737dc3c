// Date-times as machines write them: ISO 8601 and Unix time. Unlike the regional forms,
// these mean the same date under every regional setting, so a script can pass on what a
// log, a database, `date +%s` or a JSON document gave it:
//
//   2024-12-25                   that date at midnight
//   2024-12-25T10:30             with a time of day ("T" or one blank between), seconds
//   2024-12-25 10:30:15.25       and a fraction optional (digits past the third are cut)
//   2024-W52-3, 2024-W52         a week date, the week's Monday without a weekday
//   2024-360                     an ordinal date, the 360th day of 2024 (each with a time)
//   2024-12-25T10:30:00Z         a moment in UTC; +01:00, -0530 and +05 give other offsets
//   @1735122600, @-1.5           seconds since 01/01/1970 00:00 UTC, up to three decimals
//
// A text with a zone or an "@" names a moment, not a wall-clock reading: the reader hands
// back the moment, and the caller shows it in the display zone. A text in none of these
// forms is left to the regional reading; one in these forms with a field out of range
// (2024-02-30, 24:00:01, month 13, week 53 of a year that has 52, day 366 of a common year)
// does not convert, nor does a moment so far beyond either end of the calendar that no
// zone shows it in years 1 to 9999.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/date_time.h"
#include "core/moment.h"

namespace zentrel {

struct TMachineDateTime {
  /// The date-time as written, for a text without a zone.
  TDateTimeValue Wall;
  /// The moment of a text with a zone or "@" (Wall is then not used).
  std::optional<TMoment> Moment;
};

/// The date-time of an ISO 8601 or Unix-time text (blanks around it ignored); nullopt for a
/// text in neither form. Throws ConversionError for a text in one of the forms whose date,
/// time or offset does not exist or lies outside years 1 to 9999.
std::optional<TMachineDateTime> ReadMachineDateTime(std::string_view text);

/// Milliseconds from 01/01/1970 00:00 to the value, both on one clock (negative before);
/// throws as TDateTimeValue::SinceCalendarStart.
std::int64_t UnixMilliseconds(TDateTimeValue value);
/// The value that many milliseconds after 01/01/1970 00:00; throws ConversionError outside
/// years 1 to 9999.
TDateTimeValue FromUnixMilliseconds(std::int64_t ms);

}  // namespace zentrel
