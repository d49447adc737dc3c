// Differences in calendar units: how many whole years, months and days lie from one date
// to another, counted as -a and -p count them.
//
// The months are counted first, with the month arithmetic of a month step (the day kept,
// or cut to the last of a shorter month); the days left over come after. So stepping the
// first date by the months, then by the days, gives the second date back:
//
//   01/01/2000 to 12/25/2024   24 years, 11 months, 24 days
//   01/31/2024 to 03/01/2024   1 month (to 02/29/2024), 1 day
//   03/31/2024 to 02/29/2024   -1 month, 0 days (the day cut to February's last)
//
// Every part has the sign of the difference: negative when the second date is earlier.
// Times of day are not counted.
#pragma once

#include <cstdint>

#include "core/date_time.h"
#include "core/result.h"
#include "platform/format_settings.h"

namespace zentrel {

struct TCalendarDifference {
  std::int64_t Years = 0;
  std::int64_t Months = 0;  ///< 0 to 11 (-11 to 0 backward)
  std::int64_t Days = 0;    ///< less than a month
  std::int64_t AllMonths() const { return Years * 12 + Months; }
};

/// The difference from the date of first to the date of second; throws ConversionError
/// outside years 1 to 9999.
TCalendarDifference CalendarDifference(TDateTimeValue first, TDateTimeValue second);

/// What a difference is answered in: years, months and days, or one unit alone.
enum class TCalendarUnits { YearsMonthsDays, Years, Months, Weeks };

/// The difference as numbers a script can read ("24 11 24" for years, months and days,
/// "24" for whole years), labelled with both dates ("Years, Months, Days Between
/// 01/01/2000 and 12/25/2024 "). Whole weeks count the days of the whole difference.
TLabelledResult CalendarDifferenceResult(TDateTimeValue first, TDateTimeValue second,
                                         TCalendarUnits units, const TFormatSettings& settings);

}  // namespace zentrel
