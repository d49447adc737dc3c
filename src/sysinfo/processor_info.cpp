#include "sysinfo/processor_info.h"

#include <bit>

#include "core/conversion_error.h"
#include "core/text.h"
#include "platform/win32/unicode.h"
#include "sysinfo/os_info.h"
#include "sysinfo/registry_values.h"

namespace zentrel {
namespace {

constexpr std::string_view kProcessorKey = "\\Hardware\\Description\\System\\CentralProcessor\\0";
constexpr std::string_view kWmicRelativePath = "\\System32\\wbem\\WMIC.exe";
constexpr std::string_view kWmicArguments = " COMPUTERSYSTEM GET NumberOfProcessors /FORMAT:LIST";
constexpr std::string_view kUnknownModel = "*** Unknown ***";
constexpr std::string_view kPhysicalCountFailure =
    "An Error Occured while getting the Physical CPU Count.";
constexpr std::string_view kLogicalCountFailure =
    "An Error Occured while getting the Logical CPU Count.";
/// The WMI tool exists from this build on.
constexpr std::int32_t kFirstWmiBuild = 6000;

[[noreturn]] void ThrowSystemError(const platform::TProcessorTopology& topology) {
  throw ConversionError("System Error.  Code: " + std::to_string(topology.ErrorCode) + ".  " +
                        topology.ErrorText);
}

std::int32_t CheckPhysical(std::int64_t count) {
  if (count < 1) throw ConversionError(std::string(kPhysicalCountFailure));
  return static_cast<std::int32_t>(count);
}

std::int32_t CheckLogical(std::int64_t count) {
  if (count < 1) throw ConversionError(std::string(kLogicalCountFailure));
  return static_cast<std::int32_t>(count);
}

std::int64_t CountCores(const platform::TProcessorTopology& topology) {
  std::int64_t count = 0;
  for (const auto& entry : topology.Entries) {
    if (entry.Relationship == platform::TProcessorRelationship::ProcessorCore) ++count;
  }
  return count;
}

std::int32_t WindowsPhysicalCores(platform::WindowsFacts& windows) {
  platform::TProcessorTopology topology = windows.ProcessorTopology();
  if (topology.Api == platform::TTopologyApi::None) return CheckPhysical(-1);
  if (topology.Failed) ThrowSystemError(topology);
  return CheckPhysical(CountCores(topology));
}

std::int32_t WindowsLogicalProcessors(platform::WindowsFacts& windows) {
  platform::TProcessorTopology topology = windows.ProcessorTopology();
  std::int64_t count = 0;
  if (topology.Api != platform::TTopologyApi::None) {
    if (topology.Failed) ThrowSystemError(topology);
    for (const auto& entry : topology.Entries) {
      if (entry.Relationship != platform::TProcessorRelationship::ProcessorCore) continue;
      for (std::uint64_t mask : entry.Masks) count += std::popcount(mask);
    }
  } else if (std::optional<std::uint64_t> mask = windows.ProcessAffinityMask()) {
    count = std::popcount(static_cast<std::uint32_t>(*mask));
  } else {
    count = windows.SystemInfoProcessorCount();
  }
  return CheckLogical(count);
}

std::int32_t WindowsSockets(platform::Platform& os, platform::WindowsFacts& windows) {
  std::string wmicPath = os.GetEnv("WinDir").value_or("") + std::string(kWmicRelativePath);
  if (!os.PathIsFile(wmicPath)) return 1;
  TOSVersionInfoQv version;
  GetOSEdition(os, version);
  if (version.BuildNumber < kFirstWmiBuild) return 1;
  // Quoted, so that a Windows folder holding a blank still names the tool.
  std::optional<std::string> output =
      windows.RunAndCapture(QuoteIfSpaced(wmicPath) + std::string(kWmicArguments));
  return SocketsFromWmiOutput(output.value_or(""));
}

void FinishRecord(std::string_view modelText, bool withSymbols, TProcessorInfoQv& info) {
  info.ThreadsPerCore = info.LogicalCores / info.PhysicalCores;
  info.PhysicalCoresPerSocket = info.PhysicalCores / info.Sockets;
  info.LogicalCoresPerSocket = info.LogicalCores / info.Sockets;
  info.ModelNameOnly = CleanModelName(modelText, withSymbols);
  info.ModelName = info.ModelNameOnly + " [" + std::to_string(info.SpeedMHz) + " Mhz]";
}

}  // namespace

std::string DecodeCommandOutput(std::string_view output) {
  if (output.size() < 2 || static_cast<unsigned char>(output[0]) != 0xFF ||
      static_cast<unsigned char>(output[1]) != 0xFE) {
    return std::string(output);
  }
  std::u16string units;
  units.reserve(output.size() / 2);
  for (size_t i = 2; i + 1 < output.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(output[i]) |
                                          static_cast<unsigned char>(output[i + 1]) << 8));
  }
  return platform::Utf16ToUtf8(units);
}

