// The whole program on a fake platform: which runs reach the selected-date report and the
// full help, and how their screens combine with the failure path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/zentrel.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

struct TProgramRun {
  platform::FakePlatform os;
  int ExitCode = -1;

  explicit TProgramRun(std::vector<std::string> args) { os.Args = std::move(args); }
  TProgramRun& Run() {
    TZentrel program(os);
    ExitCode = program.Run();
    return *this;
  }
  /// How often the banner's first line was written.
  size_t Banners() const {
    size_t count = 0;
    for (size_t at = os.Err.find("Test Description"); at != std::string::npos;
         at = os.Err.find("Test Description", at + 1)) {
      ++count;
    }
    return count;
  }
};

constexpr std::string_view kTodayHead =
    " Selected Date is ........................................December 07, 2026\n";

TEST(ReportRoute, NoParametersAndLoneDatesSelectTheReport) {
  TProgramRun none({});
  none.Run();
  EXPECT_EQ(none.ExitCode, 0);
  EXPECT_TRUE(none.os.Out.starts_with(kTodayHead));
  EXPECT_EQ(none.Banners(), 1u);

  // A lone date equal to today prints exactly the sheet of a run without parameters.
  TProgramRun today({"12/07/2026"});
  today.Run();
  EXPECT_EQ(today.os.Out, none.os.Out);
}

TEST(ReportRoute, IgnoredParametersAreNamedAfterTheSheet) {
  TProgramRun run({"12/25/2024", "extra", "more"});
  run.Run();
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.os.Out.starts_with(
      " Selected Date is ........................................December 25, 2024\n"));
  EXPECT_TRUE(run.os.Err.ends_with(
      " All parameters entered after \"12/25/2024\" were ignored...\n\n"))
      << run.os.Err;
}

TEST(ReportRoute, DateFormatAndVerboseSwitchLabelsBackOn) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-q", "-d"}, {"-q", "-v"}, {"-q", "-f"}, {"-o", "msg", "-d"}}) {
    TProgramRun run(args);
    run.Run();
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.os.Out.starts_with(kTodayHead)) << args[0] << " " << args[1];
  }
  // --date with a separate value: the value is not read, the sheet is for now, and the
  // value is named as not used.
  TProgramRun longForm({"--date", "12/25/2024"});
  longForm.Run();
  EXPECT_TRUE(longForm.os.Out.starts_with(kTodayHead));
  EXPECT_TRUE(longForm.os.Err.ends_with(" Not used: \"12/25/2024\"\n\n"));
  // A date typed first is the report's date, before -f as before -v.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"12/25/2024", "-f", "yyyy-mm-dd"}, {"12/25/2024", "-v"}}) {
    TProgramRun first(args);
    first.Run();
    EXPECT_NE(first.os.Out.find("Selected Date is ........................................December 25, 2024"),
              std::string::npos) << args[1];
    EXPECT_EQ(first.os.Err.find("Not used"), std::string::npos) << args[1];
  }
}

TEST(ReportRoute, UnrenderablePatternShowsOneBannerAndFails) {
  TProgramRun run({"-d", "-f", "yyyy at hh"});
  run.Run();
  EXPECT_EQ(run.ExitCode, 64);
  EXPECT_EQ(run.Banners(), 1u);
  EXPECT_NE(run.os.Err.find("Invalid or Incomplete Syntax!\n -f \"yyyy at hh\" is not a date "
                            "pattern\n"),
            std::string::npos);
  EXPECT_EQ(run.os.Out, "");  // found before the sheet starts
}

TEST(ReportRoute, ARunThatCrossesMidnightSpeaksOfOneDay) {
  // A clock that ticks into the next day after its first reading.
  struct TTickingPlatform : platform::FakePlatform {
    int Readings = 0;
    platform::TLocalTime Now() override {
      return ++Readings == 1 ? platform::TLocalTime{2026, 12, 7, 23, 59, 59, 999}
                             : platform::TLocalTime{2026, 12, 8, 0, 0, 0, 0};
    }
  } os;
  TZentrel program(os);
  for (int run = 0; run < 2; ++run) {
    // A second run of the same object reads the clock again.
    os.Out.clear();
    os.Readings = 0;
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(os.Out.starts_with(
        " Selected Date is ........................................December 07, 2026\n"));
    EXPECT_NE(os.Out.find(" Current Day Status [12/07/2026] .........................TRUE\n"),
              std::string::npos);
    EXPECT_EQ(os.Readings, 1);
  }
}

