#include "platform/posix/linux_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <set>
#include <utility>

namespace zentrel::platform {
namespace {

/// No file the backend reads is anywhere near this size; the cap keeps an odd file from
/// costing more than a moment.
constexpr size_t kMaxFileBytes = 8 << 20;

std::string_view TrimBlanks(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

/// Control characters would break the listing's one-line-per-value shape.
std::string Printable(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  return result;
}

/// Calls visit(line) for each line, without its line end.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

/// The leading decimal digits of text as a number; false when there are none or they
/// overflow.
bool LeadingNumber(std::string_view text, std::int64_t& value, size_t& used) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
  if (ec != std::errc() || (!text.empty() && text.front() == '-')) return false;
  used = static_cast<size_t>(ptr - text.data());
  return true;
}

/// A clock as cpuinfo writes it, "2994.375": decimal digits with an optional fraction of
/// up to nine digits; 0 for anything else. Read by hand: the library's reading of floating
/// point would link the maths library into every start of the program.
double ClockMHz(std::string_view text) {
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction = dot == text.npos ? std::string_view() : text.substr(dot + 1);
  std::int64_t units = 0, parts = 0;
  size_t used = 0;
  if (whole.size() > 9 || !LeadingNumber(whole, units, used) || used != whole.size()) return 0;
  if (dot != text.npos) {
    if (fraction.empty() || fraction.size() > 9 || !LeadingNumber(fraction, parts, used) ||
        used != fraction.size()) {
      return 0;
    }
  }
  double scale = 1;
  for (std::size_t i = 0; i < fraction.size(); ++i) scale *= 10;
  return static_cast<double>(units) + static_cast<double>(parts) / scale;
}

std::int32_t WholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  std::int64_t value = 0;
  size_t used = 0;
  if (!LeadingNumber(text, value, used) || used != text.size() || value > INT32_MAX) return -1;
  return static_cast<std::int32_t>(value);
}

/// os-release values follow shell quoting: the text inside double quotes takes backslash
/// escapes, inside single quotes is literal, and a bare value takes escapes too.
std::string UnquoteValue(std::string_view raw) {
  std::string value;
  char quote = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (quote == '\'') {
      if (c == '\'') quote = 0; else value += c;
    } else if (c == '\\' && i + 1 < raw.size()) {
      value += raw[++i];
    } else if (quote == '"') {
      if (c == '"') quote = 0; else value += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
      break;  // a comment after the value
    } else {
      value += c;
    }
  }
  return Printable(TrimBlanks(value));
}

/// Well-known implementer codes of ARM's main identification register.
std::string ImplementerName(std::string_view code) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"0x41", "ARM"},      {"0x42", "Broadcom"}, {"0x43", "Cavium"},   {"0x46", "Fujitsu"},
      {"0x48", "HiSilicon"}, {"0x4e", "NVIDIA"},  {"0x50", "APM"},      {"0x51", "Qualcomm"},
      {"0x53", "Samsung"},  {"0x56", "Marvell"},  {"0x61", "Apple"},    {"0x69", "Intel"},
      {"0xc0", "Ampere"},
  };
  for (const auto& [key, name] : kNames) {
    if (code == key) return std::string(name);
  }
  return "Implementer " + std::string(code);
}

std::string JoinFamily(std::string_view head, std::initializer_list<std::pair<std::string_view, std::string_view>> parts) {
  std::string text(head);
  for (const auto& [label, value] : parts) {
    if (value.empty()) continue;
    if (!text.empty()) text += ' ';
    text += label;
    text += ' ';
    text += value;
  }
  return text;
}

}  // namespace

TOsRelease ParseOsRelease(std::string_view text) {
  TOsRelease release;
  bool named = false;
  ForEachLine(text, [&](std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() == '#') return;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string_view key = TrimBlanks(line.substr(0, eq));
    std::string_view raw = TrimBlanks(line.substr(eq + 1));
    if (key == "NAME") {
      release.Name = UnquoteValue(raw);
      named = true;
    } else if (key == "VERSION_ID") {
      release.VersionId = UnquoteValue(raw);
    } else if (key == "VARIANT_ID") {
      release.VariantId = UnquoteValue(raw);
    }
  });
  // The format's own default for a file that names no product.
  if (!named || release.Name.empty()) release.Name = "Linux";
  return release;
}

