// Placeholder bodies until the date calculations land.
#include "core/output.h"
#include "core/text.h"
#include "dates/date_queries.h"
#include "dates/day_count.h"
#include "dates/random.h"

namespace zentrel {

std::int64_t WholeDaysBetween(TDateTimeValue, TDateTimeValue) { return 0; }
TDateWeek DecodeDateWeek(TDateTimeValue) { return {}; }
void ShowLeapYear(TRunContext&, TDateTimeValue) {}
void ShowDaysBetween(TRunContext&, TDateTimeValue, TDateTimeValue) {}
void ShowDayOfYear(TRunContext&, TDateTimeValue) {}
void ShowDayOfWeek(TRunContext&, TDateTimeValue) {}
void ShowMonthEnd(TRunContext&, TDateTimeValue) {}
void ShowCurrentDay(TRunContext&, TDateTimeValue) {}
void ShowDaysPriorAfter(TRunContext&, std::int32_t, char, std::string_view, TDateTimeValue) {}
void ShowDayCountConversion(TRunContext&, std::int32_t, int) {}
std::string FloatToText(double, const TFormatSettings&) { return "0"; }
void ShowRandomNumber(TRunContext&, TRandom&, std::int32_t) {}

}  // namespace zentrel
