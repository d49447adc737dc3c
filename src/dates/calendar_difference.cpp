#include "dates/calendar_difference.h"

#include <string>

#include "core/date_format.h"
#include "dates/calendar_steps.h"

namespace zentrel {

TCalendarDifference CalendarDifference(TDateTimeValue first, TDateTimeValue second) {
  const TDateTimeValue from = first.DatePart();
  const TDateTimeValue to = second.DatePart();
  const TDayNumber end = TDayNumber::Of(to);
  const TDateParts a = DecodeDate(from);
  const TDateParts b = DecodeDate(to);
  // The months between the two months, less one where the day does not reach the
  // second date's: both dates lie in the calendar, and so every month between them.
  std::int64_t months = std::int64_t{b.Year - a.Year} * 12 + (b.Month - a.Month);
  TDayNumber reached = TDayNumber::Of(*AddMonths(from, months));
  const bool forward = end >= TDayNumber::Of(from);
  while (forward ? reached > end : reached < end) {
    months += forward ? -1 : 1;
    reached = TDayNumber::Of(*AddMonths(from, months));
  }
  return {months / 12, months % 12, end - reached};
}

TLabelledResult CalendarDifferenceResult(TDateTimeValue first, TDateTimeValue second,
                                         TCalendarUnits units, const TFormatSettings& settings) {
  const TCalendarDifference difference = CalendarDifference(first, second);
  std::string value;
  std::string_view what;
  switch (units) {
    case TCalendarUnits::YearsMonthsDays:
      value = std::to_string(difference.Years) + " " + std::to_string(difference.Months) + " " +
              std::to_string(difference.Days);
      what = "Years, Months, Days";
      break;
    case TCalendarUnits::Years:
      value = std::to_string(difference.Years);
      what = "Years";
      break;
    case TCalendarUnits::Months:
      value = std::to_string(difference.AllMonths());
      what = "Months";
      break;
    case TCalendarUnits::Weeks:
      value = std::to_string((TDayNumber::Of(second.DatePart()) -
                              TDayNumber::Of(first.DatePart())) / 7);
      what = "Weeks";
      break;
  }
  return {std::move(value), std::string(what) + " Between " +
                                FormatDateTimeValue(kDatePattern, first, false, settings) +
                                " and " +
                                FormatDateTimeValue(kDatePattern, second, false, settings) + " "};
}

}  // namespace zentrel
