#include "core/date_time.h"

#include <chrono>
#include <cmath>

#include "core/date_format.h"
#include "core/text.h"

namespace zentrel {

namespace {

namespace chr = std::chrono;

constexpr const char* kInvalidDate = "Invalid date";
constexpr const char* kInvalidTime = "Invalid time";
constexpr const char* kInvalidDateTime = "Invalid date or time";

/// Day 0 of the encoding, 12/30/1899, counted from the sys_days epoch (01/01/1970).
constexpr chr::days kDayZero{-25569};
/// Day numbers of 01/01/0001 and 12/31/9999, the first and last valid dates.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kLastDay = 2958465;

/// A value split into a whole-day number and the time of day in milliseconds.
struct TSplitValue {
  std::int64_t Day;
  std::int64_t Ms;
};

/// Splits a value under the encoding's sign rule, the time of day taken to the nearest
/// millisecond. A time that rounds up to a whole day carries into the neighbouring date
/// (the later one for positive values, the earlier one for negative values, as the value
/// itself lies nearest that midnight), except at the ends of the range, where it stays at
/// 23:59:59.999. NaN, infinities and values outside years 1 to 9999 throw before any
/// float-to-integer conversion happens.
TSplitValue Split(TDateTimeValue value) {
  if (!(value > static_cast<double>(kFirstDay - 1) && value < static_cast<double>(kLastDay + 1))) {
    throw ConversionError(kInvalidDate);
  }
  double whole = std::trunc(value);
  TSplitValue split{static_cast<std::int64_t>(whole), 0};
  split.Ms = RoundHalfAway(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
  if (split.Ms >= kMsPerDay) {
    std::int64_t next = std::signbit(value) ? split.Day - 1 : split.Day + 1;
    if (next < kFirstDay || next > kLastDay) {
      split.Ms = kMsPerDay - 1;
    } else {
      split.Day = next;
      split.Ms = 0;
    }
  }
  if (split.Day < kFirstDay || split.Day > kLastDay) throw ConversionError(kInvalidDate);
  return split;
}

/// The value of a day number and a time of day in milliseconds (0 to kMsPerDay - 1).
TDateTimeValue Join(std::int64_t day, std::int64_t ms) {
  double fraction = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
  double date = static_cast<double>(day);
  return day < 0 ? date - fraction : date + fraction;
}

TDateParts CivilDate(std::int64_t day) {
  chr::year_month_day ymd{chr::sys_days{kDayZero + chr::days{day}}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

TTimeParts ClockTime(std::int64_t ms) {
  TTimeParts t;
  t.Hour = static_cast<int>(ms / 3'600'000);
  t.Minute = static_cast<int>(ms / 60'000 % 60);
  t.Second = static_cast<int>(ms / 1000 % 60);
  t.Millisecond = static_cast<int>(ms % 1000);
  return t;
}

// ---- the general conversion ---------------------------------------------------------------

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// One numeric field of a date: its value and how many digits were written.
struct TDateField {
  int Value = 0;
  std::size_t Digits = 0;
};

/// Which field of a three-field date holds the day, the month and the year, in the order
/// "d", "m" and "y" first appear in the short date pattern. Letters the pattern lacks
/// follow in month, day, year order.
struct TDateOrder {
  int DayAt = 1, MonthAt = 0, YearAt = 2;
};

TDateOrder DateOrderOf(std::string_view pattern) {
  char order[3];
  int count = 0;
  auto add = [&](char letter) {
    for (int i = 0; i < count; ++i) {
      if (order[i] == letter) return;
    }
    if (count < 3) order[count++] = letter;
  };
  for (char c : pattern) {
    char u = UpperAscii(c);
    if (u == 'D' || u == 'M' || u == 'Y') add(u);
    if (count == 3) break;
  }
  add('M');
  add('D');
  add('Y');
  TDateOrder result;
  for (int i = 0; i < 3; ++i) {
    if (order[i] == 'D') result.DayAt = i;
    if (order[i] == 'M') result.MonthAt = i;
    if (order[i] == 'Y') result.YearAt = i;
  }
  return result;
}

/// The year ending in the two given digits that lies in the hundred years starting
/// `window` years before the current year.
int WindowedYear(int twoDigits, int currentYear, int window) {
  int base = currentYear - window;
  int century = base - ((base % 100) + 100) % 100;
  int year = century + twoDigits;
  if (year < base) year += 100;
  return year;
}

/// Reads the date part: up to three runs of digits separated by the date separator.
/// `today` supplies the current year and month for shorter dates and two-digit years.
template <typename TodayFn>
std::int64_t ParseDatePart(std::string_view text, const TFormatSettings& settings,
                           TodayFn today) {
  TDateField fields[3];
  int count = 0;
  std::size_t i = 0;
  for (;;) {
    if (count == 3) throw ConversionError(kInvalidDate);
    TDateField& field = fields[count++];
    std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) {
      field.Value = field.Value * 10 + (text[i] - '0');
      if (field.Value > 65535) throw ConversionError(kInvalidDate);
      ++i;
    }
    field.Digits = i - start;
    if (field.Digits == 0) throw ConversionError(kInvalidDate);
    if (i == text.size()) break;
    if (text[i] != settings.DateSeparator) throw ConversionError(kInvalidDate);
    ++i;
  }

  TDateOrder order = DateOrderOf(settings.ShortDatePattern);
  TDateField year, month, day;
  if (count == 3) {
    year = fields[order.YearAt];
    month = fields[order.MonthAt];
    day = fields[order.DayAt];
  } else {
    TDateParts now = today();
    year = {now.Year, 4};
    if (count == 2) {
      bool monthFirst = order.MonthAt < order.DayAt;
      month = fields[monthFirst ? 0 : 1];
      day = fields[monthFirst ? 1 : 0];
    } else {
      month = {now.Month, 2};
      day = fields[0];
    }
  }
  int yearValue = year.Value;
  if (year.Digits <= 2) {
    yearValue = WindowedYear(year.Value, today().Year, settings.TwoDigitYearCenturyWindow);
  }
  TDateTimeValue date = EncodeDate(yearValue, month.Value, day.Value);
  return static_cast<std::int64_t>(date);
}

/// Reads one clock field: leading zeros, then at most maxDigits significant digits.
/// Returns -1 when no digit is there or there are too many.
int ReadClockField(std::string_view text, std::size_t& i, std::size_t maxDigits) {
  std::size_t start = i;
  while (i < text.size() && text[i] == '0') ++i;
  std::size_t significant = i;
  int value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (i - significant == maxDigits) return -1;
    value = value * 10 + (text[i] - '0');
    ++i;
  }
  return i == start ? -1 : value;
}

/// True, advancing i, when the text continues with the marker (ASCII case ignored).
bool TakeMarker(std::string_view text, std::size_t& i, std::string_view marker) {
  if (marker.empty() || text.size() - i < marker.size()) return false;
  if (!SameText(text.substr(i, marker.size()), marker)) return false;
  i += marker.size();
  return true;
}

/// Reads the time part: hour[:minute[:second[.millisecond]]] with an optional AM/PM
/// suffix; returns the time of day in milliseconds.
std::int64_t ParseTimePart(std::string_view text, const TFormatSettings& settings) {
  std::size_t i = 0;
  int fields[4] = {0, 0, 0, 0};
  fields[0] = ReadClockField(text, i, 2);
  if (fields[0] < 0) throw ConversionError(kInvalidTime);
  int count = 1;
  while (count < 3 && i < text.size() && text[i] == settings.TimeSeparator) {
    ++i;
    fields[count] = ReadClockField(text, i, 2);
    if (fields[count] < 0) throw ConversionError(kInvalidTime);
    ++count;
  }
  if (i < text.size() && text[i] == settings.DecimalSeparator) {
    if (count < 3) throw ConversionError(kInvalidTime);
    ++i;
    fields[3] = ReadClockField(text, i, 3);
    if (fields[3] < 0) throw ConversionError(kInvalidTime);
  }
  std::size_t beforeSuffix = i;
  while (i < text.size() && IsBlank(text[i])) ++i;
  int half = 0;  // 1 for AM, 2 for PM
  if (i < text.size()) {
    if (TakeMarker(text, i, settings.TimeAMString) || TakeMarker(text, i, "AM")) {
      half = 1;
    } else if (TakeMarker(text, i, settings.TimePMString) || TakeMarker(text, i, "PM")) {
      half = 2;
    }
    if (half == 0 || i != text.size()) throw ConversionError(kInvalidTime);
  } else if (i != beforeSuffix) {
    throw ConversionError(kInvalidTime);
  }
  int hour = fields[0];
  if (half != 0) {
    if (hour < 1 || hour > 12) throw ConversionError(kInvalidTime);
    hour = hour % 12 + (half == 2 ? 12 : 0);
  }
  TDateTimeValue time = EncodeTime(hour, fields[1], fields[2], fields[3]);
  return RoundHalfAway(time * static_cast<double>(kMsPerDay));
}

}  // namespace

bool IsLeapYear(int year) { return chr::year{year}.is_leap(); }

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) throw ConversionError(kInvalidDate);
  chr::year_month_day_last last{chr::year{year} / chr::month{static_cast<unsigned>(month)} /
                                chr::last};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

TDateTimeValue EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    throw ConversionError(kInvalidDate);
  }
  chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                          chr::day{static_cast<unsigned>(day)}};
  return static_cast<double>((chr::sys_days{ymd} - kDayZero).time_since_epoch().count());
}

