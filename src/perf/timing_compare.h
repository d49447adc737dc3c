// The section-by-section comparison of two timing files.
#pragma once

#include <string>

#include "core/run_context.h"

namespace zentrel {

void CompareTimingFiles(TRunContext& run, const std::string& oldFileName,
                        const std::string& newFileName, const std::string& searchText,
                        const std::string& heading);

}  // namespace zentrel
