// The program's identity on the console and its common error screen: the banner (at most
// once per run), the syntax-error screen that precedes the short help, and dash lines.
#pragma once

#include <string_view>

#include "core/run_context.h"

namespace zentrel {

/// The title of the syntax-error screen; also the message shown when a value does not
/// convert.
inline constexpr std::string_view kSyntaxErrorTitle = "Invalid or Incomplete Syntax!";

/// Writes the banner to the error channel: the three header lines and an empty line when
/// showHeaderLines, the build line when showBuildLine. At most once per run; a call with
/// neither switch still counts as the banner shown. Reads the version information first
/// when it is not loaded yet.
void ShowBanner(TRunContext& run, bool showBuildLine, bool showHeaderLines);

/// The syntax-error screen on the error channel, ending with the message and "(See Syntax
/// Definition Below)"; a detail that is not empty is a line of its own after the title.
/// Redirects the core output channel to standard error for the rest of the run.
void ShowSyntaxError(TRunContext& run, std::string_view message, std::string_view detail = {});

/// count dashes on the core output channel, then the line end (and one more when extraLine).
void WriteDashLine(TRunContext& run, int count, bool extraLine);

}  // namespace zentrel
