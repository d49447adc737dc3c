#include "app/options.h"

#include <optional>

#include "core/text.h"

namespace zentrel {
namespace {

// The option table as declared: a letter or name followed by ":" requires an argument,
// by "::" takes an optional one; blanks only separate the entries.
constexpr std::string_view kShortOptions =
    "? h q v o: p: a: f:: d:: s:: w:: y:: b: t:: n: e: l:: m c: r:: z: x: k: u: i";
constexpr std::string_view kLongOptions =
    "?? help help2 quiet verbose output: days-prior: days-after: format:: date:: "
    "selected:: day-of-week:: day-of-year:: days-between: time:: time-between: "
    "extended-format: leapyear:: month-end:: current: random:: time-prior: time-after: "
    "convert-time: convert-days: use-hours use-minutes use-seconds compareold: "
    "comparenew: searchfor: heading: zeroall zerothis script-variables no-symbols info "
    "version-only error-delay audible-error debug-mode";

enum class TArgKind { None, Required, Optional };

TArgKind KindOf(std::string_view suffix) {
  if (suffix == "::") return TArgKind::Optional;
  if (suffix == ":") return TArgKind::Required;
  return TArgKind::None;
}

/// The argument kind of a long option name, or nullopt when the table has no such name.
std::optional<TArgKind> FindLong(std::string_view name) {
  std::string_view list = kLongOptions;
  while (!list.empty()) {
    size_t start = list.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    list.remove_prefix(start);
    size_t end = list.find(' ');
    std::string_view entry = list.substr(0, end);
    list.remove_prefix(end == std::string_view::npos ? list.size() : end);
    size_t colon = entry.find(':');
    std::string_view entryName = entry.substr(0, colon);
    if (SameText(entryName, name)) {
      return KindOf(colon == std::string_view::npos ? "" : entry.substr(colon));
    }
  }
  return std::nullopt;
}

/// The argument kind of a short letter (lower case), or nullopt when it is not declared.
std::optional<TArgKind> FindShort(char letter) {
  if (letter == ':' || letter == ' ') return std::nullopt;
  size_t at = kShortOptions.find(letter);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = kShortOptions.substr(at + 1);
  if (rest.substr(0, 2) == "::") return TArgKind::Optional;
  if (rest.substr(0, 1) == ":") return TArgKind::Required;
  return TArgKind::None;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool TakesValue(const std::string& next) { return !next.empty() && next[0] != '-'; }

std::string InvalidOption(size_t position, std::string_view text) {
  return "Invalid option at position " + std::to_string(position) + ": \"" + std::string(text) +
         "\"";
}
std::string NeedsArgument(size_t position, std::string_view name) {
  return "Option at position " + std::to_string(position) + " needs an argument : " +
         std::string(name);
}
std::string NoArgumentAllowed(size_t position, std::string_view name) {
  return "Option at position " + std::to_string(position) + " does not allow an argument: " +
         std::string(name);
}

}  // namespace

std::vector<std::string> ValidateOptions(const std::vector<std::string>& parameters) {
  std::vector<std::string> errors;
  for (size_t i = 0; i < parameters.size(); ++i) {
    const std::string& param = parameters[i];
    const size_t position = i + 1;
    if (param.empty() || param[0] != '-') continue;
    if (param == "-") {
      errors.push_back(InvalidOption(position, param));
      continue;
    }
    if (param.compare(0, 2, "--") == 0) {
      std::string_view body = std::string_view(param).substr(2);
      size_t equals = body.find('=');
      std::string_view name = body.substr(0, equals);
      bool carriesValue = equals != std::string_view::npos;
      auto kind = FindLong(name);
      if (!kind) {
        errors.push_back(InvalidOption(position, name));
      } else if (*kind == TArgKind::None && carriesValue) {
        errors.push_back(NoArgumentAllowed(position, name));
      } else if (*kind == TArgKind::Required && !carriesValue) {
        errors.push_back(NeedsArgument(position, name));
      }
      continue;
    }
    const bool nextIsValue = i + 1 < parameters.size() && TakesValue(parameters[i + 1]);
    bool runTakesValue = false;
    for (size_t k = 1; k < param.size(); ++k) {
      char letter = LowerAscii(param[k]);
      auto kind = FindShort(letter);
      if (!kind) {
        errors.push_back(InvalidOption(position, std::string_view(&param[k], 1)));
        continue;
      }
      if (*kind == TArgKind::None) continue;
      runTakesValue = true;
      if (*kind == TArgKind::Required && (k + 1 != param.size() || !nextIsValue)) {
        errors.push_back(NeedsArgument(position, std::string_view(&param[k], 1)));
      }
    }
    if (runTakesValue && nextIsValue) ++i;
  }
  return errors;
}

namespace {

/// Whether one parameter names the option: "-x", "--x", "--x=value" and "-name" all match.
bool Matches(const std::string& param, std::string_view name) {
  if (param.size() < 2 || param[0] != '-') return false;
  std::string_view body = std::string_view(param).substr(1);
  if (body[0] == '-') {
    body.remove_prefix(1);
    body = body.substr(0, body.find('='));
  }
  return SameText(body, name);
}

}  // namespace

int TOptions::LastMatch(std::string_view name) const {
  if (name.empty()) return -1;
  for (size_t i = params_.size(); i-- > 0;) {
    if (Matches(params_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

bool TOptions::Present(std::string_view letter, std::string_view name) const {
  return LastMatch(letter) >= 0 || LastMatch(name) >= 0;
}

bool TOptions::Present(std::string_view name) const { return LastMatch(name) >= 0; }

std::string TOptions::ValueAt(int index) const {
  if (index < 0) return {};
  const std::string& param = params_[static_cast<size_t>(index)];
  if (param.compare(0, 2, "--") == 0) {
    size_t equals = param.find('=');
    return equals == std::string::npos ? std::string() : param.substr(equals + 1);
  }
  size_t next = static_cast<size_t>(index) + 1;
  if (next < params_.size() && (params_[next].empty() || params_[next][0] != '-')) {
    return params_[next];
  }
  return {};
}

std::string TOptions::Value(std::string_view letter, std::string_view name) const {
  int index = LastMatch(letter);
  if (index < 0) index = LastMatch(name);
  return ValueAt(index);
}

std::string TOptions::Value(std::string_view name) const { return ValueAt(LastMatch(name)); }

}  // namespace zentrel
