#include "dates/date_report.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/conversion_error.h"
#include "core/custom_message.h"
#include "core/output.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using namespace std::chrono;

constexpr std::string_view kDefaultExtendedFormat = "## hr:min:sec.ms";

/// One run context on a fake platform with the start-of-run texts filled in.
struct TReportRun {
  platform::FakePlatform os;
  std::unique_ptr<TRunContext> run;
  TRandom random{1};

  TReportRun() { Start(); }
  void Start() {
    run = std::make_unique<TRunContext>(os);
    random.SetSeed(os.Pid);
  }
  std::vector<std::string> Lines() {
    run->Channels.Flush();
    std::vector<std::string> lines;
    std::istringstream in(os.Out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  /// Writes the sheet as the program does, below the banner.
  void Report(TDateTimeValue selected, std::string_view format = {}) {
    const TReportRequest request{selected, run->CurrentDateTime(), format, kDefaultExtendedFormat,
                                 TTimeUnits::AutoDetect};
    PrintSheet(*run, SelectedDateReport(request, run->Format, random));
  }
};

/// The line that starts with prefix (after the leading blank of a labelled result).
std::string LineStarting(const std::vector<std::string>& lines, std::string_view prefix) {
  for (const std::string& line : lines) {
    if (line.compare(0, prefix.size(), prefix) == 0) return line;
  }
  return "<no line starting with " + std::string(prefix) + ">";
}

std::string Civil(sys_time<milliseconds> t, bool twoDigitYear) {
  auto day = floor<days>(t);
  year_month_day ymd{day};
  hh_mm_ss clock{t - day};
  char text[64];
  std::snprintf(text, sizeof text, "%.2u/%.2u/%.*d %.2d:%.2d:%.2d", unsigned(ymd.month()),
                unsigned(ymd.day()), twoDigitYear ? 2 : 4,
                twoDigitYear ? int(ymd.year()) % 100 : int(ymd.year()),
                int(clock.hours().count()), int(clock.minutes().count()),
                int(clock.seconds().count()));
  return text;
}

double Fraction(std::mt19937& engine) { return static_cast<double>(engine()) / 4294967296.0; }

/// A draw with a positive bound, as the generator defines it.
std::int32_t Draw(std::mt19937& engine, std::int32_t bound) {
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(engine()) * bound) >> 32);
}

TEST(SelectedDateReport, DrawsItsExamplesInTheFixedOrder) {
  TReportRun r;
  r.Report(r.run->CurrentDate());
  std::vector<std::string> lines = r.Lines();

  std::mt19937 engine(1);
  const int dayCount = Draw(engine, 9999) + 200;
  const int hour = Draw(engine, 23), minute = Draw(engine, 59), second = Draw(engine, 59);
  const int millisecond = Draw(engine, 999);
  const int otherOffset = Draw(engine, 60) - 30;
  const int earlier[3] = {Draw(engine, 99), Draw(engine, 59), Draw(engine, 59)};
  const int later[3] = {Draw(engine, 99), Draw(engine, 59), Draw(engine, 59)};
  const double r1 = Fraction(engine);
  const double r2 = Fraction(engine);
  const double lastFraction = Fraction(engine);

  char text[128];
  std::snprintf(text, sizeof text, " Convert %d days to ~years, months, days ", dayCount);
  EXPECT_EQ(LineStarting(lines, " Convert " + std::to_string(dayCount) + " days to ~years")
                .substr(0, std::string(text).size()),
            text);

  std::snprintf(text, sizeof text, " Convert \"%.2d:%.2d:%.2d", hour, minute, second);
  std::string clock = text;
  if (millisecond != 0) {
    std::snprintf(text, sizeof text, ".%.3d", millisecond);
    clock += text;
  }
  EXPECT_NE(LineStarting(lines, clock + "\" to WHOLE Hours ").find("WHOLE Hours"),
            std::string::npos);

  const sys_days today = sys_days{2026y / December / 7};
  std::string other = Civil(sys_time<milliseconds>{today + days{otherOffset}}, false).substr(0, 10);
  EXPECT_TRUE(LineStarting(lines, " Days Between ").starts_with(" Days Between " + other +
                                                               " and 12/07/2026 ."));

  std::snprintf(text, sizeof text, " %.2d:%.2d:%.2d [hr:min:sec] before 12/07/26 04:15:11 ",
                earlier[0], earlier[1], earlier[2]);
  EXPECT_EQ(LineStarting(lines, text).substr(0, std::string(text).size()), text);
  std::snprintf(text, sizeof text, " %.2d:%.2d:%.2d [hr:min:sec] after 12/07/26 04:15:11 ",
                later[0], later[1], later[2]);
  EXPECT_EQ(LineStarting(lines, text).substr(0, std::string(text).size()), text);

  // The time lines work from the current moment, offset by up to 100 days.
  const sys_time<milliseconds> now = today + 4h + 15min + 11s + 270ms;
  auto offset = [](double fraction) {
    return milliseconds{std::llround(fraction * 100 * 86'400'000.0)};
  };
  std::vector<std::string> between;
  for (const auto& line : lines) {
    if (line.rfind(" Time Between ", 0) == 0) between.push_back(line.substr(0, 54));
  }
  ASSERT_EQ(between.size(), 2u);
  EXPECT_EQ(between[0], " Time Between 12/07/26 04:15:11 and " + Civil(now - offset(r1), true) + " ");
  EXPECT_EQ(between[1], " Time Between 12/07/26 04:15:11 and " + Civil(now + offset(r2), true) + " ");

  const std::string random = LineStarting(lines, " Random Number between 0 and 1");
  const std::string label = " Random Number between 0 and 1............................";
  ASSERT_TRUE(random.starts_with(label)) << random;
  EXPECT_NEAR(std::stod(random.substr(label.size())), lastFraction, 1e-15);
}

