// Placeholder bodies until the durations land.
#include "durations/duration.h"
#include "durations/duration_format.h"
#include "durations/time_calc.h"

namespace zentrel {

std::string PadDurationFields(std::string_view text, int) { return std::string(text); }
bool IsDurationFormatName(std::string_view) { return true; }
void WriteDurationResult(TRunContext&, const TDurationRec&, std::string_view, std::string_view) {}
void ReportTimeBetween(TRunContext&, std::string_view, TDateTimeValue, TDateTimeValue) {}
void ReportConvertTime(TRunContext&, std::string_view, TTimeUnits, TDateTimeValue, TDateTimeValue) {}
void ReportTimeOffset(TRunContext&, std::string_view, TTimeUnits, char, std::string_view,
                      TDateTimeValue) {}

}  // namespace zentrel
