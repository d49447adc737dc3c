#include "core/zoned_format.h"

#include <array>
#include <cstdlib>

#include "core/iso_week.h"

namespace zentrel {
namespace {

struct TPrecisionName {
  std::string_view Name;
  TIsoPrecision Precision;
};
constexpr TPrecisionName kPrecisions[] = {
    {"date", TIsoPrecision::Date},
    {"minutes", TIsoPrecision::Minutes},
    {"seconds", TIsoPrecision::Seconds},
    {"ms", TIsoPrecision::Milliseconds},
    {"week", TIsoPrecision::Week},
    {"ordinal", TIsoPrecision::Ordinal},
};

/// Sunday first, as TWeekday::SundayOneToSeven counts.
constexpr std::array<std::string_view, 7> kDayNames = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

/// value as exactly width digits (value is never negative and never wider).
void AppendDigits(std::string& text, int value, int width) {
  char digits[4];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  text.append(digits, static_cast<std::size_t>(width));
}

}  // namespace

std::optional<TIsoPrecision> IsoPrecisionNamed(std::string_view name) {
  for (const TPrecisionName& row : kPrecisions) {
    if (row.Name == name) return row.Precision;
  }
  return std::nullopt;
}

std::string FormatIso8601(const TZonedDateTime& shown, TIsoPrecision precision) {
  std::string text;
  if (precision == TIsoPrecision::Week) {
    const TIsoWeekDate week = IsoWeekDateOf(shown.Wall);
    AppendDigits(text, week.Year, 4);
    text += "-W";
    AppendDigits(text, week.Week, 2);
    text += '-';
    AppendDigits(text, week.Weekday, 1);
    return text;
  }
  TDateParts date;
  TTimeParts time;
  DecodeDateTime(shown.Wall, date, time);
  if (precision == TIsoPrecision::Ordinal) {
    AppendDigits(text, date.Year, 4);
    text += '-';
    AppendDigits(text, OrdinalDayOf(shown.Wall), 3);
    return text;
  }
  AppendDigits(text, date.Year, 4);
  text += '-';
  AppendDigits(text, date.Month, 2);
  text += '-';
  AppendDigits(text, date.Day, 2);
  if (precision == TIsoPrecision::Date) return text;
  text += 'T';
  AppendDigits(text, time.Hour, 2);
  text += ':';
  AppendDigits(text, time.Minute, 2);
  if (precision != TIsoPrecision::Minutes) {
    text += ':';
    AppendDigits(text, time.Second, 2);
    if (precision == TIsoPrecision::Milliseconds) {
      text += '.';
      AppendDigits(text, time.Millisecond, 3);
    }
  }
  text += shown.Utc ? std::string("Z") : IsoOffsetText(shown.Offset.Seconds);
  return text;
}

std::string RfcOffsetText(std::int32_t offsetSeconds) {
  const std::int32_t minutes = std::abs(offsetSeconds) / 60;
  std::string text(1, offsetSeconds < 0 ? '-' : '+');
  AppendDigits(text, minutes / 60, 2);
  AppendDigits(text, minutes % 60, 2);
  return text;
}

std::string FormatRfcEmail(const TZonedDateTime& shown) {
  TDateParts date;
  TTimeParts time;
  DecodeDateTime(shown.Wall, date, time);
  std::string text(kDayNames[static_cast<std::size_t>(shown.Wall.Weekday().SundayOneToSeven() - 1)]);
  text += ", ";
  AppendDigits(text, date.Day, 2);
  text += ' ';
  text += kMonthNames[static_cast<std::size_t>(date.Month - 1)];
  text += ' ';
  AppendDigits(text, date.Year, 4);
  text += ' ';
  AppendDigits(text, time.Hour, 2);
  text += ':';
  AppendDigits(text, time.Minute, 2);
  text += ':';
  AppendDigits(text, time.Second, 2);
  text += ' ';
  text += RfcOffsetText(shown.Offset.Seconds);
  return text;
}

}  // namespace zentrel
