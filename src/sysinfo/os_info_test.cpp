#include "sysinfo/os_info.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using platform::FakePlatform;
using platform::TFakeOtherValue;
using platform::TFakeUnreadableValue;

constexpr const char* kVersionKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

/// A Windows system whose version key holds the given values.
struct WindowsSystem {
  FakePlatform os;
  platform::FakeRegistry::TValues& version;
  explicit WindowsSystem(platform::FakeRegistry::TValues values)
      : version(os.Facts.Win.Reg.Keys[kVersionKey]) {
    os.Facts.IsWindows = true;
    version = std::move(values);
  }
};

platform::FakeRegistry::TValues Windows10(bool withReleaseId = true) {
  platform::FakeRegistry::TValues v{{"CurrentBuildNumber", std::string("19045")},
                                    {"CurrentMajorVersionNumber", std::uint32_t{10}},
                                    {"CurrentMinorVersionNumber", std::uint32_t{0}},
                                    {"UBR", std::uint32_t{3803}},
                                    {"CurrentVersion", std::string("6.3")},
                                    {"EditionID", std::string("Professional")},
                                    {"ProductName", std::string("Windows 10 Pro")},
                                    {"CSDVersion", std::string("never read")}};
  if (withReleaseId) v["ReleaseId"] = std::string("2009");
  return v;
}

TEST(OSEditionTest, BuildsFrom10240UseTheIntegerValuesAndReleaseId) {
  WindowsSystem w(Windows10());
  TOSVersionInfoQv info;
  GetOSEdition(w.os, info);
  EXPECT_EQ(info.MajorVersion, 10);
  EXPECT_EQ(info.MinorVersion, 0);
  EXPECT_EQ(info.BuildNumber, 19045);
  EXPECT_EQ(info.Revision, 3803);
  EXPECT_EQ(info.ReleaseId, "2009");
  EXPECT_EQ(info.ProductName, "Windows 10 Pro");  // no service-pack blank
  EXPECT_EQ(info.ServicePack, "");
  EXPECT_EQ(info.VersionText, "10.0.19045");
  EXPECT_EQ(info.Edition, "Windows 10 Pro, Version 2009 (OS Build 10.0.19045.3803)");
  EXPECT_EQ(info.EditionID, "Professional");
  EXPECT_EQ(w.os.Facts.Win.Reg.OpenKeys, 0);  // the key is closed again

  // Without ReleaseId the text keeps its shape: two blanks before "(OS Build".
  WindowsSystem bare(Windows10(false));
  GetOSEdition(bare.os, info);
  EXPECT_EQ(info.Edition, "Windows 10 Pro, Version  (OS Build 10.0.19045.3803)");
}

TEST(OSEditionTest, OlderBuildsSplitCurrentVersionAndAddTheServicePack) {
  WindowsSystem w({{"CurrentBuildNumber", std::string("7601")},
                   {"CurrentVersion", std::string("6.1")},
                   {"UBR", std::uint32_t{99}},
                   {"ReleaseId", std::string("never read")},
                   {"ProductName", std::string("Windows 7 Professional")},
                   {"CSDVersion", std::string("Service Pack 1")}});
  TOSVersionInfoQv info;
  GetOSEdition(w.os, info);
  EXPECT_EQ(info.ProductName, "Windows 7 Professional Service Pack 1");
  EXPECT_EQ(info.Edition, "Windows 7 Professional Service Pack 1, Version 6.1 Build 7601");
  EXPECT_EQ(info.Revision, 0);
  EXPECT_EQ(info.ReleaseId, "");
  EXPECT_EQ(info.ServicePack, "Service Pack 1");

  // 9600: no service-pack value is read and no blank is added.
  WindowsSystem blue({{"CurrentBuildNumber", std::string("9600")},
                      {"CurrentVersion", std::string("6.3")},
                      {"ProductName", std::string("Windows 8.1 Pro")},
                      {"CSDVersion", std::string("never read")}});
  GetOSEdition(blue.os, info);
  EXPECT_EQ(info.Edition, "Windows 8.1 Pro, Version 6.3 Build 9600");
  EXPECT_EQ(info.ServicePack, "");

  // Below 9200 without a service pack the blank is still added.
  WindowsSystem vista({{"CurrentBuildNumber", std::string("6002")},
                       {"CurrentVersion", std::string("..6...0")},
                       {"EditionID", std::string("ServerStandard")},
                       {"ProductName", std::string("Windows Server 2008")}});
  EXPECT_FALSE(GetOSVersionInfo(vista.os, info));  // 6002: EditionID is not read
  EXPECT_EQ(info.ProductName, "Windows Server 2008 ");
  EXPECT_EQ(info.MajorVersion, 6);  // runs of "." count as one, leading ones skipped
  EXPECT_EQ(info.MinorVersion, 0);
  EXPECT_EQ(info.EditionID, "");
}

