// The application object: one run of the program, from the command line to the exit code.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "app/options.h"
#include "app/run_plan.h"
#include "dates/calendar_steps.h"
#include "core/run_context.h"
#include "dates/random.h"
#include "platform/platform.h"

namespace zentrel {

class TZentrel {
 public:
  explicit TZentrel(platform::Platform& os);

  /// Runs the program and returns the exit code; output is flushed on return. Every call
  /// starts from nothing the last one left (exit code, banner, version information,
  /// settings), so a second call behaves as the first. A value that does not convert
  /// shows the syntax-error screen; any other exception is a fault of the program and
  /// leaves this function, the output buffered so far still written when the object goes.
  int Run();

 private:
  /// When a row of the action table runs: the first row that applies among those of the
  /// earliest stage wins.
  enum class TWhen {
    AfterFlags,     ///< once -q, -v and "/?" are read: help, banner and listing
    AfterSettings,  ///< once -o, -e and the duration unit are taken: the calculations
  };
  struct TAction;
  static const TAction kActions[];

  void MainRun();
  /// Checks the command line, makes the plan and runs the row it chooses.
  void RunGuarded();
  /// The first row of the earliest stage that the plan selects; nullptr for none (the
  /// report of the first parameter).
  const TAction* ChooseAction() const;
  /// The error screen for a value that does not convert, with the line naming it.
  void ShowConversionFailure(std::string_view detail);

  // The actions of the dispatch table, one per row.
  void RunHelp();
  void RunInfo();
  void RunVersionOnly();
  void RunVersion();
  void RunScriptVariables();
  void RunTimeOffset(char sign, TOptionId option);
  void RunTimePrior() { RunTimeOffset('-', TOptionId::TimePrior); }
  void RunTimeAfter() { RunTimeOffset('+', TOptionId::TimeAfter); }
  void RunTimeBetween();
  void RunConvertTime();
  void RunConvertDays();
  void RunRandom();
  void RunDayOfWeek();
  void RunDayOfYear();
  void RunLeapYear();
  void RunDaysPriorAfter(char sign, TOptionId option);
  void RunDaysPrior() { RunDaysPriorAfter('-', TOptionId::DaysPrior); }
  void RunDaysAfter() { RunDaysPriorAfter('+', TOptionId::DaysAfter); }
  void RunDaysBetween();
  void RunMonthEnd();
  void RunCurrent();
  void RunUnixTime();
  void RunBusinessDays();
  void RunSequence();
  /// The business calendar of the run: the dates of --holidays, if given. Nothing, after
  /// an error on standard error and exit code 71, when the file cannot be read or holds a
  /// line that is no date.
  std::optional<TBusinessCalendar> LoadHolidays();
  /// The date -s or -d gives, else now.
  TDateTimeValue SelectedOrNow();
  void RunSelected();
  void RunCompare();
  void RunReportWithLabels();
  /// The banner and the selected-date report for the date, its date lines in the pattern.
  void ShowReport(std::string_view format, TDateTimeValue date);
  void RunDefaultReport();

  /// What an option's value should have been, for the line of the error screen that names
  /// a value that does not convert.
  enum class TExpected { Date, DateOrTime, Time, Duration, Count, Step, Pattern };
  /// convert() for the value of option (or, with no option, for the parameter text); a
  /// ConversionError it throws leaves as one that names the option, the text and what was
  /// expected.
  template <class TConvert>
  auto Naming(std::optional<TOptionId> option, std::string_view text, TExpected expected,
              TConvert convert) -> decltype(convert());
  /// The option's value as a whole number (StrToInt32), named when it does not convert.
  std::int32_t CountOf(TOptionId option, std::string_view text);
  /// The -f pattern, or fallback when none is given; throws a named failure for a pattern
  /// that cannot render a date.
  std::string PatternOr(std::string_view fallback);
  /// A warning on standard error when a parameter is read by nothing.
  void WarnIgnored();

  /// ParseDateTimeArg: a time alone falls on today.
  TDateTimeValue Parse(std::string_view text,
                       TAmbiguousText ambiguous = TAmbiguousText::Date);
  /// Parse of the option's value, or fallback when the value is empty; a value that does
  /// not convert is named.
  TDateTimeValue ParseOr(TOptionId option, TDateTimeValue fallback,
                         TExpected expected = TExpected::Date);
  /// The first of the options whose value is not empty, or nullopt.
  std::optional<TOptionId> FirstWithValue(std::initializer_list<TOptionId> options) const;

  platform::Platform& os_;
  /// The state of the current run, made anew by each Run().
  std::optional<TRunContext> run_;
  /// The command line read once; used after its syntax check (--utc before it).
  std::optional<TRunPlan> plan_;
  TRandom random_;
};

}  // namespace zentrel
