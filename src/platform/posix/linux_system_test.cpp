#include "platform/posix/linux_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace zentrel::platform {
namespace {

TLinuxSources Fixture(const std::string& name, std::vector<std::int32_t> allowed = {}) {
  TLinuxSources sources;
  sources.Root = std::string(ZENTREL_TESTDATA) + "/" + name;  // no trailing "/" on purpose
  sources.KernelRelease = "6.5.0-26-generic";
  sources.Machine = "x86_64";
  sources.AllowedCpus = std::move(allowed);
  return sources;
}

TEST(OsReleaseTest, ReadsQuotedBareAndEscapedValues) {
  TOsRelease r = ParseOsRelease(
      "# comment\nNAME=\"Fedora Linux\"\nVERSION_ID=39\nVARIANT_ID='server'\n");
  EXPECT_EQ(r.Name, "Fedora Linux");
  EXPECT_EQ(r.VersionId, "39");
  EXPECT_EQ(r.VariantId, "server");

  r = ParseOsRelease("NAME=\"Say \\\"hi\\\" \\$HOME\"\r\nVERSION_ID=1.2 # trailing\r\n");
  EXPECT_EQ(r.Name, "Say \"hi\" $HOME");
  EXPECT_EQ(r.VersionId, "1.2");
}

TEST(OsReleaseTest, DefaultsAndDamage) {
  EXPECT_EQ(ParseOsRelease("").Name, "Linux");
  EXPECT_EQ(ParseOsRelease("NAME=\n").Name, "Linux");
  EXPECT_EQ(ParseOsRelease("NAME=\"unterminated").Name, "unterminated");
  // A control character inside a value would break the listing's lines.
  EXPECT_EQ(ParseOsRelease("NAME=a\x1b" "b\tc\n").Name, "a b c");
  EXPECT_EQ(ParseOsRelease("garbage\n=\nNAME\nID=x").Name, "Linux");
}

TEST(KernelReleaseTest, LeadingNumbers) {
  struct Case {
    const char* release;
    TKernelNumbers expected;
  } cases[] = {
      {"6.1.0-18-amd64", {6, 1, 0, 18}},
      {"6.8.12", {6, 8, 12, 0}},
      {"5.15.146.1-microsoft-standard-WSL2", {5, 15, 146, 1}},
      {"3.10.0-1160.el7.x86_64", {3, 10, 0, 1160}},
      {"6.6.7-arch1-1", {6, 6, 7, 0}},
      {"6.1-rc1", {6, 1, 0, 0}},
      {"", {0, 0, 0, 0}},
      {"abc", {0, 0, 0, 0}},
      {"99999999999.1.2", {0, 0, 0, 0}},
      {"4.99999999999", {4, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    TKernelNumbers n = ParseKernelRelease(c.release);
    EXPECT_EQ(n.Major, c.expected.Major) << c.release;
    EXPECT_EQ(n.Minor, c.expected.Minor) << c.release;
    EXPECT_EQ(n.Patch, c.expected.Patch) << c.release;
    EXPECT_EQ(n.Revision, c.expected.Revision) << c.release;
  }
}

TEST(KernelReleaseTest, MachineBitness) {
  for (const char* m : {"x86_64", "aarch64", "ppc64le", "s390x", "riscv64", "loongarch64"}) {
    EXPECT_TRUE(MachineIs64Bit(m)) << m;
  }
  for (const char* m : {"i686", "armv7l", "mips", ""}) EXPECT_FALSE(MachineIs64Bit(m)) << m;
}

TEST(MemInfoTest, MemTotalOnly) {
  EXPECT_EQ(ParseMemTotalKB("MemFree: 1 kB\nMemTotal:   16314256 kB\n"), 16314256);
  EXPECT_EQ(ParseMemTotalKB("MemTotal: 5"), 5);
  EXPECT_EQ(ParseMemTotalKB("MemTotal: 5 MB\n"), std::nullopt);
  EXPECT_EQ(ParseMemTotalKB("MemTotal: -5 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemTotalKB("MemTotal: 99999999999999999999999 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemTotalKB("memtotal: 5 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemTotalKB(""), std::nullopt);
}

TEST(CpuInfoTest, OlderArmModelLineAndOtherArchitectures) {
  TCpuInfo info = ParseCpuInfo(
      "Processor\t: ARMv7 Processor rev 4 (v7l)\nprocessor\t: 0\nBogoMIPS\t: 38.40\n\n"
      "processor\t: 1\n\nHardware\t: BCM2709\n");
  ASSERT_EQ(info.Entries.size(), 2u);
  THostProcessor p = DescribeProcessor(info, 0, {}, "armv7l");
  EXPECT_EQ(p.ModelName, "ARMv7 Processor rev 4 (v7l)");
  EXPECT_EQ(p.Family, "armv7l");
  EXPECT_EQ(p.PhysicalCores, 2);
  EXPECT_EQ(p.LogicalCores, 2);

  info = ParseCpuInfo("processor\t: 0\ncpu\t\t: POWER9 (raw), altivec supported\n"
                      "clock\t\t: 2166.000000MHz\n");
  EXPECT_EQ(DescribeProcessor(info, 0, {}, "ppc64le").ModelName,
            "POWER9 (raw), altivec supported");
  // Nothing that names a model: the board's line, else nothing.
  EXPECT_EQ(DescribeProcessor(ParseCpuInfo("processor: 0\n\nHardware: Board\n"), 0, {}, "x")
                .ModelName,
            "Board");
  EXPECT_EQ(DescribeProcessor(ParseCpuInfo(""), 0, {}, "x").ModelName, "");
  // An implementer without a known name keeps its code.
  EXPECT_EQ(DescribeProcessor(ParseCpuInfo("processor: 0\nCPU implementer: 0x99\nCPU part: 0x1\n"),
                              0, {}, "aarch64")
                .ModelName,
            "Implementer 0x99 CPU part 0x1");
}

TEST(CpuInfoTest, FrequencyFiles) {
  EXPECT_EQ(ParseFrequencyMHz("3600000\n"), 3600);
  EXPECT_EQ(ParseFrequencyMHz("1899500"), 1900);
  EXPECT_EQ(ParseFrequencyMHz("<unknown>"), 0);
  EXPECT_EQ(ParseFrequencyMHz("-5"), 0);
  EXPECT_EQ(ParseFrequencyMHz("2147483647"), 2147484);
}

TEST(CpuInfoTest, ClockLinesRoundToWholeMegahertzAndJunkCountsAsNone) {
  auto speed = [](const std::string& mhz) {
    const TCpuInfo info = ParseCpuInfo("processor\t: 0\ncpu MHz\t\t: " + mhz + "\n");
    return DescribeProcessor(info, 0, {}, "x86_64").SpeedMHz;
  };
  EXPECT_EQ(speed("2445.006"), 2445);
  EXPECT_EQ(speed("2994.500"), 2995);
  EXPECT_EQ(speed("2994.499999999"), 2994);
  EXPECT_EQ(speed("3000"), 3000);
  for (const char* junk : {"", ".", "1.", ".5", "-1.0", "+1.0", "1e3", "1.2.3", "abc",
                           "1234567890.0", "1000000.0", "1.0000000001"}) {
    EXPECT_EQ(speed(junk), 0) << junk;
  }
}

TEST(CpuInfoTest, CountsFollowTheAffinitySet) {
  std::string text;
  // One package, two cores, two threads each: processors 0,1 on core 0; 2,3 on core 1.
  for (int cpu = 0; cpu < 4; ++cpu) {
    text += "processor: " + std::to_string(cpu) + "\nphysical id: 0\ncore id: " +
            std::to_string(cpu / 2) + "\n\n";
  }
  TCpuInfo info = ParseCpuInfo(text);
  THostProcessor all = DescribeProcessor(info, 0, {0, 1, 2, 3}, "x86_64");
  EXPECT_EQ(all.PhysicalCores, 2);
  EXPECT_EQ(all.LogicalCores, 4);
  // Pinned to the two threads of one core: one core, two logical, never fewer logical
  // processors than cores.
  THostProcessor pinned = DescribeProcessor(info, 0, {0, 1}, "x86_64");
  EXPECT_EQ(pinned.PhysicalCores, 1);
  EXPECT_EQ(pinned.LogicalCores, 2);
  // An affinity set naming none of the listed processors falls back to the whole list.
  THostProcessor strange = DescribeProcessor(info, 0, {40}, "x86_64");
  EXPECT_EQ(strange.PhysicalCores, 2);
  EXPECT_EQ(strange.LogicalCores, 1);
}

TEST(CpuInfoTest, SurvivesArbitraryBytes) {
  std::mt19937 engine(7);
  const std::string alphabet = "processor physical id core id cpu MHz model name:\n\t 0123456789.-\r\x01\xff";
  for (int round = 0; round < 500; ++round) {
    std::string text;
    int length = static_cast<int>(engine() % 400);
    for (int i = 0; i < length; ++i) text += alphabet[engine() % alphabet.size()];
    THostProcessor p = DescribeProcessor(ParseCpuInfo(text), 0, {}, "x");
    EXPECT_GE(p.Sockets, 1);
    EXPECT_GE(p.SpeedMHz, 0);
    ParseOsRelease(text);
    ParseMemTotalKB(text);
    ParseKernelRelease(text);
  }
}

TEST(LinuxSystemTest, TwoSocketServer) {
  LinuxSystem system(Fixture("two_socket"));
  EXPECT_EQ(system.Host(), &system);
  EXPECT_EQ(system.Windows(), nullptr);

  THostOs os = system.Os();
  EXPECT_EQ(os.Name, "Ubuntu");
  EXPECT_EQ(os.VersionId, "22.04");
  EXPECT_EQ(os.KernelRelease, "6.5.0-26-generic");
  EXPECT_EQ(os.Major, 6);
  EXPECT_EQ(os.Minor, 5);
  EXPECT_EQ(os.Patch, 0);
  EXPECT_EQ(os.Revision, 26);
  EXPECT_TRUE(os.Is64Bit);

  EXPECT_EQ(system.Memory().KB, 196608000);

  THostProcessor p = system.Processor();
  EXPECT_EQ(p.ModelName, "Intel(R) Xeon(R) Gold 6130 CPU @ 2.10GHz");
  EXPECT_EQ(p.Family, "GenuineIntel Family 6 Model 85 Stepping 4");
  EXPECT_EQ(p.Sockets, 2);
  EXPECT_EQ(p.PhysicalCores, 4);
  EXPECT_EQ(p.LogicalCores, 8);
  EXPECT_EQ(p.SpeedMHz, 3700);  // the fastest processor's maximum

  THostReboot reboot = system.Reboot();
  EXPECT_TRUE(reboot.Required);
  EXPECT_TRUE(reboot.Pending);
  EXPECT_FALSE(reboot.FilesPending);
}

TEST(LinuxSystemTest, TwoSocketServerSeenThroughAnAffinitySet) {
  // Processors 0 and 4 are the two threads of core 0 in package 0; 1 is core 4 there.
  THostProcessor p = LinuxSystem(Fixture("two_socket", {0, 4, 1})).Processor();
  EXPECT_EQ(p.Sockets, 1);
  EXPECT_EQ(p.PhysicalCores, 2);
  EXPECT_EQ(p.LogicalCores, 3);
  EXPECT_EQ(p.SpeedMHz, 3600);  // processor 5, the fastest, is not among them
}

TEST(LinuxSystemTest, VirtualMachineWithoutCpufreq) {
  LinuxSystem system(Fixture("no_cpufreq"));
  THostOs os = system.Os();
  EXPECT_EQ(os.Name, "Debian GNU/Linux");  // from /usr/lib, /etc has none
  EXPECT_EQ(os.VariantId, "server");
  THostProcessor p = system.Processor();
  EXPECT_EQ(p.ModelName, "AMD EPYC 7763 64-Core Processor");
  EXPECT_EQ(p.Family, "AuthenticAMD Family 25 Model 1 Stepping 1");
  EXPECT_EQ(p.SpeedMHz, 2445);  // the reported clock, rounded
  EXPECT_EQ(p.Sockets, 1);
  EXPECT_EQ(p.PhysicalCores, 2);
  EXPECT_EQ(p.LogicalCores, 2);
  EXPECT_EQ(system.Memory().KB, 8148324);
  THostReboot reboot = system.Reboot();
  EXPECT_FALSE(reboot.Required);
  EXPECT_FALSE(reboot.Pending);  // the package list is there but names nothing
  EXPECT_FALSE(reboot.FilesPending);
}

// An old ARM kernel's cpuinfo lists no processor numbers: the clock is the fastest of the
// cpuN folders, cpu0 included (cpufreq and cpuidle are no processors).
TEST(LinuxSystemTest, ProcessorWithoutAProcessorList) {
  LinuxSystem system(Fixture("no_processor_list"));
  THostProcessor p = system.Processor();
  EXPECT_EQ(p.ModelName, "ARMv7 Processor rev 4 (v7l)");
  EXPECT_EQ(p.SpeedMHz, 1500);  // cpu0's; cpufreq/policy0 holds 9000 but is no cpu folder
}

TEST(LinuxSystemTest, ArmBoard) {
  TLinuxSources sources = Fixture("arm");
  sources.Machine = "aarch64";
  sources.KernelRelease = "6.1.21-v8+";
  LinuxSystem system(sources);
  THostOs os = system.Os();
  EXPECT_EQ(os.Name, "Raspbian \\ \"GNU\"/Linux");  // single quotes keep backslashes
  EXPECT_EQ(os.Major, 6);
  EXPECT_EQ(os.Revision, 0);
  THostProcessor p = system.Processor();
  EXPECT_EQ(p.ModelName, "ARM CPU part 0xd08");
  EXPECT_EQ(p.Family, "ARM Family 8 Model 0xd08 Revision 3");
  EXPECT_EQ(p.Sockets, 1);
  EXPECT_EQ(p.PhysicalCores, 4);
  EXPECT_EQ(p.LogicalCores, 4);
  EXPECT_EQ(p.SpeedMHz, 1800);
  // No meminfo: nothing, and a note that says so.
  THostMemory memory = system.Memory();
  EXPECT_EQ(memory.KB, 0);
  EXPECT_NE(memory.Note.find("could not be read"), std::string::npos);
  // The offline-update link points nowhere, and still counts.
  EXPECT_TRUE(system.Reboot().FilesPending);
}

TEST(LinuxSystemTest, MissingRootAndNonRegularFiles) {
  LinuxSystem missing(Fixture("does-not-exist"));
  EXPECT_EQ(missing.Os().Name, "Linux");
  EXPECT_EQ(missing.Memory().KB, 0);
  EXPECT_EQ(missing.Processor().PhysicalCores, 0);  // the query above turns this into its failure

  // A pipe in place of os-release must not stall the run, and a folder in place of
  // meminfo is not read.
  char pattern[] = "/tmp/zentrel-linux-system-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::string root = pattern;
  ASSERT_EQ(mkdir((root + "/etc").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo((root + "/etc/os-release").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((root + "/proc").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((root + "/proc/meminfo").c_str(), 0700), 0);
  TLinuxSources sources = Fixture("");
  sources.Root = root;
  LinuxSystem odd(sources);
  EXPECT_EQ(odd.Os().Name, "Linux");
  EXPECT_EQ(odd.Memory().KB, 0);
  unlink((root + "/etc/os-release").c_str());
  rmdir((root + "/etc").c_str());
  rmdir((root + "/proc/meminfo").c_str());
  rmdir((root + "/proc").c_str());
  rmdir(root.c_str());
}

TEST(LinuxSystemTest, LiveSystemAnswers) {
  TLinuxSources live = LiveLinuxSources();
  EXPECT_FALSE(live.KernelRelease.empty());
  EXPECT_FALSE(live.AllowedCpus.empty());
  // The same set as the kernel's own list of this process ("0-3,8,10-11").
  std::ifstream status("/proc/self/status");
  std::vector<std::int32_t> listed;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Cpus_allowed_list:", 0) != 0) continue;
    std::istringstream ranges(line.substr(line.find(':') + 1));
    for (std::string range; std::getline(ranges, range, ',');) {
      const std::size_t dash = range.find('-');
      const int first = std::stoi(range);
      const int last = dash == std::string::npos ? first : std::stoi(range.substr(dash + 1));
      for (int cpu = first; cpu <= last; ++cpu) listed.push_back(cpu);
    }
  }
  EXPECT_EQ(live.AllowedCpus, listed);
  THostProcessor p = LinuxSystem(live).Processor();
  EXPECT_GE(p.PhysicalCores, 1);
  EXPECT_EQ(p.LogicalCores, static_cast<std::int32_t>(live.AllowedCpus.size()));
}

}  // namespace
}  // namespace zentrel::platform
