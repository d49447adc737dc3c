#include "app/zentrel.h"

#include <array>

#include "app/help.h"
#include "core/banner.h"
#include "core/custom_message.h"
#include "core/date_format.h"
#include "core/integer_conversion.h"
#include "core/line_end.h"
#include "core/output.h"
#include "core/text.h"
#include "dates/date_queries.h"
#include "dates/date_report.h"
#include "dates/day_count.h"
#include "durations/duration.h"
#include "durations/duration_format.h"
#include "durations/time_calc.h"
#include "perf/timing_compare.h"
#include "sysinfo/script_variables.h"

namespace zentrel {
namespace {

constexpr std::string_view kInvalidFormatWarning = " -- Invalid Time Format Selected: \"";
constexpr std::string_view kFallbackExtendedFormat = "days hours mins secs.ms";
constexpr int kExitSyntaxError = 64;
constexpr int kExitHelp = 255;
constexpr int kExitScriptVariables = 250;
constexpr int kExitWriteFailed = 72;

}  // namespace

/// One row of the dispatch: the options that select it (any one of up to three letter and
/// name pairs; an empty letter matches by name only) and the action it runs.
struct TZentrel::TAction {
  std::array<std::array<std::string_view, 2>, 3> Options;
  void (TZentrel::*Run)();
};

// The order of the rows is the precedence: the first row whose option is present runs,
// whatever the order of the options on the command line.
const TZentrel::TAction TZentrel::kActions[] = {
    {{{{"x", "time-prior"}}}, &TZentrel::RunTimePrior},
    {{{{"z", "time-after"}}}, &TZentrel::RunTimeAfter},
    {{{{"t", "time"}, {"n", "time-between"}}}, &TZentrel::RunTimeBetween},
    {{{{"k", "convert-time"}}}, &TZentrel::RunConvertTime},
    {{{{"u", "convert-days"}}}, &TZentrel::RunConvertDays},
    {{{{"r", "random"}}}, &TZentrel::RunRandom},
    {{{{"w", "day-of-week"}}}, &TZentrel::RunDayOfWeek},
    {{{{"y", "day-of-year"}}}, &TZentrel::RunDayOfYear},
    {{{{"l", "leapyear"}}}, &TZentrel::RunLeapYear},
    {{{{"p", "days-prior"}}}, &TZentrel::RunDaysPrior},
    {{{{"a", "days-after"}}}, &TZentrel::RunDaysAfter},
    {{{{"b", "days-between"}}}, &TZentrel::RunDaysBetween},
    {{{{"m", "month-end"}}}, &TZentrel::RunMonthEnd},
    {{{{"c", "current"}}}, &TZentrel::RunCurrent},
    {{{{"s", "selected"}}}, &TZentrel::RunSelected},
    {{{{"", "compareold"}, {"", "comparenew"}}}, &TZentrel::RunCompare},
    {{{{"d", "date"}, {"f", "format"}, {"v", "verbose"}}}, &TZentrel::RunReportWithLabels},
};

TZentrel::TZentrel(platform::Platform& os)
    : run_(os), random_(os.ProcessId()), options_(os.Arguments()) {}

int TZentrel::Run() {
  try {
    MainRun();
  } catch (const std::exception& error) {
    // Only the unguarded start of the main run gets here.
    run_.Err().WriteLine(std::string("Exception: ") + error.what());
    if (run_.ExitCode == 0) run_.ExitCode = kExitSyntaxError;
  }
  run_.Channels.Flush();
  const std::string& failure = run_.Channels.OutFailure();
  if (!failure.empty()) {
    // The answer is lost: a script must not take the run for a success.
    run_.Err().WriteLine("ERROR: Unable to write to standard output (" + failure + ")!");
    run_.Channels.Flush();
    const int code = run_.ExitCode;
    if (code == 0 || code == kExitHelp || code == kExitScriptVariables) {
      run_.ExitCode = kExitWriteFailed;
    }
  }
  return run_.ExitCode;
}

void TZentrel::MainRun() {
  random_.SetSeed(run_.Os.ProcessId());
  TRunSettings& settings = run_.RunSettings;
  TRunSettings fresh;
  fresh.DurationUnit = settings.DurationUnit;
  fresh.ZeroMode = settings.ZeroMode;
  settings = fresh;

  run_.ForgetMoment();
  settings.TodayText = FormatDateTimeValue(kDatePattern, run_.CurrentDate(), false, run_.Format);

  try {
    RunGuarded();
  } catch (const std::exception&) {
    ShowConversionFailure();
  }
}

void TZentrel::ShowConversionFailure() {
  ShowBanner(run_, run_.RunSettings.Verbose, true);
  ShowSyntaxError(run_, kSyntaxErrorTitle, false, false);
  ShowHelp(run_, random_, true);
  // A script must be able to tell a value that did not convert from success.
  if (run_.ExitCode == 0) run_.ExitCode = kExitSyntaxError;
}

void TZentrel::RunGuarded() {
  TRunSettings& settings = run_.RunSettings;
  const auto& params = options_.Parameters();

  std::vector<std::string> errors = ValidateOptions(params);
  if (!errors.empty()) {
    std::string message;
    for (const auto& error : errors) {
      if (!message.empty()) message += kLineEnd;
      message += error;
    }
    ShowBanner(run_, settings.Verbose, true);
    ShowSyntaxError(run_, message, false, false);
    ShowHelp(run_, random_, true);
    run_.ExitCode = kExitSyntaxError;
    return;
  }

  // --debug-mode, --audible-error and --error-delay are accepted and change nothing.
  if (options_.Present("q", "quiet")) settings.ShowLabels = false;
  if (options_.Present("v", "verbose") || options_.Present("??") || options_.Present("help2")) {
    settings.Verbose = true;
  }
  for (const auto& param : params) {
    if (param == "/?") settings.HelpRequested = true;
  }
  if (options_.Present("h", "help") || options_.Present("?", "??") ||
      options_.Present("help2") || settings.HelpRequested) {
    settings.HelpRequested = true;
    ShowHelp(run_, random_, false);
    run_.ExitCode = kExitHelp;
    return;
  }
  if (options_.Present("i", "info")) {
    ShowBanner(run_, true, true);
    return;
  }
  if (options_.Present("version-only")) {
    ShowBanner(run_, true, false);
    return;
  }
  if (options_.Present("script-variables")) {
    WriteScriptVariables(run_, random_, !options_.Present("no-symbols"), run_.CurrentDateTime());
    run_.ExitCode = kExitScriptVariables;
    return;
  }
  if (options_.Present("o", "output")) {
    settings.ShowLabels = false;
    settings.CustomOutput = true;
    settings.CustomMessage = PrepareCustomMessage(options_.Value("o", "output"), params);
  }
  if (options_.Present("e", "extended-format")) {
    const std::string value = options_.Value("e", "extended-format");
    std::string_view trimmed = TrimControls(value);
    settings.ExtendedFormat = std::string(trimmed);
    if (trimmed.empty() || !IsDurationFormatName(trimmed)) {
      run_.Err().WriteLine(std::string(kInvalidFormatWarning) + std::string(trimmed) + "\"");
      settings.ExtendedFormat = std::string(kFallbackExtendedFormat);
    }
  }
  if (options_.Present("use-hours")) settings.DurationUnit = TTimeUnits::Hours;
  if (options_.Present("use-minutes")) settings.DurationUnit = TTimeUnits::Minutes;
  if (options_.Present("use-seconds")) settings.DurationUnit = TTimeUnits::Seconds;

  for (const TAction& action : kActions) {
    for (const auto& [letter, name] : action.Options) {
      if (name.empty()) continue;
      bool present = letter.empty() ? options_.Present(name) : options_.Present(letter, name);
      if (present) {
        (this->*action.Run)();
        return;
      }
    }
  }
  RunDefaultReport();
}

TDateTimeValue TZentrel::Parse(std::string_view text, TAmbiguousText ambiguous) {
  return ParseDateTimeArg(text, run_.Format, run_.CurrentDateTime(), ambiguous);
}

TDateTimeValue TZentrel::ParseOr(std::string_view letter, std::string_view name,
                                 TDateTimeValue fallback) {
  std::string value = options_.Value(letter, name);
  return value.empty() ? fallback : Parse(value);
}

void TZentrel::RunTimeOffset(char sign, std::string_view letter, std::string_view name) {
  std::string duration = options_.Value(letter, name);
  TDateTimeValue base = ParseOr("t", "time", run_.CurrentDateTime());
  std::string format = options_.Value("f", "format");
  if (format.empty()) format = kOffsetResultPattern;
  ReportTimeOffset(run_, duration, run_.RunSettings.DurationUnit, sign, format, base);
}

void TZentrel::RunTimeBetween() {
  const TRunSettings& settings = run_.RunSettings;
  // The values are kept in strings: the trimmed views must not outlive them.
  const std::string firstValue = options_.Value("n", "time-between");
  const std::string secondValue = options_.Value("t", "time");
  std::string_view first = TrimControls(firstValue);
  std::string_view second = TrimControls(secondValue);
  TDateTimeValue a = first.empty() ? run_.CurrentDateTime() : Parse(first);
  TDateTimeValue b = second.empty() ? run_.CurrentDate().AddDays(1) : Parse(second);
  std::string name = options_.Value("e", "extended-format");
  if (name.empty()) name = settings.ExtendedFormat;
  ReportTimeBetween(run_, name, a, b);
}

void TZentrel::RunConvertTime() {
  TRunSettings& settings = run_.RunSettings;
  const std::string value = options_.Value("k", "convert-time");
  std::string_view text = TrimControls(value);
  // The value is a clock: where the locale separates dates and times alike, it is read
  // as a time even when it has the three fields of a date.
  TDateTimeValue a =
      text.empty() ? run_.CurrentDateTime()
                   : Parse(PadClockFields(text, 3, run_.Format), TAmbiguousText::Time);
  TDateTimeValue b = run_.CurrentDate();
  settings.Condensed = options_.Present("q", "quiet");
  ReportConvertTime(run_, "hours", TTimeUnits::Hours, a, b);
  ReportConvertTime(run_, "minutes", TTimeUnits::Minutes, a, b);
  ReportConvertTime(run_, "seconds", TTimeUnits::Seconds, a, b);
  settings.Condensed = false;
  ReportConvertTime(run_, "mseconds", TTimeUnits::Milliseconds, a, b);
}

void TZentrel::RunConvertDays() {
  std::int32_t count = StrToInt32(options_.Value("u", "convert-days"));
  if (options_.Present("q", "quiet")) {
    ShowDayCountConversion(run_, count, 0);
  } else {
    for (int mode = 1; mode <= 3; ++mode) ShowDayCountConversion(run_, count, mode);
  }
}

void TZentrel::RunRandom() {
  std::string value = options_.Value("r", "random");
  ShowRandomNumber(run_, random_, value.empty() ? 0 : StrToInt32(value));
}

void TZentrel::RunDayOfWeek() {
  ShowDayOfWeek(run_, ParseOr("w", "day-of-week", run_.CurrentDateTime()));
}

void TZentrel::RunDayOfYear() {
  ShowDayOfYear(run_, ParseOr("y", "day-of-year", run_.CurrentDateTime()));
}

void TZentrel::RunLeapYear() {
  ShowLeapYear(run_, ParseOr("l", "leapyear", run_.CurrentDateTime()));
}

void TZentrel::RunDaysPriorAfter(char sign, std::string_view letter, std::string_view name) {
  std::string countText = options_.Value(letter, name);
  std::int32_t count = StrToInt32(countText.empty() ? std::string("31") : countText);
  std::string date = options_.Value("s", "selected");
  if (date.empty()) date = options_.Value("d", "date");
  TDateTimeValue base = date.empty() ? run_.CurrentDateTime() : Parse(date);
  std::string format = options_.Value("f", "format");
  if (format.empty()) format = kDatePattern;
  ShowDaysPriorAfter(run_, count, sign, format, base);
}

void TZentrel::RunDaysBetween() {
  std::string firstText = options_.Value("b", "days-between");
  // Yesterday at midnight unless a date is given.
  TDateTimeValue first =
      firstText.empty() ? run_.CurrentDateTime().AddDays(-1).DatePart() : Parse(firstText);
  std::string secondText = options_.Value("s", "selected");
  if (secondText.empty()) secondText = options_.Value("d", "date");
  TDateTimeValue second = secondText.empty() ? run_.CurrentDateTime() : Parse(secondText);
  ShowDaysBetween(run_, first, second);
}

void TZentrel::RunMonthEnd() {
  ShowMonthEnd(run_, ParseOr("m", "month-end", run_.CurrentDateTime()));
}

void TZentrel::RunCurrent() { ShowCurrentDay(run_, ParseOr("c", "current", run_.CurrentDate())); }

void TZentrel::RunSelected() {
  std::string format = options_.Value("f", "format");
  if (format.empty()) format = kDatePattern;
  TDateTimeValue date = ParseOr("s", "selected", run_.CurrentDateTime());
  PrintDateResult(run_, format, run_.RunSettings.ShowLabels ? "Selected Date " : "", date);
}

void TZentrel::RunCompare() {
  TRunSettings& settings = run_.RunSettings;
  if (options_.Present("zerothis")) settings.ZeroMode = TZeroMode::ZeroThis;
  if (options_.Present("zeroall")) settings.ZeroMode = TZeroMode::ZeroAll;
  // An empty --SearchFor= or --Heading= is used as empty, unlike other empty values.
  std::string searchText =
      options_.Present("searchfor") ? options_.Value("searchfor") : settings.SearchText;
  std::string heading =
      options_.Present("heading") ? options_.Value("heading") : settings.HeadingFormat;
  CompareTimingFiles(run_, options_.Value("compareold"), options_.Value("comparenew"),
                     searchText, heading);
}

void TZentrel::RunReportWithLabels() {
  run_.RunSettings.ShowLabels = true;
  TDateTimeValue date = ParseOr("d", "date", run_.CurrentDateTime());
  ShowSelectedDateReport(run_, random_, options_.Value("f", "format"),
                         run_.RunSettings.ExtendedFormat, date);
}

void TZentrel::RunDefaultReport() {
  const auto& params = options_.Parameters();
  TDateTimeValue date = params.empty() ? run_.CurrentDate() : Parse(params[0]);
  ShowSelectedDateReport(run_, random_, kDatePattern, run_.RunSettings.ExtendedFormat, date);
  if (params.size() > 1) {
    run_.Err().Write(" All parameters entered after \"" + params[0] + "\" were ignored...");
    run_.Err().EndLine();
    run_.Err().EndLine();
  }
}

}  // namespace zentrel
