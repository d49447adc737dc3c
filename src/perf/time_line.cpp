#include "perf/time_line.h"

#include "core/text.h"

namespace zentrel {

TLineTime GeneralLineTime(std::string_view timeText, std::string_view override,
                          TZeroMode zeroMode) {
  TLineTime shown;
  shown.Plain = false;
  if (override == kNoTimeText && timeText == kNoTimeText) {
    shown.Text = kNoTimeText;
    return shown;
  }
  std::string time;
  if (override != kNoTimeText) {
    time = PadDurationFields(override, 3);
    shown.Text = FormatDurationText(time, kClockFormat, zeroMode);
  } else {
    time = FormatDurationText(timeText, kClockFormat, zeroMode);
    shown.Text = time;
  }
  shown.Ms = ParseDuration(time, zeroMode).TotalMilliseconds();
  return shown;
}

TTimingLine FormatTimingLine(std::string_view label, const TTimingEntry& entry,
                             std::string_view override, TZeroMode zeroMode) {
  const TLineTime time = GeneralLineTime(entry.TimeText, override, zeroMode);
  const std::string upper = UpperAscii(label);
  TTimingLine result;
  result.Duration = DurationFromMs(time.Ms);
  result.Line.resize(1 + upper.size() + 2 + std::max(kTimeColumns, time.Text.size()) + 1 +
                     entry.Name.size());
  // The column renders no plain time here, so it writes nothing.
  TAlignedDuration column(FindDurationFormat(kClockFormat), kTimeColumns);
  char* end = WriteTimeLine(result.Line.data(), upper, time, entry.Name, column);
  result.Line.resize(static_cast<std::size_t>(end - result.Line.data()));
  return result;
}

}  // namespace zentrel
