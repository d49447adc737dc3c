// The application object: one run of the program, from the command line to the exit code.
#pragma once

#include <optional>
#include <string_view>

#include "app/actions.h"
#include "app/run_plan.h"
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
  void MainRun(const TRunPlan& plan, const std::optional<TNamedConversionError>& zoneFailure);
  /// Runs the row the plan chooses, or the syntax-error screen for a plan with errors.
  void RunGuarded(const TRunPlan& plan);
  /// The error screen for a value that does not convert, with the line naming it.
  void ShowConversionFailure(const TRunPlan& plan, std::string_view detail);

  platform::Platform& os_;
  /// The state of the current run, made anew by each Run().
  std::optional<TRunContext> run_;
  TRandom random_;
};

}  // namespace zentrel
