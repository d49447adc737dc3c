// The section-by-section comparison of two timing files (see timing_file.h).
//
// Sections are paired by position. For each one the report prints a heading, both times,
// and a comparison line: the difference, FASTER, SLOWER or UNCHGD, a marker that grows with
// the size of the difference (one step per threshold of "@TIME_INCREMENTS" reached, in
// whole seconds), and the running difference of the totals. An aggregate block shows the
// totals of all sections, and a totals block the counts and the largest gain and loss:
//
//   SECTION [#01]
//    OLD:    1:20:29.730 - ONE EXAMPLE SECTION
//    NEW:    1:20:28.480 - ONE EXAMPLE SECTION
//               0:01.250 FASTER vs previous run       +++                           [- 00:01.250] «
//
// Positions are read and written in tasks of some thousands; for large files two threads
// take turns at them, each writing into a block of its own, and the blocks go out in
// order, so the report is the same as from one thread. The steps are units of their own:
// the two files and what each shows at a position (compare_sides.h), the text of the
// report (compare_report.h, its time lines time_line.h), and the tasks (compare_tasks.h).
//
// Exit codes: 0 when the report completes, 71 (FileOpenFailed) when a file is not
// named, missing or unreadable or the comparison fails part-way ("ERROR: One or More Input
// Files May Be Use!", no totals), 75 (NoTimingData) when a file keeps no entry.
#pragma once

#include <string>
#include <string_view>

#include "core/channels.h"
#include "core/exit_code.h"
#include "durations/duration.h"
#include "platform/file_reader.h"

namespace zentrel {

/// The environment variable that holds the thresholds in seconds, blank-separated.
inline constexpr std::string_view kThresholdsVariable = "@TIME_INCREMENTS";

/// What to compare, and how.
struct TCompareRequest {
  std::string OldFileName, NewFileName;
  std::string SearchText;  ///< the text an entry line begins with
  std::string Heading;     ///< the section heading pattern; empty for none
  std::string Thresholds;  ///< the value of kThresholdsVariable; empty for the default steps
  TZeroMode ZeroMode = TZeroMode::ZeroThis;
};

/// How a comparison ended.
struct TCompareOutcome {
  TExitCode Code = TExitCode::Success;
};

/// Checks, loads and compares the two files read through files and writes the report to
/// out; errors go to err. Nothing a file holds makes it throw.
TCompareOutcome CompareTimingFiles(platform::FileReader& files, TTextWriter& out,
                                   TTextWriter& err, const TCompareRequest& request);

}  // namespace zentrel
