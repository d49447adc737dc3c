// A day count re-expressed as approximate years, months, weeks and days (365-day years,
// 30-day months).
#pragma once

#include <cstdint>

#include "core/result.h"

namespace zentrel {

/// Mode 1: years, months, days; 2: months, days; 3: weeks, days; any other: all three
/// forms in one result without a label suffix.
TLabelledResult DayCountConversion(std::int32_t count, int mode);

}  // namespace zentrel
