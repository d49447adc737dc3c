// The kernel facts a Windows system offers the system queries, beside its registry: the
// two memory calls, the 32-on-64 query, the processor topology, the process affinity, and
// running one command to collect its output. Each reports what the system call said, not
// what it means: the meaning is worked out, and tested, in the queries above this layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zentrel::platform {

/// Outcome of asking whether this process runs as a 32-bit program on 64-bit Windows.
enum class TWow64Query {
  Unavailable,  ///< the system has no such query (older 32-bit systems).
  Failed,       ///< the query exists but reported failure.
  No,           ///< the process does not run under the 32-bit subsystem.
  Yes,          ///< the process runs under the 32-bit subsystem of 64-bit Windows.
};

/// Which processor-topology call the system offers.
enum class TTopologyApi {
  Extended,  ///< the variable-length entries with one affinity mask per processor group.
  Legacy,    ///< the fixed-length entries with one processor mask each.
  None,      ///< neither call exists.
};

enum class TProcessorRelationship { ProcessorCore, NumaNode, Cache, ProcessorPackage, Group, Other };

/// One entry of the processor topology.
struct TTopologyEntry {
  TProcessorRelationship Relationship = TProcessorRelationship::Other;
  /// The affinity masks of the entry's processor groups (one mask for a legacy entry).
  std::vector<std::uint64_t> Masks;
};

struct TProcessorTopology {
  TTopologyApi Api = TTopologyApi::None;
  /// The call exists but failed: the first call did not ask for a larger buffer, or the
  /// second call failed. ErrorCode and ErrorText are the system's error.
  bool Failed = false;
  std::uint32_t ErrorCode = 0;
  std::string ErrorText;
  std::vector<TTopologyEntry> Entries;
};

class WindowsFacts {
 public:
  virtual ~WindowsFacts() = default;
  /// HKEY_LOCAL_MACHINE, read only.
  virtual Registry& MachineRegistry() = 0;
  /// The installed memory in KB from the newer memory call; nullopt when the call does not
  /// exist or reports failure.
  virtual std::optional<std::uint64_t> PhysicallyInstalledMemoryKB() = 0;
  /// The total physical bytes of the older memory call, an unsigned 32-bit count.
  virtual std::uint32_t GlobalMemoryTotalBytes() = 0;
  virtual TWow64Query QueryWow64() = 0;
  /// True when the running executable is itself a 64-bit program.
  virtual bool ProgramIs64Bit() = 0;
  virtual TProcessorTopology ProcessorTopology() = 0;
  /// The process affinity mask; nullopt when it cannot be read.
  virtual std::optional<std::uint64_t> ProcessAffinityMask() = 0;
  /// The processor count of the system information call.
  virtual std::uint32_t SystemInfoProcessorCount() = 0;
  /// Runs one command line, waits for it to end and returns every byte it wrote to
  /// standard output, unconverted; nullopt when it could not be started.
  virtual std::optional<std::string> RunAndCapture(const std::string& commandLine) = 0;
};

}  // namespace zentrel::platform
