#include "app/zentrel.h"

#include "app/help.h"
#include "app/line_run.h"
#include "core/banner.h"
#include "core/custom_message.h"
#include "core/line_end.h"
#include "core/text.h"

namespace zentrel {

TZentrel::TZentrel(platform::Platform& os) : os_(os), random_(os.ProcessId()) {}

int TZentrel::Run() {
  // The plan is read once; only the display zone (--zone, --utc) is taken from it ahead of
  // the syntax check, before anything reads the clock. A zone that is none leaves the
  // machine's for the run, and fails once the check has passed.
  const TRunPlan plan(os_.Arguments());
  std::optional<TNamedConversionError> zoneFailure;
  std::optional<TTimeZone> zone;
  try {
    zone = plan.DisplayZone(os_);
  } catch (const TNamedConversionError& failure) {
    zoneFailure = failure;
  }
  run_.emplace(os_, std::move(zone));
  random_ = TRandom(os_.ProcessId());
  try {
    MainRun(plan, zoneFailure);
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

void TZentrel::MainRun(const TRunPlan& plan,
                       const std::optional<TNamedConversionError>& zoneFailure) {
  // The clock is read first: a reading that is no date ends the run before anything else.
  run_->CurrentDate();
  try {
    if (zoneFailure && plan.Errors().empty()) throw *zoneFailure;
    RunGuarded(plan);
  } catch (const TNamedConversionError& error) {
    ShowConversionFailure(plan, error.Line);
  } catch (const ConversionError&) {
    ShowConversionFailure(plan, {});
  }
}

void TZentrel::ShowConversionFailure(const TRunPlan& plan, std::string_view detail) {
  ShowBanner(*run_, plan.Verbose(), true);
  ShowSyntaxError(*run_, kSyntaxErrorTitle, detail);
  ShowHelp(*run_, random_, THelpForm::Short);
  // A script must be able to tell a value that did not convert from success.
  if (run_->ExitCode == TExitCode::Success) run_->ExitCode = TExitCode::MissingParameters;
}

void TZentrel::RunGuarded(const TRunPlan& plan) {
  const TAction* action = plan.Errors().empty() ? ChooseAction(plan) : nullptr;
  std::vector<std::string> errors = plan.Errors();
  if (errors.empty() && plan.Has(TOptionId::Lines)) {
    if (std::optional<std::string> refusal = LinesRefusal(action)) errors.push_back(*refusal);
  }
  if (!errors.empty()) {
    std::string message;
    for (const auto& error : errors) {
      if (!message.empty()) message += kLineEnd;
      message += error;
    }
    ShowBanner(*run_, false, true);
    ShowSyntaxError(*run_, message);
    ShowHelp(*run_, random_, THelpForm::Short);
    run_->ExitCode = TExitCode::MissingParameters;
    return;
  }
  // --debug-mode, --audible-error and --error-delay are accepted and change nothing.
  const bool calculation = action == nullptr || action->When == TWhen::AfterSettings;
  TRunSettings& settings = run_->RunSettings;
  settings.Mode = action != nullptr && action->Mode ? *action->Mode
                  : calculation                     ? plan.Mode()
                                                    : plan.FlagMode();
  if (calculation) {
    if (plan.Has(TOptionId::Output)) {
      settings.CustomMessage =
          PrepareCustomMessage(plan.Text(TOptionId::Output), plan.Parameters());
    }
    if (!plan.ExtendedFormatWarning().empty()) {
      run_->Err().WriteLine(plan.ExtendedFormatWarning());
    }
  }
  TActionContext context{plan, *run_, random_};
  if (action == nullptr) {
    RunDefaultReport(context);
    return;
  }
  const TExitCode outcome =
      plan.Has(TOptionId::Lines) ? RunLines(*action, context) : action->Run(context);
  if (outcome != TExitCode::Success) run_->ExitCode = outcome;
  const std::vector<std::string> unused = UnusedParameters(plan, *action);
  if (!unused.empty()) {
    std::string line = " Not used:";
    for (const std::string& parameter : unused) line += " \"" + EscapeForEcho(parameter) + "\"";
    run_->Err().WriteLine(line);
    run_->Err().EndLine();
  }
}

}  // namespace zentrel
