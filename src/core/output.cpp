#include "core/output.h"

namespace zentrel {

void PrintResult(TRunContext& run, std::string_view value, std::string_view) {
  run.Out().WriteLine(value);
}
void PrintDateResult(TRunContext&, std::string_view, std::string_view, TDateTimeValue) {}
void WriteCondensableResult(TRunContext& run, std::string_view value, std::string_view label) {
  PrintResult(run, value, label);
}
std::string PrepareCustomMessage(std::string_view text, const std::vector<std::string>&) {
  return std::string(text);
}

}  // namespace zentrel