std::int32_t SocketsFromWmiOutput(std::string_view output) {
  std::string text = DecodeCommandOutput(output);
  std::string_view trimmed = TrimControls(text);
  size_t first = trimmed.find('=');
  if (first == std::string_view::npos) return 1;
  std::string_view field = trimmed.substr(first + 1);
  field = field.substr(0, field.find('='));
  std::int32_t sockets = ParseDecimalOr(field, 1);
  // A count below 1 would make every per-socket division meaningless.
  return sockets < 1 ? 1 : sockets;
}

std::string CleanModelName(std::string_view text, bool withSymbols) {
  std::string model(text);
  if (withSymbols) {
    model = ReplaceText(model, "(TM)", "\u2122");
    model = ReplaceText(model, "(R)", "\u00AE");
    model = ReplaceText(model, "(C)", "\u00A9");
  }
  model = ReplaceText(model, "@", "at");
  std::string cleaned;
  cleaned.reserve(model.size());
  for (char c : TrimControls(model)) {
    if (c == ' ' && !cleaned.empty() && cleaned.back() == ' ') continue;
    cleaned += c;
  }
  return cleaned;
}

bool GetInstalledMemoryKB(platform::Platform& os, TInstalledMemoryQv& memory) {
  memory = {};
  platform::SystemFacts& system = os.System();
  if (platform::WindowsFacts* windows = system.Windows()) {
    std::optional<std::uint64_t> installed = windows->PhysicallyInstalledMemoryKB();
    if (installed && *installed > 0) {
      memory.KB = static_cast<std::int64_t>(*installed);
    } else {
      memory.OldMemoryApi = true;
      memory.KB = windows->GlobalMemoryTotalBytes() / 1024;
    }
  } else {
    platform::THostMemory host = HostFactsOrFail(system).Memory();
    memory.KB = host.KB < 0 ? 0 : host.KB;
    memory.HostNote = host.Note;
  }
  return memory.KB > 0;
}

std::int32_t PhysicalCoreCount(platform::Platform& os) {
  platform::SystemFacts& system = os.System();
  if (platform::WindowsFacts* windows = system.Windows()) return WindowsPhysicalCores(*windows);
  return CheckPhysical(HostFactsOrFail(system).Processor().PhysicalCores);
}

std::int32_t LogicalProcessorCount(platform::Platform& os) {
  platform::SystemFacts& system = os.System();
  if (platform::WindowsFacts* windows = system.Windows()) {
    return WindowsLogicalProcessors(*windows);
  }
  return CheckLogical(HostFactsOrFail(system).Processor().LogicalCores);
}

void GetProcessorInfo(platform::Platform& os, bool withSymbols, TProcessorInfoQv& info) {
  platform::SystemFacts& system = os.System();
  platform::WindowsFacts* windows = system.Windows();
  if (windows == nullptr) {
    // One reading of the host's processor description serves every field.
    platform::THostProcessor host = HostFactsOrFail(system).Processor();
    info.Sockets = host.Sockets < 1 ? 1 : host.Sockets;
    info.PhysicalCores = CheckPhysical(host.PhysicalCores);
    info.LogicalCores = CheckLogical(host.LogicalCores);
    info.SpeedMHz = host.SpeedMHz < 0 ? 0 : host.SpeedMHz;
    info.Family = host.Family;
    std::string_view model = TrimControls(host.ModelName);
    FinishRecord(model.empty() ? kUnknownModel : model, withSymbols, info);
    return;
  }

  info.Sockets = WindowsSockets(os, *windows);
  info.PhysicalCores = WindowsPhysicalCores(*windows);
  info.LogicalCores = WindowsLogicalProcessors(*windows);
  info.SpeedMHz = 0;
  std::string model(kUnknownModel);
  if (auto key = windows->MachineRegistry().OpenKey(kProcessorKey)) {
    info.SpeedMHz = ReadRegistryInteger(*key, "~MHz");
    model = ReadRegistryString(*key, "ProcessorNameString");
    info.Family = ReadRegistryString(*key, "Identifier");
  }
  FinishRecord(model, withSymbols, info);
}

}  // namespace zentrel
