#include "app/help.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/banner.h"
#include "durations/duration_format.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using namespace std::chrono;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct THelpRun {
  platform::FakePlatform os;
  std::unique_ptr<TRunContext> run;
  TRandom random{1};

  THelpForm form;

  explicit THelpRun(bool notes = false) : form(notes ? THelpForm::FullWithNotes : THelpForm::Full) {
    run = std::make_unique<TRunContext>(os);
  }
  std::vector<std::string> Full() {
    ShowHelp(*run, random, form);
    run->Channels.Flush();
    return SplitLines(os.Out);
  }
};

size_t IndexOf(const std::vector<std::string>& lines, std::string_view line) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == line) return i;
  }
  return lines.size();
}

/// The section every full help ends with: the options added to the table later.
constexpr std::string_view kAddedSection =
    "-----------------------\n"
    "MORE DATES AND OPTIONS:\n"
    "-----------------------\n";

TEST(FullHelp, AddedSectionFollowsTheExamplesUnlessVerboseHelpWasAskedFor) {
  THelpRun help;
  std::vector<std::string> lines = help.Full();
  EXPECT_NE(help.os.Out.find(" ZENTREL --CompareOld=\"OldFile.TXT\" --CompareNew=\"NewFile.TXT\"\n"
                             "\n" +
                             std::string(kAddedSection)),
            std::string::npos);
  EXPECT_EQ(IndexOf(lines, "GENERAL USAGE NOTES:"), lines.size());
  // Two lines per option the table gives a help line, the second an example; an empty
  // line last.
  const size_t version =
      IndexOf(lines, " ZENTREL --Version             Display the program's version and licence");
  ASSERT_LT(version + 1, lines.size());
  EXPECT_EQ(lines[version + 1], "     ZENTREL --Version");
  EXPECT_EQ(lines[version + 2].substr(0, 31), " ZENTREL --UTC                 ");
  ASSERT_GE(lines.size(), 3u);
  EXPECT_TRUE(lines[lines.size() - 3].starts_with(" ZENTREL --In=y|m|w            --Calendar"));
  EXPECT_EQ(lines.back(), "");
}

TEST(FullHelp, VerboseHelpClosesWithTheExitCodeTableBeforeTheAddedSection) {
  THelpRun help(true);
  std::vector<std::string> lines = help.Full();
  // Every code but 75 (a timing file without entries), right-aligned in seven columns.
  EXPECT_NE(help.os.Out.find(
      " * Exit/Return Codes will be generated for the following conditions:\n"
      "      0 - Command Completed Successfully\n"
      "     64 - Missing Necessary/Essential Parameters\n"
      "     65 - Mismatched Parameters Used\n"
      "     70 - A valid filename was not provided at the command-line\n"
      "     71 - Unable to open the filename provided\n"
      "     72 - Unable to write to the output file provided\n"
      "     73 - Could not obtain file version info\n"
      "     74 - File does not contain any/legitimate resource information\n"
      "    250 - Script-Variables were generated successfully\n"
      "    255 - Syntax Help Requested\n" +
      std::string(kAddedSection)), std::string::npos);
  EXPECT_EQ(lines[IndexOf(lines, "GENERAL USAGE NOTES:") + 2],
            " * Entering ZENTREL with no parameters will generate all available date "
            "calculations.");
  EXPECT_EQ(lines[IndexOf(lines, "GENERAL USAGE NOTES:") - 1], "--------------------");
}

