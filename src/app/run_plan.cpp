#include "app/run_plan.h"

#include "core/text.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

using Id = TOptionId;

constexpr std::string_view kInvalidFormatWarning = " -- Invalid Time Format Selected: \"";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

/// What a parameter names: the text after one "-", or after "--" up to any "=". Empty for
/// a parameter that is no option.
std::string_view NameOf(const std::string& param) {
  if (param.size() < 2 || param[0] != '-') return {};
  std::string_view body = std::string_view(param).substr(1);
  if (body[0] == '-') {
    body.remove_prefix(1);
    body = body.substr(0, body.find('='));
  }
  return body;
}

/// Whether the parameter after a checked option is its value (an empty one is).
bool IsValue(const std::string& next) { return next.empty() || next[0] != '-'; }

}  // namespace

TRunPlan::TRunPlan(std::vector<std::string> parameters) : parameters_(std::move(parameters)) {
  const std::vector<std::string>& params = parameters_;
  // One pass: each parameter is matched against every letter and name of the table; the
  // last match of each is kept.
  for (std::size_t i = 0; i < params.size(); ++i) {
    const std::string_view name = NameOf(params[i]);
    if (name.empty()) continue;
    for (const TOptionRow& row : kOptionTable) {
      TFound& found = found_[Index(row.Id)];
      if (row.Letter != '\0' && name.size() == 1 && LowerAscii(name[0]) == row.Letter) {
        found.ByLetter = static_cast<int>(i);
      }
      if (SameText(name, row.Name)) found.ByName = static_cast<int>(i);
    }
  }
  for (TFound& found : found_) {
    found.Index = found.ByLetter >= 0 ? found.ByLetter : found.ByName;
    if (found.Index < 0) continue;
    const std::string& param = params[static_cast<std::size_t>(found.Index)];
    found.Spelling = param.substr(0, param.find('='));
    const std::size_t next = static_cast<std::size_t>(found.Index) + 1;
    if (param.compare(0, 2, "--") == 0) {
      const std::size_t equals = param.find('=');
      if (equals != std::string::npos) found.Value = param.substr(equals + 1);
    } else if (next < params.size() && IsValue(params[next])) {
      found.Value = params[next];
    }
  }

  // The parameters nothing reads, walked as the syntax check walks them: a run of letters
  // takes the next parameter when one of its letters takes a value; a long option never.
  for (std::size_t i = 0; i < params.size() && !ignored_; ++i) {
    const std::string& param = params[i];
    if (param.empty()) continue;  // nothing typed, nothing lost
    if (param[0] != '-') {
      if (param != "/?" && !SameText(param, "\\s")) ignored_ = param;
      continue;
    }
    if (param.compare(0, 2, "--") == 0) continue;
    bool takesValue = false;
    for (std::size_t k = 1; k < param.size(); ++k) {
      for (const TOptionRow& row : kOptionTable) {
        if (row.Letter == LowerAscii(param[k]) && row.Argument != TArgKind::None) takesValue = true;
      }
    }
    if (takesValue && i + 1 < params.size() && IsValue(params[i + 1])) ++i;
  }
  for (std::size_t i = 0; i < params.size() && !helpAsked_; ++i) helpAsked_ = params[i] == "/?";

  // -? is the help; only --?? also asks for its notes.
  verbose_ = Has(Id::Verbose) || HasName(Id::Question) || Has(Id::Help2);
  if (Has(Id::UseHours)) durationUnit_ = TTimeUnits::Hours;
  if (Has(Id::UseMinutes)) durationUnit_ = TTimeUnits::Minutes;
  if (Has(Id::UseSeconds)) durationUnit_ = TTimeUnits::Seconds;
  if (Has(Id::ZeroAll)) zeroMode_ = TZeroMode::ZeroAll;
  extendedFormat_ = kDefaultExtendedFormat;
  if (Has(Id::ExtendedFormat)) {
    const std::string_view typed = TrimControls(Value(Id::ExtendedFormat));
    if (!typed.empty() && IsDurationFormatName(typed)) {
      extendedFormat_ = typed;
    } else {
      extendedFormat_ = kFallbackExtendedFormat;
      extendedFormatWarning_ = std::string(kInvalidFormatWarning) + std::string(typed) + "\"";
    }
  }
}

}  // namespace zentrel
