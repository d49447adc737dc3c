#include "core/date_time.h"

#include "core/unicode_text.h"

#include <chrono>
#include <cmath>

#include "core/conversion_error.h"
#include "core/text.h"

namespace zentrel {

namespace {

namespace chr = std::chrono;

constexpr const char* kInvalidDate = "Invalid date";
constexpr const char* kInvalidTime = "Invalid time";
constexpr const char* kInvalidDateTime = "Invalid date or time";

/// Day 0 of the encoding, 12/30/1899, counted from the sys_days epoch (01/01/1970).
constexpr chr::days kDayZero{-25569};

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
TSplitValue Split(TDateTimeValue dateTime) {
  const double value = dateTime.Serial();
  if (!(value > static_cast<double>(kFirstDayNumber - 1) &&
        value < static_cast<double>(kLastDayNumber + 1))) {
    throw ConversionError(kInvalidDate);
  }
  // Inside the range checked above the conversion truncates exactly (and costs no call).
  TSplitValue split{static_cast<std::int64_t>(value), 0};
  const double whole = static_cast<double>(split.Day);
  if (whole == value) return split;  // midnight: inside the range, as checked above
  split.Ms = RoundHalfAway(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
  if (split.Ms >= kMsPerDay) {
    std::int64_t next = std::signbit(value) ? split.Day - 1 : split.Day + 1;
    if (next < kFirstDayNumber || next > kLastDayNumber) {
      split.Ms = kMsPerDay - 1;
    } else {
      split.Day = next;
      split.Ms = 0;
    }
  }
  if (split.Day < kFirstDayNumber || split.Day > kLastDayNumber) {
    throw ConversionError(kInvalidDate);
  }
  return split;
}

/// The value of a day number and a time of day in milliseconds (0 to kMsPerDay - 1).
TDateTimeValue Join(std::int64_t day, std::int64_t ms) {
  if (ms == 0) return TDateTimeValue::FromSerial(static_cast<double>(day));  // no division
  double fraction = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
  double date = static_cast<double>(day);
  return TDateTimeValue::FromSerial(day < 0 ? date - fraction : date + fraction);
}

/// Days from the day before 1 January of year 1 to day 0, the origin of the linear scale.
constexpr std::int64_t kDayZeroShift = 1 - kFirstDayNumber;

TDateParts CivilDate(std::int64_t day) {
  chr::year_month_day ymd{chr::sys_days{kDayZero + chr::days{day}}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

TTimeParts ClockTime(std::int64_t ms) {
  TTimeParts t;
  if (ms == 0) return t;  // midnight, the time of every date read without one
  t.Hour = static_cast<int>(ms / kMsPerHour);
  t.Minute = static_cast<int>(ms % kMsPerHour / kMsPerMinute);
  t.Second = static_cast<int>(ms % kMsPerMinute / kMsPerSecond);
  t.Millisecond = static_cast<int>(ms % kMsPerSecond);
  return t;
}

// ---- the general conversion ---------------------------------------------------------------

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

/// Reads the date part: up to three runs of digits separated by the date separator.
/// now supplies the current year and month for shorter dates and two-digit years; it is
/// decoded only when needed, so a valid date never depends on the clock.
std::int64_t ParseDatePart(std::string_view text, const TFormatSettings& settings,
                           TDateTimeValue now) {
  auto today = [now]() { return DecodeDate(now); };
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
    TDateParts current = today();
    year = {current.Year, 4};
    if (count == 2) {
      bool monthFirst = order.MonthAt < order.DayAt;
      month = fields[monthFirst ? 0 : 1];
      day = fields[monthFirst ? 1 : 0];
    } else {
      month = {current.Month, 2};
      day = fields[0];
    }
  }
  int yearValue = year.Value;
  if (year.Digits <= 2) {
    yearValue = WindowedYear(year.Value, today().Year, settings.TwoDigitYearCenturyWindow);
  }
  return Split(EncodeDate(yearValue, month.Value, day.Value)).Day;
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

/// True, advancing i, when the text continues with the marker (case and inner blanks
/// ignored, as MatchFolded compares).
bool TakeMarker(std::string_view text, std::size_t& i, std::string_view marker) {
  const std::optional<std::size_t> end = MatchFolded(text, i, marker);
  if (!end) return false;
  i = *end;
  return true;
}

/// Reads the time part: hour[:minute[:second[.millisecond]]] with an optional AM/PM
/// suffix, or in the half of the day given (1 AM, 2 PM) when the text's marker was taken
/// off already; returns the time of day in milliseconds.
std::int64_t ParseTimePart(std::string_view text, const TFormatSettings& settings,
                           int givenHalf = 0) {
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
  if (i < text.size() && IsDecimalMark(text[i], settings)) {
    if (count < 3) throw ConversionError(kInvalidTime);
    ++i;
    fields[3] = ReadClockField(text, i, 3);
    if (fields[3] < 0) throw ConversionError(kInvalidTime);
  }
  std::size_t beforeSuffix = i;
  while (i < text.size() && IsBlank(text[i])) ++i;
  int half = givenHalf;  // 1 for AM, 2 for PM
  if (i < text.size()) {
    if (half != 0) throw ConversionError(kInvalidTime);
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
  return EncodeTime(hour, fields[1], fields[2], fields[3]).count();
}


/// A text cut into its date part and its time part (either may be empty).
struct TTextParts {
  std::string_view Date, Time;
};

/// A text with its half-of-day marker taken off: the rest, and 1 for AM, 2 for PM, 0
/// when it had none.
struct THalfOfDay {
  std::string_view Rest;
  int Half = 0;
};

/// Finds an AM or PM marker (the regional texts or "AM" and "PM") before the time or after
/// it, compared without regard to case and to the blanks inside it, so "오후 2:05", "2:05
/// p.m." and "2:05 P. M." all read. A marker must stand apart from letters: a blank or a
/// digit next to it.
THalfOfDay TakeHalfOfDay(std::string_view text, const TFormatSettings& settings) {
  const std::pair<std::string_view, int> markers[] = {
      {settings.TimeAMString, 1}, {settings.TimePMString, 2}, {"AM", 1}, {"PM", 2}};
  auto apart = [](char32_t c) { return IsBlankLike(c) || (c >= '0' && c <= '9'); };
  // Before the time: the longest marker that the time follows.
  THalfOfDay found;
  std::size_t longest = 0;
  for (const auto& [marker, half] : markers) {
    const std::optional<std::size_t> end = MatchFolded(text, 0, marker);
    if (!end || *end == text.size() || *end <= longest) continue;
    std::size_t next = *end;
    if (!apart(NextCodePoint(text, next))) continue;
    longest = *end;
    found = {TrimBlanks(text.substr(*end)), half};
  }
  if (found.Half != 0) return found;
  // After the time: the longest marker that ends the text.
  char32_t previous = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t c = NextCodePoint(text, at);
    if (start > 0 && apart(previous)) {
      for (const auto& [marker, half] : markers) {
        const std::optional<std::size_t> end = MatchFolded(text, start, marker);
        if (end && *end == text.size()) return {TrimBlanks(text.substr(0, start)), half};
      }
    }
    previous = c;
  }
  return {text, 0};
}

/// True for exactly `count` non-empty runs of digits separated by single separators.
bool IsDigitFields(std::string_view text, char separator, int count) {
  int fields = 0;
  bool inField = false;
  for (char c : text) {
    if (IsDigit(c)) {
      if (!inField) ++fields;
      inField = true;
    } else if (c == separator && inField) {
      inField = false;
    } else {
      return false;
    }
  }
  return inField && fields == count;
}

/// Where one character separates both the fields of a date and those of a time (1.02.2026
/// and 10.30.15), the date forms its users write: three fields, or two fields ended by the
/// separator (1.02.); the latter loses its last separator. Empty when the text is no date.
std::string_view SameSeparatorDate(std::string_view text, char separator) {
  if (IsDigitFields(text, separator, 3)) return text;
  if (text.size() > 1 && text.back() == separator) {
    std::string_view shorter = text.substr(0, text.size() - 1);
    if (IsDigitFields(shorter, separator, 2)) return shorter;
  }
  return {};
}

/// Trims the text and cuts it: before and after the first white space when it holds
/// some; otherwise a time when it holds the time separator and a date when not. Where the
/// locale writes dates and times with one separator, a text in a date form of
/// SameSeparatorDate is a date, unless the caller expects a time. Throws for empty text.
TTextParts SplitText(std::string_view text, const TFormatSettings& settings,
                     TAmbiguousText ambiguous) {
  text = TrimBlanks(text);
  if (text.empty()) throw ConversionError(kInvalidDateTime);
  const char separator = settings.DateSeparator;
  const bool sameSeparator = settings.TimeSeparator == separator;
  std::size_t blank = 0;
  while (blank < text.size() && !IsBlank(text[blank])) ++blank;
  if (blank < text.size()) {
    TTextParts parts{text.substr(0, blank), TrimBlanks(text.substr(blank))};
    if (sameSeparator) {
      std::string_view date = SameSeparatorDate(parts.Date, separator);
      if (!date.empty()) parts.Date = date;
    }
    return parts;
  }
  if (text.find(settings.TimeSeparator) == std::string_view::npos) return {text, {}};
  if (sameSeparator && ambiguous == TAmbiguousText::Date) {
    std::string_view date = SameSeparatorDate(text, separator);
    if (!date.empty()) return {date, {}};
  }
  return {{}, text};
}

/// Milliseconds to three digits: .5 means 500 ms and .123456 means 123 ms. The decimal mark
/// must follow the digits of the seconds. Only the run of digits after it is padded or
/// cut; what follows up to a second mark (an AM/PM suffix) is kept, and a second mark and
/// all after it are dropped, unless the rest is the regional AM/PM text itself ("p.m.").
std::string NormaliseMilliseconds(std::string_view time, const TFormatSettings& settings) {
  std::size_t mark = 0;
  while (mark < time.size() && !IsDecimalMark(time[mark], settings)) ++mark;
  if (mark == time.size() || mark == 0 || !IsDigit(time[mark - 1])) return std::string(time);
  std::string_view rest = time.substr(mark + 1);
  std::size_t fieldEnd = 0;
  while (fieldEnd < rest.size() && !IsDecimalMark(rest[fieldEnd], settings)) ++fieldEnd;
  if (fieldEnd == 0) return std::string(time);
  std::size_t digits = 0;
  while (digits < fieldEnd && IsDigit(rest[digits])) ++digits;
  std::string result(time.substr(0, mark + 1));
  result.append(rest.substr(0, digits));
  result.append("000");
  result.resize(mark + 4);
  std::string_view suffix = rest.substr(digits);
  std::string_view marker = TrimBlanks(suffix);
  bool isAmPm = !marker.empty() &&
                (SameText(marker, settings.TimeAMString) || SameText(marker, settings.TimePMString));
  result.append(isAmPm ? suffix : suffix.substr(0, fieldEnd - digits));
  return result;
}

}  // namespace

int WindowedYear(int twoDigits, int currentYear, int window) {
  int base = currentYear - window;
  int century = base - ((base % 100) + 100) % 100;
  int year = century + twoDigits;
  if (year < base) year += 100;
  return year;
}

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
  return Join((chr::sys_days{ymd} - kDayZero).time_since_epoch().count(), 0);
}

TMilliseconds EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    throw ConversionError(kInvalidTime);
  }
  return chr::hours{hour} + chr::minutes{minute} + chr::seconds{second} +
         TMilliseconds{millisecond};
}

TDateTimeValue CombineDateTime(TDateTimeValue date, TMilliseconds timeOfDay) {
  TSplitValue day = Split(date);
  if (timeOfDay.count() < 0 || timeOfDay.count() >= kMsPerDay) {
    throw ConversionError(kInvalidTime);
  }
  return Join(day.Day, timeOfDay.count());
}

std::int64_t DecodeDateTime(TDateTimeValue value, TDateParts& date, TTimeParts& time) {
  TSplitValue split = Split(value);
  date = CivilDate(split.Day);
  time = ClockTime(split.Ms);
  return split.Day;
}

TDateParts DecodeDate(TDateTimeValue value) { return CivilDate(Split(value).Day); }

TTimeParts DecodeTime(TDateTimeValue value) { return ClockTime(Split(value).Ms); }

TDateTimeValue FromLocalTime(const platform::TLocalTime& time) {
  return CombineDateTime(EncodeDate(time.Year, time.Month, time.Day),
                         EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond));
}

