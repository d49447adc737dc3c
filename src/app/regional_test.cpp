// The whole program under other regional settings: the same calendar question, typed the
// way a locale writes dates and times, must give the same number as under the defaults,
// and only the texts the locale owns (separators, names, AM/PM, its own patterns) change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/zentrel.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// One locale: its settings as the Windows backend builds them, the questions' dates and
/// clocks written its way, and the lines whose texts it owns.
struct TLocale {
  const char* Name;
  TFormatSettings Settings;
  const char* March5;        ///< 03/05/2024
  const char* March6;        ///< 03/06/2024
  const char* March5NoYear;  ///< 03/05 (of the current year, 2026)
  const char* Moment;        ///< 03/05/2024 15:04:05.5 (milliseconds 500)
  const char* Clock;         ///< 15:04 today
  const char* KClock;        ///< 01:20:29.730
  const char* KShortClock;   ///< 20:29.730 (minutes, seconds and a fraction)
  const char* Tokens;        ///< the moment through kTokenPattern
  const char* OffsetLine;    ///< -x 1:30 -t Moment, labelled
  const char* ConvertLine;   ///< -k KClock, labelled: the first line
};

constexpr const char* kTokenPattern = "dd/mm/yyyy hh:nn|ddddd|c|t|tt|mmm|mmmm|ddd|dddd|am/pm";

TFormatSettings Settings(char date, char time, char decimal, const char* shortDate,
                         const char* longDate, const char* shortTime, const char* longTime,
                         const char* am, const char* pm) {
  TFormatSettings s;
  s.DateSeparator = date;
  s.TimeSeparator = time;
  s.DecimalSeparator = decimal;
  s.ShortDatePattern = shortDate;
  s.LongDatePattern = longDate;
  s.ShortTimePattern = shortTime;
  s.LongTimePattern = longTime;
  s.TimeAMString = am;
  s.TimePMString = pm;
  return s;
}

TFormatSettings Named(TFormatSettings s, const char* march, const char* marchShort,
                      const char* tuesday, const char* tuesdayShort) {
  s.LongMonthNames[2] = march;
  s.ShortMonthNames[2] = marchShort;
  s.LongDayNames[2] = tuesday;
  s.ShortDayNames[2] = tuesdayShort;
  return s;
}

