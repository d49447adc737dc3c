#include "sysinfo/processor_info.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using platform::FakePlatform;
using platform::TProcessorRelationship;
using platform::TTopologyApi;

constexpr const char* kProcessorKey = "\\Hardware\\Description\\System\\CentralProcessor\\0";
constexpr const char* kVersionKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

platform::TTopologyEntry Core(std::vector<std::uint64_t> masks) {
  return {TProcessorRelationship::ProcessorCore, std::move(masks)};
}

/// A Windows system with 4 cores of 2 threads, the processor key and no WMI tool.
struct WindowsMachine {
  FakePlatform os;
  platform::FakeWindowsFacts& win = os.Facts.Win;
  WindowsMachine() {
    os.Facts.IsWindows = true;
    win.Topology.Api = TTopologyApi::Extended;
    win.Topology.Entries = {Core({0x3}), Core({0xC}), Core({0x30}), Core({0xC0}),
                            {TProcessorRelationship::Cache, {0xFF}},
                            {TProcessorRelationship::ProcessorPackage, {0xFF}}};
    win.Reg.Keys[kProcessorKey] = {
        {"~MHz", std::uint32_t{2112}},
        {"ProcessorNameString", std::string("Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz")},
        {"Identifier", std::string("Intel64 Family 6 Model 142 Stepping 10")}};
    win.Reg.Keys[kVersionKey] = {{"CurrentBuildNumber", std::string("19045")},
                                 {"CurrentMajorVersionNumber", std::uint32_t{10}},
                                 {"CurrentMinorVersionNumber", std::uint32_t{0}},
                                 {"UBR", std::uint32_t{1}},
                                 {"ProductName", std::string("Windows 10 Pro")}};
  }
  void InstallWmic(std::string winDir, std::string output) {
    os.Env["WinDir"] = winDir;
    os.Files[winDir + "\\System32\\wbem\\WMIC.exe"] = "";
    win.CommandOutput = std::move(output);
  }
};

