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
  run.Out().WriteLine(UnlabelledText(settings, value));
}

void PrintDateResult(TRunContext& run, std::string_view format, std::string_view label,
                     TDateTimeValue moment) {
  if (run.RunSettings.Mode == TOutputMode::Labelled) {
    // The label goes out first: a pattern that cannot be rendered leaves it on the line.
    WriteLabel(run.Out(), label);
    run.Out().WriteLine(FormatDateTimeValue(format, moment, true, run.Format));
    return;
  }
  PrintResult(run, FormatDateTimeValue(format, moment, true, run.Format), label);
}

void PrintDateResult(TRunContext& run, const TDatePattern& pattern, std::string_view label,
                     TDateTimeValue moment) {
  std::string text;
  if (run.RunSettings.Mode == TOutputMode::Labelled) {
    WriteLabel(run.Out(), label);  // first, as above
    pattern.RenderTo(text, moment, true, run.Format);
    run.Out().WriteLine(text);
    return;
  }
  pattern.RenderTo(text, moment, true, run.Format);
  PrintResult(run, text, label);
}

void PrintDateResult(TRunContext& run, const TDatePattern& pattern,
                     const TCheckedDateResult& result) {
  PrintWarnings(run, result.Warnings);
  if (result.Failure) throw *result.Failure;
  PrintDateResult(run, pattern, result.Result);
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

void PrintDateResult(TRunContext& run, std::string_view format, const TCheckedDateResult& result) {
  PrintWarnings(run, result.Warnings);
  if (result.Failure) throw *result.Failure;
  PrintDateResult(run, format, result.Result);
}

void PrintSheet(TRunContext& run, const TSheet& sheet) {
  for (const TSheetLine& line : sheet.Lines) {
    if (const auto* text = std::get_if<std::string>(&line)) {
      run.Out().WriteLine(*text);
    } else if (const auto* result = std::get_if<TLabelledResult>(&line)) {
      PrintResult(run, *result);
    } else {
      const auto& moment = std::get<TPatternedMoment>(line);
      PrintDateResult(run, moment.Pattern, moment.Moment);
    }
  }
  if (sheet.Failure) throw *sheet.Failure;
}

}  // namespace zentrel
