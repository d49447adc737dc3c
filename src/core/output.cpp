#include "core/output.h"


namespace zentrel {
namespace {

/// The value of a labelled result starts in this column (1-based).
constexpr size_t kLabelWidth = 57;

/// Writes the blank, the label and the dotted leader of a labelled result.
void WriteLabel(TTextWriter& out, std::string_view label) {
  out.Write(" ");
  out.Write(label);
  if (label.size() < kLabelWidth) out.Write(std::string(kLabelWidth - label.size(), '.'));
}

/// The text written for the value in custom or quiet mode, without its line end.
std::string UnlabelledText(const TRunSettings& settings, std::string_view value) {
  if (settings.Mode == TOutputMode::Custom) return settings.CustomMessage.Render(value);
  return std::string(value);
}

}  // namespace

void PrintResult(TRunContext& run, std::string_view value, std::string_view label) {
  const TRunSettings& settings = run.RunSettings;
  if (settings.Mode == TOutputMode::Labelled) {
    WriteLabel(run.Out(), label);
    run.Out().WriteLine(value);
    return;
  }
  PrintListed(run, value);
}

/// Writes a date result: the label (in labelled mode), then the text render gives.
template <class TRender>
void PrintRendered(TRunContext& run, std::string_view label, TRender render) {
  if (run.RunSettings.Mode == TOutputMode::Labelled) {
    // The label goes out first: a pattern that cannot be rendered leaves it on the line.
    WriteLabel(run.Out(), label);
    run.Out().WriteLine(render());
    return;
  }
  PrintResult(run, render(), label);
}

void PrintDateResult(TRunContext& run, std::string_view format, std::string_view label,
                     TDateTimeValue moment) {
  PrintRendered(run, label, [&] { return FormatDateTimeValue(format, moment, true, run.Format); });
}

void PrintDateResult(TRunContext& run, const TDatePattern& pattern, std::string_view label,
                     TDateTimeValue moment) {
  PrintRendered(run, label, [&] { return pattern.Render(moment, true, run.Format); });
}

void PrintDateResult(TRunContext& run, const TDatePattern& pattern, const TDateResult& result) {
  if (run.RunSettings.Mode == TOutputMode::Quiet) {
    run.Out().WriteLineFrom([&](std::string& out) {
      pattern.RenderTo(out, result.Moment, result.Instant, true, run.Format);
    });
    return;
  }
  PrintRendered(run, result.Label, [&] {
    std::string text;
    pattern.RenderTo(text, result.Moment, result.Instant, true, run.Format);
    return text;
  });
}

void PrintListed(TRunContext& run, std::string_view value) {
  const TRunSettings& settings = run.RunSettings;
  if (settings.Mode == TOutputMode::Custom) {
    run.Out().WriteLine(settings.CustomMessage.Render(value));
  } else {
    run.Out().WriteLine(value);  // no copy: a list or a run over lines writes millions
  }
}

void WriteCondensableResult(TRunContext& run, std::string_view value, std::string_view label,
                            bool condensed) {
  const TRunSettings& settings = run.RunSettings;
  if (settings.Mode == TOutputMode::Labelled || !condensed) {
    PrintResult(run, value, label);
    return;
  }
  run.Out().Write(UnlabelledText(settings, value));
  run.Out().Write(" ");
}

void PrintWarnings(TRunContext& run, const std::vector<TWarning>& warnings) {
  for (const TWarning& warning : warnings) {
    run.Beep();
    for (const std::string& line : warning.Lines) run.Err().WriteLine(line);
    run.ExitCode = warning.Code;
  }
}

void PrintDateResult(TRunContext& run, const TDatePattern& pattern,
                     const TCheckedDateResult& result) {
  PrintWarnings(run, result.Warnings);
  if (result.Failure) throw *result.Failure;
  PrintDateResult(run, pattern, result.Result);
}

void PrintSheet(TRunContext& run, const TSheet& sheet) {
  for (const TSheetLine& line : sheet.Lines) {
    if (const auto* text = std::get_if<std::string>(&line)) {
      run.Out().WriteLine(*text);
    } else if (const auto* result = std::get_if<TLabelledResult>(&line)) {
      PrintResult(run, *result);
    } else {
      const auto& moment = std::get<TPatternedMoment>(line);
      // The report's patterns were checked before the sheet was made.
      PrintWarnings(run, moment.Moment.Warnings);
      if (moment.Moment.Failure) throw *moment.Moment.Failure;
      PrintDateResult(run, moment.Pattern, moment.Moment.Result.Label,
                      moment.Moment.Result.Moment);
    }
  }
  if (sheet.Failure) throw *sheet.Failure;
}

}  // namespace zentrel
