// The copy of the tz database built into the program: every zone of the tzdata package the
// build found, as the bytes of its TZif file, for systems without zoneinfo (Windows) and
// names the system's copy lacks. The table is generated at build time
// (cmake/embed_zoneinfo.cmake) and is constant data: nothing reads it until a zone is
// looked up by name.
#pragma once

#include <cstddef>
#include <string_view>

namespace zentrel {

struct TEmbeddedZone {
  std::string_view Name;  ///< "Europe/Berlin"
  std::string_view Data;  ///< the TZif file (its 32-bit data left out)
};

/// The number of embedded zones.
std::size_t EmbeddedZoneCount();
/// The zone at an index below EmbeddedZoneCount(); the zones are sorted by name (byte
/// order), and links share their target's data.
TEmbeddedZone EmbeddedZoneAt(std::size_t index);
/// The version of the tzdata the table was made from ("2025b"), "unknown" when the build
/// found none.
std::string_view EmbeddedTzdataVersion();

}  // namespace zentrel
