#include "app/zentrel.h"

#include <array>
#include <optional>

#include "app/help.h"
#include "core/banner.h"
#include "core/build_info.h"
#include "core/conversion_error.h"
#include "core/custom_message.h"
#include "core/date_format.h"
#include "core/integer_conversion.h"
#include "core/line_end.h"
#include "core/machine_date_time.h"
#include "core/output.h"
#include "core/text.h"
#include "dates/date_queries.h"
#include "dates/date_report.h"
#include "dates/day_count.h"
#include "dates/holidays_file.h"
#include "durations/duration.h"
#include "durations/duration_format.h"
#include "durations/time_calc.h"
#include "perf/timing_compare.h"
#include "sysinfo/script_variables.h"

namespace zentrel {
namespace {

using Id = TOptionId;

// The comparison's defaults.
constexpr std::string_view kDefaultSearchText = "\\--- [#";
constexpr std::string_view kDefaultHeading = "SECTION [#%.2d]";

/// A value that did not convert, with the line of the error screen that names it.
class TNamedConversionError : public ConversionError {
 public:
  TNamedConversionError(const ConversionError& cause, std::string line)
      : ConversionError(cause), Line(std::move(line)) {}
  std::string Line;
};

/// The regional time of day as the help writes it: "hh:nn:ss".
std::string ClockPattern(const TFormatSettings& settings) {
  return std::string("hh") + settings.TimeSeparator + "nn" + settings.TimeSeparator + "ss";
}

/// The regional short date as the help writes it: "mm/dd/yyyy".
std::string DatePatternText(const TFormatSettings& settings) {
  std::string pattern = settings.ShortDatePattern;
  for (char& c : pattern) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return pattern;
}

}  // namespace

/// One row of the dispatch: the stage it belongs to, the options that select it (any one
/// of them), the action it runs, and whether "/?" selects it as well.
struct TZentrel::TAction {
  TWhen When;
  std::array<std::optional<TOptionId>, 3> Options;
  void (TZentrel::*Run)();
  bool SelectedByHelpWord = false;
  /// The output mode of the row when it is not the one the options choose.
  std::optional<TOutputMode> Mode = std::nullopt;
};

// Within a stage the order of the rows is the precedence: the first row whose option is
// present runs, whatever the order of the options on the command line. A run that no row
// selects prints the report for its first parameter.
const TZentrel::TAction TZentrel::kActions[] = {
    {TWhen::AfterFlags, {Id::Help, Id::Question, Id::Help2}, &TZentrel::RunHelp, true},
    {TWhen::AfterFlags, {Id::Info}, &TZentrel::RunInfo},
    {TWhen::AfterFlags, {Id::VersionOnly}, &TZentrel::RunVersionOnly},
    {TWhen::AfterFlags, {Id::Version}, &TZentrel::RunVersion},
    {TWhen::AfterFlags, {Id::ScriptVariables}, &TZentrel::RunScriptVariables},
    {TWhen::AfterSettings, {Id::TimePrior}, &TZentrel::RunTimePrior},
    {TWhen::AfterSettings, {Id::TimeAfter}, &TZentrel::RunTimeAfter},
    {TWhen::AfterSettings, {Id::Time, Id::TimeBetween}, &TZentrel::RunTimeBetween},
    {TWhen::AfterSettings, {Id::ConvertTime}, &TZentrel::RunConvertTime},
    {TWhen::AfterSettings, {Id::ConvertDays}, &TZentrel::RunConvertDays},
    {TWhen::AfterSettings, {Id::Random}, &TZentrel::RunRandom},
    {TWhen::AfterSettings, {Id::DayOfWeek}, &TZentrel::RunDayOfWeek},
    {TWhen::AfterSettings, {Id::DayOfYear}, &TZentrel::RunDayOfYear},
    {TWhen::AfterSettings, {Id::LeapYear}, &TZentrel::RunLeapYear},
    {TWhen::AfterSettings, {Id::DaysPrior}, &TZentrel::RunDaysPrior},
    {TWhen::AfterSettings, {Id::DaysAfter}, &TZentrel::RunDaysAfter},
    {TWhen::AfterSettings, {Id::DaysBetween}, &TZentrel::RunDaysBetween},
    {TWhen::AfterSettings, {Id::MonthEnd}, &TZentrel::RunMonthEnd},
    {TWhen::AfterSettings, {Id::Current}, &TZentrel::RunCurrent},
    {TWhen::AfterSettings, {Id::UnixTime}, &TZentrel::RunUnixTime},
    {TWhen::AfterSettings, {Id::BusinessDays}, &TZentrel::RunBusinessDays},
    {TWhen::AfterSettings, {Id::Sequence}, &TZentrel::RunSequence},
    {TWhen::AfterSettings, {Id::Selected}, &TZentrel::RunSelected},
    {TWhen::AfterSettings, {Id::CompareOld, Id::CompareNew}, &TZentrel::RunCompare},
    // The report that -d, -f or -v asks for is labelled whatever -q or -o say.
    {TWhen::AfterSettings, {Id::Date, Id::Format, Id::Verbose}, &TZentrel::RunReportWithLabels,
     false, TOutputMode::Labelled},
};

TZentrel::TZentrel(platform::Platform& os) : os_(os), random_(os.ProcessId()) {}

int TZentrel::Run() {
  run_.emplace(os_);
  // The plan is read once; only --utc is taken from it ahead of the syntax check, before
  // anything reads the clock. Nothing else of it is used unless the check passes.
  plan_.emplace(os_.Arguments());
  run_->Utc = plan_->Has(Id::Utc);
  random_ = TRandom(os_.ProcessId());
  try {
    MainRun();
  } catch (const ConversionError& error) {
    // Only the unguarded start of the main run gets here: a clock that reads no date.
    run_->Err().WriteLine(std::string("Exception: ") + error.what());
    if (run_->ExitCode == TExitCode::Success) run_->ExitCode = TExitCode::MissingParameters;
  }
  run_->Channels.Flush();
  const std::string& failure = run_->Channels.OutFailure();
  if (!failure.empty()) {
    // The answer is lost: a script must not take the run for a success.
    run_->Err().WriteLine("ERROR: Unable to write to standard output (" + failure + ")!");
    run_->Channels.Flush();
    const TExitCode code = run_->ExitCode;
    if (code == TExitCode::Success || code == TExitCode::HelpRequested ||
        code == TExitCode::ScriptVariables) {
      run_->ExitCode = TExitCode::WriteFailed;
    }
  }
  return ToInt(run_->ExitCode);
}

void TZentrel::MainRun() {
  // The clock is read first: a reading that is no date ends the run before anything else.
  run_->CurrentDate();
  try {
    RunGuarded();
  } catch (const TNamedConversionError& error) {
    ShowConversionFailure(error.Line);
  } catch (const ConversionError&) {
    ShowConversionFailure({});
  }
}

void TZentrel::ShowConversionFailure(std::string_view detail) {
  ShowBanner(*run_, plan_->Verbose(), true);
  ShowSyntaxError(*run_, kSyntaxErrorTitle, false, false, detail);
  ShowHelp(*run_, random_, THelpForm::Short);
  // A script must be able to tell a value that did not convert from success.
  if (run_->ExitCode == TExitCode::Success) run_->ExitCode = TExitCode::MissingParameters;
}

void TZentrel::RunGuarded() {
  std::vector<std::string> errors = ValidateOptions(os_.Arguments());
  if (!errors.empty()) {
    std::string message;
    for (const auto& error : errors) {
      if (!message.empty()) message += kLineEnd;
      message += error;
    }
    ShowBanner(*run_, false, true);
    ShowSyntaxError(*run_, message, false, false);
    ShowHelp(*run_, random_, THelpForm::Short);
    run_->ExitCode = TExitCode::MissingParameters;
    return;
  }
  const TAction* action = ChooseAction();
  // --debug-mode, --audible-error and --error-delay are accepted and change nothing.
  run_->RunSettings.Mode = plan_->FlagMode();
  if (action == nullptr || action->When == TWhen::AfterSettings) {
    if (plan_->Has(Id::Output)) {
      run_->RunSettings.Mode = TOutputMode::Custom;
      run_->RunSettings.CustomMessage =
          PrepareCustomMessage(plan_->Value(Id::Output), plan_->Parameters());
    }
    if (!plan_->ExtendedFormatWarning().empty()) {
      run_->Err().WriteLine(plan_->ExtendedFormatWarning());
    }
  }
  if (action == nullptr) {
    RunDefaultReport();
    return;
  }
  if (action->Mode) run_->RunSettings.Mode = *action->Mode;
  (this->*action->Run)();
  WarnIgnored();
}

const TZentrel::TAction* TZentrel::ChooseAction() const {
  for (TWhen when : {TWhen::AfterFlags, TWhen::AfterSettings}) {
    for (const TAction& action : kActions) {
      if (action.When != when) continue;
      bool selected = action.SelectedByHelpWord && plan_->HelpAsked();
      for (const auto& option : action.Options) {
        selected = selected || (option && plan_->Has(*option));
      }
      if (selected) return &action;
    }
  }
  return nullptr;
}

void TZentrel::WarnIgnored() {
  const std::optional<std::string>& ignored = plan_->Ignored();
  if (!ignored) return;
  run_->Err().Write(" All parameters entered after \"" + *ignored + "\" were ignored...");
  run_->Err().EndLine();
  run_->Err().EndLine();
}

template <class TConvert>
auto TZentrel::Naming(std::optional<TOptionId> option, std::string_view text,
                      TExpected expected, TConvert convert) -> decltype(convert()) {
  try {
    return convert();
  } catch (const TNamedConversionError&) {
    throw;
  } catch (const ConversionError& error) {
    const TFormatSettings& fs = run_->Format;
    std::string what;
    switch (expected) {
      case TExpected::Date: what = "a date (" + DatePatternText(fs) + ")"; break;
      case TExpected::DateOrTime:
        what = "a date or time (" + DatePatternText(fs) + " " + ClockPattern(fs) + ")";
        break;
      case TExpected::Time: what = "a time (" + ClockPattern(fs) + ")"; break;
      case TExpected::Duration:
        what = "a duration (" + ClockPattern(fs) + fs.DecimalSeparator + "zzz)";
        break;
      case TExpected::Count: what = "a whole number"; break;
      case TExpected::Step: what = "a count (n, or n and a unit: d, w, m, y or b)"; break;
      case TExpected::Pattern: what = "a date pattern"; break;
    }
    std::string line = " ";
    if (option) line += plan_->Spelling(*option) + " ";
    line += "\"" + std::string(text) + "\" is not " + what;
    throw TNamedConversionError(error, std::move(line));
  }
}

std::int32_t TZentrel::CountOf(TOptionId option, std::string_view text) {
  return Naming(option, text, TExpected::Count, [&] { return StrToInt32(text); });
}

std::string TZentrel::PatternOr(std::string_view fallback) {
  std::string pattern = plan_->Value(Id::Format);
  if (pattern.empty()) return std::string(fallback);
  // Whether a pattern renders does not depend on the date: only a token that is no token
  // fails, so one trial rendering tells before anything is written.
  Naming(Id::Format, pattern, TExpected::Pattern, [&] {
    return FormatDateTimeValue(pattern, TDateTimeValue(), false, run_->Format);
  });
  return pattern;
}

std::optional<TOptionId> TZentrel::FirstWithValue(
    std::initializer_list<TOptionId> options) const {
  for (TOptionId option : options) {
    if (!plan_->Value(option).empty()) return option;
  }
  return std::nullopt;
}

void TZentrel::RunHelp() {
  ShowHelp(*run_, random_, plan_->Verbose() ? THelpForm::FullWithNotes : THelpForm::Full);
  run_->ExitCode = TExitCode::HelpRequested;
}

void TZentrel::RunInfo() { ShowBanner(*run_, true, true); }

void TZentrel::RunVersionOnly() { ShowBanner(*run_, true, false); }

void TZentrel::RunVersion() {
  run_->Out().WriteLine("zentrel " + std::string(build::kFileVersion));
  run_->Out().WriteLine("Copyright " + std::string(build::kLegalCopyright) +
                        "; MIT License: free to use, change and share, with no warranty.");
}

void TZentrel::RunScriptVariables() {
  PrintSheet(*run_, ListScriptVariables(run_->Os, run_->Format, random_,
                                        !plan_->Has(Id::NoSymbols), run_->CurrentDateTime()));
  run_->ExitCode = TExitCode::ScriptVariables;
}

TDateTimeValue TZentrel::Parse(std::string_view text, TAmbiguousText ambiguous) {
  // ISO 8601 and Unix time first: they read the same under every regional setting, and no
  // regional reading accepts them otherwise.
  if (const std::optional<TMachineDateTime> machine = ReadMachineDateTime(text)) {
    return machine->Utc ? run_->ShownOfUtc(machine->Value) : machine->Value;
  }
  return ParseDateTimeArg(text, run_->Format, run_->CurrentDateTime(), ambiguous);
}

TDateTimeValue TZentrel::ParseOr(TOptionId option, TDateTimeValue fallback,
                                 TExpected expected) {
  std::string value = plan_->Value(option);
  if (value.empty()) return fallback;
  return Naming(option, value, expected, [&] { return Parse(value); });
}

void TZentrel::RunTimeOffset(char sign, TOptionId option) {
  std::string duration = plan_->Value(option);
  TDateTimeValue base = ParseOr(Id::Time, run_->CurrentDateTime(), TExpected::DateOrTime);
  TCheckedDateResult result = Naming(option, duration, TExpected::Duration, [&] {
    return TimeOffset(duration, plan_->DurationUnit(), sign, base, run_->Format);
  });
  // The warnings about a clamped offset, and their exit code, come before the pattern.
  PrintWarnings(*run_, result.Warnings);
  result.Warnings.clear();
  PrintDateResult(*run_, PatternOr(kOffsetResultPattern), result);
}

void TZentrel::RunTimeBetween() {
  // The values are kept in strings: the trimmed views must not outlive them.
  const std::string firstValue = plan_->Value(Id::TimeBetween);
  const std::string secondValue = plan_->Value(Id::Time);
  std::string_view first = TrimControls(firstValue);
  std::string_view second = TrimControls(secondValue);
  TDateTimeValue a = first.empty() ? run_->CurrentDateTime()
                                   : Naming(Id::TimeBetween, first, TExpected::DateOrTime,
                                            [&] { return Parse(first); });
  TDateTimeValue b = second.empty() ? run_->CurrentDate().AddDays(1)
                                    : Naming(Id::Time, second, TExpected::DateOrTime,
                                             [&] { return Parse(second); });
  // -e as typed when it has a value (an unknown name renders in the fallback format).
  const std::string& typed = plan_->Value(Id::ExtendedFormat);
  const std::string& name = typed.empty() ? plan_->ExtendedFormat() : typed;
  PrintResult(*run_, TimeBetween(name, a, b, run_->Format));
}

void TZentrel::RunConvertTime() {
  const std::string value = plan_->Value(Id::ConvertTime);
  std::string_view text = TrimControls(value);
  // The value is a clock: where the locale separates dates and times alike, it is read
  // as a time even when it has the three fields of a date.
  TDateTimeValue a =
      text.empty() ? run_->CurrentDateTime() : Naming(Id::ConvertTime, text, TExpected::Time, [&] {
        return Parse(PadClockFields(text, 3, run_->Format), TAmbiguousText::Time);
      });
  const TDateTimeValue today = run_->CurrentDate();
  // With -q the first three share a line with the last.
  const bool condensed = plan_->Has(Id::Quiet);
  auto convert = [&](std::string_view name, TTimeUnits unit, bool joined) {
    WriteCondensableResult(*run_, ConvertTime(name, unit, a, today, run_->Format, today),
                           joined);
  };
  convert("hours", TTimeUnits::Hours, condensed);
  convert("minutes", TTimeUnits::Minutes, condensed);
  convert("seconds", TTimeUnits::Seconds, condensed);
  convert("mseconds", TTimeUnits::Milliseconds, false);
}

void TZentrel::RunConvertDays() {
  std::int32_t count = CountOf(Id::ConvertDays, plan_->Value(Id::ConvertDays));
  if (plan_->Has(Id::Quiet)) {
    PrintResult(*run_, DayCountConversion(count, 0));
  } else {
    for (int mode = 1; mode <= 3; ++mode) PrintResult(*run_, DayCountConversion(count, mode));
  }
}

void TZentrel::RunRandom() {
  std::string value = plan_->Value(Id::Random);
  PrintResult(*run_,
              RandomNumber(random_, value.empty() ? 0 : CountOf(Id::Random, value), run_->Format));
}

void TZentrel::RunDayOfWeek() {
  const TDateTimeValue value = ParseOr(Id::DayOfWeek, run_->CurrentDateTime());
  PrintResult(*run_, DayOfWeekResult(value, run_->Format));
}

void TZentrel::RunDayOfYear() {
  const TDateTimeValue value = ParseOr(Id::DayOfYear, run_->CurrentDateTime());
  PrintResult(*run_, DayOfYearResult(value, run_->Format));
}

void TZentrel::RunLeapYear() {
  PrintResult(*run_, LeapYearResult(ParseOr(Id::LeapYear, run_->CurrentDateTime()), run_->Format));
}

TDateTimeValue TZentrel::SelectedOrNow() {
  const std::optional<TOptionId> dateOption = FirstWithValue({Id::Selected, Id::Date});
  return dateOption ? ParseOr(*dateOption, run_->CurrentDateTime()) : run_->CurrentDateTime();
}

std::optional<TBusinessCalendar> TZentrel::LoadHolidays() {
  const std::string fileName = plan_->Value(Id::Holidays);
  if (!plan_->Has(Id::Holidays)) return TBusinessCalendar({});
  TTextWriter& err = run_->Err();
  std::string contents;
  const std::optional<std::string> problem =
      fileName.empty() ? std::optional<std::string>("no file named")
                       : run_->Os.WholeReadProblem(fileName);
  if (problem || !run_->Os.ReadWholeFile(fileName, contents)) {
    err.WriteLine("ERROR: Could Not Open Holidays File!");
    err.WriteLine(" \"" + fileName + "\": " + problem.value_or("could not be read"));
    run_->ExitCode = TExitCode::FileOpenFailed;
    return std::nullopt;
  }
  std::vector<std::int64_t> days;
  for (const THolidayLine& line : ReadHolidayLines(contents)) {
    try {
      days.push_back(Parse(line.Text).DayNumber());
    } catch (const ConversionError&) {
      err.WriteLine("ERROR: Invalid Date in Holidays File!");
      err.WriteLine(" \"" + EscapeForEcho(fileName) + "\" line " + std::to_string(line.Number) +
                    ": \"" + EscapeForEcho(line.Text) + "\" is not a date (" +
                    DatePatternText(run_->Format) + ")");
      run_->ExitCode = TExitCode::FileOpenFailed;
      return std::nullopt;
    }
  }
  return TBusinessCalendar(std::move(days));
}

void TZentrel::RunDaysPriorAfter(char sign, TOptionId option) {
  std::string countText = plan_->Value(option);
  if (countText.empty()) countText = "31";
  const TStep step =
      Naming(option, countText, TExpected::Step, [&] { return ReadStep(countText); });
  const TDateTimeValue base = SelectedOrNow();
  const std::string format = PatternOr(kDatePattern);
  if (step.Unit == TStepUnit::Days) {
    // A count of days: ReadStep took it from a 32-bit number.
    PrintDateResult(*run_, format,
                    DaysPriorAfterResult(static_cast<std::int32_t>(step.Count), sign, base,
                                         run_->Format));
    return;
  }
  std::optional<TBusinessCalendar> calendar;
  if (step.Unit == TStepUnit::BusinessDays && !(calendar = LoadHolidays())) return;
  PrintDateResult(*run_, format,
                  CalendarStepResult(step, sign, base, run_->Format,
                                     calendar ? &*calendar : nullptr));
}

void TZentrel::RunBusinessDays() {
  const TDateTimeValue first = SelectedOrNow();
  const TDateTimeValue second = ParseOr(Id::BusinessDays, TDateTimeValue());
  const std::optional<TBusinessCalendar> calendar = LoadHolidays();
  if (!calendar) return;
  PrintResult(*run_, BusinessDaysResult(first, second, *calendar, run_->Format));
}

void TZentrel::RunSequence() {
  const TDateTimeValue start = SelectedOrNow();
  const TDateTimeValue end = ParseOr(Id::Sequence, TDateTimeValue());
  const std::string stepText = plan_->Has(Id::Step) ? plan_->Value(Id::Step) : "1d";
  TStep step = Naming(Id::Step, stepText, TExpected::Step, [&] {
    TStep read = ReadStep(stepText);
    if (read.Count == 0) throw ConversionError("A step of nothing never ends");
    return read;
  });
  if (step.Count < 0) step.Count = -step.Count;  // the direction is END's
  const std::string format = PatternOr(kDatePattern);
  std::optional<TBusinessCalendar> calendar;
  if (step.Unit == TStepUnit::BusinessDays && !(calendar = LoadHolidays())) return;
  const int direction = end.DayNumber() < start.DayNumber() ? -1 : 1;
  const TRunSettings& settings = run_->RunSettings;
  TTextWriter& out = run_->Out();
  auto write = [&](TDateTimeValue date) {
    const std::string text = FormatDateTimeValue(format, date, true, run_->Format);
    out.WriteLine(settings.Mode == TOutputMode::Custom ? settings.CustomMessage.Render(text)
                                                       : text);
  };
  auto beyond = [&](TDateTimeValue date) {
    return direction > 0 ? date.DayNumber() > end.DayNumber()
                         : date.DayNumber() < end.DayNumber();
  };
  // Each date is taken from the start, not from the one before, so a month step from the
  // 31st gives every month's last day where the month is shorter, and the 31st again after.
  // A business-day sequence starts on the first business day it meets.
  const TStep businessStart{0, TStepUnit::BusinessDays};
  TDateTimeValue date =
      calendar ? MoveByStep(start, businessStart, direction, &*calendar) : start;
  for (std::int64_t k = 1; !beyond(date); ++k) {
    write(date);
    try {
      date = calendar ? MoveByStep(date, step, direction, &*calendar)
                      : MoveByStep(start, {step.Count * k, step.Unit}, direction, nullptr);
    } catch (const ConversionError&) {
      break;  // the next date would leave the calendar: END is not beyond it
    }
  }
}

void TZentrel::RunDaysBetween() {
  std::string firstText = plan_->Value(Id::DaysBetween);
  // Yesterday at midnight unless a date is given.
  TDateTimeValue first = firstText.empty() ? run_->CurrentDateTime().AddDays(-1).DatePart()
                                           : ParseOr(Id::DaysBetween, TDateTimeValue());
  const std::optional<TOptionId> secondOption = FirstWithValue({Id::Selected, Id::Date});
  TDateTimeValue second = secondOption ? ParseOr(*secondOption, run_->CurrentDateTime())
                                       : run_->CurrentDateTime();
  PrintResult(*run_, DaysBetweenResult(first, second, run_->Format));
}

void TZentrel::RunMonthEnd() {
  PrintResult(*run_, MonthEndResult(ParseOr(Id::MonthEnd, run_->CurrentDateTime()), run_->Format));
}

void TZentrel::RunCurrent() {
  PrintResult(*run_, CurrentDayResult(ParseOr(Id::Current, run_->CurrentDate()), run_->Format,
                                      run_->CurrentDate()));
}

void TZentrel::RunUnixTime() {
  const TDateTimeValue date = ParseOr(Id::UnixTime, run_->CurrentDateTime());
  PrintResult(*run_, UnixTimeResult(run_->UnixSecondsOf(date), date, run_->Format));
}

void TZentrel::RunSelected() {
  const std::string format = PatternOr(kDatePattern);
  TDateTimeValue date = ParseOr(Id::Selected, run_->CurrentDateTime());
  PrintDateResult(*run_, format, "Selected Date ", date);
}

void TZentrel::RunCompare() {
  // An empty --SearchFor= or --Heading= is used as empty, unlike other empty values.
  TCompareRequest request;
  request.OldFileName = plan_->Value(Id::CompareOld);
  request.NewFileName = plan_->Value(Id::CompareNew);
  request.SearchText =
      plan_->Has(Id::SearchFor) ? plan_->Value(Id::SearchFor) : std::string(kDefaultSearchText);
  request.Heading =
      plan_->Has(Id::Heading) ? plan_->Value(Id::Heading) : std::string(kDefaultHeading);
  request.Thresholds = run_->Os.GetEnv(std::string(kThresholdsVariable)).value_or(std::string());
  request.ZeroMode = plan_->ZeroMode();
  const TCompareOutcome outcome =
      CompareTimingFiles(run_->Os, run_->Out(), run_->Err(), request);
  if (outcome.Code != TExitCode::Success) run_->ExitCode = outcome.Code;
}

void TZentrel::RunReportWithLabels() {
  TDateTimeValue date = ParseOr(Id::Date, run_->CurrentDateTime());
  ShowReport(PatternOr({}), date);
}

void TZentrel::ShowReport(std::string_view format, TDateTimeValue date) {
  const TReportRequest request{date, run_->CurrentDateTime(), format, plan_->ExtendedFormat(),
                               plan_->DurationUnit()};
  const TSheet sheet = SelectedDateReport(request, run_->Format, random_);
  ShowBanner(*run_, plan_->Verbose(), true);
  PrintSheet(*run_, sheet);
}

void TZentrel::RunDefaultReport() {
  const auto& params = plan_->Parameters();
  TDateTimeValue date =
      params.empty() ? run_->CurrentDate()
                     : Naming(std::nullopt, params[0], TExpected::Date,
                              [&] { return Parse(params[0]); });
  ShowReport(kDatePattern, date);
  if (params.size() > 1) {
    run_->Err().Write(" All parameters entered after \"" + params[0] + "\" were ignored...");
    run_->Err().EndLine();
    run_->Err().EndLine();
  }
}

}  // namespace zentrel
