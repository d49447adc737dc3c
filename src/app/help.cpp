#include "app/help.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "app/options.h"
#include "core/banner.h"
#include "core/date_format.h"
#include "core/exit_code.h"
#include "core/text.h"
#include "core/value_format.h"
#include "durations/duration.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

// The help text is data: each screen is a table of lines walked by WriteHelpLines. Only
// the format-name table, the examples and the exit codes are generated, each from a table
// of its own.

/// How one line of the help text is written.
enum class TLineKind {
  Header,       ///< dashes as long as the title, the title, dashes again
  Program,      ///< a blank, the program name, then the text
  Text,         ///< the text as it stands
  Indented,     ///< twelve blanks, then the text
  Mention,      ///< the text, the program name, then the After text
  FormatTable,  ///< the extended duration format names, three to a line
  Examples,     ///< the worked examples, with dates and numbers of this run
  ExitCodes,    ///< the exit-code table
  AddedOptions, ///< the options of the table that carry a help line of their own
};

struct THelpLine {
  TLineKind Kind;
  std::string_view Text = {};
  bool EmptyLineAfter = false;
  std::string_view After = {};
};

constexpr std::string_view kIndent = "            ";

constexpr THelpLine kShortForm[] = {
    {TLineKind::Header, "CMD SYNTAX (MINI):"},
    {TLineKind::Program, " [options]", true},
    {TLineKind::Program, " [-d [mm/dd/yy]]"},
    {TLineKind::Program, " [-d [mm/dd/yyyy]]"},
    {TLineKind::Program, " [-d [\"mm/dd/yy hh:nn:ss\"]]"},
    {TLineKind::Program, " [-d [\"mm/dd/yyyy hh:nn:ss.zzz\"]]", true},
    {TLineKind::Program, " [-h|-?] [-v]", true},
};

