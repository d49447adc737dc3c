#include "core/output.h"

#include "core/date_format.h"
#include "core/text.h"

namespace zentrel {
namespace {

/// The value of a labelled result starts in this column (1-based).
constexpr size_t kLabelWidth = 57;

/// Stands in for a literal backslash ("\\") while the tokens are replaced.
constexpr std::string_view kBackslashMark = "\x01";
/// Appended to the message so a divider can tell that only line breaks follow it.
constexpr std::string_view kEndMark = "\x03";

/// Processed in this order; a divider is its character repeated kDividerWidth times.
constexpr std::string_view kDividerChars = "-=_*~@#:;.,|/";
constexpr size_t kDividerWidth = 79;

/// Writes the blank, the label and the dotted leader of a labelled result.
void WriteLabel(TTextWriter& out, std::string_view label) {
  out.Write(" ");
  out.Write(label);
  if (label.size() < kLabelWidth) out.Write(std::string(kLabelWidth - label.size(), '.'));
}

/// The text written for the value in custom or quiet mode, without its line end.
std::string UnlabelledText(const TRunSettings& settings, std::string_view value) {
  if (settings.CustomOutput) return ReplaceText(settings.CustomMessage, kValueMarker, value);
  return std::string(value);
}

/// Number of non-overlapping occurrences of pattern, without regard to ASCII case.
size_t CountText(std::string_view text, std::string_view pattern) {
  size_t count = 0;
  std::string upper = UpperAscii(text);
  std::string upperPattern = UpperAscii(pattern);
  for (size_t pos = upper.find(upperPattern); pos != std::string::npos;
       pos = upper.find(upperPattern, pos + upperPattern.size())) {
    ++count;
  }
  return count;
}

bool EndsWith(std::string_view text, size_t end, std::string_view suffix) {
  return end >= suffix.size() && text.substr(end - suffix.size(), suffix.size()) == suffix;
}

/// Replaces a divider token that only line breaks (at most maxBreaks of them, as many as the
/// message had "\n" tokens) separate from an end mark: the token becomes the divider line,
/// the line breaks stay and the end mark is consumed, so the message does not end with an
/// empty line.
std::string ReplaceDividerBeforeEnd(std::string_view message, std::string_view token,
                                    std::string_view line, size_t maxBreaks) {
  std::string result;
  size_t copied = 0;
  for (size_t mark = message.find(kEndMark); mark != std::string_view::npos;
       mark = message.find(kEndMark, mark + kEndMark.size())) {
    size_t start = mark;
    size_t breaks = 0;
    while (breaks <= maxBreaks && EndsWith(message, start, kLineEnd)) {
      start -= kLineEnd.size();
      ++breaks;
    }
    if (breaks > maxBreaks || start < copied || !EndsWith(message, start, token)) continue;
    start -= token.size();
    result.append(message.substr(copied, start - copied));
    result.append(line);
    for (size_t i = 0; i < breaks; ++i) result.append(kLineEnd);
    copied = mark + kEndMark.size();
  }
  result.append(message.substr(copied));
  return result;
}

}  // namespace

void PrintResult(TRunContext& run, std::string_view value, std::string_view label) {
  const TRunSettings& settings = run.RunSettings;
  if (settings.ShowLabels) {
    WriteLabel(run.Out(), label);
    run.Out().WriteLine(value);
    return;
  }
  run.Out().WriteLine(UnlabelledText(settings, value));
}

void PrintDateResult(TRunContext& run, std::string_view format, std::string_view label,
                     TDateTimeValue moment) {
  if (run.RunSettings.ShowLabels) {
    // The label goes out first: a pattern that cannot be rendered leaves it on the line.
    WriteLabel(run.Out(), label);
    run.Out().WriteLine(FormatDateTimeValue(format, moment, true, run.Format));
    return;
  }
  PrintResult(run, FormatDateTimeValue(format, moment, true, run.Format), label);
}

void WriteCondensableResult(TRunContext& run, std::string_view value, std::string_view label) {
  const TRunSettings& settings = run.RunSettings;
  if (settings.ShowLabels || !settings.Condensed) {
    PrintResult(run, value, label);
    return;
  }
  run.Out().Write(UnlabelledText(settings, value));
  run.Out().Write(" ");
}

std::string PrepareCustomMessage(std::string_view text,
                                 const std::vector<std::string>& parameters) {
  // Literal backslashes are protected first, so that "\\v" and "\\z " are no tokens and a
  // message ending in a lone backslash still gets its value appended.
  std::string message = ReplaceText(text, "\\\\", kBackslashMark);

  const bool spaced = ContainsText(message, "\\z ");
  const std::string spacer = spaced ? " " : "";
  if (spaced) message += ' ';

  const std::string valueToken = "\\v" + spacer;
  const bool hasValueToken = ContainsText(message, valueToken);
  bool suppressed = false;
  if (!hasValueToken) {
    for (const std::string& parameter : parameters) {
      if (SameText(parameter, "\\s")) suppressed = true;
    }
  }
  if (!hasValueToken && !suppressed) message += valueToken;
  message += kEndMark;

  const size_t lineBreaks = CountText(message, "\\n" + spacer);

  message = ReplaceText(message, "\\t" + spacer, "\t");
  message = ReplaceText(message, "\\q" + spacer, "\"");
  message = ReplaceText(message, "\\n" + spacer, kLineEnd);
  message = ReplaceText(message, "\\z ", "", true);
  if (suppressed) {
    message = ReplaceText(message, "\\s ", "", true);
  } else {
    message = ReplaceText(message, valueToken, kValueMarker);
  }

  for (char divider : kDividerChars) {
    const std::string token = "\\" + std::string(1, divider) + spacer;
    if (!ContainsText(message, token)) continue;
    const std::string line(kDividerWidth, divider);
    message = ReplaceDividerBeforeEnd(message, token, line, lineBreaks);
    message = ReplaceText(message, token, line + std::string(kLineEnd));
  }

  message = ReplaceText(message, kBackslashMark, "\\");
  return ReplaceText(message, kEndMark, "");
}

}  // namespace zentrel
