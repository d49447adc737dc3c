#include "sysinfo/script_variables.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "core/conversion_error.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

using platform::FakePlatform;

/// One listing on a fake platform.
struct Listing {
  FakePlatform os;
  std::vector<std::string> lines;

  /// Throws the listing's failure, after keeping the lines before it.
  void Write(TDateTimeValue now, bool withSymbols = true) {
    TRandom random(1);
    const TSheet listing = ListScriptVariables(os, TFormatSettings{}, random, withSymbols, now);
    lines.clear();
    for (const TSheetLine& line : listing.Lines) lines.push_back(std::get<std::string>(line));
    if (listing.Failure) throw *listing.Failure;
  }
  /// The line that begins with the prefix; fails the test when there is none.
  std::string Row(std::string_view prefix) const {
    for (const auto& line : lines) {
      if (line.rfind(prefix, 0) == 0) return line;
    }
    ADD_FAILURE() << "no row " << prefix;
    return {};
  }
  /// What follows the prefix up to the comment's "; ".
  std::string Value(std::string_view prefix) const {
    std::string line = Row(prefix);
    std::string rest = line.substr(std::min(prefix.size(), line.size()));
    return rest.substr(0, rest.find("; "));
  }
};

TDateTimeValue At(int year, int month, int day, int hour = 4, int minute = 15, int second = 11,
                  int ms = 270) {
  return CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, ms));
}

TEST(ScriptVariablesTest, EveryRowSplitsIntoAUniqueNameAValueAndAComment) {
  Listing l;
  l.Write(At(2026, 12, 7));
  ASSERT_FALSE(l.lines.empty());
  EXPECT_EQ(l.lines.back(), "");  // the listing ends with an empty line, and only there
  std::set<std::string> names;
  for (size_t i = 0; i + 1 < l.lines.size(); ++i) {
    const std::string& line = l.lines[i];
    SCOPED_TRACE(line);
    ASSERT_GT(line.size(), 1u);
    EXPECT_EQ(line[0], '@');
    const size_t semicolon = line.find(';');
    ASSERT_NE(semicolon, std::string::npos);
    EXPECT_NE(line.find("; ", semicolon), std::string::npos);  // a comment follows the value
    EXPECT_TRUE(names.insert(line.substr(0, semicolon)).second) << "a second row of this name";
  }
  // Rows a script sets its variables from, found by name wherever they stand.
  EXPECT_EQ(l.Row("@YYYY;"), "@YYYY;2026; 4-digit year");
  EXPECT_EQ(l.Row("@TIME12;"), "@TIME12;04:15 AM; Time in 12-hour notation (hour:min AM/PM)");
  EXPECT_EQ(l.Row("@MMDDYYYY;"), "@MMDDYYYY;12072026; Today, month first (12072026)");
  EXPECT_EQ(l.Row("@DIRSTAMP_R;"),
            "@DIRSTAMP_R;20261207-041511#" + l.Value("@RANDOM1;") +
                "; Dated Folder Name with Random Suffix (20261207-041511#random)");
  EXPECT_EQ(l.Row("@TIMESTAMP;"),
            "@TIMESTAMP;12-07-2026 at 04:15 AM; 12-hour timestamp for logs (mm-dd-yyyy AT "
            "hour.min AM/PM)");
  EXPECT_EQ(l.Row("@NO_TIME;"),
            "@NO_TIME;00:00:00.000; Generic Zero Time(All Zeros for Hour:Min:Sec.MSec)");
  EXPECT_EQ(l.Row("@DIVIDER=;"),
            "@DIVIDER=;" + std::string(79, '=') + "; Set Various Modern and Legacy Dividers");
  std::string copyrights;
  for (int i = 0; i < 79; ++i) copyrights += "\u00A9";
  EXPECT_EQ(l.Value("@DIVIDER\u00A9;"), copyrights);
  EXPECT_EQ(l.Value("@SPACES;"), std::string(79, ' '));
  EXPECT_EQ(l.Row("@APP_ARCH;"),
            "@APP_ARCH;x64; The 64-bit version of this application is running");
  EXPECT_EQ(l.Row("@PSPARAMS;"),
            "@PSPARAMS;-AcceptEula -NoBanner; Default Parameters for Newer SysInternals Utilities");
}

