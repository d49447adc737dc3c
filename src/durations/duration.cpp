#include "durations/duration.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/value_format.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

constexpr size_t kMaxTextLength = 255;

constexpr std::string_view kRecordTextPattern = "%.2d:%.2d:%.2d:%.2d.%.3d";
constexpr std::string_view kOffsetTextPattern = "%.2d:%.2d:%.2d.%.3d [hr:min:sec.ms] ";
constexpr std::string_view kInvalidDurationLine = " *** Invalid Duration Provided... ";
constexpr std::string_view kMaxDurationLine = " *** Max duration allowed........ ";
constexpr std::string_view kMaxDurationText = ":59:59.999 [hr:min:sec.ms]";
constexpr std::int32_t kMaxOffsetHours = 999;
constexpr std::int32_t kMaxOffsetMinutes = 59;
constexpr std::int32_t kMaxOffsetSeconds = 59;
constexpr std::int32_t kMaxOffsetMilliseconds = 999;

/// The non-empty runs of the text between any of the separator characters.
std::vector<std::string_view> Runs(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> runs;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || separators.find(text[i]) != std::string_view::npos) {
      if (i > start) runs.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return runs;
}

/// Number of non-empty runs of characters between the characters that isSeparator picks.
template <typename Separator>
size_t CountRunsBetween(std::string_view text, Separator isSeparator) {
  size_t count = 0;
  bool inRun = false;
  for (char c : text) {
    if (isSeparator(c)) {
      inRun = false;
    } else if (!inRun) {
      inRun = true;
      ++count;
    }
  }
  return count;
}

size_t CountRuns(std::string_view text, char separator) {
  return CountRunsBetween(text, [separator](char c) { return c == separator; });
}

std::string_view RunOrEmpty(const std::vector<std::string_view>& runs, size_t index) {
  return index < runs.size() ? runs[index] : std::string_view();
}

/// A stored duration field: leading blanks skipped, an optional sign, decimal digits only,
/// signed 32-bit range. Anything else does not convert.
std::optional<std::int32_t> ReadStoredField(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

/// An offset field: decimal digits only (an empty field reads 0), signed 32-bit range.
std::int32_t ReadOffsetField(std::string_view text) {
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      throw ConversionError("Invalid duration field: \"" + std::string(text) + "\"");
    }
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) {
      throw ConversionError("Duration field out of range: \"" + std::string(text) + "\"");
    }
  }
  return static_cast<std::int32_t>(value);
}

/// Sixty times 0.ddd, rounded to the nearest integer with exact halves to the even one;
/// in integers so that 0.125 and 0.375 round the same on every platform.
std::int32_t SixtiethsOfThousandths(std::int32_t thousandths) {
  std::int32_t scaled = thousandths * 3;  // 0.ddd x 60 = ddd x 3 / 50
  std::int32_t quotient = scaled / 50;
  std::int32_t twiceRemainder = (scaled % 50) * 2;
  if (twiceRemainder > 50 || (twiceRemainder == 50 && quotient % 2 != 0)) ++quotient;
  return quotient;
}

/// Where each offset component comes from: a field counted from the front or the back, the
/// sixtieths of the fraction, or its thousandths.
enum class TOffsetSource { Zero, F1, F2, F3, ThirdLast, SecondLast, Last, FracTimes60, Ms };

/// Hours, minutes, seconds and milliseconds of an offset, by unit mode (Hours, Minutes,
/// Seconds) and by field count (1, 2, 3 or more). Hours mode reads the first three fields,
/// Minutes mode the first two, Seconds mode the last three.
using S = TOffsetSource;
constexpr std::array<std::array<std::array<TOffsetSource, 4>, 3>, 3> kOffsetLayout{{
    // Hours
    {{{S::F1, S::FracTimes60, S::Zero, S::Zero},
      {S::F1, S::F2, S::FracTimes60, S::Zero},
      {S::F1, S::F2, S::F3, S::Ms}}},
    // Minutes
    {{{S::Zero, S::F1, S::FracTimes60, S::Zero},
      {S::Zero, S::F1, S::F2, S::Ms},
      {S::Zero, S::F1, S::F2, S::Ms}}},
    // Seconds
    {{{S::Zero, S::Zero, S::F1, S::Ms},
      {S::Zero, S::F1, S::F2, S::Ms},
      {S::ThirdLast, S::SecondLast, S::Last, S::Ms}}},
}};

