// Finding a time zone by what a user types: "UTC", a fixed offset, or a name of the tz
// database.
//
//   UTC                    the UTC zone (no data needed)
//   +05:30  -08:00  +0530  a fixed offset east (+) or west (-) of UTC, as ISO 8601 writes
//   +05     -0800          offsets: hours 00 to 23 (24 hours and more is no offset a zone
//                          has), minutes 00 to 59, the sign always written
//   Europe/Berlin          a zone of the tz database: the system's zoneinfo where it has
//                          the name (TZDIR, else /usr/share/zoneinfo; never on Windows),
//                          else the copy built into the program (core/embedded_zones.h)
//
// A name is a relative path of the database, nothing more: an empty name, an absolute
// path, "." or ".." components, empty components and characters outside letters, digits,
// "/", "_", "-", "+" and "." are refused before any file is read. A file that is not valid
// TZif (zone.tab, tzdata.zi, a damaged file) names no zone; where the system's file is
// unreadable the built-in copy of the name is used.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/time_zone.h"
#include "platform/platform.h"

namespace zentrel {

/// The offset in seconds east of UTC of "+hh:mm", "+hhmm" or "+hh" (or "-"); nullopt for a
/// text in none of these forms. Throws ConversionError for one in them whose hours exceed
/// 23 or minutes 59.
std::optional<std::int32_t> ReadFixedOffset(std::string_view text);

/// True when a name may be looked up as a path of the tz database (see above).
bool IsSafeZoneName(std::string_view name);

/// The zone of a name (see above); nullopt when no zone has that name. Reads the zone's
/// data only here, through os.ReadZoneFile and then the built-in table.
std::optional<TTimeZone> FindZone(std::string_view name, platform::Platform& os);

}  // namespace zentrel