TEST(ScriptVariablesTest, RandomDrawsComeInTheirOrder) {
  // The generator's first two draws are the random numbers, the next 32 the GUID's digits,
  // each the top four bits of its draw.
  std::mt19937 engine(1);
  const double fraction1 = static_cast<double>(engine()) / 4294967296.0;
  const double fraction2 = static_cast<double>(engine()) / 4294967296.0;
  std::string digits;
  for (int i = 0; i < 32; ++i) digits += "0123456789abcdef"[engine() >> 28];
  const std::string guid = "{" + digits.substr(0, 8) + "-" + digits.substr(8, 4) + "-" +
                           digits.substr(12, 4) + "-" + digits.substr(16, 4) + "-" +
                           digits.substr(20) + "}";

  Listing l;
  l.Write(At(2026, 12, 7));
  const std::string raw1 = l.Value("@RANDOM1_RAW;");
  const std::string raw2 = l.Value("@RANDOM2_RAW;");
  EXPECT_NEAR(std::stod(raw1), fraction1, 1e-15);
  EXPECT_NEAR(std::stod(raw2), fraction2, 1e-15);
  EXPECT_EQ(l.Value("@RANDOM;"), raw1.substr(raw1.size() - 5));
  EXPECT_EQ(l.Value("@RANDOM2;"), raw2.substr(raw2.size() - 5));
  EXPECT_EQ(l.Value("@FILESTAMP_R;"), "20261207-041511#" + raw2.substr(raw2.size() - 5) + ".TXT");
  EXPECT_EQ(l.Value("@GUID;"), guid);

  // The same seed, the same values.
  Listing again;
  again.Write(At(2026, 12, 7));
  EXPECT_EQ(again.lines, l.lines);
}

TEST(ScriptVariablesTest, CalendarRows) {
  const TDateTimeValue yearEnd = At(2026, 12, 31, 23, 59, 59, 999);
  struct Case {
    TDateTimeValue when;
    const char* prefix;
    const char* value;
  } cases[] = {
      {At(2026, 12, 6), "@DAYOFWEEK;", "8"},  // a Sunday
      {At(2026, 12, 7), "@DAYOFWEEK;", "2"},  // a Monday
      {At(2026, 12, 31), "@ENDOFMONTH;", "TRUE"},
      {At(2026, 4, 30), "@ENDOFMONTH;", "TRUE"},
      {At(2027, 2, 28), "@ENDOFMONTH;", "TRUE"},
      {At(2028, 2, 29), "@ENDOFMONTH;", "TRUE"},
      {At(2028, 2, 28), "@ENDOFMONTH;", "FALSE"},
      {At(2026, 3, 31), "@LASTMONTH;", "02"},
      {At(2026, 3, 31), "@NEXTMONTH;", "04"},
      {At(2026, 3, 31), "@LASTMONTH_EXP;", "2026-02"},
      {At(2027, 1, 15), "@LASTMONTH_EXP;", "2026-12"},
      {At(2026, 12, 15), "@NEXTMONTH_EXP;", "2027-01"},
      {At(2027, 1, 1), "@YESTERDAY;", "20261231"},
      {At(2027, 1, 1), "@LASTYEAR;", "2026"},
      {At(2027, 1, 1), "@NEXTYEAR;", "2028"},
      {At(2027, 1, 1), "@DAYOFYEAR;", "1"},
      {At(2028, 12, 31), "@DAYOFYEAR;", "366"},
      {At(2028, 12, 31), "@LEAPYEAR;", "TRUE"},
      {At(2100, 6, 1), "@LEAPYEAR;", "FALSE"},
      {At(2000, 6, 1), "@YY;", "00"},
      {At(2026, 12, 7, 4, 15, 11, 7), "@MSEC;", "007"},
      {At(2026, 12, 7, 16, 5, 0), "@TIME12_EXP;", "04:05:00 PM"},
      {At(2026, 12, 7, 16, 5, 0), "@HR;", "16"},
      {At(2026, 12, 1), "@DATE_IS_ODD;", "TRUE"},
      {At(2026, 12, 1), "@DATE_IS_EVEN;", "FALSE"},
      {At(2026, 12, 1), "@DATE_IS;", "ODD"},
      {At(2026, 12, 7), "@BEGMONTH;", "12012026"},
      {At(2027, 1, 1), "@WEEKOFYEAR;", "53"},
      {At(2027, 1, 1), "@WEEKOFMONTH;", "5"},  // the last week of December
      {At(2026, 6, 30), "@WEEKOFMONTH;", "1"},  // the first week of July
      // The year's last millisecond: today's rows stay in it, the others cross it.
      {yearEnd, "@YYYY;", "2026"},
      {yearEnd, "@YY;", "26"},
      {yearEnd, "@MM;", "12"},
      {yearEnd, "@DD;", "31"},
      {yearEnd, "@DDDD;", "Thursday"},
      {yearEnd, "@TODAY_EXP;", "2026-12-31"},
      {yearEnd, "@TOMORROW;", "20270101"},
      {yearEnd, "@TOMORROW_EXP;", "2027-01-01"},
      {yearEnd, "@NEXTWEEK;", "20270107"},
      {yearEnd, "@LASTWEEK;", "20261224"},
      {yearEnd, "@NEXTYEAR;", "2027"},
      {yearEnd, "@DIRSTAMP;", "20261231-235959"},
  };
  for (const auto& c : cases) {
    Listing l;
    l.Write(c.when);
    EXPECT_EQ(l.Value(c.prefix), c.value) << c.prefix;
  }
  Listing l;
  l.Write(At(2026, 3, 31));
  EXPECT_EQ(l.Row("@LASTMONTH_EXP;"), "@LASTMONTH_EXP;2026-02; Last Month (2026-02)");
  EXPECT_EQ(l.Row("@YESTERDAY_EXP;"), "@YESTERDAY_EXP;2026-03-30; Yesterday (2026-03-30)");
}

