#include "sysinfo/script_variables.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/text.h"
#include "core/value_format.h"
#include "dates/date_queries.h"
#include "sysinfo/os_info.h"
#include "sysinfo/processor_info.h"

namespace zentrel {
namespace {


constexpr int kDividerWidth = 79;
constexpr int kGuidDigits = 32;
constexpr std::string_view kDividerComment = "; Set Various Modern and Legacy Dividers";


/// How the value of a date row is made.
enum class TDateValue {
  Pattern,        ///< the row's date through Pattern, then ValueTail
  PatternRandom1, ///< the same, then "#", R1 and ValueTail
  PatternRandom2, ///< the same with R2
  MonthBack,      ///< one calendar month back, through Pattern
  MonthOn,        ///< one calendar month on, through Pattern
  BeginMonth,     ///< month, "01", year
  Timestamp12,    ///< "mm-dd-yyyy", " at ", "hh:nn AM/PM"
  Timestamp24,    ///< "mm-dd-yyyy", " at ", "hh:nn:ss"
  DateIsOdd,
  DateIsEven,
  DateIsOddOrEven,
  LeapYear,
  DayOfWeek,
  DayOfYear,
  WeekOfMonth,
  WeekOfYear,
  EndOfMonth,
  LastYear,
  NextYear,
};

/// One row of the date part. The comment is CommentHead, then (when CommentPattern is
/// set) the row's date through it, then CommentTail.
struct TDateRow {
  std::string_view Prefix;
  TDateValue Value;
  std::string_view Pattern;
  int Days;  ///< the row's date is D moved by this many days
  std::string_view ValueTail;
  std::string_view CommentHead;
  std::string_view CommentPattern;
  std::string_view CommentTail;
};

using V = TDateValue;
constexpr std::string_view kStamp = "yyyymmdd-hhnnss";

const TDateRow kDateRows[] = {
    {"@YYYY;", V::Pattern, "yyyy", 0, "", "; 4-digit year", "", ""},
    {"@YY;", V::Pattern, "yy", 0, "", "; 2-digit year", "", ""},
    {"@MMMM;", V::Pattern, "mmmm", 0, "", "; Full name of month", "", ""},
    {"@MMM;", V::Pattern, "mmm", 0, "", "; Abbreviated name of month", "", ""},
    {"@MM;", V::Pattern, "mm", 0, "", "; 2-digit month", "", ""},
    {"@DDDD;", V::Pattern, "dddd", 0, "", "; Full name of day", "", ""},
    {"@DDD;", V::Pattern, "ddd", 0, "", "; Abbrevated name of day", "", ""},
    {"@DAY;", V::Pattern, "ddd", 0, "", "; Same as %@DDD%", "", ""},
    {"@DD;", V::Pattern, "dd", 0, "", "; 2-digit date", "", ""},
    {"@HR;", V::Pattern, "hh", 0, "", "; 2-digit hour", "", ""},
    {"@MIN;", V::Pattern, "nn", 0, "", "; 2-digit minute", "", ""},
    {"@SEC;", V::Pattern, "ss", 0, "", "; 2-digit second", "", ""},
    {"@MSEC;", V::Pattern, "zzz", 0, "", "; 3-digit millisecond", "", ""},
    {"@TIME12;", V::Pattern, "hh:nn AM/PM", 0, "",
     "; Time in 12-hour notation (hour:min AM/PM)", "", ""},
    {"@TIME12_EXP;", V::Pattern, "hh:nn:ss AM/PM", 0, "",
     "; Time in 12-hour notation (hour:min:sec AM/PM)", "", ""},
    {"@TIME24;", V::Pattern, "hh:nn", 0, "", "; Time in 24-hour notation (hour:min)", "", ""},
    {"@TIME24_EXP;", V::Pattern, "hh:nn:ss", 0, "", "; Time in 24-hour notation (hour:min:sec)",
     "", ""},
    {"@TIME;", V::Pattern, "hh:nn:ss", 0, "", "; Same as %@TIME24_EXP%, or as %TIME% without ms",
     "", ""},
    {"@NOW;", V::Pattern, "hhnnss", 0, "", "; Time in 24-hour notation without colon separators",
     "", ""},
    {"@NOW_EXP;", V::Pattern, "hh.nn.ss", 0, "", "; Time in 24-hour notation (hour.min.sec)", "",
     ""},
    {"@DATE_IS_ODD;", V::DateIsOdd, "", 0, "", "; Is this day of the month ODD?", "", ""},
    {"@DATE_IS_EVEN;", V::DateIsEven, "", 0, "", "; Is this day of the month EVEN?", "", ""},
    {"@DATE_IS;", V::DateIsOddOrEven, "", 0, "", "; Is this day of the month ODD or EVEN?", "",
     ""},
    {"@LEAPYEAR;", V::LeapYear, "", 0, "", "; Is this a leap year? ", "", ""},
    {"@DAYOFWEEK;", V::DayOfWeek, "", 0, "", "; Day of the Week ", "", ""},
    {"@DAYOFYEAR;", V::DayOfYear, "", 0, "", "; Day of the Year", "", ""},
    {"@WEEKOFMONTH;", V::WeekOfMonth, "", 0, "",
     "; Week of the Month (1st week must have 3+ days)", "", ""},
    {"@WEEKOFYEAR;", V::WeekOfYear, "", 0, "", "; Week of the Year", "", ""},
    {"@ENDOFMONTH;", V::EndOfMonth, "", 0, "", "; Is it the End of the Month? ", "", ""},
    {"@MMDDYYYY;", V::Pattern, "mmddyyyy", 0, "", "; Today, month first (", "mmddyyyy", ")"},
    {"@DATE;", V::Pattern, "mm/dd/yyyy", 0, "", "; Today, month first (", "mm/dd/yyyy", ")"},
    {"@TODAY;", V::Pattern, "yyyymmdd", 0, "", "; Today, year first (", "yyyymmdd", ")"},
    {"@TODAY_EXP;", V::Pattern, "yyyy-mm-dd", 0, "", "; Today, year first (", "yyyy-mm-dd", ")"},
    {"@YESTERDAY;", V::Pattern, "yyyymmdd", -1, "", "; Yesterday (", "yyyymmdd", ")"},
    {"@YESTERDAY_EXP;", V::Pattern, "yyyy-mm-dd", -1, "", "; Yesterday (", "yyyy-mm-dd", ")"},
    {"@TOMORROW;", V::Pattern, "yyyymmdd", 1, "", "; Tomorrow (", "yyyymmdd", ")"},
    {"@TOMORROW_EXP;", V::Pattern, "yyyy-mm-dd", 1, "", "; Tomorrow (", "yyyy-mm-dd", ")"},
    {"@LASTWEEK;", V::Pattern, "yyyymmdd", -7, "", "; Last Week (", "yyyymmdd", ")"},
    {"@LASTWEEK_EXP;", V::Pattern, "yyyy-mm-dd", -7, "", "; Last Week (", "yyyy-mm-dd", ")"},
    {"@NEXTWEEK;", V::Pattern, "yyyymmdd", 7, "", "; Next Week (", "yyyymmdd", ")"},
    {"@NEXTWEEK_EXP;", V::Pattern, "yyyy-mm-dd", 7, "", "; Next Week (", "yyyy-mm-dd", ")"},
    {"@BEGMONTH;", V::BeginMonth, "", 0, "", "; Beginning of this month (mm01yyyy)", "", ""},
    {"@LASTMONTH;", V::MonthBack, "mm", 0, "", "; Last Month (mm)", "", ""},
    {"@LASTMONTH_EXP;", V::MonthBack, "yyyy-mm", 0, "", "; Last Month (", "yyyy-mm", ")"},
    {"@NEXTMONTH;", V::MonthOn, "mm", 0, "", "; Next Month (mm)", "", ""},
    {"@NEXTMONTH_EXP;", V::MonthOn, "yyyy-mm", 0, "", "; Next Month (", "yyyy-mm", ")"},
    {"@LASTYEAR;", V::LastYear, "", 0, "", "; Last Year (yyyy)", "", ""},
    {"@NEXTYEAR;", V::NextYear, "", 0, "", "; Next Year (yyyy)", "", ""},
    {"@DIRSTAMP;", V::Pattern, kStamp, 0, "", "; Dated Folder Name (", kStamp, ")"},
    {"@DIRSTAMP_R;", V::PatternRandom1, kStamp, 0, "", "; Dated Folder Name with Random Suffix (",
     kStamp, "#random)"},
    {"@FILESTAMP;", V::Pattern, kStamp, 0, ".TXT", "; Dated Logfile Filename (", kStamp,
     ".TXT)"},
    {"@FILESTAMP_R;", V::PatternRandom2, kStamp, 0, ".TXT",
     "; Dated Logfile Filename with Random Suffix (", kStamp, "#random.TXT)"},
    {"@ZIPSTAMP;", V::Pattern, kStamp, 0, ".ZIP", "; Dated Zip Archive Filename (", kStamp,
     ".ZIP)"},
    {"@ZIPSTAMP_R;", V::PatternRandom2, kStamp, 0, ".ZIP",
     "; Dated Zip Archive with Random Suffix (", kStamp, "#random.ZIP)"},
    {"@TIMESTAMP;", V::Timestamp12, "", 0, "",
     "; 12-hour timestamp for logs (mm-dd-yyyy AT hour.min AM/PM)", "", ""},
    {"@TIMESTAMP24;", V::Timestamp24, "", 0, "",
     "; 24-hour timestamp for logs (mm-dd-yyyy AT hour.min.sec)", "", ""},
};

/// Rows whose whole text before the comment is fixed.
struct TFixedRow {
  std::string_view Text;
  std::string_view Comment;
};

const TFixedRow kZeroRows[] = {
    {"@NO_TIME;00:00:00.000", "; Generic Zero Time(All Zeros for Hour:Min:Sec.MSec)"},
    {"@ALL_ZEROES;0000:00:00.000", "; Zero Time in Windows Task Manager Output"},
};

/// The divider characters: ASCII, then the copyright, registered, and the two double
/// angle quotation marks.
constexpr std::u16string_view kDividerCharacters = u"=*~@#$-_+:.\\/[]\u00A9\u00AE\u00AB\u00BB";

/// The dividers under names of their own: name and character.
const std::pair<std::string_view, char16_t> kNamedDividers[] = {
    {"@MINORDIV;", u'-'}, {"@MAJORDIV;", u'*'}, {"@OTHERDIV;", u'#'},
    {"@EQUALDIV;", u'='}, {"@SPACES;", u' '},   {"@DOTS;", u'.'},
};

const TFixedRow kListRows[] = {
    {"@ALPHABET;A B C D E F G H I J K L M N O P Q R S T U V W X Y Z", "; Full Alphabet"},
    {"@ALPHA11;A B C D E F G H I J K", "; First 11 Characters of the Alphabet"},
    {"@BASE10;0 1 2 3 4 5 6 7 8 9", "; Decimal Digits"},
    {"@DIGITS;0 1 2 3 4 5 6 7 8 9", "; Same as %@BASE10%"},
    {"@HEXADECIMAL;0 1 2 3 4 5 6 7 8 9 A B C D E F", "; Decimal Digits + First 6 Alpha Characters"},
};

const TFixedRow kToolRows[] = {
    {"@PSACCEPT;-AcceptEula", "; Default Parameters for Older SysInternals Utilities"},
    {"@PSPARAMS;-AcceptEula -NoBanner", "; Default Parameters for Newer SysInternals Utilities"},
};

constexpr std::string_view kOldMemoryNote =
    "This value was returned by an XP/2003 API and will not provide accurate info when run on "
    "x64 Windows. Please use the x64 EXE on x64 Windows";
constexpr std::string_view kNewMemoryNote =
    "This value was obtained via the GetPhysicallyInstalledSystemMemory API";

// The architecture of this executable, fixed when it is built.
#if defined(__x86_64__) || defined(_M_X64)
constexpr std::string_view kAppArch = "x64";
#elif defined(__aarch64__) || defined(_M_ARM64)
constexpr std::string_view kAppArch = "arm64";
#elif defined(__i386__) || defined(_M_IX86)
constexpr std::string_view kAppArch = "x86";
#else
constexpr std::string_view kAppArch = sizeof(void*) == 8 ? "64-bit" : "32-bit";
#endif
constexpr std::string_view kAppArchComment =
    sizeof(void*) == 8 ? "; The 64-bit version of this application is running"
                       : "; The 32-bit version of this application is running";

std::string Utf8(char16_t c) {
  std::string text;
  AppendUtf8(text, c);
  return text;
}

std::string LastFive(const std::string& text) {
  return text.size() <= 5 ? text : text.substr(text.size() - 5);
}

/// Everything the listing computes before its first line, and the writer of its lines.
class TListing {
 public:
  TListing(std::vector<TSheetLine>& lines, const TFormatSettings& settings, TRandom& random,
           TDateTimeValue now)
      : lines_(lines), settings_(settings), now_(now) {
    TDateTimeValue tomorrow = now.AddDays(1);
    date_ = DecodeDate(now);
    endOfMonth_ = DecodeDate(tomorrow).Month != date_.Month;
    dayOfYear_ = DayOfYear(now);
    week_ = DecodeDateWeek(now);
    monthWeek_ = DecodeMonthWeek(now);
    raw1_ = FloatToText(random.NextFraction(), settings);
    raw2_ = FloatToText(random.NextFraction(), settings);
    r1_ = LastFive(raw1_);
    r2_ = LastFive(raw2_);
  }

