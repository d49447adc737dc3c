// The platform seam answered by a POSIX system (Linux).
#pragma once

#include <memory>

#include "platform/platform.h"

namespace zentrel::platform {

/// Builds the POSIX platform for the process started with argc/argv.
std::unique_ptr<Platform> MakePosixPlatform(int argc, char** argv);

}  // namespace zentrel::platform
