#include "durations/duration_format.h"

#include <array>

#include "core/text.h"

namespace zentrel {
namespace {

using TField = std::int64_t TDurationRec::*;

constexpr TField kMonths = &TDurationRec::Months;
constexpr TField kWeeks = &TDurationRec::Weeks;
constexpr TField kDays = &TDurationRec::Days;
constexpr TField kTotalHours = &TDurationRec::TotalHours;
constexpr TField kHours = &TDurationRec::Hours;
constexpr TField kTotalMinutes = &TDurationRec::TotalMinutes;
constexpr TField kMinutes = &TDurationRec::Minutes;
constexpr TField kTotalSeconds = &TDurationRec::TotalSeconds;
constexpr TField kSeconds = &TDurationRec::Seconds;
constexpr TField kMs = &TDurationRec::Milliseconds;
constexpr TField kTotalMs = &TDurationRec::TotalMilliseconds;

/// One named format. When ZeroPattern is not empty and the first field is 0, ZeroPattern is
/// filled with the remaining fields (the leading unit is blanked out); otherwise Pattern is
/// filled with all of them.
struct TFormatRow {
  std::string_view Name;
  std::string_view ZeroPattern;
  std::string_view Pattern;
  std::array<TField, 5> Fields;
};

// The order is the order the help screen lists the names in.
constexpr std::array<TFormatRow, 63> kFormats{{
    {"months", "", "%d", {kMonths}},
    {"weeks", "", "%d", {kWeeks}},
    {"days", "", "%d", {kDays}},
    {"hours", "", "%d", {kTotalHours}},
    {"seconds", "", "%d", {kTotalSeconds}},
    {"mseconds", "", "%d", {kTotalMs}},
    {"min:sec.ms", "", "%.2d:%.2d.%.3d", {kTotalMinutes, kSeconds, kMs}},
    {"min:sec", "", "%.2d:%.2d", {kTotalMinutes, kSeconds}},
    {"minutes", "", "%d", {kTotalMinutes}},
    {"0000:sec.ms", "", "%.4d:%.2d.%.3d", {kTotalMinutes, kSeconds, kMs}},
    {"0000:sec", "", "%.4d:%.2d", {kTotalMinutes, kSeconds}},
    {"0000", "", "%.4d", {kTotalMinutes}},
    {"####:sec.ms", "    %.2d.%.3d", "%4d:%.2d.%.3d", {kTotalMinutes, kSeconds, kMs}},
    {"####:sec", "    %.2d", "%4d:%.2d", {kTotalMinutes, kSeconds}},
    {"####", "", "%d", {kTotalMinutes}},
    {"hr:min:sec.ms", "", "%.2d:%.2d:%.2d.%.3d", {kTotalHours, kMinutes, kSeconds, kMs}},
    {"hr:min:sec", "", "%.2d:%.2d:%.2d", {kTotalHours, kMinutes, kSeconds}},
    {"hr:min", "", "%.2d:%.2d", {kTotalHours, kMinutes}},
    {"000:min:sec.ms", "", "%.3d:%.2d:%.2d.%.3d", {kTotalHours, kMinutes, kSeconds, kMs}},
    {"000:min:sec", "", "%.3d:%.2d:%.2d", {kTotalHours, kMinutes, kSeconds}},
    {"000:min", "", "%.3d:%.2d", {kTotalHours, kMinutes}},
    {"###:min:sec.ms", "    %2d:%.2d.%.3d", "%3d:%.2d:%.2d.%.3d",
     {kTotalHours, kMinutes, kSeconds, kMs}},
    {"###:min:sec", "    %2d:%.2d", "%3d:%.2d:%.2d", {kTotalHours, kMinutes, kSeconds}},
    {"###:min", "    %2d", "%3d:%.2d", {kTotalHours, kMinutes}},
    {"dd hr:min:sec.ms", "", "%2d %.2d:%.2d:%.2d.%.3d", {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"dd hr:min:sec", "", "%2d %.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"dd hr:min", "", "%2d %.2d:%.2d", {kDays, kHours, kMinutes}},
    {"00 hr:min:sec.ms", "", "%.2d %.2d:%.2d:%.2d.%.3d", {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"00 hr:min:sec", "", "%.2d %.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"00 hr:min", "", "%.2d %.2d:%.2d", {kDays, kHours, kMinutes}},
    {"## hr:min:sec.ms", "   %2d:%.2d:%.2d.%.3d", "%2d %.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"## hr:min:sec", "   %2d:%.2d:%.2d", "%2d %.2d:%.2d:%.2d",
     {kDays, kHours, kMinutes, kSeconds}},
    {"## hr:min", "   %2d:%.2d", "%2d %.2d:%.2d", {kDays, kHours, kMinutes}},
    {"dd:hr:min:sec.ms", "", "%2d:%.2d:%.2d:%.2d.%.3d", {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"dd:hr:min:sec", "", "%2d:%.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"dd:hr:min", "", "%2d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"00:hr:min:sec.ms", "", "%.2d:%.2d:%.2d:%.2d.%.3d", {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"00:hr:min:sec", "", "%.2d:%.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"00:hr:min", "", "%.2d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"##:hr:min:sec.ms", "   %2d:%.2d:%.2d.%.3d", "%2d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"##:hr:min:sec", "   %2d:%.2d:%.2d", "%2d:%.2d:%.2d:%.2d",
     {kDays, kHours, kMinutes, kSeconds}},
    {"##:hr:min", "   %2d:%.2d", "%2d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"000:hr:min:sec.ms", "", "%.3d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"000:hr:min:sec", "", "%.3d:%.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"000:hr:min", "", "%.3d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"###:hr:min:sec.ms", "    %2d:%.2d:%.2d.%.3d", "%3d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"###:hr:min:sec", "    %2d:%.2d:%.2d", "%3d:%.2d:%.2d:%.2d",
     {kDays, kHours, kMinutes, kSeconds}},
    {"###:hr:min", "    %2d:%.2d", "%3d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"dddd:hr:min:sec.ms", "", "%4d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"dddd:hr:min:sec", "", "%4d:%.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"dddd:hr:min", "", "%4d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"0000:hr:min:sec.ms", "", "%.4d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"0000:hr:min:sec", "", "%.4d:%.2d:%.2d:%.2d", {kDays, kHours, kMinutes, kSeconds}},
    {"0000:hr:min", "", "%.4d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"####:hr:min:sec.ms", "     %2d:%.2d:%.2d.%.3d", "%4d:%.2d:%.2d:%.2d.%.3d",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"####:hr:min:sec", "     %2d:%.2d:%.2d", "%4d:%.2d:%.2d:%.2d",
     {kDays, kHours, kMinutes, kSeconds}},
    {"####:hr:min", "     %2d:%.2d", "%4d:%.2d:%.2d", {kDays, kHours, kMinutes}},
    {"dys hrs mins secs.ms", "", "%d dy %.2d hr %.2d min %.2d.%.3d sec",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"dys hrs mins secs", "", "%d dy %.2d hr %.2d min %.2d sec",
     {kDays, kHours, kMinutes, kSeconds}},
    {"dys hrs mins", "", "%d dy %.2d hr %.2d min", {kDays, kHours, kMinutes}},
    {"days hours mins secs.ms", "", "%d day(s) %.2d hour(s) %.2d minute(s) %.2d.%.3d second(s)",
     {kDays, kHours, kMinutes, kSeconds, kMs}},
    {"days hours mins secs", "", "%d day(s) %.2d hour(s) %.2d minute(s) %.2d second(s)",
     {kDays, kHours, kMinutes, kSeconds}},
    {"days hours mins", "", "%d day(s) %.2d hour(s) %.2d minute(s)", {kDays, kHours, kMinutes}},
}};

constexpr std::array<std::string_view, kFormats.size()> kNames = [] {
  std::array<std::string_view, kFormats.size()> names{};
  for (size_t i = 0; i < kFormats.size(); ++i) names[i] = kFormats[i].Name;
  return names;
}();

constexpr std::string_view kDefaultNoDays = "  %.2d:%.2d:%.2d.%.3d";
constexpr std::string_view kDefaultWithDays = "%d %.2d:%.2d:%.2d.%.3d";
constexpr std::string_view kStoredTextFormat = "###:min:sec.ms";

/// The number in decimal, at least precision digits (zero-padded) and at least width
/// columns (blank-padded on the left), sign included.
std::string FormatInteger(std::int64_t value, size_t width, size_t precision) {
  // The magnitude as unsigned, so that the smallest int64 has one too.
  std::uint64_t magnitude =
      value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (digits.size() < precision) digits.insert(0, precision - digits.size(), '0');
  if (value < 0) digits.insert(0, 1, '-');
  if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
  return digits;
}

/// A small decimal count inside a conversion ("%12d"); caps at a width nobody needs so a
/// long digit run cannot ask for a huge allocation.
size_t ReadCount(std::string_view pattern, size_t& pos) {
  size_t count = 0;
  while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
    if (count < 1000) count = count * 10 + static_cast<size_t>(pattern[pos] - '0');
    ++pos;
  }
  return count < 1000 ? count : 1000;
}

}  // namespace

std::string FormatIntegers(std::string_view pattern, std::span<const std::int64_t> values) {
  std::string result;
  size_t next = 0;
  size_t pos = 0;
  while (pos < pattern.size()) {
    char c = pattern[pos];
    if (c != '%') {
      result += c;
      ++pos;
      continue;
    }
    if (pos + 1 < pattern.size() && pattern[pos + 1] == '%') {
      result += '%';
      pos += 2;
      continue;
    }
    size_t end = pos + 1;
    bool hasPrecision = false;
    if (end < pattern.size() && pattern[end] == '.') {
      hasPrecision = true;
      ++end;
    }
    size_t count = ReadCount(pattern, end);
    if (end < pattern.size() && pattern[end] == 'd' && next < values.size()) {
      result += FormatInteger(values[next++], hasPrecision ? 0 : count, hasPrecision ? count : 0);
      pos = end + 1;
    } else {
      result += c;  // not a conversion of this subset: copied as it stands
      ++pos;
    }
  }
  return result;
}

std::span<const std::string_view> DurationFormatNames() { return kNames; }

bool IsDurationFormatName(std::string_view name) {
  for (std::string_view known : kNames) {
    if (SameText(known, name)) return true;
  }
  return false;
}

std::string FormatDuration(const TDurationRec& record, std::string_view name) {
  for (const TFormatRow& row : kFormats) {
    if (!SameText(row.Name, name)) continue;
    std::array<std::int64_t, 5> values{};
    size_t count = 0;
    for (TField field : row.Fields) {
      if (field != nullptr) values[count++] = record.*field;
    }
    if (!row.ZeroPattern.empty() && values[0] == 0) {
      return FormatIntegers(row.ZeroPattern, std::span(values).subspan(1, count - 1));
    }
    return FormatIntegers(row.Pattern, std::span(values).first(count));
  }
  const std::array<std::int64_t, 5> all{record.Days, record.Hours, record.Minutes,
                                        record.Seconds, record.Milliseconds};
  if (record.Days == 0) return FormatIntegers(kDefaultNoDays, std::span(all).subspan(1));
  return FormatIntegers(kDefaultWithDays, all);
}

std::string FormatDurationText(std::string_view durationText, std::string_view name,
                               TZeroMode zeroMode) {
  return FormatDuration(ParseDuration(durationText, zeroMode),
                        name.empty() ? kStoredTextFormat : name);
}

}  // namespace zentrel