  void Line(std::string_view head, std::string_view value, std::string_view comment) {
    std::string line;
    line.reserve(head.size() + value.size() + comment.size());
    line += head;
    line += value;
    line += comment;
    lines_.push_back(std::move(line));
  }

  void DateRow(const TDateRow& row) {
    TDateTimeValue date = row.Days == 0 ? now_ : now_.AddDays(row.Days);
    std::string value;
    switch (row.Value) {
      case V::Pattern:
        value = Render(row.Pattern, date);
        break;
      case V::PatternRandom1:
        value = Render(row.Pattern, date) + "#" + r1_;
        break;
      case V::PatternRandom2:
        value = Render(row.Pattern, date) + "#" + r2_;
        break;
      case V::MonthBack:
        date = MonthMoved(-1);
        value = Render(row.Pattern, date);
        break;
      case V::MonthOn:
        date = MonthMoved(1);
        value = Render(row.Pattern, date);
        break;
      case V::BeginMonth:
        value = Render("mm", date) + "01" + Render("yyyy", date);
        break;
      case V::Timestamp12:
        value = Render("mm-dd-yyyy", date) + " at " + Render("hh:nn AM/PM", date);
        break;
      case V::Timestamp24:
        value = Render("mm-dd-yyyy", date) + " at " + Render("hh:nn:ss", date);
        break;
      case V::DateIsOdd:
        value = YesNo(date_.Day % 2 == 1);
        break;
      case V::DateIsEven:
        value = YesNo(date_.Day % 2 == 0);
        break;
      case V::DateIsOddOrEven:
        value = date_.Day % 2 == 1 ? "ODD" : "EVEN";
        break;
      case V::LeapYear:
        value = YesNo(IsLeapYear(date_.Year));
        break;
      case V::DayOfWeek:
        value = std::to_string(now_.Weekday().MondayTwoToSundayEight());
        break;
      case V::DayOfYear:
        value = std::to_string(dayOfYear_);
        break;
      case V::WeekOfMonth:
        value = std::to_string(monthWeek_.Week);
        break;
      case V::WeekOfYear:
        value = std::to_string(week_.Week);
        break;
      case V::EndOfMonth:
        value = YesNo(endOfMonth_);
        break;
      case V::LastYear:
        value = std::to_string(date_.Year - 1);
        break;
      case V::NextYear:
        value = std::to_string(date_.Year + 1);
        break;
    }
    value += row.ValueTail;
    // The comment shows the date the value was made from.
    std::string comment(row.CommentHead);
    if (!row.CommentPattern.empty()) comment += Render(row.CommentPattern, date);
    comment += row.CommentTail;
    Line(row.Prefix, value, comment);
  }

