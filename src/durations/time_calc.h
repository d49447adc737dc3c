// The time calculations: duration between two date-times (-t/-n), a duration converted to
// whole units (-k), and the time a duration before or after a date-time (-x/-z). Each
// returns its labelled result; the caller prints it.
#pragma once

#include <optional>
#include <string_view>

#include "core/direction.h"
#include "core/moment.h"
#include "core/result.h"
#include "core/time_zone.h"
#include "durations/duration.h"
#include "platform/format_settings.h"

namespace zentrel {

/// How a -x/-z result is rendered when no -f pattern is given.
inline constexpr std::string_view kOffsetResultPattern = "mm/dd/yyyy hh:nn:ss";

/// The duration between a and b in the extended format `name`, labelled with both moments.
TLabelledResult TimeBetween(std::string_view name, TDateTimeValue a, TDateTimeValue b,
                            const TFormatSettings& settings);
/// The same for two moments: labelled with their readings a and b in the display zone,
/// the duration the time that passed from one to the other, whatever the clocks did.
TLabelledResult TimeBetween(std::string_view name, TDateTimeValue a, TDateTimeValue b,
                            TMilliseconds elapsed, const TFormatSettings& settings);
/// The duration between a and b in whole units; the label shows a without its date when
/// that is today's (no today: the date always shows), and without milliseconds when it has
/// none.
TLabelledResult ConvertTime(std::string_view name, TTimeUnits unit, TDateTimeValue a,
                            TDateTimeValue b, const TFormatSettings& settings,
                            std::optional<TDateTimeValue> today);

/// The moment a -x/-z offset before (backward) or after (forward) the base, with one
/// warning for each clamped component of the offset, and the failure when the moment leaves
/// the calendar. Throws ConversionError for an offset that does not read.
TCheckedDateResult TimeOffset(std::string_view durationText, TTimeUnits mode, TDirection direction,
                              TDateTimeValue base, const TFormatSettings& settings);

/// A base that is a moment: the offset moves it on the time line, and the result is its
/// reading in the zone (so 4 hours after a moment are 4 hours, across a change of the
/// clocks too).
struct TTimeLineBase {
  TMoment Moment;
  const TTimeZone& Zone;
};
/// TimeOffset of a moment, base being its reading in the zone.
TCheckedDateResult TimeOffset(std::string_view durationText, TTimeUnits mode, TDirection direction,
                              TDateTimeValue base, const TFormatSettings& settings,
                              const TTimeLineBase& onTimeLine);

}  // namespace zentrel
