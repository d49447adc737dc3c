// The entries of a timing file: one entry line read into its section id, its time text and
// its name (see timing_file.h for the layout), copied or as views into the line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/time_units.h"
#include "durations/duration.h"

namespace zentrel {

/// The time and the name of an entry that is invalid, or missing from a shorter file.
inline constexpr std::string_view kZeroTime = "0:00.000";
inline constexpr std::string_view kNoName = "- n/a";

/// The longest SectionId, TimeText or Name kept, in bytes.
inline constexpr std::size_t kTimingFieldMax = 255;

/// One parsed line of a timing file.
struct TTimingEntry {
  std::string SectionId;  ///< word 2, or "[#??]", or "[#--] Invalid Entry"
  std::string TimeText;   ///< word 3, or the replacement of an unusual layout
  std::string Name;       ///< from word 4 to the end of the line
};

/// Splits one line into an entry. A word 2 holding ':' is taken as the time of a line
/// without section id ("[#??]"); a line without word 4, or whose name does not begin with
/// '-', becomes "[#--] Invalid Entry" with time kZeroTime and name kNoName. With
/// accumulate, the entry's time (read by ParseDuration under the zero mode) is added to
/// total.
TTimingEntry ParseTimingLine(std::string_view line, TDurationRec& total, bool accumulate,
                             TZeroMode zeroMode);

/// An entry whose fields view the line, fixed texts, or the scratch text given to
/// SplitTimingLine; valid while those are.
struct TTimingEntryView {
  std::string_view SectionId, TimeText, Name;
};

/// ParseTimingLine without reading the time, into views: the comparison's inner loop copies
/// nothing. scratch holds the name of a line without section id ("- " and the rest).
void SplitTimingLine(std::string_view line, TTimingEntryView& entry, std::string& scratch);
/// The same into an entry of its own.
void SplitTimingLine(std::string_view line, TTimingEntry& entry);

}  // namespace zentrel