  const std::string& Raw1() const { return raw1_; }
  const std::string& Raw2() const { return raw2_; }
  const std::string& R1() const { return r1_; }
  const std::string& R2() const { return r2_; }

 private:
  std::string Render(std::string_view pattern, TDateTimeValue value) {
    return FormatDateTimeValue(pattern, value, false, settings_);
  }

  /// The same day one calendar month back or on, reduced to the month's last day.
  TDateTimeValue MonthMoved(int months) {
    int index = date_.Year * 12 + (date_.Month - 1) + months;
    int year = index / 12;
    int month = index % 12 + 1;
    int day = std::min(date_.Day, DaysInMonth(year, month));
    return CombineDateTime(EncodeDate(year, month, day), now_.TimeOfDay());
  }

  std::vector<TSheetLine>& lines_;
  const TFormatSettings& settings_;
  TDateTimeValue now_;
  TDateParts date_;
  bool endOfMonth_ = false;
  long dayOfYear_ = 0;
  TDateWeek week_;
  TMonthWeek monthWeek_;
  std::string raw1_, raw2_, r1_, r2_;
};

std::string RebootStatusText(const TRebootStatusQv& status) {
  auto rightAligned = [](bool value) {
    std::string_view text = YesNo(value);
    return std::string(6 - text.size(), ' ') + std::string(text);
  };
  return std::string(YesNo(status.Pending)) + rightAligned(status.Required) +
         rightAligned(status.FilesPending);
}

}  // namespace

std::string MakeRandomGuid(TRandom& random, int digits) {
  static constexpr std::string_view kHexDigits = "0123456789abcdef";
  std::string drawn;
  for (int i = 0; i < digits; ++i) drawn += kHexDigits[static_cast<size_t>(random.NextInt(16))];
  if (digits != kGuidDigits) return drawn;
  return "{" + drawn.substr(0, 8) + "-" + drawn.substr(8, 4) + "-" + drawn.substr(12, 4) + "-" +
         drawn.substr(16, 4) + "-" + drawn.substr(20, 12) + "}";
}

std::string MakeDivider(char16_t c) {
  std::string one = Utf8(c);
  std::string divider;
  divider.reserve(one.size() * kDividerWidth);
  for (int i = 0; i < kDividerWidth; ++i) divider += one;
  return divider;
}

namespace {
void ListRows(std::vector<TSheetLine>& lines, platform::Platform& os,
              const TFormatSettings& settings, TRandom& random, bool withSymbols,
              TDateTimeValue now);
}  // namespace

TSheet ListScriptVariables(platform::Platform& os, const TFormatSettings& settings,
                           TRandom& random, bool withSymbols, TDateTimeValue now) {
  TSheet result;
  try {
    ListRows(result.Lines, os, settings, random, withSymbols, now);
  } catch (const ConversionError& failure) {
    result.Failure = failure;  // the rows before it still go out
  }
  return result;
}

namespace {

void ListRows(std::vector<TSheetLine>& lines, platform::Platform& os,
              const TFormatSettings& settings, TRandom& random, bool withSymbols,
              TDateTimeValue now) {
  TListing listing(lines, settings, random, now);

  for (const TDateRow& row : kDateRows) listing.DateRow(row);
  for (const TFixedRow& row : kZeroRows) listing.Line(row.Text, "", row.Comment);
  listing.Line("@RANDOM1_RAW;", listing.Raw1(), "; Seeded Random Number between 0 and 1");
  listing.Line("@RANDOM2_RAW;", listing.Raw2(), "; Seeded Random Number between 0 and 1");
  listing.Line("@RANDOM;", listing.R1(), "; Last 5 digits of Seeded Random Number #1");
  listing.Line("@RANDOM1;", listing.R1(), "; Last 5 digits of Seeded Random Number #1");
  listing.Line("@RANDOM2;", listing.R2(), "; Last 5 digits of Seeded Random Number #2");
  listing.Line("@GUID;", MakeRandomGuid(random, kGuidDigits), "; Random 32-bit GUID");

  for (char16_t c : kDividerCharacters) {
    listing.Line("@DIVIDER" + Utf8(c) + ";", MakeDivider(c), kDividerComment);
  }
  for (const auto& [name, c] : kNamedDividers) listing.Line(name, MakeDivider(c), kDividerComment);
  for (const TFixedRow& row : kListRows) listing.Line(row.Text, "", row.Comment);

  TOSVersionInfoQv version;
  GetOSEdition(os, version);
  listing.Line("@OSEDITION;", version.Edition, "; Full Operating System Name and Version");
  listing.Line("@OSNAME;", version.ProductName, "; Basic Operating System Name");
  listing.Line("@OSBUILD;", std::to_string(version.BuildNumber), "; Operating System Build");
  listing.Line("@OSBUILDX;",
               std::to_string(version.BuildNumber) + "." + std::to_string(version.Revision),
               "; Operating System Full Build.Revision");
  listing.Line("@OSMAJ;", std::to_string(version.MajorVersion), "; Operating System Major Version");
  listing.Line("@OSMIN;", std::to_string(version.MinorVersion), "; Operating System Minor Version");
  listing.Line("@OSVER;", version.VersionText, "; Operating System Full Version Info");
  listing.Line("@WINVER;", version.ReleaseId,
               "; New Date-based Windows Version for Windows 10 / Server 2016 +");

  TInstalledMemoryQv memory;
  GetInstalledMemoryKB(os, memory);
  listing.Line("@OLD_MEMORY_API;", YesNo(memory.OldMemoryApi),
               "; Using the older XP/2003 memory API vs the newer Vista/2008 SP1 memory API");
  std::int64_t kb = memory.KB;
  listing.Line("@TOTAL_RAM_GB;", std::to_string(kb / 1048576), "; Total RAM in GB");
  listing.Line("@TOTAL_RAM_MB;", std::to_string(kb / 1024), "; Total RAM in MB");
  listing.Line("@TOTAL_RAM_KB;", std::to_string(kb), "; Total RAM in KB");
  std::string total = kb / 1048576 > 0 ? std::to_string(kb / 1048576) + "GB"
                      : kb / 1024 > 0  ? std::to_string(kb / 1024) + "MB"
                                       : std::to_string(kb) + "KB";
  // Where the Windows memory calls are not used, the note names the host's own source.
  std::string_view note = os.System().Windows() == nullptr ? std::string_view(memory.HostNote)
                          : memory.OldMemoryApi            ? kOldMemoryNote
                                                           : kNewMemoryNote;
  listing.Line("@TOTAL_RAM;", total,
               "; Total RAM with appropriate size suffix -- " + std::string(note));

  TProcessorInfoQv cpu;
  GetProcessorInfo(os, withSymbols, cpu);
  listing.Line("@CPU_NAME;", cpu.ModelName, "; Official CPU Product Model Name");
  listing.Line("@CPU_NAME_ONLY;", cpu.ModelNameOnly, "; Official CPU Product Model Name sans Mhz/Ghz");
  listing.Line("@CPU_FAMILY;", cpu.Family, "; Official CPU Product Family Info");
  listing.Line("@CPU_SPEED;", std::to_string(cpu.SpeedMHz), "; Max Speed of CPU in Mhz");
  listing.Line("@CPU_SOCKETS;", std::to_string(cpu.Sockets), "; Number of Physical Processors");
  listing.Line("@PHY_CORES_PER;", std::to_string(cpu.PhysicalCoresPerSocket),
               "; Number of Physical Cores per Physical Processors");
  listing.Line("@LOG_CORES_PER;", std::to_string(cpu.LogicalCoresPerSocket),
               "; Number of Logical Cores per Physical Processors");
  listing.Line("@PHY_CORES;", std::to_string(cpu.PhysicalCores), "; Total Number of Physical Cores");
  listing.Line("@LOG_CORES;", std::to_string(cpu.LogicalCores), "; Total Number of Logical Cores");
  listing.Line("@NUM_THREADS;", std::to_string(cpu.LogicalCores), "; Total Threads or Logical Cores");
  listing.Line("@THREADS_PER_CORE;", std::to_string(cpu.ThreadsPerCore), "; Number of Threads per Core");
  listing.Line("@THREADS;/MT:", std::to_string(cpu.LogicalCores >= 2 ? cpu.LogicalCores / 2 : 1),
               "; Set Thread Count for ROBOCOPY");

  const TRebootStatusQv reboot = GetRebootStatus(os);
  listing.Line("@IS_REBOOT_PENDING;", YesNo(reboot.Pending), "; Is a Reboot Pending?");
  listing.Line("@IS_REBOOT_REQUIRED;", YesNo(reboot.Required), "; Is a Reboot Required?");
  listing.Line("@IS_FILE_CHANGES_PENDING;", YesNo(reboot.FilesPending),
               "; Are any File Operations Pending?");
  listing.Line("@REBOOT_STATUS;", RebootStatusText(reboot),
               "; Reboot Status: Pending, Required, FileOperations...");
  if (reboot.Any()) {
    listing.Line("@NEEDS_REBOOT; TRUE", "", "; This System is Requesting a Reboot...");
  } else {
    listing.Line("@NEEDS_REBOOT; FALSE", "", "; This System is NOT Requesting a Reboot...");
  }

  // GetOSEdition has already asked the system for its bitness.
  const bool is64 = version.Architecture == "x64";
  if (os.System().Windows() != nullptr) {
    listing.Line(is64 ? "@OS_ARCH;x64" : "@OS_ARCH;x86", "",
                 is64 ? "; The 64-bit version of Windows is running"
                      : "; The 32-bit version of Windows is running");
  } else {
    // Not Windows: the comment says what is true of this system.
    listing.Line(is64 ? "@OS_ARCH;x64" : "@OS_ARCH;x86", "",
                 is64 ? "; The 64-bit version of the operating system is running"
                      : "; The 32-bit version of the operating system is running");
  }
  listing.Line("@APP_ARCH;", kAppArch, kAppArchComment);
  for (const TFixedRow& row : kToolRows) listing.Line(row.Text, "", row.Comment);
  lines.emplace_back();
}

}  // namespace

}  // namespace zentrel
