// The time lines of the comparison report: a side's label, its time right-aligned in a
// column, and the name of the section (or of the aggregate line):
//
//    OLD:    1:20:29.730 - ONE EXAMPLE SECTION
//
// Every time line is laid out by WriteTimeLine. Its time is either a count of
// milliseconds, rendered in the column as it is written (the plain times of a timing
// file), or a text the general duration operations rendered (any other time text, and
// the totals of the aggregate lines).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/line_end.h"
#include "durations/duration.h"
#include "durations/duration_format.h"
#include "perf/block_writer.h"
#include "perf/timing_file.h"

namespace zentrel {

/// The time text that stands for "no time of its own", and for "no override".
inline constexpr std::string_view kNoTimeText = "-:--.---";
/// The format of the time column, and its width.
inline constexpr std::string_view kClockFormat = "###:min:sec.ms";
inline constexpr std::size_t kTimeColumns = 14;

/// The time a time line shows.
struct TLineTime {
  std::int64_t Ms = 0;  ///< the time, in milliseconds
  bool Plain = true;    ///< Ms is shown rendered "###:min:sec.ms", else Text is shown
  std::string Text;
};

/// A time text read by the general duration operations: shown "###:min:sec.ms", or, when
/// override is not kNoTimeText, the duration text override shown so; a time text of
/// kNoTimeText shows unchanged and counts as zero.
TLineTime GeneralLineTime(std::string_view timeText, std::string_view override,
                          TZeroMode zeroMode);

/// The most WriteTimeLine writes with a label of three and a name of at most
/// kTimingFieldMax; column may store TDurationFormat::kSlack bytes past it.
inline constexpr std::size_t kTimeLineBound =
    6 + std::max(kTimeColumns, TDurationFormat::kMaxSize) + 1 + kTimingFieldMax;

/// Writes a time line at out, without a line end: a blank, the label, ": ", the time
/// right-aligned in kTimeColumns (a plain time through column, which renders
/// "###:min:sec.ms"), a blank and the name. Returns the end of what was written.
inline char* WriteTimeLine(char* out, std::string_view label, const TLineTime& time,
                           std::string_view name, TAlignedDuration& column) {
  *out++ = ' ';
  out = Put(out, label);
  out = Put(out, ": ");
  if (time.Plain) {
    out = column.Write(out, time.Ms);
  } else {
    const std::size_t size = time.Text.size();
    const std::size_t blanks = size < kTimeColumns ? kTimeColumns - size : 0;
    std::memset(out, ' ', blanks);
    out = Put(out + blanks, time.Text);
  }
  *out++ = ' ';
  return PutVariable(out, name);
}

}  // namespace zentrel