std::string Utf16(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST(ModelNameTest, Cleaning) {
  const std::string raw = "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz";
  EXPECT_EQ(CleanModelName(raw, true), "Intel\u00AE Core\u2122 i7-8650U CPU at 1.90GHz");
  EXPECT_EQ(CleanModelName(raw, false), "Intel(R) Core(TM) i7-8650U CPU at 1.90GHz");
  EXPECT_EQ(CleanModelName("  AMD   Ryzen(tm)  7 (c)\t ", true), "AMD Ryzen\u2122 7 \u00A9");
  EXPECT_EQ(CleanModelName("a    b", false), "a b");
  EXPECT_EQ(CleanModelName("@@", false), "atat");
  EXPECT_EQ(CleanModelName("", true), "");
}

TEST(ProcessorInfoTest, WindowsRecord) {
  WindowsMachine m;
  TProcessorInfoQv info;
  GetProcessorInfo(m.os, true, info);
  EXPECT_EQ(info.Sockets, 1);
  EXPECT_EQ(info.PhysicalCores, 4);
  EXPECT_EQ(info.LogicalCores, 8);
  EXPECT_EQ(info.ThreadsPerCore, 2);
  EXPECT_EQ(info.PhysicalCoresPerSocket, 4);
  EXPECT_EQ(info.LogicalCoresPerSocket, 8);
  EXPECT_EQ(info.SpeedMHz, 2112);
  EXPECT_EQ(info.ModelNameOnly, "Intel\u00AE Core\u2122 i7-8650U CPU at 1.90GHz");
  EXPECT_EQ(info.ModelName, "Intel\u00AE Core\u2122 i7-8650U CPU at 1.90GHz [2112 Mhz]");
  EXPECT_EQ(info.Family, "Intel64 Family 6 Model 142 Stepping 10");
  EXPECT_TRUE(m.win.CommandsRun.empty());  // no tool at the path: nothing is run
  EXPECT_EQ(m.win.Reg.OpenKeys, 0);

  // 6 logical processors on 4 cores: one thread per core, truncated.
  m.win.Topology.Entries = {Core({0x1}), Core({0x2}), Core({0x4}), Core({0x38})};
  GetProcessorInfo(m.os, false, info);
  EXPECT_EQ(info.LogicalCores, 6);
  EXPECT_EQ(info.ThreadsPerCore, 1);
}

TEST(ProcessorInfoTest, ProcessorKeyProblems) {
  WindowsMachine m;
  m.win.Reg.Keys[kProcessorKey]["~MHz"] = std::string("2112");
  TProcessorInfoQv info;
  EXPECT_THROW(GetProcessorInfo(m.os, true, info), ConversionError);
  m.win.Reg.Keys[kProcessorKey].erase("~MHz");
  EXPECT_THROW(GetProcessorInfo(m.os, true, info), ConversionError);
  EXPECT_EQ(m.win.Reg.OpenKeys, 0);

  // Missing texts are empty.
  m.win.Reg.Keys[kProcessorKey] = {{"~MHz", std::uint32_t{800}}};
  TProcessorInfoQv empty;
  GetProcessorInfo(m.os, true, empty);
  EXPECT_EQ(empty.ModelName, " [800 Mhz]");
  EXPECT_EQ(empty.Family, "");

  // A key that cannot be opened: a defined unknown model and no speed.
  m.win.Reg.Locked.insert(kProcessorKey);
  TProcessorInfoQv unknown;
  GetProcessorInfo(m.os, true, unknown);
  EXPECT_EQ(unknown.ModelNameOnly, "*** Unknown ***");
  EXPECT_EQ(unknown.ModelName, "*** Unknown *** [0 Mhz]");
  EXPECT_EQ(unknown.SpeedMHz, 0);
}

TEST(ProcessorInfoTest, SocketsFromTheWmiTool) {
  WindowsMachine m;
  m.InstallWmic("C:\\WINDOWS", "\r\r\n\r\r\nNumberOfProcessors=2\r\r\n\r\r\n");
  TProcessorInfoQv info;
  GetProcessorInfo(m.os, true, info);
  ASSERT_EQ(m.win.CommandsRun.size(), 1u);
  EXPECT_EQ(m.win.CommandsRun[0],
            "C:\\WINDOWS\\System32\\wbem\\WMIC.exe COMPUTERSYSTEM GET NumberOfProcessors "
            "/FORMAT:LIST");
  EXPECT_EQ(info.Sockets, 2);
  EXPECT_EQ(info.PhysicalCoresPerSocket, 2);
  EXPECT_EQ(info.LogicalCoresPerSocket, 4);

  // A folder with a blank is quoted; output in UTF-16 with its byte-order mark is decoded.
  WindowsMachine spaced;
  spaced.InstallWmic("C:\\My Windows", Utf16("\r\nNumberOfProcessors=4\r\n"));
  GetProcessorInfo(spaced.os, true, info);
  ASSERT_EQ(spaced.win.CommandsRun.size(), 1u);
  EXPECT_EQ(spaced.win.CommandsRun[0].substr(0, 42), "\"C:\\My Windows\\System32\\wbem\\WMIC.exe\" COM");
  EXPECT_EQ(info.Sockets, 4);
  EXPECT_EQ(info.PhysicalCoresPerSocket, 1);

  // Before build 6000 the tool is not run.
  WindowsMachine old;
  old.InstallWmic("C:\\WINDOWS", "NumberOfProcessors=2");
  old.win.Reg.Keys[kVersionKey] = {{"CurrentBuildNumber", std::string("3790")},
                                   {"CurrentVersion", std::string("5.2")}};
  GetProcessorInfo(old.os, true, info);
  EXPECT_TRUE(old.win.CommandsRun.empty());
  EXPECT_EQ(info.Sockets, 1);
}

TEST(ProcessorInfoTest, WmiOutputThatGivesNoCount) {
  struct Case {
    std::string output;
    std::int32_t sockets;
  } cases[] = {
      {"NumberOfProcessors=2", 2},
      {"NumberOfProcessors=0", 1},  // would divide by zero per socket
      {"NumberOfProcessors=-3", 1},
      {"NumberOfProcessors=", 1},
      {"NumberOfProcessors==2", 1},  // the second field is the empty one
      {"NumberOfProcessors=2=3", 2},
      {"NumberOfProcessors=two", 1},
      {"NumberOfProcessors=99999999999", 1},
      {"", 1},
      {"ERROR: Description = Invalid class.", 1},
      {"\xFF\xFE", 1},
      {"\xFF\xFE" "2", 1},  // an odd trailing byte is no character
      {std::string("\xFF\xFE\x00\xD8=\x00" "2\x00", 8), 2},  // a lone surrogate first
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SocketsFromWmiOutput(c.output), c.sockets) << c.output;
  }
  EXPECT_EQ(DecodeCommandOutput(Utf16("A=1")), "A=1");
  EXPECT_EQ(DecodeCommandOutput(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeCommandOutput("plain"), "plain");

  // A tool that cannot be started leaves one socket.
  WindowsMachine m;
  m.InstallWmic("C:\\WINDOWS", "");
  m.win.CommandOutput.reset();
  TProcessorInfoQv info;
  GetProcessorInfo(m.os, true, info);
  EXPECT_EQ(info.Sockets, 1);
}

TEST(CoreCountTest, TopologySources) {
  WindowsMachine m;
  // Extended entries: set bits of every group mask of every core entry.
  m.win.Topology.Entries = {Core({0x3, 0x3}), Core({0x1}),
                            {TProcessorRelationship::NumaNode, {0xFFFF}}};
  EXPECT_EQ(PhysicalCoreCount(m.os), 2);
  EXPECT_EQ(LogicalProcessorCount(m.os), 5);
  m.win.Topology.Api = TTopologyApi::Legacy;
  m.win.Topology.Entries = {Core({0x5}), Core({0x2})};
  EXPECT_EQ(PhysicalCoreCount(m.os), 2);
  EXPECT_EQ(LogicalProcessorCount(m.os), 3);

  // No topology call: no physical count; the affinity mask's low 32 bits, else the
  // system information count, for the logical one.
  m.win.Topology.Api = TTopologyApi::None;
  m.win.Affinity = 0x1'0000'000Full;
  EXPECT_EQ(LogicalProcessorCount(m.os), 4);
  m.win.Affinity.reset();
  m.win.SystemInfoCount = 3;
  EXPECT_EQ(LogicalProcessorCount(m.os), 3);
  try {
    PhysicalCoreCount(m.os);
    ADD_FAILURE() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "An Error Occured while getting the Physical CPU Count.");
  }
  m.win.SystemInfoCount = 0;
  try {
    LogicalProcessorCount(m.os);
    ADD_FAILURE() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "An Error Occured while getting the Logical CPU Count.");
  }
  // The physical count is taken first, so its failure is the one raised.
  TProcessorInfoQv info;
  try {
    GetProcessorInfo(m.os, true, info);
    ADD_FAILURE() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "An Error Occured while getting the Physical CPU Count.");
  }

  // A topology without core entries, and a failing topology call.
  m.win.Topology.Api = TTopologyApi::Extended;
  m.win.Topology.Entries = {{TProcessorRelationship::Cache, {0x1}}};
  EXPECT_THROW(PhysicalCoreCount(m.os), ConversionError);
  EXPECT_THROW(LogicalProcessorCount(m.os), ConversionError);
  m.win.Topology.Failed = true;
  m.win.Topology.ErrorCode = 87;
  m.win.Topology.ErrorText = "The parameter is incorrect.";
  try {
    LogicalProcessorCount(m.os);
    ADD_FAILURE() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find("87"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("The parameter is incorrect."), std::string::npos);
  }
}

