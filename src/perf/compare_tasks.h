// The positions of the comparison rendered in tasks of some thousands. For large files
// two threads take turns at the tasks, each rendering into a block of its own, and the
// blocks go out in task order (see ordered_turns.h), so the report is the same as from
// one thread.
#pragma once

#include <cstdint>

#include "core/channels.h"
#include "perf/compare_report.h"
#include "perf/compare_sides.h"
#include "platform/file_reader.h"

namespace zentrel {

/// What the positions add up to.
struct TPositionTotals {
  TTally Tally;
  std::int64_t OldTotal = 0, NewTotal = 0;  ///< of all entries
};

/// Writes every position but the aggregate one to out through report, on this thread and,
/// with twoThreads, a second one started by files (on this thread alone when none can be
/// had). Throws TCompareFailure when a position cannot be written (see WritePosition), a
/// running total or the difference of the two leaves 64 bits, or a file shrank, after
/// what was written before the failing position has gone out.
TPositionTotals WritePositions(platform::FileReader& files, bool twoThreads, TTextWriter& out,
                               const TReportWriter& report, const TSide& oldSide,
                               const TSide& newSide, TZeroMode zeroMode);

}  // namespace zentrel
