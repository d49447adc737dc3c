#include "core/version_info.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using platform::TVersionStatus;
using TWarned = std::pair<std::string, int>;

struct VersionInfoTest : ::testing::Test {
  platform::FakePlatform os;
  TFileVersionInfoRec rec;
  std::optional<TWarning> warning;

  void Read(const std::string& path, bool upperNames = true) {
    TVersionInfoRead read = ReadVersionInfo(os, path, upperNames);
    rec = std::move(read.Rec);
    warning = std::move(read.Warning);
  }
  /// The warning's line and exit code; "" and 0 without one.
  TWarned Warned() const {
    if (!warning) return {"", 0};
    EXPECT_EQ(warning->Lines.size(), 1u);
    return {warning->Lines.empty() ? "" : warning->Lines[0], static_cast<int>(warning->Code)};
  }
};

TEST_F(VersionInfoTest, NamesAndTitlesOfTheRunningExecutable) {
  Read("");
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
  EXPECT_EQ(Warned(), TWarned("", 0));
}

TEST_F(VersionInfoTest, EveryOccurrenceOfTheExtensionIsRemovedFromTheBaseName) {
  os.Files["/apps/Zentrel.exe.EXE"] = "";
  Read("/apps/Zentrel.exe.EXE");
  EXPECT_EQ(rec.Extension, ".EXE");
  EXPECT_EQ(rec.FileName, "ZENTREL.EXE.EXE");
  EXPECT_EQ(rec.BaseName, "ZENTREL");
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v5.7.0");
  EXPECT_EQ(rec.FullTitle, "ZENTREL.EXE.EXE v5.7.0.1501");

  Read("/apps/Zentrel.exe.EXE", false);
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
    Read("");
    EXPECT_EQ(rec.Copyright, expected) << legal;
  }
}

TEST_F(VersionInfoTest, MissingStringsReadAsEmptyAndShortVersionsAreJoinedAsFarAsTheyGo) {
  os.Version.Strings = {{"FileVersion", "5.7"}};
  Read("");
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v5.7");
  EXPECT_EQ(rec.FullTitle, "ZENTREL v5.7");
  EXPECT_EQ(rec.FileDescription, "");
  EXPECT_EQ(rec.CompanyName, "");
  EXPECT_EQ(rec.Comments, "");
  EXPECT_EQ(rec.ExtraInfo, "n/a");
  EXPECT_FALSE(warning);

  os.Version.Strings = {{"FileVersion", "1.2.3.4.5"}};
  Read("");
  EXPECT_EQ(rec.ShortTitle, "ZENTREL v1.2.3");
  EXPECT_EQ(rec.FullTitle, "ZENTREL v1.2.3.4");
}

TEST_F(VersionInfoTest, MissingFileReportsAndKeepsTheDefaults) {
  Read("/nowhere/tool");
  EXPECT_FALSE(rec.Loaded);
  EXPECT_EQ(rec.ShortTitle, "n/a");
  EXPECT_EQ(rec.FileDescription, "n/a");
  EXPECT_EQ(Warned(), TWarned("File does not exist: /nowhere/tool", 70));
}

TEST_F(VersionInfoTest, FileWithoutVersionInformation) {
  os.Version = {TVersionStatus::NoVersionInfo, {}};
  Read("");
  EXPECT_TRUE(rec.Loaded);
  EXPECT_EQ(rec.FileName, "ZENTREL");
  EXPECT_EQ(rec.ShortTitle, "n/a");
  EXPECT_EQ(rec.Copyright, "n/a");
  EXPECT_EQ(Warned(), TWarned(
                         "File contains no resource info: /opt/zentrel/bin/zentrel", 74));
}

TEST_F(VersionInfoTest, DamagedVersionInformation) {
  os.Version = {TVersionStatus::Failed, {}};
  Read("");
  EXPECT_TRUE(rec.Loaded);
  EXPECT_EQ(rec.FullTitle, "n/a");
  EXPECT_EQ(Warned(), TWarned(
                         "Error obtaining version info from file: /opt/zentrel/bin/zentrel", 73));
}

TEST_F(VersionInfoTest, FileGoneBetweenTheTwoLooksIsAMissingFile) {
  os.Version = {TVersionStatus::NoFile, {}};  // there when checked, gone when read
  Read("");
  EXPECT_FALSE(rec.Loaded);
  const TFileVersionInfoRec none;  // nothing of the name found before is kept
  EXPECT_EQ(rec.FileName, none.FileName);
  EXPECT_EQ(rec.BaseName, none.BaseName);
  EXPECT_EQ(rec.Path, none.Path);
  EXPECT_EQ(Warned(), TWarned("File does not exist: /opt/zentrel/bin/zentrel", 70));
}

TEST_F(VersionInfoTest, ASecondReadStartsFromTheDefaults) {
  Read("");
  os.Version = {TVersionStatus::NoVersionInfo, {}};
  Read("");
  EXPECT_EQ(rec.ProductName, "n/a");
  EXPECT_EQ(rec.FullTitle, "n/a");
}

}  // namespace
}  // namespace zentrel
