// The system facts of a Linux system, read from its own files: the product from
// os-release, the version numbers from the kernel release, the memory from /proc/meminfo,
// the processor from /proc/cpuinfo and the cpufreq folders of /sys, the reboot status
// from the files the package tools leave. Every file is looked up below a root folder, so
// tests can point the backend at a tree of fixture files. The readers of file contents
// are pure functions of the text, safe on any bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_facts.h"

namespace zentrel::platform {

/// The fields of os-release that the listing uses.
struct TOsRelease {
  std::string Name;  ///< "Linux" when the file does not name the product
  std::string VersionId;
  std::string VariantId;
};

/// Reads os-release text: KEY=value lines, values bare or in single or double quotes,
/// backslash escapes, "#" comments. Control characters inside values become blanks.
TOsRelease ParseOsRelease(std::string_view text);

struct TKernelNumbers {
  std::int32_t Major = 0, Minor = 0, Patch = 0, Revision = 0;
};

/// The leading numbers of a kernel release: "6.1.0-18-amd64" gives 6, 1, 0, 18;
/// "6.8.12" gives 6, 8, 12, 0. A number that is missing or too large reads as 0.
TKernelNumbers ParseKernelRelease(std::string_view release);

/// True for a machine name of a 64-bit kernel ("x86_64", "aarch64", "s390x", ...).
bool MachineIs64Bit(std::string_view machine);

/// The MemTotal line of /proc/meminfo in KB; nullopt when it is missing or does not read.
std::optional<std::int64_t> ParseMemTotalKB(std::string_view meminfo);

/// One "processor" block of /proc/cpuinfo; numbers are -1 when absent.
struct TCpuInfoEntry {
  std::int32_t Processor = -1;
  std::int32_t PhysicalId = -1;
  std::int32_t CoreId = -1;
  double MHz = 0;
  std::string ModelName, VendorId, Family, Model, Stepping;  ///< x86
  std::string Implementer, Architecture, Part, Revision;     ///< ARM
  std::string OtherModel;  ///< the model text other architectures give ("cpu", "uarch")
};

struct TCpuInfo {
  std::vector<TCpuInfoEntry> Entries;
  /// Lines outside the processor blocks (older ARM kernels name the model there).
  std::string GlobalModel, Hardware;
};

TCpuInfo ParseCpuInfo(std::string_view text);

/// A cpufreq file holding kHz as MHz, rounded; 0 when it does not read.
std::int32_t ParseFrequencyMHz(std::string_view text);

/// The processor description from the parsed cpuinfo, the highest cpufreq maximum (0 when
/// none was read), the processors this process may run on (empty when unknown) and the
/// machine name.
THostProcessor DescribeProcessor(const TCpuInfo& cpuinfo, std::int32_t maxFrequencyMHz,
                                 const std::vector<std::int32_t>& allowedCpus,
                                 std::string_view machine);

/// What the backend reads besides files.
struct TLinuxSources {
  std::string Root = "/";        ///< prefix of every file path; ends in "/"
  std::string KernelRelease;     ///< uname's release
  std::string Machine;           ///< uname's machine
  std::vector<std::int32_t> AllowedCpus;  ///< this process's affinity set
};

/// uname and sched_getaffinity of the running process, with the root "/".
TLinuxSources LiveLinuxSources();

class LinuxSystem final : public SystemFacts, public HostFacts {
 public:
  explicit LinuxSystem(TLinuxSources sources);

  WindowsFacts* Windows() override { return nullptr; }
  HostFacts* Host() override { return this; }

  THostOs Os() override;
  THostMemory Memory() override;
  THostProcessor Processor() override;
  THostReboot Reboot() override;

 private:
  std::optional<std::string> ReadFile(std::string_view path) const;
  bool Exists(std::string_view path) const;
  std::int32_t MaxFrequencyMHz(const TCpuInfo& cpuinfo) const;

  TLinuxSources sources_;
};

}  // namespace zentrel::platform