TDateTimeValue TDateTimeValue::FromCalendarStart(TMilliseconds sinceStart) {
  const std::int64_t totalMs = sinceStart.count();
  std::int64_t day = totalMs / kMsPerDay;
  std::int64_t timeOfDay = totalMs % kMsPerDay;
  if (timeOfDay < 0) {
    timeOfDay += kMsPerDay;
    --day;
  }
  // Checked before the shift, so no count can overflow it.
  if (day < kFirstDayNumber + kDayZeroShift || day > kLastDayNumber + kDayZeroShift) {
    throw ConversionError(kInvalidDate);
  }
  return Join(day - kDayZeroShift, timeOfDay);
}

TMilliseconds TDateTimeValue::SinceCalendarStart() const {
  double product = serial_ * static_cast<double>(kMsPerDay);
  // Far beyond years 1 to 9999, but still inside what an int64 holds after the shift.
  constexpr double kLimit = 4.0e18;
  if (!std::isfinite(product) || std::fabs(product) > kLimit) {
    throw ConversionError("Date-time out of range");
  }
  auto t = static_cast<std::int64_t>(product >= 0 ? product + 0.5 : product - 0.5);
  // Before day 0 the integer part is the date and the fraction's magnitude the time of
  // day, so both parts are taken apart before the shift: the result is then a plain
  // millisecond count on both sides of day 0.
  std::int64_t day = t / kMsPerDay;
  std::int64_t timeOfDay = (t < 0 ? -t : t) % kMsPerDay;
  return TMilliseconds{(day + kDayZeroShift) * kMsPerDay + timeOfDay};
}

