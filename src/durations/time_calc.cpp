#include "durations/time_calc.h"

#include <array>

#include "core/date_format.h"
#include "core/output.h"
#include "core/text.h"
#include "core/value_format.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kLabelMomentPattern = "mm/dd/yy hh:nn:ss";
constexpr std::string_view kOffsetPattern = "%.2d:%.2d:%.2d [hr:min:sec] ";
constexpr std::string_view kOffsetPatternWithMs = "%.2d:%.2d:%.2d.%.3d [hr:min:sec.ms] ";

}  // namespace

void WriteDurationResult(TRunContext& run, const TDurationRec& record, std::string_view label,
                         std::string_view name) {
  WriteCondensableResult(run, FormatDuration(record, name), label);
}

void ReportTimeBetween(TRunContext& run, std::string_view name, TDateTimeValue a,
                       TDateTimeValue b) {
  const TDurationBetween between = DurationBetween(a, b, run.Format);
  const std::string label =
      "Time Between " + FormatDateTimeValue(kLabelMomentPattern, between.ValueA, false, run.Format) +
      " and " + FormatDateTimeValue(kLabelMomentPattern, between.ValueB, false, run.Format) + " ";
  WriteDurationResult(run, between.Record, label, name);
}

void ReportConvertTime(TRunContext& run, std::string_view name, TTimeUnits unit, TDateTimeValue a,
                       TDateTimeValue b) {
  const TDurationBetween between = DurationBetween(a, b, run.Format);
  std::string label = "Convert \"" + between.TextA + "\" to WHOLE " +
                      std::string(TimeUnitName(unit)) + " ";
  // A time of today shows without its date, and whole seconds without milliseconds. An
  // empty TodayText would otherwise remove the first blank of the label.
  const std::string& today = run.RunSettings.TodayText;
  if (!today.empty()) label = ReplaceText(label, today + " ", "", true);
  label = ReplaceText(label, ".000", "", true);
  WriteDurationResult(run, between.Record, label, name);
}

void ReportTimeOffset(TRunContext& run, std::string_view durationText, TTimeUnits mode, char sign,
                      std::string_view resultFormat, TDateTimeValue base) {
  // The base is limited to the whole milliseconds a label would show.
  const TDateTimeValue wholeBase = base.RoundedToMs();
  const std::string shown = FormatDateTimeValue(kLabelMomentPattern, wholeBase, false, run.Format);

  const TOffsetDuration offset = ParseOffsetDuration(run, durationText, mode);
  std::string offsetText;
  if (offset.Milliseconds == 0) {
    const std::array<std::int64_t, 3> parts{offset.Hours, offset.Minutes, offset.Seconds};
    offsetText = FormatIntegers(kOffsetPattern, parts);
  } else {
    const std::array<std::int64_t, 4> parts{offset.Hours, offset.Minutes, offset.Seconds,
                                            offset.Milliseconds};
    offsetText = FormatIntegers(kOffsetPatternWithMs, parts);
  }

  // Computed in milliseconds rather than on the raw value, so that a result on the other
  // side of day 0 (12/30/1899) is still the right moment.
  const bool after = sign == '+';
  const TMilliseconds offsetMs{offset.TotalMilliseconds()};
  const TDateTimeValue result = wholeBase.AddMs(after ? offsetMs : -offsetMs);

  const std::string label = offsetText + (after ? "after " : "before ") + shown + " ";
  PrintDateResult(run, resultFormat, label, result);
}

}  // namespace zentrel
