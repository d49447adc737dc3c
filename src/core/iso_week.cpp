#include "core/iso_week.h"

#include <chrono>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

namespace chr = std::chrono;

constexpr char kInvalidDate[] = "Invalid date";

chr::sys_days CivilDay(TDateTimeValue value) {
  const TDateParts parts = DecodeDate(value);
  return chr::sys_days{chr::year{parts.Year} / parts.Month / parts.Day};
}

/// The Monday of week 1: the week that holds 4 January.
chr::sys_days FirstMonday(int year) {
  const chr::sys_days fourth{chr::year{year} / chr::January / 4};
  return fourth - chr::days{chr::weekday{fourth}.iso_encoding() - 1};
}

}  // namespace

TIsoWeekDate IsoWeekDateOf(TDateTimeValue value) {
  const chr::sys_days day = CivilDay(value);
  const unsigned weekday = chr::weekday{day}.iso_encoding();
  const chr::sys_days thursday = day - chr::days{weekday} + chr::days{4};
  const int year = static_cast<int>(chr::year_month_day{thursday}.year());
  const chr::sys_days firstOfYear{chr::year{year} / chr::January / 1};
  return {year, static_cast<int>((thursday - firstOfYear).count() / 7 + 1),
          static_cast<int>(weekday)};
}

int IsoWeeksInYear(int year) {
  return static_cast<int>((FirstMonday(year + 1) - FirstMonday(year)).count() / 7);
}

TDateTimeValue EncodeIsoWeekDate(int year, int week, int weekday) {
  if (year < 1 || year > 9999 || week < 1 || week > IsoWeeksInYear(year) || weekday < 1 ||
      weekday > 7) {
    throw ConversionError(kInvalidDate);
  }
  // Week 1 of year 1 begins on its first day, so only the calendar's end can be passed.
  const chr::sys_days day = FirstMonday(year) + chr::days{7 * (week - 1) + weekday - 1};
  const chr::year_month_day date{day};
  return EncodeDate(static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
                    static_cast<int>(unsigned{date.day()}));
}

TDateTimeValue EncodeOrdinalDate(int year, int day) {
  if (year < 1 || year > 9999 || day < 1 || day > (IsLeapYear(year) ? 366 : 365)) {
    throw ConversionError(kInvalidDate);
  }
  const chr::year_month_day date{chr::sys_days{chr::year{year} / chr::January / 1} +
                                 chr::days{day - 1}};
  return EncodeDate(year, static_cast<int>(unsigned{date.month()}),
                    static_cast<int>(unsigned{date.day()}));
}

int OrdinalDayOf(TDateTimeValue value) {
  const chr::sys_days day = CivilDay(value);
  const chr::year_month_day date{day};
  return static_cast<int>((day - chr::sys_days{date.year() / chr::January / 1}).count() + 1);
}

}  // namespace zentrel
