// The platform seam answered by Windows (the Win32 API, UTF-16 converted to UTF-8 at this
// boundary).
#pragma once

#include <memory>

#include "platform/platform.h"

namespace zentrel::platform {

/// Builds the Windows platform. The arguments come from GetCommandLineW, not from the C
/// runtime's argv, whose ANSI code page loses every character outside it.
std::unique_ptr<Platform> MakeWin32Platform();

}  // namespace zentrel::platform
