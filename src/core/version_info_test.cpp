#include "core/version_info.h"

#include <gtest/gtest.h>

#include "core/run_context.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using platform::TVersionStatus;

struct VersionInfoTest : ::testing::Test {
  platform::FakePlatform os;
  TRunContext run{os};
  TFileVersionInfoRec rec;

  std::string Err() {
    run.Channels.Flush();
    return os.Err;
  }
};

TEST_F(VersionInfoTest, NamesAndTitlesOfTheRunningExecutable) {
  ReadVersionInfo(run, "", true, rec);
  EXPECT_TRUE(rec.Loaded);
  EXPECT_EQ(rec.FileName, "ZENTREL");
  EXPECT_EQ(rec.BaseName, "ZENTREL");
  EXPECT_EQ(rec.Extension, "");
  EXPECT_EQ(rec.Path, "/opt/zentrel/bin/");
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v5.7.0");
  EXPECT_EQ(rec.FullTitle, "ZENTREL v5.7.0.1501");
  EXPECT_EQ(rec.BaseTitle, "ZENTREL v5.7.0.1501");
  EXPECT_EQ(rec.FileVersion, "5.7.0.1501");
  EXPECT_EQ(rec.ProductName, "Zentrel");
  EXPECT_EQ(rec.FileDescription, "Test Description");
  EXPECT_EQ(rec.Copyright, "Copyright (c) Test");
  EXPECT_EQ(rec.Comments, "Test Comments");
  EXPECT_EQ(rec.ExtraInfo, "n/a");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(Err(), "");
}

TEST_F(VersionInfoTest, EveryOccurrenceOfTheExtensionIsRemovedFromTheBaseName) {
  os.Files["/apps/Zentrel.exe.EXE"] = "";
  ReadVersionInfo(run, "/apps/Zentrel.exe.EXE", true, rec);
  EXPECT_EQ(rec.Extension, ".EXE");
  EXPECT_EQ(rec.FileName, "ZENTREL.EXE.EXE");
  EXPECT_EQ(rec.BaseName, "ZENTREL");
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v5.7.0");
  EXPECT_EQ(rec.FullTitle, "ZENTREL.EXE.EXE v5.7.0.1501");

  ReadVersionInfo(run, "/apps/Zentrel.exe.EXE", false, rec);
  EXPECT_EQ(rec.FileName, "Zentrel.exe.EXE");
  EXPECT_EQ(rec.BaseName, "Zentrel");
  EXPECT_EQ(rec.Path, "/apps/");
}

TEST_F(VersionInfoTest, CopyrightWordIsNeverDoubled) {
  const std::pair<std::string, std::string> cases[] = {
      {"Copyright 2026 Someone", "Copyright 2026 Someone"},
      {"COPYRIGHT 2026 Someone", "Copyright 2026 Someone"},
      {"\xc2\xa9 2026 Someone", "Copyright \xc2\xa9 2026 Someone"},
      {"", "Copyright "},
  };
  for (const auto& [legal, expected] : cases) {
    os.Version.Strings["LegalCopyright"] = legal;
    ReadVersionInfo(run, "", true, rec);
    EXPECT_EQ(rec.Copyright, expected) << legal;
  }
}

TEST_F(VersionInfoTest, MissingStringsReadAsEmptyAndShortVersionsAreJoinedAsFarAsTheyGo) {
  os.Version.Strings = {{"FileVersion", "5.7"}};
  ReadVersionInfo(run, "", true, rec);
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v5.7");
  EXPECT_EQ(rec.FullTitle, "ZENTREL v5.7");
  EXPECT_EQ(rec.FileDescription, "");
  EXPECT_EQ(rec.CompanyName, "");
  EXPECT_EQ(rec.Comments, "");
  EXPECT_EQ(rec.ExtraInfo, "n/a");
  EXPECT_EQ(run.ExitCode, 0);

  os.Version.Strings = {{"FileVersion", "1.2.3.4.5"}};
  ReadVersionInfo(run, "", true, rec);
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v1.2.3");
  EXPECT_EQ(rec.FullTitle, "ZENTREL v1.2.3.4");
}

TEST_F(VersionInfoTest, MissingFileReportsAndKeepsTheDefaults) {
  ReadVersionInfo(run, "/nowhere/tool", true, rec);
  EXPECT_FALSE(rec.Loaded);
  EXPECT_EQ(rec.ShortTitle, "n/a");
  EXPECT_EQ(rec.FileDescription, "n/a");
  EXPECT_EQ(run.ExitCode, 70);
  EXPECT_EQ(Err(), "File does not exist: /nowhere/tool\n");
}

TEST_F(VersionInfoTest, FileWithoutVersionInformation) {
  os.Version = {TVersionStatus::NoVersionInfo, {}};
  ReadVersionInfo(run, "", true, rec);
  EXPECT_TRUE(rec.Loaded);
  EXPECT_EQ(rec.FileName, "ZENTREL");
  EXPECT_EQ(rec.ShortTitle, "n/a");
  EXPECT_EQ(rec.Copyright, "n/a");
  EXPECT_EQ(run.ExitCode, 74);
  EXPECT_EQ(Err(), "File contains no resource info: /opt/zentrel/bin/zentrel\n");
}

TEST_F(VersionInfoTest, DamagedVersionInformation) {
  os.Version = {TVersionStatus::Failed, {}};
  ReadVersionInfo(run, "", true, rec);
  EXPECT_TRUE(rec.Loaded);
  EXPECT_EQ(rec.FullTitle, "n/a");
  EXPECT_EQ(run.ExitCode, 73);
  EXPECT_EQ(Err(), "Error obtaining version info from file: /opt/zentrel/bin/zentrel\n");
}

TEST_F(VersionInfoTest, ASecondReadStartsFromTheDefaults) {
  ReadVersionInfo(run, "", true, rec);
  os.Version = {TVersionStatus::NoVersionInfo, {}};
  ReadVersionInfo(run, "", true, rec);
  EXPECT_EQ(rec.ProductName, "n/a");
  EXPECT_EQ(rec.FullTitle, "n/a");
}

}  // namespace
}  // namespace zentrel