TEST(OSEditionTest, ServerEditions) {
  struct Case {
    const char* editionId;
    bool server;
    const char* afterEdition;
  } cases[] = {{"ServerStandard", true, "Standard"},
               {"serverdatacenter", true, "datacenter"},
               {"Server", true, ""},
               {"Serve", false, "Serve"},
               {"Enterprise", false, "Enterprise"},
               {"", false, ""}};
  for (const auto& c : cases) {
    auto values = Windows10();
    values["EditionID"] = std::string(c.editionId);
    WindowsSystem w(values);
    TOSVersionInfoQv info;
    EXPECT_EQ(GetOSVersionInfo(w.os, info), c.server) << c.editionId;
    EXPECT_EQ(info.EditionID, c.editionId);
    GetOSEdition(w.os, info);
    EXPECT_EQ(info.EditionID, c.afterEdition) << c.editionId;
  }
}

TEST(OSEditionTest, FailuresOfTheVersionValues) {
  auto expectFailure = [](platform::FakeRegistry::TValues values, const std::string& message) {
    WindowsSystem w(std::move(values));
    TOSVersionInfoQv info;
    try {
      GetOSEdition(w.os, info);
      ADD_FAILURE() << "no failure: " << message;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), message);
    }
    EXPECT_EQ(w.os.Facts.Win.Reg.OpenKeys, 0) << message;  // closed on the failing path too
  };
  auto without = [](const char* name) {
    auto v = Windows10();
    v.erase(name);
    return v;
  };
  auto with = [](const char* name, platform::TFakeRegistryValue value) {
    auto v = Windows10();
    v[name] = value;
    return v;
  };
  const std::string build = "' is not a valid integer value for the build number";
  expectFailure(without("CurrentBuildNumber"), "'" + build);  // missing: read as empty text
  expectFailure(with("CurrentBuildNumber", std::string("19045a")), "'19045a" + build);
  expectFailure(with("CurrentBuildNumber", std::string(" 19045")), "' 19045" + build);
  expectFailure(with("CurrentBuildNumber", std::string("+19045")), "'+19045" + build);
  expectFailure(with("CurrentBuildNumber", std::uint32_t{19045}),
                "Registry value \"CurrentBuildNumber\" is not a string");
  expectFailure(with("CurrentBuildNumber", TFakeUnreadableValue{}),
                "Registry value \"CurrentBuildNumber\" could not be read");
  expectFailure(without("UBR"), "Registry value \"UBR\" is missing");
  expectFailure(with("UBR", std::string("3803")),
                "Registry value \"UBR\" is not a 32-bit integer");
  expectFailure(with("UBR", TFakeUnreadableValue{}), "Registry value \"UBR\" could not be read");
  expectFailure(without("CurrentMajorVersionNumber"),
                "Registry value \"CurrentMajorVersionNumber\" is missing");
  expectFailure(with("ProductName", TFakeOtherValue{}),
                "Registry value \"ProductName\" is not a string");
  expectFailure({{"CurrentBuildNumber", std::string("7601")},
                 {"CurrentVersion", std::string("6")}},
                "'' is not a valid integer value for the minor version");
  expectFailure({{"CurrentBuildNumber", std::string("7601")},
                 {"CurrentVersion", std::string("6.x")}},
                "'x' is not a valid integer value for the minor version");
}

TEST(OSEditionTest, AnUnopenableKeyLeavesTheNumbersAndEmptiesTheTexts) {
  WindowsSystem w(Windows10());
  w.os.Facts.Win.Reg.Locked.insert(kVersionKey);
  TOSVersionInfoQv info;
  info.BuildNumber = 42;
  info.ProductName = "old";
  GetOSEdition(w.os, info);
  EXPECT_EQ(info.BuildNumber, 42);
  EXPECT_EQ(info.ProductName, "");
  EXPECT_EQ(info.Edition, ", Version 0.0 Build 42");
  EXPECT_EQ(info.Architecture, "x64");
}

