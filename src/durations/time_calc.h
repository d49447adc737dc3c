// The time calculations: duration between two date-times (-t/-n), a duration converted to
// whole units (-k), and the time a duration before or after a date-time (-x/-z).
#pragma once

#include <string_view>

#include "core/run_context.h"
#include "durations/duration.h"

namespace zentrel {

/// How a -x/-z result is rendered when no -f pattern is given.
inline constexpr std::string_view kOffsetResultPattern = "mm/dd/yyyy hh:nn:ss";

void WriteDurationResult(TRunContext& run, const TDurationRec& record, std::string_view label,
                         std::string_view name);
void ReportTimeBetween(TRunContext& run, std::string_view name, TDateTimeValue a, TDateTimeValue b);
void ReportConvertTime(TRunContext& run, std::string_view name, TTimeUnits unit, TDateTimeValue a,
                       TDateTimeValue b);
void ReportTimeOffset(TRunContext& run, std::string_view durationText, TTimeUnits mode, char sign,
                      std::string_view resultFormat, TDateTimeValue base);

}  // namespace zentrel