/// Pads to n fields separated by `separator`: with a fraction the given fields are the
/// least significant ones ("00:" in front), without one the most significant (":00" behind).
std::string PadFields(std::string_view text, int n, bool hasFraction, char separator,
                      int fields) {
  std::string result(text);
  const char zeros[] = {'0', '0'};
  // Each field added in front or behind adds exactly one run, so the count is known.
  for (int i = fields; i < n; ++i) {
    if (hasFraction) {
      result.insert(result.begin(), separator);
      result.insert(0, zeros, 2);
    } else {
      result.push_back(separator);
      result.append(zeros, 2);
    }
  }
  return result;
}

}  // namespace

std::int64_t MsBetween(TDateTimeValue a, TDateTimeValue b) {
  std::int64_t d = (a.SinceCalendarStart() - b.SinceCalendarStart()).count();
  return d < 0 ? -d : d;
}

TDurationRec DurationFromMs(std::int64_t milliseconds) {
  return TDurationRec{TMilliseconds{milliseconds}};
}

std::string TDurationRec::Text() const {
  const std::array<std::int64_t, 5> parts{Days(), Hours(), Minutes(), Seconds(), Milliseconds()};
  std::string text = FormatIntegers(kRecordTextPattern, parts);
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  return text;
}

TDurationBetween DurationBetween(TDateTimeValue a, TDateTimeValue b) {
  TDurationBetween result;
  // Both values are limited to the whole milliseconds their texts show, so the duration
  // agrees with what a label prints.
  result.ValueA = a.RoundedToMs();
  result.ValueB = b.RoundedToMs();
  result.Record = DurationFromMs(MsBetween(result.ValueA, result.ValueB));
  return result;
}

std::string PadDurationFields(std::string_view text, int n) {
  return PadFields(text, n, CountRuns(text, '.') >= 2, ':', static_cast<int>(CountRuns(text, ':')));
}

std::string PadClockFields(std::string_view text, int n, const TFormatSettings& settings) {
  // The clock is what follows the first blanks, or the whole text: a date in front of it
  // may be written with "." between its fields.
  std::string_view clock = text;
  std::size_t blank = clock.find_first_of(" \t");
  if (blank != std::string_view::npos) {
    std::size_t start = clock.find_first_not_of(" \t", blank);
    clock.remove_prefix(start == std::string_view::npos ? clock.size() : start);
  }
  const size_t fractionRuns =
      CountRunsBetween(clock, [&settings](char c) { return IsDecimalMark(c, settings); });
  return PadFields(text, n, fractionRuns >= 2, settings.TimeSeparator,
                   static_cast<int>(CountRuns(clock, settings.TimeSeparator)));
}

TDurationRec ParseDuration(std::string_view text, TZeroMode zeroMode) {
  const std::string s = PadDurationFields(text, 4);
  const auto colonRuns = Runs(s, ":");
  const auto allRuns = Runs(s, ":.");
  const auto dotRuns = Runs(s, ".");

  // Days, hours, minutes, seconds, milliseconds, checked in that order. The milliseconds
  // are the digits after the dot read as an integer, so ".5" is 5 ms and ".1500" 1.5 s.
  const std::array<std::string_view, 4> fieldTexts{
      RunOrEmpty(colonRuns, 0), RunOrEmpty(colonRuns, 1), RunOrEmpty(colonRuns, 2),
      RunOrEmpty(allRuns, 3)};
  std::array<std::int64_t, 5> fields{};
  for (size_t i = 0; i < fields.size(); ++i) {
    std::optional<std::int32_t> value;
    if (i < fieldTexts.size()) {
      value = ReadStoredField(fieldTexts[i]);
    } else {
      value = dotRuns.size() >= 2 ? ReadStoredField(dotRuns[1]) : std::optional<std::int32_t>(0);
    }
    // -1 is what an unreadable field used to turn into, so it counts as unreadable too.
    if (!value || *value == -1) {
      if (zeroMode == TZeroMode::ZeroAll) return TDurationRec{};
      value = 0;
    }
    fields[i] = *value;
  }
  // Every field fits in 32 bits, so the sum stays far inside 64 bits.
  const std::int64_t total = fields[0] * kMsPerDay + fields[1] * kMsPerHour +
                             fields[2] * kMsPerMinute + fields[3] * kMsPerSecond + fields[4];
  return DurationFromMs(total);
}

