// Which operating system runs the program: product name, version numbers, build, update
// revision, release and a composed edition text; whether it is a server edition; whether
// it is 64-bit; and whether it waits for a reboot. On Windows every answer comes from the
// registry under HKEY_LOCAL_MACHINE or one kernel query; on other systems from the host's
// own description (see platform/system_facts.h). Nothing is cached: each call reads
// afresh. Failures throw ConversionError.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace zentrel {

struct TOSVersionInfoQv {
  std::int32_t MajorVersion = 0;
  std::int32_t MinorVersion = 0;
  std::int32_t BuildNumber = 0;
  /// Update build revision; 0 below build 10240.
  std::int32_t Revision = 0;
  /// Below build 9200 followed by a blank and the service-pack text.
  std::string ProductName;
  std::string Edition;
  /// For a server edition, without its leading "Server" after GetOSEdition.
  std::string EditionID;
  /// Major, minor and build joined by ".".
  std::string VersionText;
  /// Read only below build 9200.
  std::string ServicePack;
  /// Read only from build 10240.
  std::string ReleaseId;
  /// "x64" or "x86".
  std::string Architecture;
};

/// Fills the version fields; true for a server edition. When the version key cannot be
/// opened the record is left as it was. Throws ConversionError for a build number or
/// version that does not convert, a missing integer value, or a value of the wrong type.
bool GetOSVersionInfo(platform::Platform& os, TOSVersionInfoQv& info);

/// Clears the texts, fills the version fields, the architecture and the edition text.
/// Throws as GetOSVersionInfo and IsWindows64.
void GetOSEdition(platform::Platform& os, TOSVersionInfoQv& info);

/// True when the operating system is 64-bit. Throws ConversionError("IsWindows64: Bad
/// Process Handle") when the system's query fails.
bool IsWindows64(platform::Platform& os);

/// The answers of a system without a registry. Throws ConversionError("No system
/// information is available") when the system offers neither those nor the Windows facts.
platform::HostFacts& HostFactsOrFail(platform::SystemFacts& system);

/// The three reboot indicators.
struct TRebootStatusQv {
  bool Pending = false;       ///< a servicing operation waits for a restart
  bool Required = false;      ///< an update asks for a restart
  bool FilesPending = false;  ///< file renames wait for the next start
  bool Any() const { return Pending || Required || FilesPending; }
};

/// The reboot indicators, each tested every time. Never fails: a key that cannot be opened
/// counts as absent.
TRebootStatusQv GetRebootStatus(platform::Platform& os);

}  // namespace zentrel
