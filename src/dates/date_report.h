// The selected-date report: every calculation of the program once, relative to one date.
#pragma once

#include <string_view>

#include "core/run_context.h"
#include "dates/random.h"

namespace zentrel {

void ShowSelectedDateReport(TRunContext& run, TRandom& random, std::string_view format,
                            std::string_view extendedFormat, TDateTimeValue selected);

}  // namespace zentrel