std::optional<TDateTimeValue> TDateTimeValue::MovedByDays(std::int64_t days) const {
  TSplitValue split = Split(*this);
  // Beyond either end by more than the calendar's length: no sum can come back into it.
  constexpr std::int64_t kSpan = kLastDayNumber - kFirstDayNumber;
  if (days > kSpan || days < -kSpan) return std::nullopt;
  std::int64_t day = split.Day + days;
  if (day < kFirstDayNumber || day > kLastDayNumber) return std::nullopt;
  return Join(day, split.Ms);
}

TDateTimeValue TDateTimeValue::AddDays(std::int64_t days) const {
  const std::optional<TDateTimeValue> moved = MovedByDays(days);
  if (!moved) throw ConversionError(kInvalidDate);
  return *moved;
}

TDateTimeValue TDateTimeValue::AddMs(TMilliseconds span) const {
  std::int64_t target = 0;
  if (__builtin_add_overflow(SinceCalendarStart().count(), span.count(), &target)) {
    throw ConversionError(kInvalidDate);
  }
  return FromCalendarStart(TMilliseconds{target});
}

TDateTimeValue TDateTimeValue::AddMsWithinCalendar(TMilliseconds span) const {
  constexpr std::int64_t kFirst = (kFirstDayNumber + kDayZeroShift) * kMsPerDay;
  constexpr std::int64_t kLast = (kLastDayNumber + kDayZeroShift + 1) * kMsPerDay - 1;
  std::int64_t target = 0;
  if (__builtin_add_overflow(SinceCalendarStart().count(), span.count(), &target)) {
    target = span.count() < 0 ? kFirst : kLast;
  }
  if (target < kFirst) target = kFirst;
  if (target > kLast) target = kLast;
  return FromCalendarStart(TMilliseconds{target});
}

