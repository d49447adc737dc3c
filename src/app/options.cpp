#include "app/options.h"

#include <optional>

#include "core/text.h"

namespace zentrel {
namespace {

constexpr bool TableInIdOrder() {
  std::size_t next = 0;
  for (const TOptionRow& row : kOptionTable) {
    if (static_cast<std::size_t>(row.Id) != next++) return false;
  }
  return next == static_cast<std::size_t>(TOptionId::Holidays) + 1;
}
static_assert(TableInIdOrder(), "kOptionTable must hold every option in the order of TOptionId");

/// The argument kind of a long option name, or nullopt when the table has no such name.
std::optional<TArgKind> FindLong(std::string_view name) {
  for (const TOptionRow& row : kOptionTable) {
    if (SameText(row.Name, name)) return row.Argument;
  }
  return std::nullopt;
}

/// The argument kind of a short letter (lower case), or nullopt when it is not declared.
std::optional<TArgKind> FindShort(char letter) {
  if (letter == '\0') return std::nullopt;
  for (const TOptionRow& row : kOptionTable) {
    if (row.Letter == letter) return row.Argument;
  }
  return std::nullopt;
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

}  // namespace zentrel
