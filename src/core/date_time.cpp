#include "core/date_time.h"

#include "core/text.h"

namespace zentrel {

// Placeholder bodies: the calendar arithmetic and the parser arrive with their own change.
bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
int DaysInMonth(int, int) { throw ConversionError("not built"); }
TDateTimeValue EncodeDate(int, int, int) { throw ConversionError("not built"); }
TDateTimeValue EncodeTime(int, int, int, int) { throw ConversionError("not built"); }
TDateTimeValue CombineDateTime(TDateTimeValue, TDateTimeValue) { throw ConversionError("not built"); }
void DecodeDateTime(TDateTimeValue, TDateParts&, TTimeParts&) { throw ConversionError("not built"); }
TDateParts DecodeDate(TDateTimeValue) { throw ConversionError("not built"); }
TTimeParts DecodeTime(TDateTimeValue) { throw ConversionError("not built"); }
int DayOfWeek(TDateTimeValue) { throw ConversionError("not built"); }
TDateTimeValue DateOf(TDateTimeValue v) { return v; }
TDateTimeValue IncDays(TDateTimeValue, std::int64_t) { throw ConversionError("not built"); }
TDateTimeValue FromLocalTime(const platform::TLocalTime&) { return 0; }
TDateTimeValue StrToDateTime(std::string_view, const TFormatSettings&, TDateTimeValue) {
  throw ConversionError("not built");
}
TDateTimeValue ParseDateTimeArg(std::string_view, std::string_view, const TFormatSettings&,
                                TDateTimeValue) {
  throw ConversionError("not built");
}

}  // namespace zentrel
