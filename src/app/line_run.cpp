#include "app/line_run.h"

#include <memory>
#include <vector>

#include "core/custom_message.h"
#include "core/line_source.h"
#include "core/text.h"

namespace zentrel {
namespace {

using Id = TOptionId;

/// How many bad lines are named one by one; the rest are counted.
constexpr std::uint64_t kBadLinesShown = 10;
/// The most of a bad line's text its message quotes.
constexpr std::size_t kQuotedBytes = 80;
/// Output is handed on between lines once this much waits, so that the answer of a bad
/// line can always be taken back.
constexpr std::size_t kFlushBetweenLinesAt = 1 << 15;

constexpr std::string_view kStandardInput = "standard input";

/// What the line run reports a bad line as: where, what it says, why.
std::string BadLineMessage(std::string_view source, const TInputLine& line,
                           std::string_view reason) {
  std::string text(line.Text.substr(0, kQuotedBytes));
  if (line.Text.size() > kQuotedBytes) text += "...";  // a line too long is longer still
  return " " + std::string(source) + " line " + std::to_string(line.Number) + ": \"" + text +
         "\": " + std::string(TrimBlanks(reason));
}

/// The option and its value as typed: -t "{2}".
std::string Named(const TRunPlan& plan, TOptionId id) {
  return plan.Spelling(id) + " \"" + plan.Text(id) + "\"";
}

/// Fills the values with places from the line; why the line cannot be answered, or empty.
std::string FillPlaces(const TRunPlan& plan, const std::vector<TOptionId>& filled,
                       const TLineFields& fields, TRunPlan::TLineTexts& texts) {
  for (TOptionId id : filled) {
    std::string& text = texts[static_cast<std::size_t>(id)];
    if (!plan.Template(id).Fill(fields, text)) {
      return Named(plan, id) + ": the line has " + std::to_string(fields.Count()) +
             (fields.Count() == 1 ? " field" : " fields");
    }
    // An empty value means "not given" (today, say): never an answer for a line.
    if (text.empty()) return Named(plan, id) + " is empty";
  }
  return {};
}

}  // namespace

std::optional<std::string> LinesRefusal(const TAction* action) {
  const std::string_view what = action == nullptr ? "the report" : action->OncePerRun;
  if (what.empty()) return std::nullopt;
  return "Option --lines answers once per line; " + std::string(what) +
         " is given once per run";
}

TExitCode RunLines(const TAction& action, TActionContext& c) {
  const TRunPlan& plan = c.Plan;
  TRunContext& run = c.Run;
  const std::string& name = plan.Text(Id::Lines);
  const bool standardInput = name.empty() || name == "-";
  const std::string source = standardInput ? std::string(kStandardInput) : "\"" + name + "\"";
  if (plan.Has(Id::InputFormat)) plan.CheckInputFormat(run);

  std::string problem;
  const std::unique_ptr<platform::TInputStream> input =
      run.Os.OpenInput(standardInput ? std::string() : name, problem);
  if (input == nullptr) {
    run.Err().WriteLine(" " + source + ": " + problem);
    return TExitCode::FileOpenFailed;
  }

  // The per-line view of the plan, and the values it fills from each line.
  TRunPlan linePlan = plan;
  TRunPlan::TLineTexts texts;
  linePlan.ReadPlacesFrom(&texts);
  linePlan.KeepConversions(run);
  TActionContext lineContext{linePlan, run, c.Random};
  std::vector<TOptionId> filled;
  std::uint32_t fieldsNeeded = 0;
  for (const TOptionRow& row : kOptionTable) {
    const TLineTemplate& tmpl = plan.Template(row.Id);
    if (!tmpl.HasPlaces()) continue;
    filled.push_back(row.Id);
    if (tmpl.LargestField() > fieldsNeeded) fieldsNeeded = tmpl.LargestField();
  }
  const bool messageFilled = plan.Template(Id::Output).HasPlaces();

  TLineSource lines(*input);
  TLineFields fields;
  TInputLine line;
  std::string reason;
  std::uint64_t bad = 0;
  TChannels& channels = run.Channels;
  TExitCode stopped = TExitCode::Success;  // what an action ended the run with
  while (lines.Next(line)) {
    reason.clear();
    if (line.TooLong) {
      reason = "longer than " + std::to_string(TLineSource::kMaxLineBytes) + " bytes";
    } else {
      fields.Set(line.Text, fieldsNeeded);
      reason = FillPlaces(plan, filled, fields, texts);
    }
    if (reason.empty()) {
      if (messageFilled) {
        run.RunSettings.CustomMessage = PrepareCustomMessage(
            texts[static_cast<std::size_t>(Id::Output)], plan.Parameters());
      }
      const std::uint64_t before = channels.OutSize();
      try {
        stopped = action.Run(lineContext);
        if (stopped != TExitCode::Success) break;
      } catch (const TNamedConversionError& error) {
        reason = error.Line;
      } catch (const ConversionError& error) {
        reason = error.what();
      }
      if (!reason.empty()) channels.TakeBackOut(before);
    }
    if (!reason.empty()) {
      if (++bad <= kBadLinesShown) run.Err().WriteLine(BadLineMessage(source, line, reason));
      run.Out().EndLine();
    }
    if (channels.Buffered() >= kFlushBetweenLinesAt) {
      channels.Flush();
      // Nothing more can be answered: the rest of the input is not read for nothing.
      if (!channels.OutFailure().empty()) break;
    }
  }
  plan.NoteReadsOf(linePlan);  // what the lines read was read
  if (stopped != TExitCode::Success) return stopped;
  if (const std::optional<std::string>& failure = lines.Failure()) {
    run.Err().WriteLine(" " + source + " line " + std::to_string(line.Number + 1) + ": " +
                        *failure);
    return TExitCode::FileOpenFailed;
  }
  if (bad > kBadLinesShown) {
    run.Err().WriteLine(" " + source + ": " + std::to_string(bad) + " lines did not convert (" +
                        std::to_string(kBadLinesShown) + " shown)");
  }
  return bad == 0 ? TExitCode::Success : TExitCode::MissingParameters;
}

}  // namespace zentrel
