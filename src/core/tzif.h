// The reader of time-zone files: TZif, the binary format of the system's zoneinfo
// (RFC 8536, versions 1 to 4).
//
// A TZif file holds a zone's history twice: first with 32-bit times (version 1, which
// ends in 2038 and starts in 1901), then, from version 2 on, again with 64-bit times and
// followed by a POSIX TZ rule for the times after its last transition. The reader takes
// the 64-bit data where there is any and the 32-bit data of a version 1 file otherwise.
// Leap-second records (the "right/" variants of the zones) count a clock that is not the
// civil one, so a file that has them is refused.
//
// The bytes come from anywhere (a file in TZDIR is the user's to choose), so every count
// is checked against the bytes that are there before anything is read: a damaged or
// hostile file is refused, never read beyond its end.
#pragma once

#include <optional>
#include <string_view>

#include "core/zone_rules.h"

namespace zentrel {

/// The rules held by the bytes of a TZif file; nullopt for bytes that are not a complete
/// and consistent TZif file (a wrong magic or version, counts beyond the data, a type
/// index or abbreviation out of range, times out of order, an offset of 26 hours or more, a
/// footer that is no POSIX TZ rule, leap-second records).
std::optional<TZoneRules> ReadTzif(std::string_view bytes);

}  // namespace zentrel