TDurationRec AddDurations(const TDurationRec& a, const TDurationRec& b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a.TotalMilliseconds(), b.TotalMilliseconds(), &sum)) {
    throw ConversionError("Duration out of range");
  }
  return DurationFromMs(sum);
}

TDurationRec DurationDifference(const TDurationRec& a, const TDurationRec& b) {
  const bool aLarger = a.TotalMilliseconds() >= b.TotalMilliseconds();
  const std::int64_t larger = aLarger ? a.TotalMilliseconds() : b.TotalMilliseconds();
  const std::int64_t smaller = aLarger ? b.TotalMilliseconds() : a.TotalMilliseconds();
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(larger, smaller, &difference)) {
    throw ConversionError("Duration out of range");
  }
  return DurationFromMs(difference);
}

std::int64_t TOffsetDuration::TotalMilliseconds() const {
  return std::int64_t{Hours} * kMsPerHour + std::int64_t{Minutes} * kMsPerMinute +
         std::int64_t{Seconds} * kMsPerSecond + Milliseconds;
}

TOffsetParse ParseOffsetDuration(std::string_view text, TTimeUnits mode) {
  const auto dotRuns = Runs(text, ".");
  const std::string_view fraction = RunOrEmpty(dotRuns, 1);
  const size_t n = dotRuns.empty() ? 0 : CountRuns(text, ':');

  // Every field must be a whole number, also those the mode does not use.
  const auto fieldTexts = Runs(text, ":.");
  std::vector<std::int32_t> fields;
  fields.reserve(fieldTexts.size());
  for (std::string_view field : fieldTexts) fields.push_back(ReadOffsetField(field));
  auto field = [&](size_t k) -> std::int32_t {  // 1-based; a missing field reads 0
    return k >= 1 && k <= fields.size() ? fields[k - 1] : 0;
  };

  // The first three digits of the fraction as thousandths: .5 is 500, .7305 is 730.
  const std::int32_t ms = ReadOffsetField((std::string(fraction) + "000").substr(0, 3));
  const std::int32_t fracTimes60 = fraction.empty() ? 0 : SixtiethsOfThousandths(ms);

  if (mode != TTimeUnits::Hours && mode != TTimeUnits::Minutes && mode != TTimeUnits::Seconds) {
    mode = fraction.empty() ? TTimeUnits::Hours : TTimeUnits::Seconds;
  }

  TOffsetDuration d;
  if (n > 0) {
    const size_t column = n >= 3 ? 2 : n - 1;
    // Hours, Minutes and Seconds follow each other in TTimeUnits.
    const size_t row = static_cast<size_t>(mode) - static_cast<size_t>(TTimeUnits::Hours);
    const auto& cell = kOffsetLayout[row][column];
    auto pick = [&](TOffsetSource source) -> std::int32_t {
      switch (source) {
        case TOffsetSource::Zero: return 0;
        case TOffsetSource::F1: return field(1);
        case TOffsetSource::F2: return field(2);
        case TOffsetSource::F3: return field(3);
        case TOffsetSource::ThirdLast: return field(n - 2);
        case TOffsetSource::SecondLast: return field(n - 1);
        case TOffsetSource::Last: return field(n);
        case TOffsetSource::FracTimes60: return fracTimes60;
        case TOffsetSource::Ms: return ms;
      }
      return 0;
    };
    d = {pick(cell[0]), pick(cell[1]), pick(cell[2]), pick(cell[3])};
  }

  const std::array<std::int64_t, 4> unclamped{d.Hours, d.Minutes, d.Seconds, d.Milliseconds};
  const std::string unclampedText = FormatIntegers(kOffsetTextPattern, unclamped);
  TOffsetParse parse;
  // Each component above its limit gives its own pair of lines, all of the same two texts.
  auto clamp = [&](std::int32_t& component, std::int32_t limit) {
    if (component <= limit) return;
    component = limit;
    parse.Warnings.push_back(
        {{std::string(kInvalidDurationLine) + unclampedText,
          std::string(kMaxDurationLine) + std::to_string(kMaxOffsetHours) +
              std::string(kMaxDurationText)},
         TExitCode::MismatchedParameters});
  };
  clamp(d.Hours, kMaxOffsetHours);
  clamp(d.Minutes, kMaxOffsetMinutes);
  clamp(d.Seconds, kMaxOffsetSeconds);
  clamp(d.Milliseconds, kMaxOffsetMilliseconds);
  parse.Offset = d;
  return parse;
}

}  // namespace zentrel
