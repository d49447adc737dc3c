#include "durations/duration_format.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/text.h"
#include "core/time_units.h"
#include "core/value_format.h"

namespace zentrel {
namespace {

/// "00" to "99", two bytes each.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

/// How many decimal digits value has.
inline unsigned DecimalDigits(std::uint64_t value) {
  unsigned count = 1;
  std::uint64_t power = 10;
  while (count < 20 && value >= power) {
    ++count;
    power *= 10;  // wraps only past 10^19, when the loop ends
  }
  return count;
}

/// Writes the decimal digits of value backwards from end, two at a time and in 32 bits
/// once the rest fits (a running total of minutes has seven digits); returns the first.
inline char* WriteDigitsBackwards(char* end, std::uint64_t value) {
  char* p = end;
  while (value > UINT32_MAX) {
    const auto pair = static_cast<unsigned>(value % 100);
    value /= 100;
    p -= 2;
    std::memcpy(p, &kDigitPairs[2 * pair], 2);
  }
  auto rest = static_cast<std::uint32_t>(value);
  while (rest >= 100) {
    const unsigned pair = rest % 100;
    rest /= 100;
    p -= 2;
    std::memcpy(p, &kDigitPairs[2 * pair], 2);
  }
  if (rest >= 10) {
    p -= 2;
    std::memcpy(p, &kDigitPairs[2 * rest], 2);
  } else {
    *--p = static_cast<char>('0' + rest);
  }
  return p;
}

}  // namespace

char* WriteDecimal(char* out, std::uint64_t value) {
  char* const end = out + DecimalDigits(value);
  WriteDigitsBackwards(end, value);
  return end;
}

namespace {

/// The part of a duration a segment shows, each computed from the milliseconds with
/// division that truncates toward zero (months count 30 days).
enum class TDurationUnit : std::uint8_t {
  Months, Weeks, Days, TotalHours, Hours, TotalMinutes, Minutes, TotalSeconds, Seconds,
  Milliseconds, TotalMilliseconds,
};
using U = TDurationUnit;

/// One pattern, compiled: each segment is literal text followed by one part, then the text
/// after the last part. Used as a template argument, so everything in it is public.
struct TDurationPattern {
  static constexpr std::size_t kLiteralMax = 15;
  struct TLiteral {
    std::array<char, kLiteralMax + 1> Bytes{};  ///< one spare byte: copied 16 at a time
    std::uint8_t Size = 0;
  };
  struct TSegment {
    TLiteral Before;
    TDurationUnit Unit = TDurationUnit::TotalMilliseconds;
    std::uint8_t Width = 0;      ///< "%3d": blank padding on the left up to 3 columns
    std::uint8_t Precision = 0;  ///< "%.3d": zero padding up to 3 digits
  };
  std::array<TSegment, 5> Segments{};
  std::uint8_t Count = 0;
  TLiteral After;
};

/// The two patterns of a row.
struct TCompiledRow {
  TDurationPattern Zero;  ///< used when the first part is 0, if HasZero
  bool HasZero = false;
  TDurationPattern Full;
};

/// One named format as written: when ZeroPattern is not empty and the first part is 0,
/// ZeroPattern is filled with the remaining parts (the leading unit is blanked out);
/// otherwise Pattern is filled with all of them. Pattern holds one conversion per unit.
struct TFormatRow {
  std::string_view Name;
  std::string_view ZeroPattern;
  std::string_view Pattern;
  std::array<TDurationUnit, 5> Units;
};

// The order is the order the help screen lists the names in.
constexpr std::array<TFormatRow, 63> kFormats{{
    {"months", "", "%d", {U::Months}},
    {"weeks", "", "%d", {U::Weeks}},
    {"days", "", "%d", {U::Days}},
    {"hours", "", "%d", {U::TotalHours}},
    {"seconds", "", "%d", {U::TotalSeconds}},
    {"mseconds", "", "%d", {U::TotalMilliseconds}},
    {"min:sec.ms", "", "%.2d:%.2d.%.3d", {U::TotalMinutes, U::Seconds, U::Milliseconds}},
    {"min:sec", "", "%.2d:%.2d", {U::TotalMinutes, U::Seconds}},
    {"minutes", "", "%d", {U::TotalMinutes}},
    {"0000:sec.ms", "", "%.4d:%.2d.%.3d", {U::TotalMinutes, U::Seconds, U::Milliseconds}},
    {"0000:sec", "", "%.4d:%.2d", {U::TotalMinutes, U::Seconds}},
    {"0000", "", "%.4d", {U::TotalMinutes}},
    {"####:sec.ms", "    %.2d.%.3d", "%4d:%.2d.%.3d", {U::TotalMinutes, U::Seconds, U::Milliseconds}},
    {"####:sec", "    %.2d", "%4d:%.2d", {U::TotalMinutes, U::Seconds}},
    {"####", "", "%d", {U::TotalMinutes}},
    {"hr:min:sec.ms", "", "%.2d:%.2d:%.2d.%.3d", {U::TotalHours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"hr:min:sec", "", "%.2d:%.2d:%.2d", {U::TotalHours, U::Minutes, U::Seconds}},
    {"hr:min", "", "%.2d:%.2d", {U::TotalHours, U::Minutes}},
    {"000:min:sec.ms", "", "%.3d:%.2d:%.2d.%.3d", {U::TotalHours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"000:min:sec", "", "%.3d:%.2d:%.2d", {U::TotalHours, U::Minutes, U::Seconds}},
    {"000:min", "", "%.3d:%.2d", {U::TotalHours, U::Minutes}},
    {"###:min:sec.ms", "    %2d:%.2d.%.3d", "%3d:%.2d:%.2d.%.3d",
     {U::TotalHours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"###:min:sec", "    %2d:%.2d", "%3d:%.2d:%.2d", {U::TotalHours, U::Minutes, U::Seconds}},
    {"###:min", "    %2d", "%3d:%.2d", {U::TotalHours, U::Minutes}},
    {"dd hr:min:sec.ms", "", "%2d %.2d:%.2d:%.2d.%.3d", {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"dd hr:min:sec", "", "%2d %.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"dd hr:min", "", "%2d %.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"00 hr:min:sec.ms", "", "%.2d %.2d:%.2d:%.2d.%.3d", {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"00 hr:min:sec", "", "%.2d %.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"00 hr:min", "", "%.2d %.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"## hr:min:sec.ms", "   %2d:%.2d:%.2d.%.3d", "%2d %.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"## hr:min:sec", "   %2d:%.2d:%.2d", "%2d %.2d:%.2d:%.2d",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"## hr:min", "   %2d:%.2d", "%2d %.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"dd:hr:min:sec.ms", "", "%2d:%.2d:%.2d:%.2d.%.3d", {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"dd:hr:min:sec", "", "%2d:%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"dd:hr:min", "", "%2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"00:hr:min:sec.ms", "", "%.2d:%.2d:%.2d:%.2d.%.3d", {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"00:hr:min:sec", "", "%.2d:%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"00:hr:min", "", "%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"##:hr:min:sec.ms", "   %2d:%.2d:%.2d.%.3d", "%2d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"##:hr:min:sec", "   %2d:%.2d:%.2d", "%2d:%.2d:%.2d:%.2d",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"##:hr:min", "   %2d:%.2d", "%2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"000:hr:min:sec.ms", "", "%.3d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"000:hr:min:sec", "", "%.3d:%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"000:hr:min", "", "%.3d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"###:hr:min:sec.ms", "    %2d:%.2d:%.2d.%.3d", "%3d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"###:hr:min:sec", "    %2d:%.2d:%.2d", "%3d:%.2d:%.2d:%.2d",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"###:hr:min", "    %2d:%.2d", "%3d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"dddd:hr:min:sec.ms", "", "%4d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"dddd:hr:min:sec", "", "%4d:%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"dddd:hr:min", "", "%4d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"0000:hr:min:sec.ms", "", "%.4d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"0000:hr:min:sec", "", "%.4d:%.2d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"0000:hr:min", "", "%.4d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"####:hr:min:sec.ms", "     %2d:%.2d:%.2d.%.3d", "%4d:%.2d:%.2d:%.2d.%.3d",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"####:hr:min:sec", "     %2d:%.2d:%.2d", "%4d:%.2d:%.2d:%.2d",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"####:hr:min", "     %2d:%.2d", "%4d:%.2d:%.2d", {U::Days, U::Hours, U::Minutes}},
    {"dys hrs mins secs.ms", "", "%d dy %.2d hr %.2d min %.2d.%.3d sec",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"dys hrs mins secs", "", "%d dy %.2d hr %.2d min %.2d sec",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"dys hrs mins", "", "%d dy %.2d hr %.2d min", {U::Days, U::Hours, U::Minutes}},
    {"days hours mins secs.ms", "", "%d day(s) %.2d hour(s) %.2d minute(s) %.2d.%.3d second(s)",
     {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}},
    {"days hours mins secs", "", "%d day(s) %.2d hour(s) %.2d minute(s) %.2d second(s)",
     {U::Days, U::Hours, U::Minutes, U::Seconds}},
    {"days hours mins", "", "%d day(s) %.2d hour(s) %.2d minute(s)", {U::Days, U::Hours, U::Minutes}},
}};

/// The rendering for a name that is none of the table's.
constexpr TFormatRow kDefaultRow{
    "", "  %.2d:%.2d:%.2d.%.3d", "%d %.2d:%.2d:%.2d.%.3d",
    {U::Days, U::Hours, U::Minutes, U::Seconds, U::Milliseconds}};

constexpr std::string_view kStoredTextFormat = "###:min:sec.ms";

/// A build error, not a run-time one: reached only while a pattern is compiled.
void PatternError(const char*) {}

constexpr std::uint8_t ReadCount(std::string_view pattern, std::size_t& pos) {
  unsigned count = 0;
  while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
    count = count * 10 + static_cast<unsigned>(pattern[pos++] - '0');
  }
  if (count > 20) PatternError("width or precision too large");
  return static_cast<std::uint8_t>(count);
}

constexpr void AddLiteral(TDurationPattern::TLiteral& literal, char c) {
  if (literal.Size == TDurationPattern::kLiteralMax) PatternError("literal too long");
  literal.Bytes[literal.Size++] = c;
}

/// Reads the conversions "%d", "%Nd", "%.Nd" and "%%" of a pattern, filled with the units
/// given in order; anything else is literal text.
constexpr TDurationPattern Compile(std::string_view pattern, std::span<const TDurationUnit> units) {
  TDurationPattern compiled;
  TDurationPattern::TLiteral literal;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos++];
    if (c != '%') {
      AddLiteral(literal, c);
      continue;
    }
    if (pos < pattern.size() && pattern[pos] == '%') {
      AddLiteral(literal, '%');
      ++pos;
      continue;
    }
    const bool precision = pos < pattern.size() && pattern[pos] == '.';
    if (precision) ++pos;
    const std::uint8_t count = ReadCount(pattern, pos);
    if (pos == pattern.size() || pattern[pos] != 'd') PatternError("not a conversion");
    ++pos;
    if (compiled.Count == units.size()) PatternError("more conversions than units");
    TDurationPattern::TSegment& segment = compiled.Segments[compiled.Count];
    segment.Before = literal;
    segment.Unit = units[compiled.Count++];
    segment.Width = precision ? 0 : count;
    segment.Precision = precision ? count : 0;
    literal = TDurationPattern::TLiteral();
  }
  if (compiled.Count != units.size()) PatternError("fewer conversions than units");
  compiled.After = literal;
  return compiled;
}

constexpr std::size_t CountConversions(std::string_view pattern) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
    } else {
      ++count;
    }
  }
  return count;
}

constexpr TCompiledRow CompileRow(const TFormatRow& row) {
  const std::size_t count = CountConversions(row.Pattern);
  const std::span<const TDurationUnit> units(row.Units.data(), count);
  TCompiledRow compiled;
  compiled.HasZero = !row.ZeroPattern.empty();
  if (compiled.HasZero) compiled.Zero = Compile(row.ZeroPattern, units.subspan(1));
  compiled.Full = Compile(row.Pattern, units);
  return compiled;
}

// Compiled while the program is built: a pattern that cannot be read does not compile.
constexpr std::array<TCompiledRow, kFormats.size()> kCompiledRows = [] {
  std::array<TCompiledRow, kFormats.size()> rows{};
  for (std::size_t i = 0; i < kFormats.size(); ++i) rows[i] = CompileRow(kFormats[i]);
  return rows;
}();
constexpr TCompiledRow kCompiledDefault = CompileRow(kDefaultRow);

constexpr std::array<std::string_view, kFormats.size()> kNames = [] {
  std::array<std::string_view, kFormats.size()> names{};
  for (std::size_t i = 0; i < kFormats.size(); ++i) names[i] = kFormats[i].Name;
  return names;
}();

/// The part of the duration; remainders keep the sign of ms, as the breakdown of a day
/// count plus what is left over does. T is std::int64_t, or std::uint64_t for a count known
/// not to be negative, whose divisions are cheaper.
template <typename T>
[[gnu::always_inline]] inline std::int64_t PartOf(T ms, TDurationUnit unit) {
  constexpr T second = kMsPerSecond, minute = kMsPerMinute, hour = kMsPerHour, day = kMsPerDay;
  T part = ms;
  switch (unit) {
    case U::Months: part = ms / day / 30; break;
    case U::Weeks: part = ms / day / 7; break;
    case U::Days: part = ms / day; break;
    case U::TotalHours: part = ms / hour; break;
    case U::Hours: part = ms % day / hour; break;
    case U::TotalMinutes: part = ms / minute; break;
    case U::Minutes: part = ms % hour / minute; break;
    case U::TotalSeconds: part = ms / second; break;
    case U::Seconds: part = ms % minute / second; break;
    case U::Milliseconds: part = ms % second; break;
    case U::TotalMilliseconds: break;
  }
  return static_cast<std::int64_t>(part);
}

// Each of the 63 patterns inlines its own copy of the writers below, where the optimiser
// folds their branches to constants; an unoptimised coverage build would count every copy's
// branches, some 16,000 that no pattern can take, so its branch count leaves them out.
// GCOVR_EXCL_BR_START
/// Writes the literal (16 bytes are stored, Size count).
[[gnu::always_inline]] inline char* PutLiteral(char* out, const TDurationPattern::TLiteral& literal) {
  if (literal.Size == 0) return out;
  std::memcpy(out, literal.Bytes.data(), sizeof literal.Bytes);
  return out + literal.Size;
}

/// Writes value as printf's "%<width>d" or "%.<precision>d" does; nothing is ever cut.
/// Inlined with constant width and precision, most of the branches fold away.
[[gnu::always_inline]] inline char* PutInteger(char* out, std::int64_t value, unsigned width, unsigned precision) {
  if (value >= 0 && value < 1000 && width <= 3 && precision <= 3) {  // the usual clock part
    const unsigned v = static_cast<unsigned>(value);
    const unsigned digits = v < 10 ? 1 : v < 100 ? 2 : 3;
    const unsigned shown = precision > digits ? precision : digits;
    for (unsigned i = shown; i < width; ++i) *out++ = ' ';
    char* p = out + shown;
    *--p = static_cast<char>('0' + v % 10);
    if (shown >= 2) *--p = static_cast<char>('0' + v / 10 % 10);
    if (shown == 3) *--p = static_cast<char>('0' + v / 100);
    return out + shown;
  }
  const std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                            : static_cast<std::uint64_t>(value);
  const unsigned count = DecimalDigits(magnitude);
  const unsigned zeros = precision > count ? precision - count : 0;
  const unsigned length = zeros + count + (value < 0 ? 1 : 0);
  for (unsigned i = length; i < width; ++i) *out++ = ' ';
  if (value < 0) *out++ = '-';
  for (unsigned i = 0; i < zeros; ++i) *out++ = '0';
  WriteDigitsBackwards(out + count, magnitude);
  return out + count;
}

/// The writer of one compiled pattern: its segments are constants here, so the loop over
/// them unrolls and every part's division and padding is fixed.
template <TDurationPattern P, typename T>
char* WritePattern(char* out, T ms) {
  [&]<std::size_t... S>(std::index_sequence<S...>) {
    ((out = PutInteger(PutLiteral(out, P.Segments[S].Before), PartOf(ms, P.Segments[S].Unit),
                       P.Segments[S].Width, P.Segments[S].Precision)),
     ...);
  }(std::make_index_sequence<P.Count>());
  return PutLiteral(out, P.After);
}
// GCOVR_EXCL_BR_STOP

/// Row I of kCompiledRows, or the default rendering for I past its end.
template <std::size_t I>
constexpr const TCompiledRow& CompiledRow() {
  if constexpr (I < kCompiledRows.size()) {
    return kCompiledRows[I];
  } else {
    return kCompiledDefault;
  }
}

template <std::size_t I, typename T>
char* WriteRowAs(char* out, T ms) {
  constexpr const TCompiledRow& row = CompiledRow<I>();
  if constexpr (row.HasZero) {
    if (PartOf(ms, row.Full.Segments[0].Unit) == 0) return WritePattern<row.Zero>(out, ms);
  }
  return WritePattern<row.Full>(out, ms);
}

/// The writer of row I (see CompiledRow).
template <std::size_t I>
char* WriteRow(char* out, std::int64_t ms) {
  if (ms >= 0) return WriteRowAs<I>(out, static_cast<std::uint64_t>(ms));
  return WriteRowAs<I>(out, ms);
}

template <std::size_t... I>
constexpr std::array<TDurationFormat, sizeof...(I)> MakeFormats(std::index_sequence<I...>) {
  return {TDurationFormat(kFormats[I].Name, &WriteRow<I>)...};
}

constexpr std::array<TDurationFormat, kFormats.size()> kCompiled =
    MakeFormats(std::make_index_sequence<kFormats.size()>());
constexpr TDurationFormat kDefaultFormat("", &WriteRow<kCompiledRows.size()>);

}  // namespace

void TDurationFormat::AppendTo(std::string& out, std::int64_t ms) const {
  char buffer[kMaxSize + kSlack];
  out.append(buffer, Write(buffer, ms));
}

std::string TDurationFormat::Format(std::int64_t ms) const {
  std::string out;
  AppendTo(out, ms);
  return out;
}

const TDurationFormat& FindDurationFormat(std::string_view name) {
  for (const TDurationFormat& format : kCompiled) {
    if (SameText(format.Name(), name)) return format;
  }
  return kDefaultFormat;
}

std::span<const std::string_view> DurationFormatNames() { return kNames; }

bool IsDurationFormatName(std::string_view name) {
  return &FindDurationFormat(name) != &kDefaultFormat;
}

std::string FormatDuration(const TDurationRec& record, std::string_view name) {
  return FindDurationFormat(name).Format(record.TotalMilliseconds());
}

std::string FormatDurationText(std::string_view durationText, std::string_view name,
                               TZeroMode zeroMode) {
  return FormatDuration(ParseDuration(durationText, zeroMode),
                        name.empty() ? kStoredTextFormat : name);
}

}  // namespace zentrel
