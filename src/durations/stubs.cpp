// Placeholder bodies until the durations land.
#include <cmath>

#include "durations/duration.h"
#include "durations/duration_format.h"
#include "durations/time_calc.h"

namespace zentrel {

std::int64_t DateTimeToTotalMs(TDateTimeValue value) {
  double product = value * static_cast<double>(kMsPerDay);
  auto t = static_cast<std::int64_t>(product >= 0 ? product + 0.5 : product - 0.5);
  std::int64_t day = t / kMsPerDay;
  std::int64_t timeOfDay = (t < 0 ? -t : t) % kMsPerDay;
  return (day + 693'594) * kMsPerDay + timeOfDay;
}
std::int64_t MsBetween(TDateTimeValue a, TDateTimeValue b) {
  std::int64_t d = DateTimeToTotalMs(a) - DateTimeToTotalMs(b);
  return d < 0 ? -d : d;
}
TDurationRec DurationFromMs(std::int64_t ms) {
  TDurationRec r;
  r.TotalMilliseconds = ms;
  return r;
}
TDurationBetween DurationBetween(TDateTimeValue, TDateTimeValue, const TFormatSettings&,
                                 TDateTimeValue) {
  return {};
}
std::string PadDurationFields(std::string_view text, int) { return std::string(text); }
TDurationRec ParseDuration(std::string_view, TZeroMode) { return {}; }
TDurationRec AddDurations(const TDurationRec& a, const TDurationRec& b) {
  return DurationFromMs(a.TotalMilliseconds + b.TotalMilliseconds);
}
TDurationRec DurationDifference(const TDurationRec& a, const TDurationRec& b) {
  return DurationFromMs(std::llabs(a.TotalMilliseconds - b.TotalMilliseconds));
}
double TOffsetDuration::Days() const { return 0; }
TOffsetDuration ParseOffsetDuration(TRunContext&, std::string_view, TTimeUnits) { return {}; }
std::span<const std::string_view> DurationFormatNames() { return {}; }
bool IsDurationFormatName(std::string_view) { return true; }
std::string FormatDuration(const TDurationRec&, std::string_view) { return {}; }
std::string FormatDurationText(std::string_view, std::string_view, TZeroMode) { return {}; }
void WriteDurationResult(TRunContext&, const TDurationRec&, std::string_view, std::string_view) {}
void ReportTimeBetween(TRunContext&, std::string_view, TDateTimeValue, TDateTimeValue) {}
void ReportConvertTime(TRunContext&, std::string_view, TTimeUnits, TDateTimeValue, TDateTimeValue) {}
void ReportTimeOffset(TRunContext&, std::string_view, TTimeUnits, char, std::string_view,
                      TDateTimeValue) {}

}  // namespace zentrel
