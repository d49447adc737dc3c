// The 63 named duration formats and the renderer that picks one by name.
//
// Each name stands for a printf-style pattern filled with fields of a TDurationRec: totals
// ("hours", "mseconds"), clock layouts with zero or blank padding ("000:min:sec",
// "###:min:sec.ms", "dd:hr:min") and worded ones ("days hours mins secs.ms"). Some rows
// blank out a leading unit that is zero, so columns of results line up:
//
//   FormatDuration(DurationFromMs(93'784'005), "## hr:min:sec.ms")  // " 1 02:03:04.005"
//   FormatDuration(DurationFromMs(184'005), "## hr:min:sec.ms")     // "    0:03:04.005"
//   FormatDuration(DurationFromMs(184'005), "no such name")         // "  00:03:04.005"
#pragma once

#include <cstdint>
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
