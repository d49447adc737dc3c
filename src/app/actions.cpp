#include "app/actions.h"

#include <algorithm>
#include <string>

#include "app/help.h"
#include "core/banner.h"
#include "core/build_info.h"
#include "core/embedded_zones.h"
#include "core/output.h"
#include "core/text.h"
#include "dates/calendar_difference.h"
#include "dates/calendar_steps.h"
#include "dates/date_queries.h"
#include "dates/date_report.h"
#include "dates/day_count.h"
#include "dates/holidays.h"
#include "durations/time_calc.h"
#include "perf/timing_compare.h"
#include "sysinfo/script_variables.h"

namespace zentrel {
namespace {

using Id = TOptionId;
using TTrim = TRunPlan::TTrim;

// The comparison's defaults.
constexpr std::string_view kDefaultSearchText = "\\--- [#";
constexpr std::string_view kDefaultHeading = "SECTION [#%.2d]";

/// The date -s or -d gives, else now.
TDateTimeValue SelectedOrNow(TActionContext& c) {
  if (const std::optional<TDateTimeValue> selected = c.Plan.SelectedDate(c.Run)) return *selected;
  return c.Run.CurrentDateTime();
}

/// The business calendar of the run: the dates of --holidays, if given; nullptr after the
/// error is written when the file cannot be read or holds a line that is no date. A file
/// named without places ({}) is read once, whatever the lines of a run over lines.
const TBusinessCalendar* Holidays(TActionContext& c) {
  if (c.Calendar && !c.Plan.Template(Id::Holidays).HasPlaces()) return &*c.Calendar;
  if (!c.Plan.Has(Id::Holidays)) return &c.Calendar.emplace(std::vector<TDayNumber>{});
  THolidaysRead read = ReadHolidays(c.Run.Os, c.Plan.Text(Id::Holidays), c.Run);
  for (const std::string& line : read.Failure) c.Run.Err().WriteLine(line);
  if (!read.Calendar) return nullptr;
  return &c.Calendar.emplace(std::move(*read.Calendar));
}

TExitCode RunHelp(TActionContext& c) {
  ShowHelp(c.Run, c.Random, c.Plan.Verbose() ? THelpForm::FullWithNotes : THelpForm::Full);
  return TExitCode::HelpRequested;
}

TExitCode RunInfo(TActionContext& c) {
  ShowBanner(c.Run, true, true);
  return TExitCode::Success;
}

TExitCode RunVersionOnly(TActionContext& c) {
  ShowBanner(c.Run, true, false);
  return TExitCode::Success;
}

TExitCode RunVersion(TActionContext& c) {
  c.Run.Out().WriteLine("zentrel " + std::string(build::kFileVersion));
  c.Run.Out().WriteLine("Copyright " + std::string(build::kLegalCopyright) +
                        "; MIT License: free to use, change and share, with no warranty.");
  c.Run.Out().WriteLine("Time zones built in: tzdata " + std::string(EmbeddedTzdataVersion()));
  return TExitCode::Success;
}

TExitCode RunScriptVariables(TActionContext& c) {
  PrintSheet(c.Run, ListScriptVariables(c.Run.Os, c.Run.Format, c.Random,
                                        !c.Plan.Has(Id::NoSymbols), c.Run.CurrentDateTime()));
  return TExitCode::ScriptVariables;
}

template <TDirection direction, TOptionId option>
TExitCode RunTimeOffset(TActionContext& c) {
  const std::optional<TTypedDateTime> typed = c.Plan.Typed(Id::Time, c.Run);
  const TDateTimeValue base = c.Plan.Shown(Id::Time, c.Run, typed, c.Run.CurrentDateTime());
  TCheckedDateResult result = c.Plan.Converted(option, c.Run, [&] {
    // A moment moves on the time line; a reading as the clock reads, as it always has.
    if (typed && typed->IsMoment()) {
      return TimeOffset(c.Plan.Text(option), c.Plan.DurationUnit(), direction, base,
                        c.Run.Format, TTimeLineBase{*typed->Moment, c.Run.Zone});
    }
    return TimeOffset(c.Plan.Text(option), c.Plan.DurationUnit(), direction, base,
                      c.Run.Format);
  });
  // The warnings about a clamped offset, and their exit code, come before the pattern.
  PrintWarnings(c.Run, result.Warnings);
  result.Warnings.clear();
  PrintDateResult(c.Run, c.Plan.Pattern(c.Run, kOffsetResultPattern), result);
  return TExitCode::Success;
}

/// The time that passed between two values of which one at least is a moment: each taken
/// as a moment in the display zone.
TMilliseconds Elapsed(TActionContext& c, TOptionId firstId, const TTypedDateTime& first,
                      TOptionId secondId, const TTypedDateTime& second) {
  const TTimeZone& zone = c.Run.Zone;
  const TMoment from = c.Plan.Converted(firstId, c.Run, [&] { return first.MomentIn(zone); });
  const TMoment to = c.Plan.Converted(secondId, c.Run, [&] { return second.MomentIn(zone); });
  return to - from;
}

TExitCode RunTimeBetween(TActionContext& c) {
  const std::optional<TTypedDateTime> typedA = c.Plan.Typed(Id::TimeBetween, c.Run, TTrim::Yes);
  const std::optional<TTypedDateTime> typedB = c.Plan.Typed(Id::Time, c.Run, TTrim::Yes);
  const TDateTimeValue a = c.Plan.Shown(Id::TimeBetween, c.Run, typedA, c.Run.CurrentDateTime());
  const TDateTimeValue b = c.Plan.Shown(Id::Time, c.Run, typedB, c.Run.CurrentDate().AddDays(1));
  const std::string& format = c.Plan.ExtendedFormatName();
  if ((typedA && typedA->IsMoment()) || (typedB && typedB->IsMoment())) {
    const TMilliseconds elapsed =
        Elapsed(c, Id::TimeBetween, typedA.value_or(TTypedDateTime::Reading(a)), Id::Time,
                typedB.value_or(TTypedDateTime::Reading(b)));
    PrintResult(c.Run, TimeBetween(format, a, b, elapsed, c.Run.Format));
    return TExitCode::Success;
  }
  PrintResult(c.Run, TimeBetween(format, a, b, c.Run.Format));
  return TExitCode::Success;
}

TExitCode RunConvertTime(TActionContext& c) {
  const TDateTimeValue a = c.Plan.DateTimeOr(Id::ConvertTime, c.Run, c.Run.CurrentDateTime());
  const TDateTimeValue today = c.Run.CurrentDate();
  // With -q the first three share a line with the last.
  const bool condensed = c.Plan.Has(Id::Quiet);
  auto convert = [&](std::string_view name, TTimeUnits unit, bool joined) {
    WriteCondensableResult(c.Run, ConvertTime(name, unit, a, today, c.Run.Format, today),
                           joined);
  };
  convert("hours", TTimeUnits::Hours, condensed);
  convert("minutes", TTimeUnits::Minutes, condensed);
  convert("seconds", TTimeUnits::Seconds, condensed);
  convert("mseconds", TTimeUnits::Milliseconds, false);
  return TExitCode::Success;
}

TExitCode RunConvertDays(TActionContext& c) {
  const std::int32_t count = c.Plan.Count(Id::ConvertDays, c.Run);
  if (c.Plan.Has(Id::Quiet)) {
    PrintResult(c.Run, DayCountConversion(count, 0));
  } else {
    for (int mode = 1; mode <= 3; ++mode) PrintResult(c.Run, DayCountConversion(count, mode));
  }
  return TExitCode::Success;
}

TExitCode RunRandom(TActionContext& c) {
  const std::int32_t range = c.Plan.Text(Id::Random).empty() ? 0 : c.Plan.Count(Id::Random, c.Run);
  PrintResult(c.Run, RandomNumber(c.Random, range, c.Run.Format));
  return TExitCode::Success;
}

template <TLabelledResult (*result)(TDateTimeValue, const TFormatSettings&), TOptionId option>
TExitCode RunDateQuery(TActionContext& c) {
  PrintResult(c.Run, result(c.Plan.DateTimeOr(option, c.Run, c.Run.CurrentDateTime()),
                            c.Run.Format));
  return TExitCode::Success;
}

template <TDirection direction, TOptionId option>
TExitCode RunDaysPriorAfter(TActionContext& c) {
  // No count is 31 days.
  const TStep step =
      c.Plan.Text(option).empty() ? TStep{31, TStepUnit::Days} : c.Plan.Step(option, c.Run);
  const TDateTimeValue base = SelectedOrNow(c);
  const TDatePattern& pattern = c.Plan.Pattern(c.Run, kDatePattern);
  const TBusinessCalendar* calendar = nullptr;
  if (step.Unit == TStepUnit::BusinessDays && !(calendar = Holidays(c))) {
    return TExitCode::FileOpenFailed;
  }
  const std::optional<TDateTimeValue> moved = MoveByStep(base, step, direction, calendar);
  if (!moved) c.Plan.Refuse(option, "gives a date outside years 1 to 9999");
  // Only a labelled answer shows the label: a run over many lines does not make it.
  std::string label;
  if (c.Run.RunSettings.Mode == TOutputMode::Labelled) {
    label = StepLabel(step, direction, base, c.Run.Format);
  }
  PrintDateResult(c.Run, pattern, TDateResult{std::move(label), *moved});
  return TExitCode::Success;
}

TExitCode RunDaysBetween(TActionContext& c) {
  // Yesterday at midnight unless a date is given.
  const std::optional<TTypedDateTime> typedFirst = c.Plan.Typed(Id::DaysBetween, c.Run);
  const TDateTimeValue first =
      typedFirst ? c.Plan.Shown(Id::DaysBetween, c.Run, typedFirst, {})
                 : c.Run.CurrentDateTime().AddDays(-1).DatePart();
  // The date of -s or -d, else now.
  const TOptionId secondId = c.Plan.SelectedOption().value_or(Id::Date);
  const std::optional<TTypedDateTime> typedSecond = c.Plan.Typed(secondId, c.Run);
  const TDateTimeValue second = c.Plan.Shown(secondId, c.Run, typedSecond, c.Run.CurrentDateTime());
  if ((typedFirst && typedFirst->IsMoment()) || (typedSecond && typedSecond->IsMoment())) {
    // Between moments: the whole 24-hour periods that passed.
    const TMilliseconds elapsed =
        Elapsed(c, Id::DaysBetween, typedFirst.value_or(TTypedDateTime::Reading(first)),
                secondId, typedSecond.value_or(TTypedDateTime::Reading(second)));
    PrintResult(c.Run, DaysBetweenResult(first, second, elapsed, c.Run.Format));
    return TExitCode::Success;
  }
  PrintResult(c.Run, DaysBetweenResult(first, second, c.Run.Format));
  return TExitCode::Success;
}

TExitCode RunCurrent(TActionContext& c) {
  const TDateTimeValue today = c.Run.CurrentDate();
  PrintResult(c.Run, CurrentDayResult(c.Plan.DateTimeOr(Id::Current, c.Run, today),
                                      c.Run.Format, today));
  return TExitCode::Success;
}

TExitCode RunUnixTime(TActionContext& c) {
  const std::optional<TTypedDateTime> typed = c.Plan.Typed(Id::UnixTime, c.Run);
  if (typed && typed->IsMoment()) {
    // A moment's count does not depend on any zone; only its label shows a reading.
    const std::string seconds = std::to_string(typed->Moment->UnixSeconds());
    if (c.Run.RunSettings.Mode != TOutputMode::Labelled) {
      PrintResult(c.Run, seconds, {});
      return TExitCode::Success;
    }
    const TDateTimeValue shown = c.Plan.Shown(Id::UnixTime, c.Run, typed, {});
    PrintResult(c.Run, UnixTimeResult(typed->Moment->UnixSeconds(), shown, c.Run.Format));
    return TExitCode::Success;
  }
  const TDateTimeValue date = c.Plan.Shown(Id::UnixTime, c.Run, typed, c.Run.CurrentDateTime());
  const TMoment moment =
      c.Plan.Converted(Id::UnixTime, c.Run, [&] { return c.Run.Zone.MomentOf(date); });
  PrintResult(c.Run, UnixTimeResult(moment.UnixSeconds(), date, c.Run.Format));
  return TExitCode::Success;
}

TExitCode RunBusinessDays(TActionContext& c) {
  const TDateTimeValue first = SelectedOrNow(c);
  // An empty date is today, as everywhere else.
  const TDateTimeValue second = c.Plan.DateTimeOr(Id::BusinessDays, c.Run, c.Run.CurrentDate());
  const TBusinessCalendar* calendar = Holidays(c);
  if (calendar == nullptr) return TExitCode::FileOpenFailed;
  PrintResult(c.Run, BusinessDaysResult(first, second, *calendar, c.Run.Format));
  return TExitCode::Success;
}

TExitCode RunSequence(TActionContext& c) {
  const TDateTimeValue start = SelectedOrNow(c);
  const TDateTimeValue end = c.Plan.DateTimeOr(Id::Sequence, c.Run, c.Run.CurrentDate());
  const TStep step =
      c.Plan.Has(Id::Step) ? c.Plan.Step(Id::Step, c.Run) : TStep{1, TStepUnit::Days};
  if (step.Count == 0) c.Plan.Refuse(Id::Step, "is a step of nothing: the list would never end");
  const TDatePattern& pattern = c.Plan.Pattern(c.Run, kDatePattern);
  const TBusinessCalendar* calendar = nullptr;
  if (step.Unit == TStepUnit::BusinessDays && !(calendar = Holidays(c))) {
    return TExitCode::FileOpenFailed;
  }
  std::string text;  // one buffer for every date
  ListDates(start, end, step, calendar, [&](TDateTimeValue date) {
    text.clear();
    pattern.RenderTo(text, date, true, c.Run.Format);
    PrintListed(c.Run, text);
  });
  return TExitCode::Success;
}

TExitCode RunCalendarBetween(TActionContext& c) {
  const TDateTimeValue first = SelectedOrNow(c);
  const TDateTimeValue second =
      c.Plan.DateTimeOr(Id::CalendarBetween, c.Run, c.Run.CurrentDate());
  TCalendarUnits units = TCalendarUnits::YearsMonthsDays;
  if (c.Plan.Has(Id::In)) {
    const std::string& unit = c.Plan.Text(Id::In);
    if (SameText(unit, "y")) {
      units = TCalendarUnits::Years;
    } else if (SameText(unit, "m")) {
      units = TCalendarUnits::Months;
    } else if (SameText(unit, "w")) {
      units = TCalendarUnits::Weeks;
    } else {
      c.Plan.Refuse(Id::In, "is not a unit (y, m or w)");
    }
  }
  PrintResult(c.Run, CalendarDifferenceResult(first, second, units, c.Run.Format));
  return TExitCode::Success;
}

TExitCode RunSelected(TActionContext& c) {
  const TDatePattern& pattern = c.Plan.Pattern(c.Run, kDatePattern);
  const std::optional<TTypedDateTime> typed = c.Plan.Typed(Id::Selected, c.Run);
  const TDateTimeValue date = c.Plan.Shown(Id::Selected, c.Run, typed, c.Run.CurrentDateTime());
  PrintDateResult(c.Run, pattern,
                  TDateResult{"Selected Date ", date, typed ? typed->Moment : std::nullopt});
  return TExitCode::Success;
}

TExitCode RunCompare(TActionContext& c) {
  // An empty --SearchFor= or --Heading= is used as empty, unlike other empty values.
  const TRunPlan& plan = c.Plan;
  TCompareRequest request;
  request.OldFileName = plan.Text(Id::CompareOld);
  request.NewFileName = plan.Text(Id::CompareNew);
  request.SearchText =
      plan.Has(Id::SearchFor) ? plan.Text(Id::SearchFor) : std::string(kDefaultSearchText);
  request.Heading = plan.Has(Id::Heading) ? plan.Text(Id::Heading) : std::string(kDefaultHeading);
  request.Thresholds = c.Run.Os.GetEnv(std::string(kThresholdsVariable)).value_or(std::string());
  request.ZeroMode = plan.ZeroMode();
  return CompareTimingFiles(c.Run.Os, c.Run.Out(), c.Run.Err(), request).Code;
}

/// The banner and the selected-date report for the date, its date lines in the pattern.
void ShowReport(TActionContext& c, const TDatePattern& pattern, TDateTimeValue date) {
  const TReportRequest request{date, c.Run.CurrentDateTime(), pattern.Text(),
                               c.Plan.ExtendedFormat(), c.Plan.DurationUnit()};
  const TSheet sheet = SelectedDateReport(request, c.Run.Format, c.Random);
  ShowBanner(c.Run, c.Plan.Verbose(), true);
  PrintSheet(c.Run, sheet);
}

TExitCode RunReportWithLabels(TActionContext& c) {
  // A date typed alone before -f or -v is the report's date, unless -d gives one.
  const TDateTimeValue date = c.Plan.Text(Id::Date).empty() && c.Plan.FirstIsLoose()
                                  ? c.Plan.FirstParameterDate(c.Run)
                                  : c.Plan.DateTimeOr(Id::Date, c.Run, c.Run.CurrentDateTime());
  ShowReport(c, c.Plan.Pattern(c.Run, {}), date);
  return TExitCode::Success;
}

// Within a stage the order of the rows is the precedence: the first row whose option is
// present runs, whatever the order of the options on the command line. A run that no row
// selects prints the report for its first parameter.
constexpr TAction kActions[] = {
    {TWhen::AfterFlags, {Id::Help, Id::Question, Id::Help2}, RunHelp, true, {}, "the help"},
    {TWhen::AfterFlags, {Id::Info}, RunInfo, false, {}, "the banner"},
    {TWhen::AfterFlags, {Id::VersionOnly}, RunVersionOnly, false, {}, "the banner"},
    {TWhen::AfterFlags, {Id::Version}, RunVersion, false, {}, "the version"},
    {TWhen::AfterFlags, {Id::ScriptVariables}, RunScriptVariables, false, {},
     "the listing"},
    {TWhen::AfterSettings, {Id::TimePrior}, RunTimeOffset<TDirection::Backward, Id::TimePrior>},
    {TWhen::AfterSettings, {Id::TimeAfter}, RunTimeOffset<TDirection::Forward, Id::TimeAfter>},
    {TWhen::AfterSettings, {Id::Time, Id::TimeBetween}, RunTimeBetween},
    {TWhen::AfterSettings, {Id::ConvertTime}, RunConvertTime},
    {TWhen::AfterSettings, {Id::ConvertDays}, RunConvertDays},
    {TWhen::AfterSettings, {Id::Random}, RunRandom},
    {TWhen::AfterSettings, {Id::DayOfWeek}, RunDateQuery<DayOfWeekResult, Id::DayOfWeek>},
    {TWhen::AfterSettings, {Id::DayOfYear}, RunDateQuery<DayOfYearResult, Id::DayOfYear>},
    {TWhen::AfterSettings, {Id::LeapYear}, RunDateQuery<LeapYearResult, Id::LeapYear>},
    {TWhen::AfterSettings, {Id::DaysPrior},
     RunDaysPriorAfter<TDirection::Backward, Id::DaysPrior>},
    {TWhen::AfterSettings, {Id::DaysAfter}, RunDaysPriorAfter<TDirection::Forward, Id::DaysAfter>},
    {TWhen::AfterSettings, {Id::DaysBetween}, RunDaysBetween},
    {TWhen::AfterSettings, {Id::MonthEnd}, RunDateQuery<MonthEndResult, Id::MonthEnd>},
    {TWhen::AfterSettings, {Id::Current}, RunCurrent},
    {TWhen::AfterSettings, {Id::UnixTime}, RunUnixTime},
    {TWhen::AfterSettings, {Id::BusinessDays}, RunBusinessDays},
    {TWhen::AfterSettings, {Id::Sequence}, RunSequence},
    {TWhen::AfterSettings, {Id::WeekNumber}, RunDateQuery<WeekNumberResult, Id::WeekNumber>},
    {TWhen::AfterSettings, {Id::CalendarBetween}, RunCalendarBetween},
    {TWhen::AfterSettings, {Id::Selected}, RunSelected},
    {TWhen::AfterSettings, {Id::CompareOld, Id::CompareNew}, RunCompare, false, {},
     "the comparison"},
    // The report that -d, -f or -v asks for is labelled whatever -q or -o say.
    {TWhen::AfterSettings, {Id::Date, Id::Format, Id::Verbose}, RunReportWithLabels, false,
     TOutputMode::Labelled, "the report"},
};

/// Whether the option is named when nothing read it: the options that choose an action,
/// and those that only some actions read. The switches of the whole run are not.
bool NamedWhenUnread(TOptionId id) {
  if (id == Id::Verbose) return false;  // the banner's build line, whatever the action
  if (id == Id::Holidays || id == Id::Step || id == Id::Format || id == Id::In) return true;
  for (const TAction& action : kActions) {
    for (const auto& option : action.Options) {
      if (option == id) return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::string> UnusedParameters(const TRunPlan& plan, const TAction& action) {
  std::vector<std::size_t> unused;
  for (std::size_t at : plan.LooseParameters()) {
    if (at != 0 || !plan.FirstWasRead()) unused.push_back(at);
  }
  for (const TOptionRow& row : kOptionTable) {
    const bool chose = std::find(action.Options.begin(), action.Options.end(), row.Id) !=
                       action.Options.end();
    if (plan.Has(row.Id) && !plan.WasRead(row.Id) && !chose && NamedWhenUnread(row.Id)) {
      for (std::size_t at : plan.ParametersOf(row.Id)) unused.push_back(at);
    }
  }
  std::sort(unused.begin(), unused.end());
  std::vector<std::string> texts;
  for (std::size_t at : unused) texts.push_back(plan.Parameters()[at]);
  return texts;
}

const TAction* ChooseAction(const TRunPlan& plan) {
  for (TWhen when : {TWhen::AfterFlags, TWhen::AfterSettings}) {
    for (const TAction& action : kActions) {
      if (action.When != when) continue;
      bool selected = action.SelectedByHelpWord && plan.HelpAsked();
      for (const auto& option : action.Options) {
        selected = selected || (option && plan.Has(*option));
      }
      if (selected) return &action;
    }
  }
  return nullptr;
}

TExitCode RunDefaultReport(TActionContext& c) {
  const auto& params = c.Plan.Parameters();
  const TDateTimeValue date =
      params.empty() ? c.Run.CurrentDate() : c.Plan.FirstParameterDate(c.Run);
  ShowReport(c, TDatePattern::Fixed(kDatePattern), date);
  if (params.size() > 1) {
    c.Run.Err().Write(" All parameters entered after \"" + EscapeForEcho(params[0]) + "\" were ignored...");
    c.Run.Err().EndLine();
    c.Run.Err().EndLine();
  }
  return TExitCode::Success;
}

}  // namespace zentrel
