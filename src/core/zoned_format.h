// Texts of a moment that carry their zone: ISO 8601 and the date of an e-mail (RFC 5322).
//
// A wall-clock reading alone does not say when something happened; with the offset it was
// read at, it does. These writers take what a zone shows (TZonedDateTime, from
// TTimeZone::Show) and write both parts, in the fixed forms machines read, whatever the
// regional settings:
//
//   ISO 8601, date          2024-12-25
//             minutes       2024-12-25T10:30+01:00
//             seconds       2024-12-25T10:30:00+01:00     (UTC: 2024-12-25T10:30:00Z)
//             milliseconds  2024-12-25T10:30:00.000+01:00
//             week          2024-W52-3     (the week date: week-based year, week, weekday)
//             ordinal       2024-360       (the year and the day of it)
//   RFC 5322                Wed, 25 Dec 2024 10:30:00 +0100
//
// A precision cuts the fields below it (10:30:59.999 at minutes is 10:30), as clocks do.
// Offsets of local mean time that are not whole minutes are written to the second in ISO
// 8601 ("-04:56:02"); the e-mail form has no place for seconds and writes the whole minutes
// toward zero ("-0456").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/time_zone.h"

namespace zentrel {

/// How much an ISO 8601 text writes: the date alone (as a calendar, week or ordinal date),
/// or the date and time to the minute, second or millisecond with the offset.
enum class TIsoPrecision { Date, Minutes, Seconds, Milliseconds, Week, Ordinal };

/// The precision named "date", "minutes", "seconds", "ms", "week" or "ordinal"; nullopt
/// for any other text.
std::optional<TIsoPrecision> IsoPrecisionNamed(std::string_view name);

/// The ISO 8601 text at a precision ("Z" for the offset in the UTC zone). Throws
/// ConversionError when the reading lies outside years 1 to 9999.
std::string FormatIso8601(const TZonedDateTime& shown, TIsoPrecision precision);

/// "Wed, 25 Dec 2024 10:30:00 +0100"; throws as FormatIso8601.
std::string FormatRfcEmail(const TZonedDateTime& shown);

/// "+0100", "-0800", "+0000": the e-mail form of an offset.
std::string RfcOffsetText(std::int32_t offsetSeconds);

}  // namespace zentrel
