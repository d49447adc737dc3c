// Placeholder bodies until the date calculations land.
#include "dates/date_report.h"

namespace zentrel {

void ShowSelectedDateReport(TRunContext&, TRandom&, std::string_view, std::string_view,
                            TDateTimeValue) {}

}  // namespace zentrel
