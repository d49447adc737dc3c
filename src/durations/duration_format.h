// The 63 named duration formats and the renderer that picks one by name.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "durations/duration.h"

namespace zentrel {

/// The 63 names in table order.
std::span<const std::string_view> DurationFormatNames();
/// True when the name is one of the 63, compared without regard to case.
bool IsDurationFormatName(std::string_view name);
/// The record rendered by the row whose name matches whole (case-insensitive), or by the
/// default rendering when none does. Never fails.
std::string FormatDuration(const TDurationRec& record, std::string_view name);
/// ParseDuration of the text, then FormatDuration; an empty name means "###:min:sec.ms".
std::string FormatDurationText(std::string_view durationText, std::string_view name,
                               TZeroMode zeroMode);

}  // namespace zentrel