TDateTimeValue TDateTimeValue::DatePart() const { return Join(Split(*this).Day, 0); }

std::int64_t TDateTimeValue::DayNumber() const { return Split(*this).Day; }

TMilliseconds TDateTimeValue::TimeOfDay() const { return TMilliseconds{Split(*this).Ms}; }

TDateTimeValue TDateTimeValue::RoundedToMs() const {
  TSplitValue split = Split(*this);
  return Join(split.Day, split.Ms);
}

TWeekday TDateTimeValue::Weekday() const {
  return TWeekday{chr::weekday{chr::sys_days{kDayZero + chr::days{Split(*this).Day}}}};
}

bool IsDecimalMark(char c, const TFormatSettings& settings) {
  if (c == settings.TimeSeparator) return false;
  return c == settings.DecimalSeparator || c == '.';
}

namespace {

/// The separator between the first two fields of the regional short date as a date is
/// written ("." and a blank in "yyyy. mm. dd."), where that is more than the one date
/// separator character; empty where it is that character.
std::string WrittenDateSeparator(const TFormatSettings& settings) {
  const std::string_view pattern = settings.ShortDatePattern;
  auto isField = [](char c) {
    const char u = UpperAscii(c);
    return u == 'D' || u == 'M' || u == 'Y';
  };
  std::size_t i = 0;
  while (i < pattern.size() && !isField(pattern[i])) ++i;
  while (i < pattern.size() && isField(pattern[i])) ++i;
  std::string written;
  for (; i < pattern.size() && !isField(pattern[i]); ++i) {
    const char c = pattern[i];
    if (c == '"' || c == '\'') continue;
    written += c == '/' ? settings.DateSeparator : c;
  }
  if (written == std::string(1, settings.DateSeparator)) return {};
  return written;
}

/// A date at the start of the text written with the locale's own separator that holds a
/// blank ("2024. 03. 05.", "5. 3. 2024", also without the blanks), with the separator
/// made the one character the date reading knows; the text unchanged otherwise.
std::string WithDateSeparator(std::string text, const TFormatSettings& settings) {
  const std::string written = WrittenDateSeparator(settings);
  std::string bare;
  for (char c : written) {
    if (!IsBlank(c)) bare += c;
  }
  if (written.empty() || bare.empty()) return text;
  // Three runs of digits, each of the first two followed by the separator with or without
  // its blanks; after the third the separator's bare form may end the date.
  auto separatorAt = [&](std::size_t at) -> std::size_t {
    if (text.compare(at, written.size(), written) == 0) return written.size();
    if (text.compare(at, bare.size(), bare) == 0) return bare.size();
    return 0;
  };
  std::string date;
  std::size_t i = 0;
  for (int field = 0; field < 3; ++field) {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == start) return text;
    date.append(text, start, i - start);
    if (field == 2) break;
    const std::size_t length = separatorAt(i);
    if (length == 0) return text;
    date += settings.DateSeparator;
    i += length;
  }
  if (text.compare(i, bare.size(), bare) == 0 &&
      (i + bare.size() == text.size() || IsBlank(text[i + bare.size()]))) {
    i += bare.size();
  }
  return date + text.substr(i);
}

