#include "core/machine_date_time.h"

#include "core/conversion_error.h"
#include "core/iso_week.h"
#include "core/text_cursor.h"
#include "core/text.h"

namespace zentrel {
namespace {

constexpr char kOutOfRange[] = "Invalid date";
/// 12/31/9999 23:59:59 UTC: a longer count of seconds cannot be a date.
constexpr std::int64_t kLastUnixSecond = 253'402'300'799;    // 9999-12-31T23:59:59Z
constexpr std::int64_t kFirstUnixSecond = -62'135'596'800;    // 0001-01-01T00:00:00Z
constexpr std::int64_t kSecondsPerDay = 86'400;

using TCursor = TTextCursor;

/// Milliseconds of a fraction whose first digits (at most three) are value, digits long.
int FractionMs(std::int64_t value, std::size_t digits) {
  int ms = static_cast<int>(value);
  for (std::size_t i = digits < 3 ? digits : 3; i < 3; ++i) ms *= 10;
  return ms;
}

struct TOffset {
  int Sign = 1, Hours = 0, Minutes = 0;
};

/// "Z", "+hh:mm", "+hhmm" or "+hh" (or "-"); nullopt when none of these follows.
std::optional<TOffset> ReadZone(TCursor& cursor) {
  if (cursor.Take('Z') || cursor.Take('z')) return TOffset{};
  TOffset offset;
  if (cursor.Take('-')) {
    offset.Sign = -1;
  } else if (!cursor.Take('+')) {
    return std::nullopt;
  }
  auto hours = cursor.Digits(2);
  if (!hours) return std::nullopt;
  offset.Hours = *hours;
  if (cursor.AtEnd()) return offset;
  cursor.Take(':');
  auto minutes = cursor.Digits(2);
  if (!minutes) return std::nullopt;
  offset.Minutes = *minutes;
  return offset;
}

/// The fields of a calendar date (2024-12-25), a week date (2024-W52-3, or 2024-W52 for
/// its Monday) or an ordinal date (2024-360), as written; encoded once the whole text is
/// known to be ISO 8601.
struct TDate {
  enum class TForm { Calendar, Week, Ordinal } Form = TForm::Calendar;
  int Year = 0, Month = 0, Day = 0;  ///< the week and weekday, or the day of the year
  TDateTimeValue Encode() const {
    switch (Form) {
      case TForm::Week: return EncodeIsoWeekDate(Year, Month, Day);
      case TForm::Ordinal: return EncodeOrdinalDate(Year, Day);
      case TForm::Calendar: break;
    }
    return EncodeDate(Year, Month, Day);
  }
};

/// The date after "yyyy-"; nullopt when none of the three forms follows.
std::optional<TDate> ReadDateAfterYear(TCursor& cursor, int year) {
  if (cursor.Take('W') || cursor.Take('w')) {
    auto week = cursor.Digits(2);
    if (!week) return std::nullopt;
    int weekday = 1;
    if (cursor.Take('-')) {
      auto day = cursor.Digits(1);
      if (!day) return std::nullopt;
      weekday = *day;
    }
    return TDate{TDate::TForm::Week, year, *week, weekday};
  }
  auto month = cursor.Digits(2);
  if (!month) return std::nullopt;
  if (auto last = cursor.Digits(1)) {
    return TDate{TDate::TForm::Ordinal, year, 0, *month * 10 + *last};
  }
  if (!cursor.Take('-')) return std::nullopt;
  auto day = cursor.Digits(2);
  if (!day) return std::nullopt;
  return TDate{TDate::TForm::Calendar, year, *month, *day};
}

std::optional<TMachineDateTime> ReadIso(std::string_view text) {
  TCursor cursor(text);
  auto year = cursor.Digits(4);
  if (!year || !cursor.Take('-')) return std::nullopt;
  std::optional<TDate> date = ReadDateAfterYear(cursor, *year);
  if (!date) return std::nullopt;
  if (cursor.AtEnd()) return TMachineDateTime{date->Encode(), std::nullopt};  // midnight
  TTimeParts time;
  std::optional<TOffset> zone;
  if (!cursor.Take('T') && !cursor.Take('t') && !cursor.Take(' ')) return std::nullopt;
  auto hour = cursor.Digits(2);
  if (!hour || !cursor.Take(':')) return std::nullopt;
  auto minute = cursor.Digits(2);
  if (!minute) return std::nullopt;
  time.Hour = *hour;
  time.Minute = *minute;
  if (cursor.Take(':')) {
    auto second = cursor.Digits(2);
    if (!second) return std::nullopt;
    time.Second = *second;
    if (cursor.Take('.') || cursor.Take(',')) {
      std::size_t digits = 0;
      auto fraction = cursor.Run(3, &digits);
      if (!fraction) return std::nullopt;
      time.Millisecond = FractionMs(*fraction, digits);
    }
  }
  if (!cursor.AtEnd()) {
    zone = ReadZone(cursor);
    if (!zone || !cursor.AtEnd()) return std::nullopt;
  }
  // The text is ISO 8601 from here on: a field out of range is a value that does not
  // convert, not a text for the regional reading.
  if (zone && (zone->Hours > 23 || zone->Minutes > 59)) throw ConversionError(kOutOfRange);
  TDateTimeValue value = CombineDateTime(
      date->Encode(),
      EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond));
  if (!zone) return TMachineDateTime{value, std::nullopt};
  const std::int64_t offsetMs =
      zone->Sign * (std::int64_t{zone->Hours} * 60 + zone->Minutes) * 60 * 1000;
  return TMachineDateTime{{}, TMoment::FromUnixMs(UnixMilliseconds(value) - offsetMs)};
}

std::optional<TMachineDateTime> ReadUnix(std::string_view text) {
  TCursor cursor(text);
  if (!cursor.Take('@')) return std::nullopt;
  const bool negative = cursor.Take('-');
  std::size_t digits = 0;
  auto seconds = cursor.Run(13, &digits);
  if (!seconds) return std::nullopt;
  std::int64_t ms = 0;
  if (cursor.Take('.')) {
    std::size_t fractionDigits = 0;
    auto fraction = cursor.Run(3, &fractionDigits);
    if (!fraction || fractionDigits > 3) return std::nullopt;
    ms = FractionMs(*fraction, fractionDigits);
  }
  if (!cursor.AtEnd()) return std::nullopt;
  // Beyond the calendar by more than a day no zone shows the moment in it.
  const std::int64_t last = negative ? -kFirstUnixSecond : kLastUnixSecond;
  if (digits > 12 || *seconds > last + kSecondsPerDay) throw ConversionError(kOutOfRange);
  const std::int64_t total = *seconds * 1000 + ms;
  return TMachineDateTime{{}, TMoment::FromUnixMs(negative ? -total : total)};
}

/// 01/01/1970 00:00 on the linear scale of SinceCalendarStart.
std::int64_t EpochSinceCalendarStart() {
  static const std::int64_t epoch =
      TDateTimeValue::FromSerial(25569.0).SinceCalendarStart().count();  // 01/01/1970
  return epoch;
}

}  // namespace

std::optional<TMachineDateTime> ReadMachineDateTime(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '@') return ReadUnix(text);
  return ReadIso(text);
}

std::int64_t UnixMilliseconds(TDateTimeValue value) {
  return value.SinceCalendarStart().count() - EpochSinceCalendarStart();
}

TDateTimeValue FromUnixMilliseconds(std::int64_t ms) {
  return TDateTimeValue::FromCalendarStart(TMilliseconds{ms + EpochSinceCalendarStart()});
}

}  // namespace zentrel
