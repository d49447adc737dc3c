#include "perf/time_line.h"

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

}  // namespace zentrel
