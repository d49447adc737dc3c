#include "sysinfo/os_info.h"

#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/text.h"
#include "sysinfo/registry_values.h"

namespace zentrel {
namespace {

constexpr std::string_view kVersionKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kRebootPendingKey =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\RebootPending";
constexpr std::string_view kRebootRequiredKey =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired";
constexpr std::string_view kSessionManagerKey =
    "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr std::string_view kPendingRenames = "PendingFileRenameOperations";
constexpr std::string_view kBadProcessHandle = "IsWindows64: Bad Process Handle";
constexpr std::string_view kNoSystemFacts = "No system information is available";

/// The first build that keeps its version numbers as integers and its release identifier.
constexpr std::int32_t kFirstReleaseIdBuild = 10240;
/// The first build that records an edition identifier.
constexpr std::int32_t kFirstEditionIdBuild = 7600;
/// From this build on there are no service packs.
constexpr std::int32_t kFirstBuildWithoutServicePacks = 9200;

/// The parts of a text split at ".", runs of "." counting as one separator.
std::vector<std::string_view> SplitAtDots(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of('.', pos);
    if (start == std::string_view::npos) break;
    size_t end = text.find('.', start);
    if (end == std::string_view::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    pos = end;
  }
  return parts;
}

std::string VersionText(const TOSVersionInfoQv& info) {
  return std::to_string(info.MajorVersion) + "." + std::to_string(info.MinorVersion) + "." +
         std::to_string(info.BuildNumber);
}

bool EditionIsServer(std::string_view editionId) {
  return editionId.size() >= 6 && UpperAscii(editionId.substr(0, 6)) == "SERVER";
}

void ReadWindowsVersion(platform::Registry& registry, TOSVersionInfoQv& info) {
  std::unique_ptr<platform::RegistryKey> key = registry.OpenKey(kVersionKey);
  if (!key) return;
  info.EditionID.clear();
  info.Edition.clear();
  info.VersionText.clear();
  info.ServicePack.clear();
  info.ReleaseId.clear();
  info.Architecture.clear();
  info.MajorVersion = info.MinorVersion = info.BuildNumber = info.Revision = 0;

  info.BuildNumber = ParseDecimal(ReadRegistryString(*key, "CurrentBuildNumber"),
                                  "the build number");
  if (info.BuildNumber >= kFirstReleaseIdBuild) {
    info.MajorVersion = ReadRegistryInteger(*key, "CurrentMajorVersionNumber");
    info.MinorVersion = ReadRegistryInteger(*key, "CurrentMinorVersionNumber");
    info.Revision = ReadRegistryInteger(*key, "UBR");
    info.ReleaseId = ReadRegistryString(*key, "ReleaseId");
  } else {
    std::string version = ReadRegistryString(*key, "CurrentVersion");
    std::vector<std::string_view> parts = SplitAtDots(version);
    info.MajorVersion = ParseDecimal(parts.size() > 0 ? parts[0] : "", "the major version");
    info.MinorVersion = ParseDecimal(parts.size() > 1 ? parts[1] : "", "the minor version");
  }
  if (info.BuildNumber >= kFirstEditionIdBuild) {
    info.EditionID = ReadRegistryString(*key, "EditionID");
  }
  info.ProductName = ReadRegistryString(*key, "ProductName");
  info.VersionText = VersionText(info);
  if (info.BuildNumber < kFirstBuildWithoutServicePacks) {
    info.ServicePack = ReadRegistryString(*key, "CSDVersion");
    // The blank is added even without a service pack, so scripts see one shape.
    info.ProductName += " " + info.ServicePack;
  }
}

// A system without a registry: the product and its release from the host's description,
// the version numbers from its kernel release, the variant as the edition identifier.
void ReadHostVersion(platform::HostFacts& host, TOSVersionInfoQv& info) {
  platform::THostOs os = host.Os();
  info.MajorVersion = os.Major;
  info.MinorVersion = os.Minor;
  info.BuildNumber = os.Patch;
  info.Revision = os.Revision;
  info.ProductName = os.Name;
  info.EditionID = os.VariantId;
  info.ReleaseId = os.VersionId;
  info.ServicePack.clear();
  info.VersionText = VersionText(info);
  info.Architecture.clear();
  info.Edition = info.ProductName;
  if (!os.VersionId.empty()) info.Edition += ", Version " + os.VersionId;
  info.Edition += " (Kernel " + os.KernelRelease + ")";
}

}  // namespace

platform::HostFacts& HostFactsOrFail(platform::SystemFacts& system) {
  platform::HostFacts* host = system.Host();
  if (host == nullptr) throw ConversionError(std::string(kNoSystemFacts));
  return *host;
}

bool GetOSVersionInfo(platform::Platform& os, TOSVersionInfoQv& info) {
  platform::SystemFacts& system = os.System();
  if (platform::WindowsFacts* windows = system.Windows()) {
    ReadWindowsVersion(windows->MachineRegistry(), info);
  } else {
    ReadHostVersion(HostFactsOrFail(system), info);
  }
  return EditionIsServer(info.EditionID);
}

void GetOSEdition(platform::Platform& os, TOSVersionInfoQv& info) {
  info.ProductName.clear();
  info.Edition.clear();
  info.EditionID.clear();
  info.VersionText.clear();
  info.ServicePack.clear();
  info.ReleaseId.clear();
  info.Architecture.clear();
  bool isServer = GetOSVersionInfo(os, info);
  info.Architecture = IsWindows64(os) ? "x64" : "x86";
  if (os.System().Windows() == nullptr) return;  // the host's edition text is complete

  if (isServer) info.EditionID = info.EditionID.substr(6, 99);
  if (info.BuildNumber >= kFirstReleaseIdBuild) {
    info.Edition = info.ProductName + ", Version " + info.ReleaseId + " (OS Build " +
                   std::to_string(info.MajorVersion) + "." + std::to_string(info.MinorVersion) +
                   "." + std::to_string(info.BuildNumber) + "." + std::to_string(info.Revision) +
                   ")";
  } else {
    info.Edition = info.ProductName + ", Version " + std::to_string(info.MajorVersion) + "." +
                   std::to_string(info.MinorVersion) + " Build " +
                   std::to_string(info.BuildNumber);
  }
}

bool IsWindows64(platform::Platform& os) {
  platform::SystemFacts& system = os.System();
  platform::WindowsFacts* windows = system.Windows();
  if (windows == nullptr) return HostFactsOrFail(system).Os().Is64Bit;
  // A 64-bit program runs only on 64-bit Windows, where the 32-on-64 query says "no".
  if (windows->ProgramIs64Bit()) return true;
  switch (windows->QueryWow64()) {
    case platform::TWow64Query::Unavailable:
    case platform::TWow64Query::No:
      return false;
    case platform::TWow64Query::Yes:
      return true;
    case platform::TWow64Query::Failed:
      break;
  }
  throw ConversionError(std::string(kBadProcessHandle));
}

TRebootStatusQv GetRebootStatus(platform::Platform& os) {
  platform::SystemFacts& system = os.System();
  platform::WindowsFacts* windows = system.Windows();
  if (windows == nullptr) {
    const platform::THostReboot reboot = HostFactsOrFail(system).Reboot();
    return {reboot.Pending, reboot.Required, reboot.FilesPending};
  }
  TRebootStatusQv status;
  platform::Registry& registry = windows->MachineRegistry();
  status.Pending = registry.KeyExists(kRebootPendingKey);
  status.Required = registry.KeyExists(kRebootRequiredKey);
  // Windows keeps the renames waiting for the next start as a value of the Session
  // Manager key; a key of that name is accepted as well.
  std::string renamesKey = std::string(kSessionManagerKey) + "\\" + std::string(kPendingRenames);
  status.FilesPending = registry.KeyExists(renamesKey);
  if (!status.FilesPending) {
    if (auto key = registry.OpenKey(kSessionManagerKey)) {
      status.FilesPending = key->ValueExists(kPendingRenames);
    }
  }
  return status;
}

}  // namespace zentrel
