// The system facts of the script-variable listing: operating-system version, installed
// memory, processor, reboot status and bitness. A Windows system offers its registry and
// kernel calls (windows_facts.h), which the system queries interpret; any other system
// answers the same questions from its own sources (HostFacts below), each answer already
// worked out by its backend.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows_facts.h"

namespace zentrel::platform {

/// The operating system as it describes itself.
struct THostOs {
  std::string Name;        ///< the product name ("Debian GNU/Linux").
  std::string VersionId;   ///< the release of the product ("12", "22.04"); may be empty.
  std::string VariantId;   ///< the edition or variant ("server", "workstation"); may be empty.
  std::string KernelRelease;  ///< the kernel's release text ("6.1.0-18-amd64").
  /// The leading numbers of the kernel release: 6.1.0-18-amd64 gives 6, 1, 0 and 18.
  std::int32_t Major = 0, Minor = 0, Patch = 0, Revision = 0;
  bool Is64Bit = false;    ///< the machine runs a 64-bit kernel.
};

struct THostMemory {
  std::int64_t KB = 0;
  /// One sentence naming where the value came from, shown beside the memory rows.
  std::string Note;
};

struct THostProcessor {
  std::string ModelName;  ///< the processor's model text, uncleaned.
  std::string Family;     ///< vendor, family, model and stepping (or their equivalents).
  std::int32_t SpeedMHz = 0;
  std::int32_t Sockets = 0;
  std::int32_t PhysicalCores = 0;
  std::int32_t LogicalCores = 0;
};

struct THostReboot {
  bool Pending = false;
  bool Required = false;
  bool FilesPending = false;
};

/// The answers of a system without a registry. Every call reads afresh; none fails: what
/// cannot be read is reported as empty text or 0.
class HostFacts {
 public:
  virtual ~HostFacts() = default;
  virtual THostOs Os() = 0;
  virtual THostMemory Memory() = 0;
  virtual THostProcessor Processor() = 0;
  virtual THostReboot Reboot() = 0;
};

/// Exactly one of the two sources is offered.
class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  /// The registry and kernel calls of Windows; nullptr on any other system.
  virtual WindowsFacts* Windows() = 0;
  /// The answers of any other system; nullptr on Windows.
  virtual HostFacts* Host() = 0;
};

}  // namespace zentrel::platform