TEST(FullHelp, FormatTableListsEveryNameInOrderPaddedNeverCut) {
  THelpRun help;
  std::vector<std::string> lines = help.Full();
  size_t first = IndexOf(lines, "         Valid extended formats for time are:") + 1;
  ASSERT_LT(first + 21, lines.size());
  std::vector<std::string> names;
  for (size_t i = first; i < first + 21; ++i) {
    const std::string& line = lines[i];
    ASSERT_EQ(line.substr(0, 12), std::string(12, ' '));
    // Columns of 23, 20 and 19 characters joined by " | ", wider where a name is longer.
    std::string rest = line.substr(12);
    for (size_t start = 0;;) {
      size_t bar = rest.find(" | ", start);
      std::string cell = rest.substr(start, bar == std::string::npos ? bar : bar - start);
      names.push_back(cell.substr(0, cell.find_last_not_of(' ') + 1));
      if (bar == std::string::npos) break;
      start = bar + 3;
    }
  }
  EXPECT_EQ(lines[first + 21], "");
  std::span<const std::string_view> expected = DurationFormatNames();
  ASSERT_EQ(names.size(), expected.size());
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], expected[i]) << i;
  EXPECT_EQ(lines[first], "            months                  | weeks                | days               ");
  EXPECT_EQ(lines[first + 20],
            "            days hours mins secs.ms | days hours mins secs | days hours mins    ");
}

TEST(FullHelp, ExampleDatesFollowTheClock) {
  THelpRun afternoon;
  afternoon.os.Clock = {2024, 3, 1, 15, 45, 0, 0};
  std::vector<std::string> lines = afternoon.Full();
  EXPECT_NE(IndexOf(lines, " ZENTREL 02/27/2024"), lines.size());
  EXPECT_NE(IndexOf(lines, " ZENTREL -a 41 -d 02/09/2024"), lines.size());
  EXPECT_NE(IndexOf(lines, " ZENTREL -s 03/02/2024 -o \"\\n\\v will be tomorrow's date\\n\\-\""),
            lines.size());
  EXPECT_NE(IndexOf(lines, " ZENTREL -s \"02/29/2024 03:30 pm\" -o \"\\n\\v was about 24 hours "
                           "ago\\n\\-\""),
            lines.size());

  THelpRun midnight;
  midnight.os.Clock = {2024, 3, 1, 0, 10, 0, 0};
  lines = midnight.Full();
  EXPECT_NE(IndexOf(lines, " ZENTREL -s \"02/29/2024 12:30 am\" -o \"\\n\\v was about 24 hours "
                           "ago\\n\\-\""),
            lines.size());
}

std::int32_t Draw(std::mt19937& engine, std::int32_t bound) {
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(engine()) * bound) >> 32);
}

std::string Civil(sys_time<milliseconds> t, const char* form) {
  auto day = floor<days>(t);
  year_month_day ymd{day};
  hh_mm_ss clock{t - day};
  char text[64];
  if (form[0] == 'd') {
    std::snprintf(text, sizeof text, "%.2u/%.2u/%.4d", unsigned(ymd.month()),
                  unsigned(ymd.day()), int(ymd.year()));
  } else {
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
  }
  return text;
}

