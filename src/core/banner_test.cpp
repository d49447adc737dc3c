#include "core/banner.h"

#include <gtest/gtest.h>

#include <string>

#include "core/build_info.h"
#include "core/line_end.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

const std::string kLE(kLineEnd);

/// "dd Mmm yyyy" of a build text, worked out here on its own.
std::string BuildDay(std::string_view text) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  int month = std::stoi(std::string(text.substr(5, 2)));
  return std::string(text.substr(8, 2)) + " " + kMonths[month - 1] + " " +
         std::string(text.substr(0, 4));
}

std::string Arch() { return std::string(build::kArchText); }

std::string HeaderLines() {
  return "ZENTREL v5.7.0" + Arch() + " (" + BuildDay(build::kBuildDateText) +
         ") - Test Description" + kLE + "Copyright (c) Test" + kLE + "Test Comments" + kLE + kLE;
}

std::string BuildLine() {
  return "ZENTREL v5.7.0.1501" + Arch() + " was compiled on " +
         BuildDay(build::kBuildDateTimeText) + " @ " +
         std::string(build::kBuildDateTimeText.substr(11, 2)) + ":00:00 using " +
         std::string(build::kToolchain) + kLE;
}

struct BannerTest : ::testing::Test {
  platform::FakePlatform os;
  TRunContext run{os};

  void Flush() { run.Channels.Flush(); }
};

// --- banner -------------------------------------------------------------------------------

TEST_F(BannerTest, InfoPrintsHeaderLinesAndBuildLineOnTheErrorChannel) {
  ShowBanner(run, true, true);
  Flush();
  EXPECT_EQ(os.Err, HeaderLines() + BuildLine() + kLE);
  EXPECT_EQ(os.Out, "");
  EXPECT_TRUE(run.BannerShown);
  EXPECT_TRUE(run.VersionInfo.Loaded);
}

TEST_F(BannerTest, VersionOnlyPrintsTheBuildLineAlone) {
  ShowBanner(run, true, false);
  Flush();
  EXPECT_EQ(os.Err, BuildLine());
}

TEST_F(BannerTest, HeaderLinesAlone) {
  ShowBanner(run, false, true);
  Flush();
  EXPECT_EQ(os.Err, HeaderLines());
}

TEST_F(BannerTest, PrintsAtMostOncePerRun) {
  ShowBanner(run, false, true);
  ShowBanner(run, true, true);
  Flush();
  EXPECT_EQ(os.Err, HeaderLines());

  platform::FakePlatform os2;
  TRunContext run2{os2};
  ShowBanner(run2, false, false);  // counts as shown
  ShowBanner(run2, true, true);
  run2.Channels.Flush();
  EXPECT_EQ(os2.Err, "");
  EXPECT_TRUE(run2.BannerShown);
}

TEST_F(BannerTest, UsesVersionInformationAlreadyLoaded) {
  run.VersionInfo.Loaded = true;
  run.VersionInfo.FullTitle = "OTHER v1";
  os.Version = {platform::TVersionStatus::Failed, {}};  // would fail if read again
  ShowBanner(run, true, false);
  Flush();
  EXPECT_EQ(os.Err.substr(0, 8 + Arch().size()), "OTHER v1" + Arch());
  EXPECT_EQ(run.ExitCode, 0);
}

TEST_F(BannerTest, FileWithoutVersionInformationPrintsNa) {
  os.Version = {platform::TVersionStatus::NoVersionInfo, {}};
  ShowBanner(run, false, true);
  Flush();
  EXPECT_EQ(os.Err, "File contains no resource info: /opt/zentrel/bin/zentrel" + kLE + "n/a" +
                        Arch() + " (" + BuildDay(build::kBuildDateText) + ") - n/a" + kLE +
                        "n/a" + kLE + "n/a" + kLE + kLE);
  EXPECT_EQ(run.ExitCode, 74);
}

TEST_F(BannerTest, BuildDatesDoNotDependOnRegionalSettings) {
  run.Format.DateSeparator = '.';
  run.Format.ShortDatePattern = "dd.mm.yyyy";
  ShowBanner(run, true, true);
  Flush();
  EXPECT_EQ(os.Err, HeaderLines() + BuildLine() + kLE);
  EXPECT_EQ(run.Format.ShortDatePattern, "dd.mm.yyyy");
}

// --- syntax-error screen ------------------------------------------------------------------

TEST_F(BannerTest, SyntaxErrorScreenLines) {
  os.CommandLine = "zentrel -c";
  ShowSyntaxError(run, "Option at position 1 needs an argument : c");
  Flush();
  EXPECT_EQ(os.Err, "Invalid or Incomplete Syntax!" + kLE + kLE +
                        "Execution Path ... /opt/zentrel/bin/" + kLE +
                        "You entered ...... zentrel -c" + kLE + kLE +
                        "Option at position 1 needs an argument : c (See Syntax Definition Below)" +
                        kLE + kLE);
  EXPECT_EQ(os.Out, "");
  EXPECT_EQ(os.Beeps, 0);
}

TEST_F(BannerTest, SuffixBlankOnlyWhenTheMessageDoesNotEndInOne) {
  ShowSyntaxError(run, "ends in a blank ");
  ShowSyntaxError(run, "line one" + kLE + "line two");
  ShowSyntaxError(run, "");
  Flush();
  EXPECT_NE(os.Err.find(kLE + "ends in a blank (See Syntax Definition Below)" + kLE),
            std::string::npos);
  EXPECT_NE(os.Err.find(kLE + "line one" + kLE + "line two (See Syntax Definition Below)" + kLE),
            std::string::npos);
  EXPECT_NE(os.Err.find(kLE + " (See Syntax Definition Below)" + kLE), std::string::npos);
}

TEST_F(BannerTest, ExecutionPathWithABlankIsQuoted) {
  os.ExePath = "/opt/my tools/zentrel";
  TRunContext spaced{os};
  ShowSyntaxError(spaced, "x");
  spaced.Channels.Flush();
  EXPECT_NE(os.Err.find("Execution Path ... \"/opt/my tools/\"" + kLE), std::string::npos);
}

TEST_F(BannerTest, NeitherABeepNorAKeyWait) {
  ShowSyntaxError(run, "x");
  EXPECT_EQ(os.Beeps, 0);
  Flush();
  EXPECT_EQ(os.Out, "");
}

// --- dash lines ---------------------------------------------------------------------------

TEST_F(BannerTest, DashLinesFollowTheCoreOutputChannel) {
  WriteDashLine(run, 5, false);
  WriteDashLine(run, 3, true);
  Flush();
  EXPECT_EQ(os.Out, "-----" + kLE + "---" + kLE + kLE);

  os.Out.clear();
  ShowSyntaxError(run, "x");
  Flush();
  os.Err.clear();
  WriteDashLine(run, 2, false);
  run.Out().WriteLine("help text");
  Flush();
  EXPECT_EQ(os.Err, "--" + kLE);
  EXPECT_EQ(os.Out, "help text" + kLE);
}

TEST_F(BannerTest, DashLineOfNoDashes) {
  WriteDashLine(run, 0, false);
  WriteDashLine(run, -7, false);
  Flush();
  EXPECT_EQ(os.Out, kLE + kLE);
}

}  // namespace
}  // namespace zentrel