TEST(DividerTest, SeventyNineCopies) {
  EXPECT_EQ(MakeDivider(u'-'), std::string(79, '-'));
  EXPECT_EQ(MakeDivider(u'\\'), std::string(79, '\\'));
  std::string registered = MakeDivider(u'\u00AE');
  ASSERT_EQ(registered.size(), 158u);
  EXPECT_EQ(registered.substr(0, 2), "\xC2\xAE");
  EXPECT_EQ(MakeDivider(u'\u2122').size(), 237u);
}

TEST(ScriptVariablesTest, MemoryRows) {
  struct Case {
    std::int64_t kb;
    const char* total;
    const char* gb;
    const char* mb;
  } cases[] = {{8388608, "8GB", "8", "8192"},
               {1048576, "1GB", "1", "1024"},
               {1048575, "1023MB", "0", "1023"},
               {1024, "1MB", "0", "1"},
               {1023, "1023KB", "0", "0"},
               {1000, "1000KB", "0", "0"},
               {0, "0KB", "0", "0"}};
  for (const auto& c : cases) {
    Listing l;
    l.os.Facts.HostAnswers.MemoryValue = {c.kb, "This value came from a test"};
    l.Write(At(2026, 12, 7));
    EXPECT_EQ(l.Row("@TOTAL_RAM;"), std::string("@TOTAL_RAM;") + c.total +
                                        "; Total RAM with appropriate size suffix -- This value "
                                        "came from a test");
    EXPECT_EQ(l.Value("@TOTAL_RAM_GB;"), c.gb);
    EXPECT_EQ(l.Value("@TOTAL_RAM_MB;"), c.mb);
    EXPECT_EQ(l.Value("@TOTAL_RAM_KB;"), std::to_string(c.kb));
    EXPECT_EQ(l.Value("@OLD_MEMORY_API;"), "FALSE");
  }
}

TEST(ScriptVariablesTest, RebootRows) {
  struct Case {
    platform::THostReboot reboot;
    const char* status;
    const char* needs;
  } cases[] = {
      {{false, false, true}, "FALSE FALSE  TRUE", "@NEEDS_REBOOT; TRUE; This System is Requesting a Reboot..."},
      {{true, true, false}, "TRUE  TRUE FALSE", "@NEEDS_REBOOT; TRUE; This System is Requesting a Reboot..."},
      {{false, false, false}, "FALSE FALSE FALSE",
       "@NEEDS_REBOOT; FALSE; This System is NOT Requesting a Reboot..."},
  };
  for (const auto& c : cases) {
    Listing l;
    l.os.Facts.HostAnswers.RebootValue = c.reboot;
    l.Write(At(2026, 12, 7));
    EXPECT_EQ(l.Row("@REBOOT_STATUS;"), std::string("@REBOOT_STATUS;") + c.status +
                                            "; Reboot Status: Pending, Required, FileOperations...");
    EXPECT_EQ(l.Row("@NEEDS_REBOOT;"), c.needs);
    EXPECT_EQ(l.Value("@IS_REBOOT_PENDING;"), c.reboot.Pending ? "TRUE" : "FALSE");
    EXPECT_EQ(l.Value("@IS_FILE_CHANGES_PENDING;"), c.reboot.FilesPending ? "TRUE" : "FALSE");
  }
}