/// The text between the hour and the minute of the regional short time ("h" and blanks in
/// fr_CA's "hh h nn"), where that is more than the one time separator; empty where not.
std::string WrittenTimeSeparator(const TFormatSettings& settings) {
  const std::string_view pattern = settings.ShortTimePattern;
  std::size_t i = 0;
  while (i < pattern.size() && UpperAscii(pattern[i]) != 'H') ++i;
  while (i < pattern.size() && UpperAscii(pattern[i]) == 'H') ++i;
  std::string written;
  bool quoted = false;
  for (; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '"' || c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && UpperAscii(c) == 'N') break;
    if (!quoted && (c >= 'A' && UpperAscii(c) <= 'Z')) return {};  // no minute follows
    written += !quoted && c == ':' ? settings.TimeSeparator : c;
  }
  if (i == pattern.size() || written == std::string(1, settings.TimeSeparator)) return {};
  return written;
}

/// A time written in the locale's short-time form ("10 h 30") with the one time separator
/// the reading knows ("10:30"): the first place where the written separator stands between
/// two digits. The text unchanged otherwise.
std::string WithTimeSeparator(std::string text, const TFormatSettings& settings) {
  const std::string written = WrittenTimeSeparator(settings);
  if (written.empty()) return text;
  for (std::size_t at = 1; at + written.size() < text.size(); ++at) {
    if (IsDigit(text[at - 1]) && IsDigit(text[at + written.size()]) &&
        SameText(std::string_view(text).substr(at, written.size()), written)) {
      return text.replace(at, written.size(), 1, settings.TimeSeparator);
    }
  }
  return text;
}

