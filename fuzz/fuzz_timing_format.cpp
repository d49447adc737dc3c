// The comparison's fast paths against the general operations they stand in for, on fuzzed
// values: plain time texts against ParseDuration, the two fixed renderings (appended after
// other text) against FormatDuration of DurationFromMs, the heading pattern against the C
// library's printf, and the line splitter's two forms against ParseTimingLine.
//
// Input layout: eight bytes (little-endian) give the millisecond count and the section
// number; the rest is the text, read as a time, a heading pattern and a timing line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "durations/duration.h"
#include "durations/duration_format.h"
#include "perf/timing_file.h"
#include "perf/timing_format.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

/// Whether the one conversion of a compiled pattern carries an l or ll length.
bool HasLongLength(std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t k = i + 1;
    while (k < pattern.size() && std::strchr("-+ 0#.123456789", pattern[k]) != nullptr) ++k;
    return k < pattern.size() && pattern[k] == 'l';
  }
  return false;
}

void CheckHeading(std::string_view pattern, std::int64_t number) {
  zentrel::THeadingPattern heading;
  if (!heading.Compile(pattern)) return;
  std::string got = heading.Format(number);
  // A compiled pattern holds at most one integer conversion and no '*', so it is safe to
  // give the C library with the one argument of the type its length asks for.
  std::string format(pattern);
  if (format.find('\0') != std::string::npos) return;  // printf would stop at the NUL
  char buffer[4200];
  int length = HasLongLength(pattern)
                   ? std::snprintf(buffer, sizeof buffer, format.c_str(),
                                   static_cast<long long>(number))
                   : std::snprintf(buffer, sizeof buffer, format.c_str(),
                                   static_cast<int>(number));
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) return;
  Check(got == std::string_view(buffer, static_cast<std::size_t>(length)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::uint64_t raw = 0;
  if (size >= sizeof raw) {
    std::memcpy(&raw, data, sizeof raw);
    data += sizeof raw;
    size -= sizeof raw;
  }
  std::string_view text(reinterpret_cast<const char*>(data), size);

  // Plain time texts: the fast reading must agree with ParseDuration in both zero modes.
  std::int64_t plainMs = -1;
  if (ParsePlainDuration(text, plainMs)) {
    Check(plainMs == ParseDuration(text, TZeroMode::ZeroThis).TotalMilliseconds());
    Check(plainMs == ParseDuration(text, TZeroMode::ZeroAll).TotalMilliseconds());
  }

  // Renderings of a count the report can meet: a difference of two sums of parsed times.
  const std::int64_t ms = static_cast<std::int64_t>(raw) / 4;
  const TDurationRec record = DurationFromMs(ms);
  std::string fast = "SECTION ";
  AppendClockDuration(fast, ms);
  Check(fast == "SECTION " + FormatDuration(record, "###:min:sec.ms"));
  fast.clear();
  AppendMinuteDuration(fast, ms);
  Check(fast == FormatDuration(record, "min:sec.ms"));

  // Section numbers run from 1 upwards; kept within an int, the type printf's %d reads.
  CheckHeading(text, static_cast<std::int64_t>((raw >> 34) + 1));

  // One timing line: both splitter forms and ParseTimingLine give the same fields.
  TDurationRec total;
  TTimingEntry parsed = ParseTimingLine(text, total, false, TZeroMode::ZeroThis);
  TTimingEntry split;
  SplitTimingLine(text, split);
  TTimingEntryView view;
  std::string scratch;
  SplitTimingLine(text, view, scratch);
  Check(parsed.SectionId == split.SectionId && parsed.TimeText == split.TimeText &&
        parsed.Name == split.Name);
  Check(parsed.SectionId == view.SectionId && parsed.TimeText == view.TimeText &&
        parsed.Name == view.Name);
  Check(parsed.SectionId.size() <= kTimingFieldMax && parsed.TimeText.size() <= kTimingFieldMax &&
        parsed.Name.size() <= kTimingFieldMax);
  return 0;
}
