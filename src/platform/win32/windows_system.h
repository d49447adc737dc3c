// The registry and kernel facts of a Windows system, as the system queries read them.
#pragma once

#include <memory>

#include "platform/system_facts.h"

namespace zentrel::platform {

/// The facts of the running Windows system: HKEY_LOCAL_MACHINE read only, the memory and
/// topology calls (looked up by name, so systems without them are told apart), and the one
/// child process of the listing.
std::unique_ptr<SystemFacts> MakeWindowsSystem();

}  // namespace zentrel::platform