/// The parts of a typed text: the marks of writing direction dropped, the locale's own date
/// and time separators read, a half-of-day marker taken off wherever it stands, the rest cut into
/// date and time. A marker makes the rest a time (or a date and a time); a text that is a
/// marker and no time does not convert.
struct TTypedText {
  std::string Cleaned;
  THalfOfDay Half;
  TTextParts Parts;

  TTypedText(std::string_view text, const TFormatSettings& settings, TAmbiguousText ambiguous)
      : Cleaned(WithTimeSeparator(
            WithDateSeparator(std::string(TrimBlanks(WithoutDirectionMarks(text))), settings),
            settings)) {
    Half = TakeHalfOfDay(TrimBlanks(Cleaned), settings);
    Parts = SplitText(Half.Rest, settings, Half.Half != 0 ? TAmbiguousText::Time : ambiguous);
    if (Half.Half == 0 && !Parts.Date.empty() && !Parts.Time.empty()) {
      // Between the date and the time, as Korean and Chinese write it.
      const THalfOfDay inner = TakeHalfOfDay(Parts.Time, settings);
      if (inner.Half != 0 && inner.Rest.size() < Parts.Time.size()) {
        Half.Half = inner.Half;
        Parts.Time = inner.Rest;
      }
    }
    if (Half.Half != 0 && Parts.Time.empty()) throw ConversionError(kInvalidTime);
  }
};

}  // namespace

TDateTimeValue StrToDateTime(std::string_view text, const TFormatSettings& settings,
                             TDateTimeValue now) {
  const TTypedText typed(text, settings, TAmbiguousText::Date);
  const TTextParts& parts = typed.Parts;
  std::int64_t day = parts.Date.empty() ? 0 : ParseDatePart(parts.Date, settings, now);
  std::int64_t ms =
      parts.Time.empty() ? 0 : ParseTimePart(parts.Time, settings, typed.Half.Half);
  return Join(day, ms);
}

TDateTimeValue ParseDateTimeArg(std::string_view text, const TFormatSettings& settings,
                                TDateTimeValue now, TAmbiguousText ambiguous) {
  const TTypedText typed(text, settings, ambiguous);
  const TTextParts& parts = typed.Parts;
  std::int64_t ms = 0;
  if (!parts.Time.empty()) {
    ms = ParseTimePart(NormaliseMilliseconds(parts.Time, settings), settings, typed.Half.Half);
  }
  // A time typed without a date means that time today; a date typed as day 0 (12/30/1899)
  // keeps day 0. Decided on the value, so no regional spelling of day 0 can be missed.
  std::int64_t day = parts.Date.empty() ? Split(now).Day : ParseDatePart(parts.Date, settings, now);
  return Join(day, ms);
}

}  // namespace zentrel