TKernelNumbers ParseKernelRelease(std::string_view release) {
  std::int32_t numbers[4] = {0, 0, 0, 0};
  size_t pos = 0;
  for (int i = 0; i < 4 && pos < release.size(); ++i) {
    std::int64_t value = 0;
    size_t used = 0;
    if (!LeadingNumber(release.substr(pos), value, used) || value > INT32_MAX) break;
    numbers[i] = static_cast<std::int32_t>(value);
    pos += used;
    // Major, minor and patch are joined by "."; the distribution's revision follows the
    // patch after "-" (6.1.0-18-amd64) or "." (5.15.146.1-microsoft-standard).
    if (pos >= release.size()) break;
    char separator = release[pos];
    if (separator != '.' && !(i == 2 && separator == '-')) break;
    ++pos;
  }
  return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool MachineIs64Bit(std::string_view machine) {
  return machine.find("64") != std::string_view::npos || machine == "s390x" ||
         machine == "alpha";
}

std::optional<std::int64_t> ParseMemTotalKB(std::string_view meminfo) {
  std::optional<std::int64_t> total;
  ForEachLine(meminfo, [&](std::string_view line) {
    constexpr std::string_view kKey = "MemTotal:";
    if (total || line.substr(0, kKey.size()) != kKey) return;
    std::string_view rest = TrimBlanks(line.substr(kKey.size()));
    std::int64_t value = 0;
    size_t used = 0;
    if (!LeadingNumber(rest, value, used)) return;
    // The kernel writes this line in kB; accept nothing else.
    std::string_view unit = TrimBlanks(rest.substr(used));
    if (unit == "kB" || unit.empty()) total = value;
  });
  return total;
}

TCpuInfo ParseCpuInfo(std::string_view text) {
  TCpuInfo info;
  bool inEntry = false;
  ForEachLine(text, [&](std::string_view line) {
    if (TrimBlanks(line).empty()) {
      inEntry = false;  // a blank line ends a processor block
      return;
    }
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    std::string_view key = TrimBlanks(line.substr(0, colon));
    std::string value = Printable(TrimBlanks(line.substr(colon + 1)));
    if (key == "processor") {
      info.Entries.emplace_back();
      info.Entries.back().Processor = WholeNumber(value);
      inEntry = true;
      return;
    }
    if (!inEntry) {
      // Older ARM kernels put the model before the blocks ("Processor : ARMv7 ...").
      if ((key == "Processor" || key == "model name" || key == "cpu model") &&
          info.GlobalModel.empty()) {
        info.GlobalModel = value;
      } else if (key == "Hardware") {
        info.Hardware = value;
      }
      return;
    }
    TCpuInfoEntry& entry = info.Entries.back();
    if (key == "physical id") {
      entry.PhysicalId = WholeNumber(value);
    } else if (key == "core id") {
      entry.CoreId = WholeNumber(value);
    } else if (key == "cpu MHz") {
      const double mhz = ClockMHz(value);
      if (mhz > 0 && mhz < 1e6) entry.MHz = mhz;
    } else if (key == "model name") {
      entry.ModelName = value;
    } else if (key == "vendor_id") {
      entry.VendorId = value;
    } else if (key == "cpu family") {
      entry.Family = value;
    } else if (key == "model") {
      entry.Model = value;
    } else if (key == "stepping") {
      entry.Stepping = value;
    } else if (key == "CPU implementer") {
      entry.Implementer = value;
    } else if (key == "CPU architecture") {
      entry.Architecture = value;
    } else if (key == "CPU part") {
      entry.Part = value;
    } else if (key == "CPU revision") {
      entry.Revision = value;
    } else if ((key == "cpu" || key == "uarch" || key == "cpu model") &&
               entry.OtherModel.empty()) {
      entry.OtherModel = value;
    } else if (key == "Hardware") {
      info.Hardware = value;
    }
  });
  return info;
}

std::int32_t ParseFrequencyMHz(std::string_view text) {
  std::int32_t khz = WholeNumber(text);
  if (khz <= 0) return 0;
  return static_cast<std::int32_t>((static_cast<std::int64_t>(khz) + 500) / 1000);
}

THostProcessor DescribeProcessor(const TCpuInfo& cpuinfo, std::int32_t maxFrequencyMHz,
                                 const std::vector<std::int32_t>& allowedCpus,
                                 std::string_view machine) {
  // Every count describes the processors this process may run on: in a container or
  // under taskset that is a part of the machine, and cores, threads and sockets then
  // agree with each other. When the affinity set names none of the listed processors,
  // the whole list is used.
  std::set<std::int32_t> allowed(allowedCpus.begin(), allowedCpus.end());
  std::vector<const TCpuInfoEntry*> entries;
  for (const auto& entry : cpuinfo.Entries) {
    if (allowed.empty() || allowed.count(entry.Processor) != 0) entries.push_back(&entry);
  }
  if (entries.empty()) {
    for (const auto& entry : cpuinfo.Entries) entries.push_back(&entry);
  }

  THostProcessor result;
  // Sockets are the distinct physical package ids; a listing without them (most ARM
  // systems) has one package.
  std::set<std::int32_t> packages;
  // Physical cores are the distinct (package, core) pairs; a listing without core ids
  // (most ARM systems, which have no simultaneous multithreading) has one core per
  // processor.
  std::set<std::pair<std::int32_t, std::int32_t>> cores;
  for (const TCpuInfoEntry* entry : entries) {
    if (entry->PhysicalId >= 0) packages.insert(entry->PhysicalId);
    if (entry->CoreId >= 0) cores.insert({entry->PhysicalId, entry->CoreId});
  }
  result.Sockets = packages.empty() ? 1 : static_cast<std::int32_t>(packages.size());
  result.PhysicalCores =
      static_cast<std::int32_t>(cores.empty() ? entries.size() : cores.size());
  // Logical processors are those this process may run on (sched_getaffinity), as a
  // script sizing its thread count needs; without that set, every listed processor.
  result.LogicalCores =
      static_cast<std::int32_t>(allowed.empty() ? entries.size() : allowed.size());

  const TCpuInfoEntry* first = entries.empty() ? nullptr : entries.front();
  // The model: the x86 "model name", else the model line of older ARM kernels, else the
  // model text of other architectures, else the ARM implementer and part numbers, else
  // the board's "Hardware" line.
  if (first != nullptr && !first->ModelName.empty()) {
    result.ModelName = first->ModelName;
  } else if (!cpuinfo.GlobalModel.empty()) {
    result.ModelName = cpuinfo.GlobalModel;
  } else if (first != nullptr && !first->OtherModel.empty()) {
    result.ModelName = first->OtherModel;
  } else if (first != nullptr && !first->Implementer.empty()) {
    result.ModelName = ImplementerName(first->Implementer) + " CPU part " + first->Part;
    result.ModelName = std::string(TrimBlanks(result.ModelName));
  } else {
    result.ModelName = cpuinfo.Hardware;
  }
  // The family in the shape Windows uses ("Family 6 Model 142 Stepping 10"), led by the
  // vendor or implementer; the machine name when cpuinfo gives neither.
  if (first != nullptr && !first->VendorId.empty()) {
    result.Family = JoinFamily(first->VendorId, {{"Family", first->Family},
                                                 {"Model", first->Model},
                                                 {"Stepping", first->Stepping}});
  } else if (first != nullptr && !first->Implementer.empty()) {
    result.Family = JoinFamily(ImplementerName(first->Implementer),
                               {{"Family", first->Architecture},
                                {"Model", first->Part},
                                {"Revision", first->Revision}});
  } else {
    result.Family = std::string(machine);
  }
  // The speed: the highest cpufreq maximum, which is what the listing calls the CPU's
  // maximum speed; without cpufreq (most virtual machines) the highest clock cpuinfo
  // reports; else 0.
  result.SpeedMHz = maxFrequencyMHz;
  if (result.SpeedMHz <= 0) {
    double mhz = 0;
    for (const TCpuInfoEntry* entry : entries) mhz = std::max(mhz, entry->MHz);
    // Halves up: mhz is positive and below 10^6, where adding 0.5 rounds nothing away.
    result.SpeedMHz = static_cast<std::int32_t>(mhz + 0.5);
  }
  return result;
}

TLinuxSources LiveLinuxSources() {
  TLinuxSources sources;
  utsname names{};
  if (uname(&names) == 0) {
    sources.KernelRelease = names.release;
    sources.Machine = names.machine;
  }
  // The affinity set, in a buffer grown until it holds every processor the kernel knows.
  for (int count = 1024; count <= (1 << 16); count *= 4) {
    cpu_set_t* set = CPU_ALLOC(count);
    if (set == nullptr) break;
    size_t size = CPU_ALLOC_SIZE(count);
    CPU_ZERO_S(size, set);
    if (sched_getaffinity(0, size, set) == 0) {
      for (int cpu = 0; cpu < count; ++cpu) {
        if (CPU_ISSET_S(cpu, size, set)) sources.AllowedCpus.push_back(cpu);
      }
      CPU_FREE(set);
      break;
    }
    CPU_FREE(set);
    if (errno != EINVAL) break;
  }
  return sources;
}

LinuxSystem::LinuxSystem(TLinuxSources sources) : sources_(std::move(sources)) {
  if (sources_.Root.empty() || sources_.Root.back() != '/') sources_.Root += '/';
}

std::optional<std::string> LinuxSystem::ReadFile(std::string_view path) const {
  std::string full = sources_.Root + std::string(path);
  // Non-blocking, so that a pipe put in place of a file cannot stall the run; only
  // regular files are read (the files of /proc and /sys count as regular).
  int fd = open(full.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string contents;
  char chunk[16384];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    contents.append(chunk, static_cast<size_t>(n));
    if (contents.size() >= kMaxFileBytes) break;
  }
  close(fd);
  return contents;
}

// lstat: a link counts even when it points nowhere, as it does for the update link.
bool LinuxSystem::Exists(std::string_view path) const {
  struct stat st {};
  return lstat((sources_.Root + std::string(path)).c_str(), &st) == 0;
}

THostOs LinuxSystem::Os() {
  THostOs os;
  // The product and its release: os-release, in /etc or, where /etc has none, in
  // /usr/lib as the format allows.
  std::optional<std::string> text = ReadFile("etc/os-release");
  if (!text) text = ReadFile("usr/lib/os-release");
  TOsRelease release = ParseOsRelease(text.value_or(""));
  os.Name = release.Name;
  os.VersionId = release.VersionId;
  os.VariantId = release.VariantId;
  // The version numbers: the running kernel's release, as uname gives it.
  os.KernelRelease = Printable(sources_.KernelRelease);
  TKernelNumbers numbers = ParseKernelRelease(sources_.KernelRelease);
  os.Major = numbers.Major;
  os.Minor = numbers.Minor;
  os.Patch = numbers.Patch;
  os.Revision = numbers.Revision;
  // Bitness: the kernel's machine, which a 32-bit program on a 64-bit kernel sees too.
  os.Is64Bit = MachineIs64Bit(sources_.Machine);
  return os;
}

THostMemory LinuxSystem::Memory() {
  THostMemory memory;
  // MemTotal: the memory the kernel manages, a little less than is installed (firmware
  // and the kernel's own image keep the rest). The installed size proper is readable
  // only by root, from the firmware tables.
  std::optional<std::string> text = ReadFile("proc/meminfo");
  std::optional<std::int64_t> kb = text ? ParseMemTotalKB(*text) : std::nullopt;
  if (kb) {
    memory.KB = *kb;
    memory.Note = "This value is MemTotal of /proc/meminfo: the memory the kernel manages, "
                  "a little less than is installed";
  } else {
    memory.Note = "This value could not be read from /proc/meminfo";
  }
  return memory;
}

std::int32_t LinuxSystem::MaxFrequencyMHz(const TCpuInfo& cpuinfo) const {
  // The cpufreq folder of each listed processor; on a machine with cores of two kinds the
  // fastest one counts.
  std::int32_t best = 0;
  std::set<std::int32_t> allowed(sources_.AllowedCpus.begin(), sources_.AllowedCpus.end());
  std::set<std::int32_t> listed, listedAllowed;
  for (const auto& entry : cpuinfo.Entries) {
    if (entry.Processor < 0) continue;
    listed.insert(entry.Processor);
    if (allowed.count(entry.Processor) != 0) listedAllowed.insert(entry.Processor);
  }
  // The same processors the counts describe.
  if (!listedAllowed.empty()) listed = std::move(listedAllowed);
  auto readCpu = [&](std::int32_t cpu) {
    std::optional<std::string> text = ReadFile("sys/devices/system/cpu/cpu" +
                                               std::to_string(cpu) + "/cpufreq/cpuinfo_max_freq");
    if (text) best = std::max(best, ParseFrequencyMHz(*text));
  };
  if (!listed.empty()) {
    for (std::int32_t cpu : listed) readCpu(cpu);
    return best;
  }
  // Without a processor list, whatever cpu folders there are.
  std::string folder = sources_.Root + "sys/devices/system/cpu";
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* item = readdir(dir)) {
      std::string_view name = item->d_name;
      if (name.substr(0, 3) != "cpu") continue;
      std::int32_t cpu = WholeNumber(name.substr(3));
      if (cpu >= 0) readCpu(cpu);
    }
    closedir(dir);
  }
  return best;
}

THostProcessor LinuxSystem::Processor() {
  TCpuInfo cpuinfo = ParseCpuInfo(ReadFile("proc/cpuinfo").value_or(""));
  return DescribeProcessor(cpuinfo, MaxFrequencyMHz(cpuinfo), sources_.AllowedCpus,
                           sources_.Machine);
}

THostReboot LinuxSystem::Reboot() {
  THostReboot reboot;
  // The package tools of Debian-based systems create reboot-required when an update
  // needs a restart, and list the packages that asked for it in reboot-required.pkgs:
  // the file means a reboot is required, a package in the list that updates are
  // installed and wait for it.
  reboot.Required = Exists("var/run/reboot-required");
  std::optional<std::string> packages = ReadFile("var/run/reboot-required.pkgs");
  if (packages) {
    ForEachLine(*packages, [&](std::string_view line) {
      if (!TrimBlanks(line).empty()) reboot.Pending = true;
    });
  }
  // The link /system-update asks systemd to apply an offline update while the system
  // starts: file changes that wait for the next boot.
  reboot.FilesPending = Exists("system-update");
  return reboot;
}

}  // namespace zentrel::platform