TDateTimeValue EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    throw ConversionError(kInvalidTime);
  }
  std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

TDateTimeValue CombineDateTime(TDateTimeValue date, TDateTimeValue timeOfDay) {
  TSplitValue day = Split(date);
  if (!(timeOfDay > -1.0 && timeOfDay < 1.0)) throw ConversionError(kInvalidTime);
  std::int64_t ms = RoundHalfAway(std::fabs(timeOfDay) * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;
  return Join(day.Day, ms);
}

void DecodeDateTime(TDateTimeValue value, TDateParts& date, TTimeParts& time) {
  TSplitValue split = Split(value);
  date = CivilDate(split.Day);
  time = ClockTime(split.Ms);
}

TDateParts DecodeDate(TDateTimeValue value) { return CivilDate(Split(value).Day); }

TTimeParts DecodeTime(TDateTimeValue value) { return ClockTime(Split(value).Ms); }

int DayOfWeek(TDateTimeValue value) {
  chr::weekday wd{chr::sys_days{kDayZero + chr::days{Split(value).Day}}};
  return static_cast<int>(wd.c_encoding()) + 1;
}

TDateTimeValue DateOf(TDateTimeValue value) { return static_cast<double>(Split(value).Day); }

TDateTimeValue IncDays(TDateTimeValue value, std::int64_t days) {
  TSplitValue split = Split(value);
  constexpr std::int64_t kSpan = kLastDay - kFirstDay;
  if (days > kSpan || days < -kSpan) throw ConversionError(kInvalidDate);
  std::int64_t day = split.Day + days;
  if (day < kFirstDay || day > kLastDay) throw ConversionError(kInvalidDate);
  return Join(day, split.Ms);
}

TDateTimeValue FromLocalTime(const platform::TLocalTime& time) {
  TDateTimeValue date = EncodeDate(time.Year, time.Month, time.Day);
  TDateTimeValue clock = EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond);
  return CombineDateTime(date, clock);
}