TEST(FullHelp, ExampleValuesAreDrawnInTheOrderTheLinesAreWritten) {
  // Over many seeds, so that every range is drawn near both of its ends.
  for (std::uint32_t seed = 1; seed <= 64; ++seed) {
    SCOPED_TRACE(seed);
    THelpRun help;
    help.random = TRandom{seed};
    std::vector<std::string> lines = help.Full();
    std::mt19937 engine(seed);
    auto number = [&](std::int32_t bound, std::int32_t add) {
      return std::to_string(Draw(engine, bound) + add);
    };
    const sys_time<milliseconds> now = sys_days{2026y / December / 7} + 4h + 15min + 11s + 270ms;
    auto fraction = [&] {
      return milliseconds{
          std::llround(static_cast<double>(engine()) / 4294967296.0 * 86'400'000.0)};
    };

    std::vector<std::string> expected;
    expected.push_back(" ZENTREL -u " + number(5000, 100));
    expected.push_back(" ZENTREL -y ");
    expected.push_back(" ZENTREL -y 01/12/" + number(5, 10));
    expected.push_back(" ZENTREL -l");
    expected.push_back(" ZENTREL -l 01/02/" + number(105, 1995));
    expected.push_back(" ZENTREL -m ");
    expected.push_back(" ZENTREL -m -q ");
    expected.push_back(" ZENTREL -m 02/28/" + number(25, 1995));
    expected.push_back(" ZENTREL -w " + Civil(now - days{Draw(engine, 200)}, "d"));
    expected.push_back(" ZENTREL -c " + Civil(now + days{Draw(engine, 200)}, "d"));
    Draw(engine, 30);  // -t shows the clock, which whole days do not move
    expected.push_back(" ZENTREL -t 04:15");
    Draw(engine, 3);
    expected.push_back(" ZENTREL -n 04:15:11 -t " + Civil(now + fraction(), "t"));
    expected.push_back(" ZENTREL -n " + Civil(now - fraction(), "t") + " -e \"dddd:hr:min:sec\"");
    expected.push_back(" ZENTREL -t \"12/03/2026 20:19:59\" -e \"days hours mins secs.ms\"");
    std::string k = number(24, 0);
    expected.push_back(" ZENTREL -k " + k + ":" + number(49, 10));
    std::string z = number(999, 1);
    expected.push_back(" ZENTREL -z " + z + ":" + number(49, 10));
    std::string x = number(999, 1);
    expected.push_back(" ZENTREL -x " + x + ":" + number(49, 10));
    std::string zm = number(49, 10);
    expected.push_back(" ZENTREL -z " + zm + ":" + number(49, 10) + " --Use-Minutes");
    std::string xs = number(49, 10);
    expected.push_back(" ZENTREL -x " + xs + ":" + number(49, 10) + " --Use-Seconds");

    size_t start = IndexOf(lines, " ZENTREL -y ") - 1;
    ASSERT_LT(start + expected.size(), lines.size());
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(lines[start + i], expected[i]);
  }
}

TEST(ShortHelp, GoesWholeToStandardErrorAfterASyntaxError) {
  // A script that captures standard output of a failed run must get nothing, not the help.
  THelpRun help;
  ShowBanner(*help.run, false, false);  // fills the program name, prints nothing
  ShowSyntaxError(*help.run, "Invalid or Incomplete Syntax!");
  help.run->Channels.Flush();
  help.os.Err.clear();
  ShowHelp(*help.run, help.random, THelpForm::Short);
  help.run->Channels.Flush();
  EXPECT_EQ(help.os.Out, "");
  EXPECT_NE(help.os.Err.find("------------------\nCMD SYNTAX (MINI):\n------------------\n"),
            std::string::npos);
  EXPECT_TRUE(help.os.Err.ends_with("For more details, please type: ZENTREL -?  OR  ZENTREL --??\n"));
}

TEST(FullHelp, AddsNoBannerWhenTheRunHasShownOne) {
  THelpRun help(true);
  ShowBanner(*help.run, false, true);
  help.run->Channels.Flush();
  const std::string banner = help.os.Err;
  ASSERT_NE(banner.find("Test Description"), std::string::npos);
  help.Full();
  EXPECT_EQ(help.os.Err, banner);
}

TEST(ShortHelp, PrintsNoBannerAndNamesTheProgramTwice) {
  THelpRun help;
  ShowBanner(*help.run, false, false);  // fills the program name, prints nothing
  ShowHelp(*help.run, help.random, THelpForm::Short);
  help.run->Channels.Flush();
  EXPECT_EQ(help.os.Out,
            "------------------\n"
            "CMD SYNTAX (MINI):\n"
            "------------------\n"
            " ZENTREL [options]\n"
            "\n"
            " ZENTREL [-d [mm/dd/yy]]\n"
            " ZENTREL [-d [mm/dd/yyyy]]\n"
            " ZENTREL [-d [\"mm/dd/yy hh:nn:ss\"]]\n"
            " ZENTREL [-d [\"mm/dd/yyyy hh:nn:ss.zzz\"]]\n"
            "\n"
            " ZENTREL [-h|-?] [-v]\n"
            "\n"
            "For more details, please type: ZENTREL -?  OR  ZENTREL --??\n");
  EXPECT_EQ(help.os.Err, "");
}

}  // namespace
}  // namespace zentrel