TEST(InstalledMemoryTest, NewAndOldCalls) {
  FakePlatform os;
  os.Facts.IsWindows = true;
  auto& win = os.Facts.Win;
  TInstalledMemoryQv memory;
  win.InstalledKB = 16777216;
  win.GlobalBytes = 123;
  EXPECT_TRUE(GetInstalledMemoryKB(os, memory));
  EXPECT_EQ(memory.KB, 16777216);
  EXPECT_FALSE(memory.OldMemoryApi);

  // Without the newer call the byte count is divided by 1024 into kilobytes.
  win.InstalledKB.reset();
  win.GlobalBytes = 4278190080u;
  EXPECT_TRUE(GetInstalledMemoryKB(os, memory));
  EXPECT_EQ(memory.KB, 4177920);
  EXPECT_TRUE(memory.OldMemoryApi);
  win.InstalledKB = 0;  // the newer call reporting nothing counts as failed
  GetInstalledMemoryKB(os, memory);
  EXPECT_TRUE(memory.OldMemoryApi);
  win.GlobalBytes = 1023;
  EXPECT_FALSE(GetInstalledMemoryKB(os, memory));
  EXPECT_EQ(memory.KB, 0);
}

TEST(HostProcessorTest, AnswersFromTheHostDescription) {
  FakePlatform os;
  auto& host = os.Facts.HostAnswers;
  host.ProcessorValue = {"  Intel(R) Xeon(R) Gold 6130 CPU @ 2.10GHz ", "GenuineIntel Family 6",
                         3700, 2, 32, 64};
  TProcessorInfoQv info;
  GetProcessorInfo(os, true, info);
  EXPECT_EQ(info.ModelName, "Intel\u00AE Xeon\u00AE Gold 6130 CPU at 2.10GHz [3700 Mhz]");
  EXPECT_EQ(info.Family, "GenuineIntel Family 6");
  EXPECT_EQ(info.Sockets, 2);
  EXPECT_EQ(info.ThreadsPerCore, 2);
  EXPECT_EQ(info.PhysicalCoresPerSocket, 16);
  EXPECT_EQ(info.LogicalCoresPerSocket, 32);
  EXPECT_EQ(PhysicalCoreCount(os), 32);
  EXPECT_EQ(LogicalProcessorCount(os), 64);

  host.ProcessorValue = {"", "", -5, 0, 1, 1};
  GetProcessorInfo(os, true, info);
  EXPECT_EQ(info.ModelName, "*** Unknown *** [0 Mhz]");
  EXPECT_EQ(info.Sockets, 1);

  host.ProcessorValue.PhysicalCores = 0;  // nothing could be read
  EXPECT_THROW(GetProcessorInfo(os, true, info), ConversionError);
  EXPECT_THROW(PhysicalCoreCount(os), ConversionError);

  host.MemoryValue = {-1, "a note"};
  TInstalledMemoryQv memory;
  EXPECT_FALSE(GetInstalledMemoryKB(os, memory));
  EXPECT_EQ(memory.KB, 0);
  EXPECT_EQ(memory.HostNote, "a note");
  EXPECT_FALSE(memory.OldMemoryApi);
}

}  // namespace
}  // namespace zentrel
