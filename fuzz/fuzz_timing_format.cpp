// The comparison's fast paths against the general operations they stand in for, on fuzzed
// values: plain time texts against ParseDuration, the heading pattern against the C
// library's printf, and the line splitter's two forms against ParseTimingLine. The report
// writes durations and headings straight into its blocks, so every compiled duration format
// and every heading must also stay within the sizes it reserves for them.
//
// Input layout: eight bytes (little-endian) give the millisecond count and the section
// number; the rest is the text, read as a time, a heading pattern and a timing line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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
  Check(got.size() <= heading.MaxSize());
  std::string written(heading.MaxSize(), '\0');
  written.resize(static_cast<std::size_t>(heading.Write(written.data(), number) - written.data()));
  Check(written == got);
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

  // Any count, through every compiled format: nothing written past the bound the report
  // reserves (kMaxSize, plus kSlack bytes it may store beyond what it writes).
  const std::int64_t ms = static_cast<std::int64_t>(raw);
  constexpr std::size_t kRoom = TDurationFormat::kMaxSize + TDurationFormat::kSlack;
  char out[kRoom + 64];
  std::vector<std::string_view> names(DurationFormatNames().begin(), DurationFormatNames().end());
  names.push_back("");  // the default rendering
  for (std::string_view name : names) {
    std::memset(out, 0x5a, sizeof out);
    const char* end = FindDurationFormat(name).Write(out, ms);
    Check(end >= out && static_cast<std::size_t>(end - out) <= TDurationFormat::kMaxSize);
    for (std::size_t i = kRoom; i < sizeof out; ++i) Check(out[i] == 0x5a);
  }

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