TEST(ScriptVariablesTest, ProcessorRowsAndSymbols) {
  for (auto [logical, threads] : {std::pair{1, "1"}, {2, "1"}, {3, "1"}, {8, "4"}}) {
    Listing l;
    l.os.Facts.HostAnswers.ProcessorValue.PhysicalCores = 1;
    l.os.Facts.HostAnswers.ProcessorValue.LogicalCores = logical;
    l.Write(At(2026, 12, 7));
    EXPECT_EQ(l.Value("@THREADS;/MT:"), threads) << logical;
  }
  Listing with, without;
  with.Write(At(2026, 12, 7), true);
  without.Write(At(2026, 12, 7), false);
  EXPECT_EQ(with.Value("@CPU_NAME;"), "Intel\u00AE Core\u2122 i7-8650U CPU at 1.90GHz [4200 Mhz]");
  EXPECT_EQ(without.Value("@CPU_NAME_ONLY;"), "Intel(R) Core(TM) i7-8650U CPU at 1.90GHz");
  ASSERT_EQ(with.lines.size(), without.lines.size());
  for (size_t i = 0; i < with.lines.size(); ++i) {
    if (with.lines[i].rfind("@CPU_NAME", 0) == 0) continue;
    EXPECT_EQ(with.lines[i], without.lines[i]);
  }
  EXPECT_EQ(with.Row("@PHY_CORES_PER;"), "@PHY_CORES_PER;4; Number of Physical Cores per Physical Processors");
  EXPECT_EQ(with.Value("@THREADS_PER_CORE;"), "2");
  EXPECT_EQ(with.Row("@OS_ARCH;"), "@OS_ARCH;x64; The 64-bit version of the operating system is running");
  EXPECT_EQ(with.Value("@OSEDITION;"), "Debian GNU/Linux, Version 12 (Kernel 6.1.0-18-amd64)");
  EXPECT_EQ(with.Value("@OSBUILDX;"), "0.18");
}

TEST(ScriptVariablesTest, AFailingQueryEndsTheListingWhereItStands) {
  Listing l;
  l.os.Facts.HostAnswers.ProcessorValue.PhysicalCores = 0;
  EXPECT_THROW(l.Write(At(2026, 12, 7)), ConversionError);
  // The memory rows are the last before the processor query; no row follows the failure.
  ASSERT_FALSE(l.lines.empty());
  EXPECT_EQ(l.lines.back().substr(0, 11), "@TOTAL_RAM;");
}

TEST(ScriptVariablesTest, WindowsTextsOnWindows) {
  Listing l;
  auto& win = l.os.Facts.Win;
  l.os.Facts.IsWindows = true;
  win.Reg.Keys["\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"] = {
      {"CurrentBuildNumber", std::string("7601")},
      {"CurrentVersion", std::string("6.1")},
      {"ProductName", std::string("Windows 7 Professional")},
      {"CSDVersion", std::string("Service Pack 1")}};
  win.Topology.Api = platform::TTopologyApi::Legacy;
  win.Topology.Entries = {{platform::TProcessorRelationship::ProcessorCore, {0x3}}};
  win.InstalledKB.reset();
  win.GlobalBytes = 2147483648u;
  win.Wow64 = platform::TWow64Query::No;
  l.Write(At(2026, 12, 7));
  EXPECT_EQ(l.Value("@OSEDITION;"), "Windows 7 Professional Service Pack 1, Version 6.1 Build 7601");
  EXPECT_EQ(l.Value("@OSBUILDX;"), "7601.0");
  EXPECT_EQ(l.Value("@WINVER;"), "");
  EXPECT_EQ(l.Value("@OLD_MEMORY_API;"), "TRUE");
  EXPECT_EQ(l.Row("@TOTAL_RAM;"),
            "@TOTAL_RAM;2GB; Total RAM with appropriate size suffix -- This value was returned by "
            "an XP/2003 API and will not provide accurate info when run on x64 Windows. Please "
            "use the x64 EXE on x64 Windows");
  EXPECT_EQ(l.Value("@CPU_NAME;"), "*** Unknown *** [0 Mhz]");
  EXPECT_EQ(l.Row("@OS_ARCH;"), "@OS_ARCH;x86; The 32-bit version of Windows is running");
}

}  // namespace
}  // namespace zentrel
