// The application object: one run of the program, from the command line to the exit code.
#pragma once

#include <string>
#include <string_view>

#include "app/options.h"
#include "core/run_context.h"
#include "dates/random.h"
#include "platform/platform.h"

namespace zentrel {

class TZentrel {
 public:
  explicit TZentrel(platform::Platform& os);

  /// Runs the program once and returns the exit code; output is flushed on return.
  int Run();

  TRunContext& Context() { return run_; }

 private:
  void MainRun();
  /// The options were checked; runs the help, banner and listing paths or one action.
  void RunGuarded();
  void ShowConversionFailure();

  // The actions of the dispatch table, one per row.
  void RunTimeOffset(char sign, std::string_view letter, std::string_view name);
  void RunTimePrior() { RunTimeOffset('-', "x", "time-prior"); }
  void RunTimeAfter() { RunTimeOffset('+', "z", "time-after"); }
  void RunTimeBetween();
  void RunConvertTime();
  void RunConvertDays();
  void RunRandom();
  void RunDayOfWeek();
  void RunDayOfYear();
  void RunLeapYear();
  void RunDaysPriorAfter(char sign, std::string_view letter, std::string_view name);
  void RunDaysPrior() { RunDaysPriorAfter('-', "p", "days-prior"); }
  void RunDaysAfter() { RunDaysPriorAfter('+', "a", "days-after"); }
  void RunDaysBetween();
  void RunMonthEnd();
  void RunCurrent();
  void RunSelected();
  void RunCompare();
  void RunReportWithLabels();
  void RunDefaultReport();

  /// ParseDateTimeArg: a time alone falls on today.
  TDateTimeValue Parse(std::string_view text,
                       TAmbiguousText ambiguous = TAmbiguousText::Date);
  /// Parse of the option's value, or fallback when the value is empty.
  TDateTimeValue ParseOr(std::string_view letter, std::string_view name, TDateTimeValue fallback);

  struct TAction;
  static const TAction kActions[];

  TRunContext run_;
  TRandom random_;
  TOptions options_;
};

}  // namespace zentrel