TEST(SelectedDateReport, SameSeedGivesTheSameSheetTwice) {
  TReportRun once, again;
  once.Report(once.run->CurrentDate());
  again.Report(again.run->CurrentDate());
  EXPECT_EQ(again.Lines(), once.Lines());
}

TEST(SelectedDateReport, FixedLinesAppearInEveryOutputMode) {
  const std::string divider(78, '-');
  for (bool custom : {false, true}) {
    TReportRun r;
    r.run->RunSettings.Mode = custom ? TOutputMode::Custom : TOutputMode::Quiet;
    r.run->RunSettings.CustomMessage = PrepareCustomMessage("[\\v]", {});
    r.Report(r.run->CurrentDate());
    std::vector<std::string> lines = r.Lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], custom ? "[December 07, 2026]" : "December 07, 2026");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], " NOTE: All Calculations Below are Relative to Selected Date Above...");
    EXPECT_EQ(lines[3], divider);
    EXPECT_EQ(lines[lines.size() - 2], divider);
    EXPECT_EQ(lines.back(), "");
    // 26 results, six dividers, the note and two empty lines.
    EXPECT_EQ(lines.size(), 35u);
  }
}

TEST(SelectedDateReport, OtherDateIsComparedWithTodayAndIsItsOwnBase) {
  TReportRun r;
  r.Report(EncodeDate(2024, 2, 29));
  std::vector<std::string> lines = r.Lines();
  EXPECT_EQ(LineStarting(lines, " Days Between "),
            " Days Between 12/07/2026 and 02/29/2024 ..................1012");
  EXPECT_EQ(LineStarting(lines, " Leap Year Status ").substr(58), "TRUE");
  EXPECT_EQ(LineStarting(lines, " Month-end Status ").substr(58), "TRUE");
  EXPECT_EQ(LineStarting(lines, " Time Between ").substr(0, 36),
            " Time Between 02/29/24 00:00:00 and ");
  EXPECT_NE(LineStarting(lines, " 31 Days Before 02/29/2024 ").find("01/29/2024"),
            std::string::npos);
}

TEST(SelectedDateReport, PatternRendersEveryDateLineAndEmptyMeansDefault) {
  TReportRun r;
  r.Report(CombineDateTime(EncodeDate(2026, 12, 25), EncodeTime(10, 30, 0, 0)), "dd mmm yyyy hh:nn");
  std::vector<std::string> lines = r.Lines();
  EXPECT_EQ(LineStarting(lines, " Week After ").substr(58), "01 Jan 2027 10:30");
  EXPECT_EQ(LineStarting(lines, " 60 Days After ").substr(58), "23 Feb 2027 10:30");

  TReportRun plain;
  plain.Report(EncodeDate(2026, 12, 25), "");
  EXPECT_EQ(LineStarting(plain.Lines(), " Next Date ").substr(58), "12/26/2026");
}

TEST(SelectedDateReport, TimeLinesCrossDayZeroOnTheCalendar) {
  // 01/10/1900 minus up to 100 days lands before 12/30/1899, where the encoding counts the
  // date back and the time of day forward; the line must still show the civil time.
  TReportRun r;
  r.Report(EncodeDate(1900, 1, 10));
  std::vector<std::string> lines = r.Lines();
  std::mt19937 engine(1);
  // The sheet of another date draws 11 values before the first offset.
  for (int i = 0; i < 11; ++i) engine();
  const double r1 = Fraction(engine);
  const sys_time<milliseconds> base = sys_days{1900y / January / 10};
  const sys_time<milliseconds> moved =
      base - milliseconds{std::llround(r1 * 100 * 86'400'000.0)};
  ASSERT_LT(moved, sys_time<milliseconds>{sys_days{1899y / December / 30}});
  EXPECT_EQ(LineStarting(lines, " Time Between ").substr(0, 54),
            " Time Between 01/10/00 00:00:00 and " + Civil(moved, true) + " ");
}

TEST(SelectedDateReport, UnrenderablePatternStopsAfterTheLabelOfLineTwelve) {
  TReportRun r;
  EXPECT_THROW(r.Report(r.run->CurrentDateTime(), "yyyy at hh"), ConversionError);
  r.run->Channels.Flush();
  const std::string& out = r.os.Out;
  EXPECT_NE(out.find(" Days Between "), std::string::npos);
  EXPECT_TRUE(out.ends_with(" Current Date " + std::string(44, '.'))) << out;
}

TEST(SelectedDateReport, CalendarLimitsStopTheSheetAtTheFirstLineOutside) {
  TReportRun late;
  EXPECT_THROW(late.Report(EncodeDate(9999, 12, 28)), ConversionError);
  std::vector<std::string> lines = late.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().substr(0, 13), " Week Before ");

  TReportRun early;
  EXPECT_THROW(early.Report(EncodeDate(1, 1, 3)), ConversionError);
  lines = early.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().substr(0, 15), " Previous Date ");
  EXPECT_EQ(lines.back().substr(58), "01/02/0001");
}

}  // namespace
}  // namespace zentrel
