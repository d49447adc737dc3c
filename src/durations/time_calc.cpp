#include "durations/time_calc.h"

#include <array>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/text.h"
#include "core/value_format.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kLabelMomentPattern = "mm/dd/yy hh:nn:ss";
// The moment of a -k label, from the whole moment to the clock alone.
constexpr std::string_view kLabelSecondPattern = "mm/dd/yyyy hh:nn:ss";
constexpr std::string_view kClockMsPattern = "hh:nn:ss.zzz";
constexpr std::string_view kClockPattern = "hh:nn:ss";
constexpr std::string_view kOffsetPattern = "%.2d:%.2d:%.2d [hr:min:sec] ";
constexpr std::string_view kOffsetPatternWithMs = "%.2d:%.2d:%.2d.%.3d [hr:min:sec.ms] ";

}  // namespace

TLabelledResult TimeBetween(std::string_view name, TDateTimeValue a, TDateTimeValue b,
                            const TFormatSettings& settings) {
  const TDurationBetween between = DurationBetween(a, b);
  std::string label =
      "Time Between " + FormatDateTimeValue(kLabelMomentPattern, between.ValueA, false, settings) +
      " and " + FormatDateTimeValue(kLabelMomentPattern, between.ValueB, false, settings) + " ";
  return {FormatDuration(between.Record, name), std::move(label)};
}

TLabelledResult ConvertTime(std::string_view name, TTimeUnits unit, TDateTimeValue a,
                            TDateTimeValue b, const TFormatSettings& settings,
                            std::optional<TDateTimeValue> today) {
  const TDurationBetween between = DurationBetween(a, b);
  // A time of today shows without its date, and whole seconds without milliseconds.
  const TDateTimeValue shown = between.ValueA;
  const bool withDate = !today || shown.DayNumber() != today->DayNumber();
  const bool withMs = shown.TimeOfDay().count() % kMsPerSecond != 0;
  const std::string_view pattern = withDate ? (withMs ? kMomentPattern : kLabelSecondPattern)
                                            : (withMs ? kClockMsPattern : kClockPattern);
  std::string label = "Convert \"" + FormatDateTimeValue(pattern, shown, false, settings) +
                      "\" to WHOLE " + std::string(TimeUnitName(unit)) + " ";
  return {FormatDuration(between.Record, name), std::move(label)};
}

TLabelledResult TimeBetween(std::string_view name, TDateTimeValue a, TDateTimeValue b,
                            TMilliseconds elapsed, const TFormatSettings& settings) {
  const std::int64_t ms = elapsed.count();
  std::string label = "Time Between " +
                      FormatDateTimeValue(kLabelMomentPattern, a.RoundedToMs(), false, settings) +
                      " and " +
                      FormatDateTimeValue(kLabelMomentPattern, b.RoundedToMs(), false, settings) +
                      " ";
  return {FormatDuration(DurationFromMs(ms < 0 ? -ms : ms), name), std::move(label)};
}

namespace {

/// TimeOffset's work: the label of the offset from the base, and the result of move, which
/// takes the base at whole milliseconds and the signed offset.
template <class TMove>
TCheckedDateResult OffsetFrom(std::string_view durationText, TTimeUnits mode,
                              TDirection direction, TDateTimeValue base,
                              const TFormatSettings& settings, TMove move) {
  // The base is limited to the whole milliseconds a label would show.
  const TDateTimeValue wholeBase = base.RoundedToMs();
  const std::string shown = FormatDateTimeValue(kLabelMomentPattern, wholeBase, false, settings);

  TOffsetParse parse = ParseOffsetDuration(durationText, mode);
  const TOffsetDuration& offset = parse.Offset;
  std::string offsetText;
  if (offset.Milliseconds == 0) {
    const std::array<std::int64_t, 3> parts{offset.Hours, offset.Minutes, offset.Seconds};
    offsetText = FormatIntegers(kOffsetPattern, parts);
  } else {
    const std::array<std::int64_t, 4> parts{offset.Hours, offset.Minutes, offset.Seconds,
                                            offset.Milliseconds};
    offsetText = FormatIntegers(kOffsetPatternWithMs, parts);
  }

  const bool after = direction == TDirection::Forward;
  const TMilliseconds offsetMs{offset.TotalMilliseconds()};
  TCheckedDateResult result{std::move(parse.Warnings), {}, std::nullopt};
  result.Result.Label = offsetText + (after ? "after " : "before ") + shown + " ";
  try {
    result.Result.Moment = move(wholeBase, after ? offsetMs : -offsetMs);
  } catch (const ConversionError& failure) {
    result.Failure = failure;  // raised once the warnings about the offset are out
  }
  return result;
}

}  // namespace

TCheckedDateResult TimeOffset(std::string_view durationText, TTimeUnits mode, TDirection direction,
                              TDateTimeValue base, const TFormatSettings& settings) {
  // Computed in milliseconds rather than on the raw value, so that a result on the other
  // side of day 0 (12/30/1899) is still the right moment.
  return OffsetFrom(durationText, mode, direction, base, settings,
                    [](TDateTimeValue from, TMilliseconds span) { return from.AddMs(span); });
}

TCheckedDateResult TimeOffset(std::string_view durationText, TTimeUnits mode, TDirection direction,
                              TDateTimeValue base, const TFormatSettings& settings,
                              const TTimeLineBase& onTimeLine) {
  std::optional<TMoment> instant;
  TCheckedDateResult result =
      OffsetFrom(durationText, mode, direction, base, settings,
                 [&](TDateTimeValue, TMilliseconds span) {
                   instant = onTimeLine.Moment + span;
                   return onTimeLine.Zone.WallClockOf(*instant);
                 });
  if (!result.Failure) result.Result.Instant = instant;
  return result;
}

}  // namespace zentrel
