// The 63 named duration formats.
#pragma once

#include <string_view>

namespace zentrel {

/// True when the name is one of the 63 format names, compared without regard to case.
bool IsDurationFormatName(std::string_view name);

}  // namespace zentrel
