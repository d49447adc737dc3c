#include "core/banner.h"

namespace zentrel {

void ShowBanner(TRunContext& run, bool, bool) { run.BannerShown = true; }
void ShowSyntaxError(TRunContext& run, std::string_view message, bool, bool) {
  run.RedirectCoreOutputToErr();
  run.CoreErrOutput().WriteLine(message);
}
void WriteDashLine(TRunContext& run, int count, bool extraLine) {
  run.CoreOutput().Write(std::string(static_cast<size_t>(count), '-'));
  if (extraLine) run.CoreOutput().EndLine();
  run.CoreOutput().EndLine();
}

}  // namespace zentrel
