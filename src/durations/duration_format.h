// The 63 named duration formats and the renderer that picks one by name.
//
// Each name stands for a printf-style pattern filled with parts of a duration: totals
// ("hours", "mseconds"), clock layouts with zero or blank padding ("000:min:sec",
// "###:min:sec.ms", "dd:hr:min") and worded ones ("days hours mins secs.ms"). Some rows
// blank out a leading unit that is zero, so columns of results line up:
//
//   FormatDuration(DurationFromMs(93'784'005), "## hr:min:sec.ms")  // " 1 02:03:04.005"
//   FormatDuration(DurationFromMs(184'005), "## hr:min:sec.ms")     // "    0:03:04.005"
//   FormatDuration(DurationFromMs(184'005), "no such name")         // "  00:03:04.005"
//
// The patterns are read once, when the program is built, into segments (literal text, then
// one part of the duration with its width and zero padding). Callers that render many
// durations look the format up once (FindDurationFormat) and write straight into their own
// buffer (TDurationFormat::Write).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "durations/duration.h"

namespace zentrel {

/// A named format (or the default rendering), compiled: its patterns were read into
/// segments when the program was built, and each format has a writer of its own made from
/// them, so rendering runs no interpreter over the pattern.
class TDurationFormat {
 public:
  /// The most bytes Write writes; it may store up to kSlack bytes past what it writes.
  static constexpr std::size_t kMaxSize = 192;
  static constexpr std::size_t kSlack = 16;
  using TWriter = char* (*)(char* out, std::int64_t ms);

  constexpr TDurationFormat(std::string_view name, TWriter writer)
      : name_(name), writer_(writer) {}

  std::string_view Name() const { return name_; }
  /// Writes the duration at out, which has room for kMaxSize + kSlack bytes; returns the
  /// end of what was written.
  char* Write(char* out, std::int64_t ms) const { return writer_(out, ms); }
  void AppendTo(std::string& out, std::int64_t ms) const;
  std::string Format(std::int64_t ms) const;

 private:
  std::string_view name_;
  TWriter writer_;
};

/// Writes the decimal digits of value at out (at most 20); returns their end.
char* WriteDecimal(char* out, std::uint64_t value);

/// The format whose name matches whole (case-insensitive), or the default rendering when
/// none does. Never fails; the reference stays valid for the whole run.
const TDurationFormat& FindDurationFormat(std::string_view name);
/// The 63 names in table order.
std::span<const std::string_view> DurationFormatNames();
/// True when the name is one of the 63, compared without regard to case.
bool IsDurationFormatName(std::string_view name);
/// The record rendered by the row whose name matches whole (case-insensitive), or by the
/// default rendering when none does. Never fails.
std::string FormatDuration(const TDurationRec& record, std::string_view name);
/// ParseDuration of the text, then FormatDuration; an empty name means "###:min:sec.ms".
std::string FormatDurationText(std::string_view durationText, std::string_view name,
                               TZeroMode zeroMode);

}  // namespace zentrel