constexpr THelpLine kFullForm[] = {
    {TLineKind::Header, "CMD SYNTAX:"},
    {TLineKind::Program, " [options]", true},
    {TLineKind::Program, " mm/dd/[YY]yy | \"mm/dd/[YY]yy hh:nn[:ss[.zzz]]\" [-f {see below}]"},
    {TLineKind::Program,
     " [-d [mm/dd/[YY]yy | \"mm/dd/[YY]yy hh:nn[:ss[.zzz]]\"] [-f {see below}]"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -s [\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]\"] [-f {see below}]"},
    {TLineKind::Program, " [-q|-o \"message\"] -b <mm/dd/[YY]yy> [-d <mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -p <n> [-d <mm/dd/[YY]yy>] [-f {see below}]"},
    {TLineKind::Program, " [-q|-o \"message\"] -a <n> [-d <mm/dd/[YY]yy>] [-f {see below}]"},
    {TLineKind::Program, " [-q|-o \"message\"] -w [<mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -y [<mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -l [<mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -m [<mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -c [<mm/dd/[YY]yy>]"},
    {TLineKind::Program, " [-q|-o \"message\"] -u <n>"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -k <hh:nn[:ss[.zzz]]> | <\"mm/dd/[YY]yy hh:nn[:ss[.zzz]]\">"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -t [\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\"] "
     "[-n <\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\">] [-e {see below}]"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -n <\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\"> "
     "[-t [\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\"]] [-e {see below}]"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -x <hh:nn[:ss[.zzz]]> [-t [\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\"]] "
     "[-f {see below}] [--use-hours | --use-minutes | --use-seconds]"},
    {TLineKind::Program,
     " [-q|-o \"message\"] -z <hh:nn[:ss[.zzz]]> [-t [\"mm/dd/[YY]yy [hh:nn[:ss[.zzz]]]\"]] "
     "[-f {see below}] [--use-hours | --use-minutes | --use-seconds]"},
    {TLineKind::Program, " [-q|-o \"message\"] -r [n]"},
    {TLineKind::Program, " [-h|-?] [-v]", true},
    {TLineKind::Program, " --Info"},
    {TLineKind::Program, " --Version-Only"},
    {TLineKind::Program, " --Script-Variables [--No-Symbols]"},
    {TLineKind::Program,
     " --CompareOld=<\"full_pathname\"> --CompareNew=<\"full_pathname\"> "
     "[--SearchFor=<\"search_text\">] [--Heading=<\"section_title\">] [--ZeroAll]",
     true},

    {TLineKind::Header, "OPTION DEFINITIONS:"},
    {TLineKind::Text, " -h .... Display this help message"},
    {TLineKind::Text, " -q .... Display resulting value only for any date/time calculations"},
    {TLineKind::Text,
     " -o .... Output custom meesage + resulting date/time calculation  (overrides -q)"},
    {TLineKind::Text, "         Valid tokens for custom message include:"},
    {TLineKind::Indented,
     "\\z ...... Forces other tokens to be recognized only if fully space delimited from "
     "other content"},
    {TLineKind::Indented,
     "\\s ...... Suppress date and time for this output (unless \\v explicitly set)"},
    {TLineKind::Indented, "\\n ...... Insert newline here"},
    {TLineKind::Indented, "\\t ...... Insert tab here"},
    {TLineKind::Indented, "\\q ...... Insert doublequote here"},
    {TLineKind::Indented, "\\- ...... Insert a 79 character string of \"-\" here, plus newline"},
    {TLineKind::Indented, "\\* ...... Insert a 79 character string of \"*\" here, plus newline"},
    {TLineKind::Indented, "\\# ...... Insert a 79 character string of \"#\" here, plus newline"},
    {TLineKind::Indented, "\\= ...... Insert a 79 character string of \"=\" here, plus newline"},
    {TLineKind::Indented, "\\~ ...... Insert a 79 character string of \"~\" here, plus newline"},
    {TLineKind::Indented, "\\@ ...... Insert a 79 character string of \"@\" here, plus newline"},
    {TLineKind::Indented, "\\_ ...... Insert a 79 character string of \"_\" here, plus newline"},
    {TLineKind::Indented, "\\. ...... Insert a 79 character string of \".\" here, plus newline"},
    {TLineKind::Indented, "\\, ...... Insert a 79 character string of \",\" here, plus newline"},
    {TLineKind::Indented, "\\: ...... Insert a 79 character string of \":\" here, plus newline"},
    {TLineKind::Indented, "\\; ...... Insert a 79 character string of \";\" here, plus newline"},
    {TLineKind::Indented, "\\/ ...... Insert a 79 character string of \"/\" here, plus newline"},
    {TLineKind::Indented,
     "\\v ...... Insert calculated value here [default location = end of line]", true},
    {TLineKind::Text,
     " -d .... Use selected date for date/time calculations  (overrides -q and -o)"},
    {TLineKind::Text, " -s .... Use selected date for individual date calculation"},
    {TLineKind::Text,
     " -f .... Control the formatting of the date output for any date calculation "
     "(-d, -s, -p, -a)"},
    {TLineKind::Text, "         Valid tokens for custom date formats include:"},
    {TLineKind::Indented, "dd ...... Day # (of the month)"},
    {TLineKind::Indented, "ddd ..... Abbreviated day name (of the week)"},
    {TLineKind::Indented, "dddd .... Full day name (of the week)"},
    {TLineKind::Indented, "mm ...... Month #"},
    {TLineKind::Indented, "mmm ..... Abbreviated month name"},
    {TLineKind::Indented, "mmmm .... Full month name"},
    {TLineKind::Indented, "yy ...... Two digit year"},
    {TLineKind::Indented, "yyyy .... Four digit year", true},
    {TLineKind::Text, "         Valid tokens for custom time formats include:"},
    {TLineKind::Indented, "hh ...... Hour (0-23) of the day"},
    {TLineKind::Indented, "nn ...... Minute (0-59) of the hour"},
    {TLineKind::Indented, "ss ...... Second (0-59) of the minute"},
    {TLineKind::Indented, "zz ...... Millisecond (0-999) of the second", true},
    {TLineKind::Text, " -b .... Determine number of days between two dates"},
    {TLineKind::Text, " -p .... Obtain date that is xx days in the past"},
    {TLineKind::Text, " -a .... Obtain date that is xx days in the future"},
    {TLineKind::Text, " -u .... Convert days into an approximate \"years, months, days\" format"},
    {TLineKind::Text, " -w .... Obtain ordinal day of the week for some date"},
    {TLineKind::Text, " -y .... Obtain ordinal day of the year for some date"},
    {TLineKind::Text, " -l .... Is supplied date in a leap year?"},
    {TLineKind::Text, " -m .... Is supplied date the last day in a month?"},
    {TLineKind::Text, " -c .... Is supplied date the same as today's date?"},
    {TLineKind::Text, " -r .... Generate random number", true},
    {TLineKind::Text,
     " -t .... Calculate duration between two times or date/times {see notes below}"},
    {TLineKind::Text,
     " -n .... Calculate duration between two times or date/times {see notes below}"},
    {TLineKind::Text,
     " -k .... Convert a time duration (plus optional date) into different units of time "
     "{see notes below}"},
    {TLineKind::Text,
     " -x .... Calculate a prior time (time or date/time minus a time duration in form of "
     "hhh:nn:ss.zzz)"},
    {TLineKind::Text,
     " -z .... Calculate a later time (time or date/time plus a time duration in form of "
     "hhh:nn:ss.zzz)"},
    {TLineKind::Text,
     " -e .... Control the formatting of the time output for any time duration (-t, -n)"},
    {TLineKind::Text, "         Valid extended formats for time are:"},
    {TLineKind::FormatTable, {}, true},

    {TLineKind::Header, "SYNTAX EXAMPLES:"},
    {TLineKind::Examples},
};

// Shown only when both Verbose and HelpRequested are set.
constexpr THelpLine kUsageNotes[] = {
    {TLineKind::Header, "GENERAL USAGE NOTES:"},
    {TLineKind::Mention, " * Entering ", false,
     " with no parameters will generate all available date calculations."},
    {TLineKind::Text,
     " * Options are case-insensitive, but can only be prefaced by the \"-\" or \"--\" "
     "characters, as appropriate."},
    {TLineKind::Text,
     " * Parameters surrounded by <> are mandatory; Those surrounded by [] are optional."},
    {TLineKind::Text,
     " * Parameters containing spaces or special characters must be enclosed in doublequotes."},
    {TLineKind::Text,
     " * In the event of parameter conflicts, precedence is evaluated from left to right."},
    {TLineKind::Text, " * Combining -H and -V will display the application exit/return codes."},
    {TLineKind::Text,
     " * The -I parameter will ONLY show the banner, with build info, and quit.  It will "
     "process no other data."},
    {TLineKind::Text,
     " * The --Version-Only parameter behaves like the -I parameter, but without showing the "
     "banner."},
    {TLineKind::Text, " * The application banner is always displayed unless -Q is used.", true},

    {TLineKind::Header, "APP SPECIFIC USAGE NOTES:"},
    {TLineKind::Text,
     " * When supplying both date and time, doublequotes are needed: "
     "\"mm/dd/yyyy hh:nn:ss.zzz\"."},
    {TLineKind::Text,
     " * Entering -D as the only parameter, will generate all available date calculations."},
    {TLineKind::Text, " * The -D parameter can only be modified by the -F parameter."},
    {TLineKind::Text,
     " * -S can be used in place of -D wherever the latter is used as a secondary parameter."},
    {TLineKind::Text,
     " * The parameters -O and -Q must be used in conjunction with other parameters."},
    {TLineKind::Text,
     " * To change a substitution variable into a literal string, use double \"\\\" "
     "(i.e. \\\\n = \\n)."},
    {TLineKind::Text,
     " * When -Q is used in conjuction with -K or -U, the generated output is condensed to a "
     "single line."},
    {TLineKind::Text,
     " * -U is an approximate calculation that does not take into account leap years."},
    {TLineKind::Text,
     " * Not all date functions will produce a valid time value. Some will only return "
     "\"00:00:00.000\"."},
    {TLineKind::Text,
     " * If -T is used with no parameters, the current time is compared to the upcoming "
     "midnight."},
    {TLineKind::Text,
     " * If -T is used without -N, the selected time is compared to the current time."},
    {TLineKind::Text,
     " * If -N is used without -T, the selected time is compared to the upcoming midnight."},
    {TLineKind::Text,
     " * If -X is used without -T, the selected duration is subtracted from the current time."},
    {TLineKind::Text,
     " * If -Z is used without -T, the selected duration is added to the current time."},
    {TLineKind::Text,
     " * Both -X and -Z will accept a maximum of \"999:59:59.999\" (999 hrs, 59 min, 59 sec, "
     "999 ms)."},
    {TLineKind::Text,
     " * -K (--Compare-Time) can be used with \"hh:nn:ss.zzz\" alone, or with "
     "\"mm/dd/yyyy hh:nn:ss.zzz\"."},
    {TLineKind::Text,
     " * Durations \"##:##\" or \"##\" are assumed to be \"hour:min\" or \"hour\" unless "
     "\".###\" is provided."},
    {TLineKind::Text,
     " * The --Use-xxxx parameters can alter how -X and -Z durations are interpreted.", true},
    {TLineKind::Text, " * With any --Use-xxxx parameter enabled:"},
    {TLineKind::Text,
     "   \".###\" is always evaluated as a fraction of the previous unit of time "
     "(hour, min, or sec).",
     true},
    {TLineKind::Text, " * With the --Use-Hours parameter enabled:"},
    {TLineKind::Text, "   Duration processing is mostly normal, except when a fraction is present."},
    {TLineKind::Text, "   \"##\" = \"hour:00:00\"; Any fraction provided would apply to minutes."},
    {TLineKind::Text,
     "   \"##:##\" = \"hour:min:00\";  Any fraction provided would apply to seconds."},
    {TLineKind::Text, "   \"##:##:##\" = \"hour:min:sec\"; Fraction = milliseconds.", true},
    {TLineKind::Text, " * With the --Use-Minutes parameter enabled:"},
    {TLineKind::Text,
     "   The first element of a duration will be assigned to minutes. Hours will be set to 0."},
    {TLineKind::Text, "   \"##\" = \"00:min:00\";  Any fraction provided would apply to seconds."},
    {TLineKind::Text,
     "   \"##:##\" = \"00:min:sec\";  Any fraction provided would apply to milliseconds."},
    {TLineKind::Text,
     "   \"##:##:##\" = \"00:min:sec\" using the first two ## values only;  "
     "Fraction = milliseconds.",
     true},
    {TLineKind::Text, " * With the --Use-Seconds parameter enabled:"},
    {TLineKind::Text,
     "   The duration is evaluated such that there is always one assigned to seconds."},
    {TLineKind::Text, "   \"##\" = \"00:00:sec\";  Fraction = milliseconds."},
    {TLineKind::Text, "   \"##:##\" = \"00:min:sec\";  Fraction = milliseconds."},
    {TLineKind::Text, "   \"##:##:##\" = \"hour:min:sec\";  Fraction = milliseconds.", true},
    {TLineKind::Text,
     " * The --CompareOld and --CompareNew parameters are to rapidly compare a list of timings"},
    {TLineKind::Text,
     "   from two different files in the form of \"##:##\" such as would be used by -x or -z."},
    {TLineKind::Text,
     " * Below is the default format of the space-delimited input files (with a single-line "
     "example):"},
    {TLineKind::Text,
     "    Format:   PREFIX  SECTION/ID#  TIME (hh:nn:ss.zzz)  - NAME/DESCRIPTION"},
    {TLineKind::Text,
     "   Example:      \\--- [#47]        01:20:29.730         - ONE EXAMPLE SECTION", true},
    {TLineKind::Text,
     " * The last valid line in the performance input file must include \"[#ZZ]\" as the "
     "section ID."},
    {TLineKind::Text,
     " * The default search string to determine a valid entry is \"\\--- [#\"."},
    {TLineKind::Text,
     " * The aggregate times displayed for the performance comparisons are a sum of the other "
     "intervals."},
    {TLineKind::Text,
     " * By default, any units (e.g. hour, min, sec, msec) with invalid characters are set to "
     "zero, individually."},
    {TLineKind::Text,
     " * If --ZeroALL is used, and any units have invalid characters, the time will be set to "
     "\"00:00:00.000\"."},
    {TLineKind::Text,
     " * Both input files will be loaded into memory before processing, so consider "
     "pre-processing"},
    {TLineKind::Text,
     "   very large input files (>1GB) where only a small percentage of the content is "
     "relevant.",
     true},

    {TLineKind::Header, "EXIT/RETURN CODES:"},
    {TLineKind::Text, " * Exit/Return Codes will be generated for the following conditions:"},
    {TLineKind::ExitCodes},
};

// The last section of every full help: what was added after the text above was fixed, so
// that text stays as scripts and users know it. Its option lines come from the option table.
constexpr THelpLine kAddedSection[] = {
    {TLineKind::Header, "MORE DATES AND OPTIONS:"},
    {TLineKind::Text, " Wherever a date is read it may also be written the same under every regional"},
    {TLineKind::Text, " setting: ISO 8601 (2024-12-25, 2024-12-25T10:30[:ss[.zzz]], a blank for the"},
    {TLineKind::Text, " T, then Z or +hh:mm for a moment in UTC or at that offset) or Unix time"},
    {TLineKind::Text, " (@1735122600, seconds since 1970-01-01T00:00:00Z).", true},
    {TLineKind::Text, " The count of -p and -a may end in a unit: d days (the default), w weeks,"},
    {TLineKind::Text, " m calendar months (the day kept, or the month's last), y years, b business"},
    {TLineKind::Text, " days (Monday to Friday but --Holidays; 0b is the date or the next one).", true},
    {TLineKind::AddedOptions, {}, true},
};

// The examples: each line is the program name followed by pieces, rendered left to right,
// so the random draws are taken in the order in which they appear on the screen.

enum class TPieceKind {
  None,            ///< unused slot
  Text,            ///< the text as it stands
  Moment,          ///< now moved by Days, rendered with the pattern in Text
  RandomMoment,    ///< now moved by Sign x R(Bound) whole days, rendered with Text
  FractionMoment,  ///< now moved by Sign x F (a fraction of a day), rendered with Text
  Number,          ///< R(Bound) + Add
};

struct TPiece {
  TPieceKind Kind = TPieceKind::None;
  std::string_view Text = {};
  double Days = 0;
  int Sign = 1;
  std::int32_t Bound = 0;
  std::int32_t Add = 0;
};

constexpr TPiece T(std::string_view text) { return {TPieceKind::Text, text}; }
/// D(now + days).
constexpr TPiece D(double days) { return {TPieceKind::Moment, kDatePattern, days}; }
constexpr TPiece At(std::string_view pattern, double days) {
  return {TPieceKind::Moment, pattern, days};
}
constexpr TPiece RandomDays(std::string_view pattern, int sign, std::int32_t bound) {
  return {TPieceKind::RandomMoment, pattern, 0, sign, bound};
}
constexpr TPiece FractionDay(std::string_view pattern, int sign) {
  return {TPieceKind::FractionMoment, pattern, 0, sign};
}
constexpr TPiece R(std::int32_t bound, std::int32_t add = 0) {
  return {TPieceKind::Number, {}, 0, 1, bound, add};
}

struct TExample {
  std::array<TPiece, 6> Pieces;
  bool EmptyLineAfter = false;
};

constexpr TExample kExamples[] = {
    {{}},
    {{T(" "), D(-3)}},
    {{T(" -d "), D(-1)}},
    {{T(" -d "), D(-1), T(" -f \"dd mmm yyyy\"")}},
    {{T(" -d "), D(-1), T(" -f \"yyyy-mm-dd hh:nn:ss.zzz\"")}},
    {{T(" -b "), D(-5), T(" -d "), D(-7)}},
    {{T(" -p 27 -d "), D(-14)}},
    {{T(" -a 41 -d "), D(-21)}},
    {{T(" -s "), D(1), T(" -o \"\\n\\v will be tomorrow's date\\n\\-\"")}},
    {{T(" -s \""), At("mm/dd/yyyy hh:30 am/pm", -1),
      T("\" -o \"\\n\\v was about 24 hours ago\\n\\-\"")}},
    {{T(" -u "), R(5000, 100)}},
    {{T(" -y ")}},
    {{T(" -y 01/12/"), R(5, 10)}},
    {{T(" -l")}},
    {{T(" -l 01/02/"), R(105, 1995)}},
    {{T(" -m ")}},
    {{T(" -m -q ")}},
    {{T(" -m 02/28/"), R(25, 1995)}},
    {{T(" -w "), RandomDays(kDatePattern, -1, 200)}},
    {{T(" -c "), RandomDays(kDatePattern, 1, 200)}},
    {{T(" -t "), RandomDays("hh:nn", 1, 30)}},
    {{T(" -n "), RandomDays("hh:nn:ss", -1, 3), T(" -t "), FractionDay("hh:nn:ss", 1)}},
    {{T(" -n "), FractionDay("hh:nn:ss", -1), T(" -e \"dddd:hr:min:sec\"")}},
    {{T(" -t \""), At("mm/dd/yyyy hh:nn:ss", -3.33), T("\" -e \"days hours mins secs.ms\"")}},
    {{T(" -k "), R(24), T(":"), R(49, 10)}},
    {{T(" -z "), R(999, 1), T(":"), R(49, 10)}},
    {{T(" -x "), R(999, 1), T(":"), R(49, 10)}},
    {{T(" -z "), R(49, 10), T(":"), R(49, 10), T(" --Use-Minutes")}},
    {{T(" -x "), R(49, 10), T(":"), R(49, 10), T(" --Use-Seconds")}},
    {{T(" -r ")}},
    {{T(" -h ")}},
    {{T(" --Info ")}},
    {{T(" --Version-Only ")}},
    {{T(" --Script-Variables --No-Symbols")}},
    {{T(" --CompareOld=\"OldFile.TXT\" --CompareNew=\"NewFile.TXT\"")}, true},
};

/// now moved by days, a fraction of a day to the nearest millisecond. A move past either
/// end of the calendar stops at that end, so the examples stay whole on its first and last
/// days.
TDateTimeValue MoveNow(TDateTimeValue now, double days) {
  return now.AddMsWithinCalendar(MsOfDays(days));
}

std::string RenderPiece(TRunContext& run, TRandom& random, const TPiece& piece,
                        TDateTimeValue now) {
  auto render = [&](TDateTimeValue moment) {
    return FormatDateTimeValue(piece.Text, moment, false, run.Format);
  };
  switch (piece.Kind) {
    case TPieceKind::None:
      return {};
    case TPieceKind::Text:
      return std::string(piece.Text);
    case TPieceKind::Moment:
      return render(MoveNow(now, piece.Days));
    case TPieceKind::RandomMoment:
      return render(MoveNow(now, piece.Sign * random.NextInt(piece.Bound)));
    case TPieceKind::FractionMoment:
      return render(MoveNow(now, piece.Sign * random.NextFraction()));
    case TPieceKind::Number:
      return std::to_string(random.NextInt(piece.Bound) + piece.Add);
  }
  return {};
}

void WriteExamples(TRunContext& run, TRandom& random, const std::string& program) {
  TDateTimeValue now = run.CurrentDateTime();
  for (const TExample& example : kExamples) {
    std::string line = " " + program;
    for (const TPiece& piece : example.Pieces) line += RenderPiece(run, random, piece, now);
    run.CoreOutput().WriteLine(line);
    if (example.EmptyLineAfter) run.CoreOutput().EndLine();
  }
}

/// The text padded with blanks to width; a longer text is kept whole.
std::string PadRight(std::string_view text, size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

void WriteFormatTable(TRunContext& run) {
  std::span<const std::string_view> names = DurationFormatNames();
  for (size_t i = 0; i < names.size(); i += 3) {
    std::string line(kIndent);
    line += PadRight(names[i], 23);
    if (i + 1 < names.size()) line += " | " + PadRight(names[i + 1], 20);
    if (i + 2 < names.size()) line += " | " + PadRight(names[i + 2], 19);
    run.CoreOutput().WriteLine(line);
  }
}

void WriteExitCodes(TRunContext& run) {
  for (const TExitCodeRow& row : kExitCodes) {
    if (row.HelpText.empty()) continue;
    std::string line;
    AppendInteger(line, ToInt(row.Code), 7);
    run.CoreOutput().WriteLine(line + " - " + std::string(row.HelpText));
  }
}

void WriteAddedOptions(TRunContext& run, const std::string& program) {
  for (const TOptionRow& row : kOptionTable) {
    if (row.Help.empty()) continue;
    run.CoreOutput().WriteLine(" " + program + " " + PadRight(row.Usage, 21) + " " +
                               std::string(row.Help));
    run.CoreOutput().WriteLine("     " + program + " " + std::string(row.Example));
  }
}

void WriteHelpLines(TRunContext& run, TRandom& random, std::span<const THelpLine> lines,
                    const std::string& program) {
  for (const THelpLine& line : lines) {
    switch (line.Kind) {
      case TLineKind::Header: {
        int width = static_cast<int>(line.Text.size());
        WriteDashLine(run, width, false);
        run.CoreOutput().WriteLine(line.Text);
        WriteDashLine(run, width, false);
        break;
      }
      case TLineKind::Program:
        run.CoreOutput().WriteLine(" " + program + std::string(line.Text));
        break;
      case TLineKind::Text:
        run.CoreOutput().WriteLine(line.Text);
        break;
      case TLineKind::Indented:
        run.CoreOutput().WriteLine(std::string(kIndent) + std::string(line.Text));
        break;
      case TLineKind::Mention:
        run.CoreOutput().WriteLine(std::string(line.Text) + program + std::string(line.After));
        break;
      case TLineKind::FormatTable:
        WriteFormatTable(run);
        break;
      case TLineKind::Examples:
        WriteExamples(run, random, program);
        break;
      case TLineKind::ExitCodes:
        WriteExitCodes(run);
        break;
      case TLineKind::AddedOptions:
        WriteAddedOptions(run, program);
        break;
    }
    if (line.EmptyLineAfter) run.CoreOutput().EndLine();
  }
}

}  // namespace

void ShowHelp(TRunContext& run, TRandom& random, THelpForm form) {
  if (form == THelpForm::Short) {
    const std::string& program = run.VersionInfo.BaseName;
    WriteHelpLines(run, random, kShortForm, program);
    run.CoreOutput().WriteLine("For more details, please type: " + program + " -?  OR  " + program +
                        " --??");
    return;
  }
  // The banner fills the version information the program name is read from.
  const bool notes = form == THelpForm::FullWithNotes;
  ShowBanner(run, notes, true);
  const std::string& program = run.VersionInfo.BaseName;
  WriteHelpLines(run, random, kFullForm, program);
  if (notes) WriteHelpLines(run, random, kUsageNotes, program);
  WriteHelpLines(run, random, kAddedSection, program);
}

}  // namespace zentrel