TEST(RunRoute, ASecondRunOfTheSameObjectBehavesAsTheFirst) {
  const struct {
    std::vector<std::string> Args;
    platform::TVersionStatus Version;
  } cases[] = {
      {{"-i"}, platform::TVersionStatus::Ok},          // the banner shows again
      {{"-i"}, platform::TVersionStatus::Failed},      // and so do its error and code
      {{"-r", "1000"}, platform::TVersionStatus::Ok},  // the same draws
      {{"-q", "-x", "1000"}, platform::TVersionStatus::Ok},
  };
  for (const auto& c : cases) {
    platform::FakePlatform os;
    os.Args = c.Args;
    os.Version.Status = c.Version;
    TZentrel program(os);
    const int firstCode = program.Run();
    const std::string firstOut = os.Out, firstErr = os.Err;
    os.Out.clear();
    os.Err.clear();
    EXPECT_EQ(program.Run(), firstCode) << c.Args[0];
    EXPECT_EQ(os.Out, firstOut) << c.Args[0];
    EXPECT_EQ(os.Err, firstErr) << c.Args[0];
  }
  // Nor do the settings of one command line reach the next run.
  platform::FakePlatform os;
  os.Args = {"-q", "--use-seconds", "-x", "90"};
  TZentrel program(os);
  program.Run();
  os.Args = {"-q", "-x", "90"};
  os.Out.clear();
  program.Run();
  TProgramRun fresh({"-q", "-x", "90"});
  EXPECT_EQ(os.Out, fresh.Run().os.Out);
}

TEST(HelpRoute, HelpOptionsShowTheFullFormWithExitCode255) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-h"}, {"-?"}, {"--help"}, {"/?"}, {"-h", "-v"}, {"--??"}, {"--help2"}}) {
    TProgramRun run(args);
    run.Run();
    EXPECT_EQ(run.ExitCode, 255) << args[0];
    EXPECT_EQ(run.Banners(), 1u) << args[0];
    bool notes = args.size() == 2 || args[0] == "--??" || args[0] == "--help2";
    EXPECT_EQ(run.os.Out.find("    255 - Syntax Help Requested\n") != std::string::npos, notes)
        << args[0];
  }
}

TEST(HelpRoute, SyntaxErrorShowsOneBannerAndTheShortHelp) {
  TProgramRun run({"-h", "-c"});
  run.Run();
  EXPECT_EQ(run.ExitCode, 64);
  EXPECT_EQ(run.Banners(), 1u);
  EXPECT_EQ(run.os.Out, "");
  EXPECT_EQ(run.os.Err.find("SYNTAX EXAMPLES:"), std::string::npos);
  EXPECT_TRUE(run.os.Err.ends_with("For more details, please type: ZENTREL -?  OR  ZENTREL --??\n"));
}

TEST(OutputRoute, AnAnswerThatCannotBeWrittenIsNoSuccess) {
  const struct {
    std::vector<std::string> Args;
    int Code;
  } cases[] = {
      {{"-q", "-l", "02/29/2024"}, 72},  // success becomes 72
      {{"-h"}, 72},                      // and so do the help's and the listing's codes
      {{"--script-variables"}, 72},
      {{"-q", "-x", "1000"}, 65},        // an error code already set is kept
  };
  for (const auto& c : cases) {
    TProgramRun run(c.Args);
    run.os.OutFailure = "disk full";
    run.Run();
    EXPECT_EQ(run.ExitCode, c.Code) << c.Args[0];
    EXPECT_TRUE(run.os.Err.ends_with("ERROR: Unable to write to standard output (disk full)!\n"))
        << run.os.Err;
  }
}

}  // namespace
}  // namespace zentrel