TDateTimeValue StrToDateTime(std::string_view text, const TFormatSettings& settings,
                             TDateTimeValue now) {
  text = TrimBlanks(text);
  if (text.empty()) throw ConversionError(kInvalidDateTime);

  std::string_view datePart, timePart;
  std::size_t blank = 0;
  while (blank < text.size() && !IsBlank(text[blank])) ++blank;
  if (blank < text.size()) {
    datePart = text.substr(0, blank);
    timePart = TrimBlanks(text.substr(blank));
  } else if (text.find(settings.TimeSeparator) != std::string_view::npos) {
    timePart = text;
  } else {
    datePart = text;
  }

  std::int64_t day = 0;
  if (!datePart.empty()) {
    bool known = false;
    TDateParts current;
    auto today = [&]() {
      if (!known) {
        current = DecodeDate(now);
        known = true;
      }
      return current;
    };
    day = ParseDatePart(datePart, settings, today);
  }
  std::int64_t ms = timePart.empty() ? 0 : ParseTimePart(timePart, settings);
  return Join(day, ms);
}

TDateTimeValue ParseDateTimeArg(std::string_view text, std::string_view todayPattern,
                                const TFormatSettings& settings, TDateTimeValue now) {
  static constexpr std::string_view kDayZeroText = "12/30/1899";

  // Milliseconds to three digits: .5 means 500 ms and .123456 means 123 ms. Only the run of
  // digits after the first "." is padded or cut; what follows it up to a second "." (an
  // AM/PM suffix) is kept, and a second "." and all after it are dropped.
  std::string normalised(text);
  std::size_t dot = text.find('.');
  if (dot != std::string_view::npos) {
    std::string_view rest = text.substr(dot + 1);
    std::string_view field2 = rest.substr(0, rest.find('.'));
    if (!field2.empty()) {
      std::size_t digits = 0;
      while (digits < field2.size() && IsDigit(field2[digits])) ++digits;
      std::string fraction(field2.substr(0, digits));
      fraction.append("000");
      fraction.resize(3);
      normalised.assign(text.substr(0, dot));
      normalised.push_back('.');
      normalised.append(fraction);
      normalised.append(field2.substr(digits));
    }
  }

  TDateTimeValue value = StrToDateTime(normalised, settings, now);

  // A time without a date lands on day 0; it means that time today unless the user named
  // day 0 himself. The value is re-read through fixed month/day/year texts, so the step
  // does not depend on the regional date order.
  static const TFormatSettings kFixed;
  if (DateOf(value) == 0.0 && !ContainsText(text, kDayZeroText)) {
    std::string rendered = FormatDateTimeValue(kMomentPattern, value, true, kFixed);
    std::string today = FormatDateTimeValue(todayPattern, now, false, kFixed);
    value = StrToDateTime(ReplaceText(rendered, kDayZeroText, today), kFixed, now);
  }
  return value;
}

}  // namespace zentrel