TEST(IsWindows64Test, TheQueryAndA64BitProgram) {
  FakePlatform os;
  os.Facts.IsWindows = true;
  auto& win = os.Facts.Win;
  win.Wow64 = platform::TWow64Query::Yes;
  EXPECT_TRUE(IsWindows64(os));
  win.Wow64 = platform::TWow64Query::No;
  EXPECT_FALSE(IsWindows64(os));
  win.Wow64 = platform::TWow64Query::Unavailable;
  EXPECT_FALSE(IsWindows64(os));
  win.Wow64 = platform::TWow64Query::Failed;
  try {
    IsWindows64(os);
    ADD_FAILURE() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "IsWindows64: Bad Process Handle");
  }
  // A 64-bit program, for which the 32-on-64 query always says no, runs on 64-bit Windows.
  win.Program64 = true;
  win.Wow64 = platform::TWow64Query::No;
  EXPECT_TRUE(IsWindows64(os));

  WindowsSystem w(Windows10());
  w.os.Facts.Win.Wow64 = platform::TWow64Query::Unavailable;
  TOSVersionInfoQv info;
  GetOSEdition(w.os, info);
  EXPECT_EQ(info.Architecture, "x86");
}

TEST(RebootStatusTest, EachIndicatorOnItsOwn) {
  const std::string sessionManager = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  struct Case {
    std::vector<std::string> keys;
    bool renameValue;
    bool pending, required, files;
  } cases[] = {
      {{}, false, false, false, false},
      {{"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\RebootPending"},
       false, true, false, false},
      {{"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired"},
       false, false, true, false},
      {{sessionManager + "\\PendingFileRenameOperations"}, false, false, false, true},
      // Where Windows actually keeps the renames: a value of the Session Manager key.
      {{}, true, false, false, true},
  };
  for (const auto& c : cases) {
    FakePlatform os;
    os.Facts.IsWindows = true;
    auto& reg = os.Facts.Win.Reg;
    reg.Keys[sessionManager]["BootExecute"] = TFakeOtherValue{};
    if (c.renameValue) reg.Keys[sessionManager]["pendingfilerenameoperations"] = TFakeOtherValue{};
    for (const auto& key : c.keys) reg.Keys[key];
    const TRebootStatusQv status = GetRebootStatus(os);
    EXPECT_EQ(status.Pending, c.pending);
    EXPECT_EQ(status.Required, c.required);
    EXPECT_EQ(status.FilesPending, c.files);
    EXPECT_EQ(reg.OpenKeys, 0);
  }
  // A key that cannot be opened counts as absent.
  FakePlatform os;
  os.Facts.IsWindows = true;
  std::string key =
      "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\RebootPending";
  os.Facts.Win.Reg.Keys[key];
  os.Facts.Win.Reg.Locked.insert(key);
  EXPECT_FALSE(GetRebootStatus(os).Pending);
}

TEST(HostOSTest, AnswersFromTheHostDescription) {
  FakePlatform os;
  os.Facts.HostAnswers.OsValue = {"Fedora Linux", "39", "server", "6.5.6-300.fc39.x86_64",
                                  6, 5, 6, 300, true};
  TOSVersionInfoQv info;
  EXPECT_TRUE(GetOSVersionInfo(os, info));
  GetOSEdition(os, info);
  EXPECT_EQ(info.Edition, "Fedora Linux, Version 39 (Kernel 6.5.6-300.fc39.x86_64)");
  EXPECT_EQ(info.ProductName, "Fedora Linux");
  EXPECT_EQ(info.VersionText, "6.5.6");
  EXPECT_EQ(info.Revision, 300);
  EXPECT_EQ(info.ReleaseId, "39");
  EXPECT_EQ(info.EditionID, "server");  // kept whole: it is not a Windows edition name
  EXPECT_EQ(info.Architecture, "x64");

  // A rolling release names no version.
  os.Facts.HostAnswers.OsValue = {"Arch Linux", "", "", "6.7.4-arch1-1", 6, 7, 4, 0, false};
  GetOSEdition(os, info);
  EXPECT_EQ(info.Edition, "Arch Linux (Kernel 6.7.4-arch1-1)");
  EXPECT_EQ(info.Architecture, "x86");

  os.Facts.HostAnswers.RebootValue = {true, false, true};
  const TRebootStatusQv status = GetRebootStatus(os);
  EXPECT_TRUE(status.Pending);
  EXPECT_FALSE(status.Required);
  EXPECT_TRUE(status.FilesPending);
}

}  // namespace
}  // namespace zentrel
