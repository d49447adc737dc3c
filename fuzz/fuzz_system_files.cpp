// The Linux backend's readers of os-release, the kernel release, /proc/meminfo,
// /proc/cpuinfo and the cpufreq files on fuzzed contents: each must return a usable value
// (a product name, no control characters in a listed text, counts that are not negative)
// for any bytes.
//
// Input layout, parts separated by "\x01": os-release, the kernel release, meminfo,
// cpuinfo, a cpufreq file, the machine name. Missing parts are empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/linux_system.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, std::size_t count) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    std::size_t at = text.find('\x01');
    if (at == std::string_view::npos) break;
    parts.push_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  parts.push_back(text);
  parts.resize(count);
  return parts;
}

/// The listing prints each value on one line: no control character may reach it.
bool Printable(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel::platform;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> part = Split(input, 6);

  TOsRelease os = ParseOsRelease(part[0]);
  Check(!os.Name.empty() && Printable(os.Name) && Printable(os.VersionId) &&
        Printable(os.VariantId));

  TKernelNumbers kernel = ParseKernelRelease(part[1]);
  Check(kernel.Major >= 0 && kernel.Minor >= 0 && kernel.Patch >= 0 && kernel.Revision >= 0);
  (void)MachineIs64Bit(part[5]);

  if (auto kb = ParseMemTotalKB(part[2])) Check(*kb >= 0);

  TCpuInfo cpuinfo = ParseCpuInfo(part[3]);
  std::int32_t mhz = ParseFrequencyMHz(part[4]);
  Check(mhz >= 0);
  for (const std::vector<std::int32_t>& allowed :
       {std::vector<std::int32_t>{}, std::vector<std::int32_t>{0, 1}}) {
    THostProcessor processor = DescribeProcessor(cpuinfo, mhz, allowed, part[5]);
    Check(processor.Sockets >= 1 && processor.PhysicalCores >= 0 &&
          processor.LogicalCores >= 0 && processor.SpeedMHz >= 0);
    Check(Printable(processor.ModelName));
  }
  return 0;
}
