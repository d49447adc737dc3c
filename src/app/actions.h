// The actions: one function per row of the action table, each reading its values from the
// plan, asking its calculation and handing the result to the printers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/run_plan.h"
#include "core/exit_code.h"
#include "core/run_context.h"
#include "dates/random.h"

namespace zentrel {

/// What an action works with: the plan it answers, the run it prints to, the generator,
/// and the business calendar once read (a run over lines reads its --holidays once).
struct TActionContext {
  const TRunPlan& Plan;
  TRunContext& Run;
  TRandom& Random;
  std::optional<TBusinessCalendar> Calendar = std::nullopt;
};

/// An action returns the run's outcome; Success leaves the exit code as the printers set it.
using TActionFn = TExitCode (*)(TActionContext&);

/// When a row of the action table runs: the first row that applies among those of the
/// earliest stage wins.
enum class TWhen {
  AfterFlags,     ///< once -q, -v and "/?" are read: help, banner and listing
  AfterSettings,  ///< once -o, -e and the duration unit are taken: the calculations
};

/// One row of the dispatch: the stage it belongs to, the options that select it (any one
/// of them), the action it runs, and whether "/?" selects it as well.
struct TAction {
  TWhen When;
  std::array<std::optional<TOptionId>, 3> Options;
  TActionFn Run;
  bool SelectedByHelpWord = false;
  /// The output mode of the row when it is not the one the options choose.
  std::optional<TOutputMode> Mode = std::nullopt;
  /// For a row that answers once per run, not once per value, what --lines calls it when
  /// it refuses it ("the report"); empty for a row that runs per line.
  std::string_view OncePerRun = {};
};

/// The row the plan selects: the first of the earliest stage; nullptr for none.
const TAction* ChooseAction(const TRunPlan& plan);

/// The parameters nothing read after the action ran, in order: the loose ones, and the
/// options (with their values) that chose another action that did not run or that only
/// other actions read (-f, --step, --holidays).
std::vector<std::string> UnusedParameters(const TRunPlan& plan, const TAction& action);

/// The report for the first parameter (or today), when no row is selected.
TExitCode RunDefaultReport(TActionContext& context);

}  // namespace zentrel
