#include "durations/duration_format.h"

#include <array>

#include "core/text.h"
#include "core/value_format.h"

namespace zentrel {
namespace {

using TField = std::int64_t (TDurationRec::*)() const;

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

}  // namespace

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
      if (field != nullptr) values[count++] = (record.*field)();
    }
    if (!row.ZeroPattern.empty() && values[0] == 0) {
      return FormatIntegers(row.ZeroPattern, std::span(values).subspan(1, count - 1));
    }
    return FormatIntegers(row.Pattern, std::span(values).first(count));
  }
  const std::array<std::int64_t, 5> all{record.Days(), record.Hours(), record.Minutes(),
                                        record.Seconds(), record.Milliseconds()};
  if (record.Days() == 0) return FormatIntegers(kDefaultNoDays, std::span(all).subspan(1));
  return FormatIntegers(kDefaultWithDays, all);
}

std::string FormatDurationText(std::string_view durationText, std::string_view name,
                               TZeroMode zeroMode) {
  return FormatDuration(ParseDuration(durationText, zeroMode),
                        name.empty() ? kStoredTextFormat : name);
}

}  // namespace zentrel