const std::vector<TLocale>& Locales() {
  static const std::vector<TLocale> locales = {
      {"en_US (the defaults)", TFormatSettings{}, "03/05/2024", "03/06/2024", "03/05",
       "03/05/2024 15:04:05.5", "15:04", "01:20:29.730", "20:29.730",
       "05/03/2024 03:04|03/05/2024|03/05/2024 3:04:05 PM|3:04 PM|3:04:05 PM|Mar|March|Tue|"
       "Tuesday|pm",
       " 01:30:00 [hr:min:sec] before 03/05/24 15:04:05 ..........03/05/2024 13:34:05",
       " Convert \"01:20:29.730\" to WHOLE Hours ...................1"},
      // Day first with "/", 24 hours, lower-case AM/PM texts.
      {"en_GB",
       Settings('/', ':', '.', "dd/mm/yyyy", "dd mmmm yyyy", "hh:nn", "hh:nn:ss", "am", "pm"),
       "05/03/2024", "06/03/2024", "05/03", "05/03/2024 15:04:05.5", "15:04", "01:20:29.730",
       "20:29.730",
       "05/03/2024 03:04|05/03/2024|05/03/2024 15:04:05|15:04|15:04:05|Mar|March|Tue|"
       "Tuesday|pm",
       " 01:30:00 [hr:min:sec] before 03/05/24 15:04:05 ..........03/05/2024 13:34:05",
       " Convert \"01:20:29.730\" to WHOLE Hours ...................1"},
      // Day first with ".", and a decimal comma.
      {"de_DE",
       Named(Settings('.', ':', ',', "d/m/yyyy", "dddd, d/ mmmm yyyy", "hh:nn", "hh:nn:ss",
                      "AM", "PM"),
             "M\xc3\xa4rz", "M\xc3\xa4r", "Dienstag", "Di"),
       "5.3.2024", "06.03.2024", "5.3", "05.03.2024 15:04:05,5", "15:04", "01:20:29,730",
       "20:29,730",
       "05.03.2024 03:04|5.3.2024|5.3.2024 15:04:05|15:04|15:04:05|M\xc3\xa4r|M\xc3\xa4rz|Di|"
       "Dienstag|pm",
       " 01:30:00 [hr:min:sec] before 03.05.24 15:04:05 ..........03.05.2024 13:34:05",
       " Convert \"01:20:29.730\" to WHOLE Hours ...................1"},
      // Year first, regional AM/PM texts outside ASCII, month names with digits.
      {"ja_JP",
       Named(Settings('/', ':', '.', "yyyy/m/d", "yyyy\"\xe5\xb9\xb4\"m\"\xe6\x9c\x88\"d", "h:nn",
                      "h:nn:ss", "\xe5\x8d\x88\xe5\x89\x8d", "\xe5\x8d\x88\xe5\xbe\x8c"),
             "3\xe6\x9c\x88", "3\xe6\x9c\x88", "\xe7\x81\xab\xe6\x9b\x9c\xe6\x97\xa5", "\xe7\x81\xab"),
       "2024/03/05", "2024/3/6", "3/5", "2024/3/5 15:04:05.5", "15:04", "01:20:29.730",
       "20:29.730",
       "05/03/2024 03:04|2024/3/5|2024/3/5 15:04:05|15:04|15:04:05|3\xe6\x9c\x88|3\xe6\x9c\x88|"
       "\xe7\x81\xab|\xe7\x81\xab\xe6\x9b\x9c\xe6\x97\xa5|pm",
       " 01:30:00 [hr:min:sec] before 03/05/24 15:04:05 ..........03/05/2024 13:34:05",
       " Convert \"01:20:29.730\" to WHOLE Hours ...................1"},
      // A 12-hour clock with AM/PM texts of its own that hold dots, year first with "-".
      {"en_CA",
       Settings('-', ':', '.', "yyyy/mm/dd", "mmmm d, yyyy", "h:nn AMPM", "h:nn:ss AMPM",
                "a.m.", "p.m."),
       "2024-03-05", "2024-3-6", "3-5", "2024-03-05 3:04:05.5p.m.", "3:04p.m.", "01:20:29.730",
       "20:29.730",
       "05-03-2024 03:04|2024-03-05|2024-03-05 3:04:05 p.m.|3:04 p.m.|3:04:05 p.m.|Mar|March|"
       "Tue|Tuesday|pm",
       " 01:30:00 [hr:min:sec] before 03-05-24 15:04:05 ..........03-05-2024 13:34:05",
       " Convert \"01:20:29.730\" to WHOLE Hours ...................1"},
      // One separator, ".", for dates and times alike, and a decimal comma: a two-field date
      // ends in its separator.
      {"fi_FI",
       Named(Settings('.', '.', ',', "d.m.yyyy", "d. mmmm yyyy", "h.nn", "h.nn.ss", "ap.",
                      "ip."),
             "maaliskuu", "maalis", "tiistai", "ti"),
       "5.3.2024", "6.3.2024", "5.3.", "5.3.2024 15.04.05,5", "15.04", "01.20.29,730",
       "20.29,730",
       "05.03.2024 03.04|5.3.2024|5.3.2024 15.04.05|15.04|15.04.05|maalis|maaliskuu|ti|"
       "tiistai|pm",
       " 01:30:00 [hr:min:sec] before 03.05.24 15.04.05 ..........03.05.2024 13.34.05",
       " Convert \"01.20.29.730\" to WHOLE Hours ...................1"},
  };
  return locales;
}

struct TRun {
  int ExitCode;
  std::string Out, Err;
};

TRun RunUnder(const TFormatSettings& settings, std::vector<std::string> args) {
  platform::FakePlatform os;
  os.Regional = settings;
  os.Args = std::move(args);
  TZentrel program(os);
  int code = program.Run();
  return {code, os.Out, os.Err};
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

/// The runs of digits of a text, the first line left out: the numbers of a report.
std::vector<std::string> NumbersAfterTheHead(const std::string& text) {
  std::vector<std::string> numbers;
  bool inNumber = false;
  for (std::size_t i = text.find('\n'); i < text.size(); ++i) {
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (digit && !inNumber) numbers.emplace_back();
    if (digit) numbers.back() += text[i];
    inNumber = digit;
  }
  return numbers;
}

TEST(RegionalSettings, TheSameQuestionGivesTheSameAnswerInEveryLocale) {
  for (const TLocale& l : Locales()) {
    SCOPED_TRACE(l.Name);
    const struct {
      std::vector<std::string> Args;
      const char* Out;
    } questions[] = {
        {{"-q", "-y", l.March5}, "65\n"},
        {{"-q", "-w", l.March5}, "3\n"},
        {{"-q", "-y", l.March5NoYear}, "64\n"},
        {{"-q", "-b", l.March5, "-s", l.March6}, "1\n"},
        {{"-q", "-t", l.March5, "-n", l.March6, "-e", "days"}, "1\n"},
        {{"-q", "-t", l.Clock}, "   10:48:48.730\n"},
        {{"-q", "-s", l.Moment, "-f", "zzz"}, "500\n"},
        {{"-q", "-s", l.Clock, "-f", "yyyy mm dd hh nn"}, "2026 12 07 15 04\n"},
        {{"-q", "-k", l.KClock}, "1 80 4829 4829730\n"},
        {{"-q", "-k", l.KShortClock}, "0 20 1229 1229730\n"},
        {{"-q", "-z", "0.250", "-t", l.Moment, "-f", "hh nn ss zzz"}, "15 04 05 750\n"},
        {{"-q", "-x", "1:30", "-t", l.Clock, "-f", "yyyy mm dd hh nn"}, "2026 12 07 13 34\n"},
    };
    for (const auto& q : questions) {
      SCOPED_TRACE(q.Args[1] + " " + q.Args[2]);
      TRun run = RunUnder(l.Settings, q.Args);
      EXPECT_EQ(run.ExitCode, 0) << run.Err;
      EXPECT_EQ(run.Out, q.Out);
    }
    const TFormatSettings& s = l.Settings;
    EXPECT_EQ(RunUnder(s, {"-q", "-s", l.Moment, "-f", kTokenPattern}).Out,
              std::string(l.Tokens) + "\n");
    EXPECT_EQ(RunUnder(s, {"-x", "1:30", "-t", l.Moment}).Out, std::string(l.OffsetLine) + "\n");
    EXPECT_EQ(FirstLine(RunUnder(s, {"-k", l.KClock}).Out), l.ConvertLine);

    // The report of the same date holds the same numbers, whatever the separators.
    TRun report = RunUnder(s, {"-d", l.March5});
    TRun reference = RunUnder(TFormatSettings{}, {"-d", "03/05/2024"});
    EXPECT_EQ(report.ExitCode, 0);
    EXPECT_EQ(NumbersAfterTheHead(report.Out), NumbersAfterTheHead(reference.Out));
  }
}

TEST(RegionalSettings, TheProgramsOwnSpellingIsNoDateWhereTheOrderDiffers) {
  // 03/05/2024 is 3 May under day-first settings, and 13/05/2024 no date there at all.
  const TFormatSettings dayFirst = Locales()[1].Settings;
  EXPECT_EQ(RunUnder(dayFirst, {"-q", "-y", "03/05/2024"}).Out, "124\n");
  EXPECT_EQ(RunUnder(dayFirst, {"-q", "-y", "05/13/2024"}).ExitCode, 64);
  // Where "." separates dates and times alike, two fields are a time: 5.3 is 05:03 today.
  const TFormatSettings sameSeparator = Locales().back().Settings;
  EXPECT_EQ(RunUnder(sameSeparator, {"-q", "-s", "5.3", "-f", "yyyy mm dd hh nn"}).Out,
            "2026 12 07 05 03\n");
  // Day 0 typed in the locale's own order stays day 0; a time alone moves onto today.
  const TFormatSettings dotted = Locales()[2].Settings;
  EXPECT_EQ(RunUnder(dotted, {"-q", "-s", "30.12.1899 10:00", "-f", "yyyy mm dd hh"}).Out,
            "1899 12 30 10\n");
}

}  // namespace
}  // namespace zentrel
