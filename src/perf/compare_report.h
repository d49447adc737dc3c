// The text of the comparison report, written straight into blocks of memory: each
// position's heading, its two time lines and its comparison line, then the aggregate
// block and the totals block (see timing_compare.h for an example). Each writer states
// the most it writes, and a position reserves their sum once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/channels.h"
#include "durations/duration.h"
#include "perf/block_writer.h"
#include "perf/compare_sides.h"
#include "perf/thresholds.h"
#include "perf/timing_format.h"

namespace zentrel {

/// A failure that stops the comparison after the files were found.
struct TCompareFailure {};

/// The larger minus the smaller; totals of opposite signs can be further apart than 64 bits
/// hold, which fails the comparison (TCompareFailure) like a total that overflows.
inline std::int64_t Difference(std::int64_t a, std::int64_t b) {
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(std::max(a, b), std::min(a, b), &difference)) {
    throw TCompareFailure();
  }
  return difference;
}

/// The counters and maxima of the totals block.
struct TTally {
  std::int64_t Faster = 0, Slower = 0, Unchanged = 0, Misaligned = 0;
  std::int64_t MaxFasterMs = 0, MaxSlowerMs = 0;

  void Add(const TTally& other) {
    Faster += other.Faster;
    Slower += other.Slower;
    Unchanged += other.Unchanged;
    Misaligned += other.Misaligned;
    MaxFasterMs = std::max(MaxFasterMs, other.MaxFasterMs);
    MaxSlowerMs = std::max(MaxSlowerMs, other.MaxSlowerMs);
  }
};

/// The running part of a comparison line: the difference of the totals and who is ahead.
struct TRunning {
  std::int64_t Ms;
  bool NewBehind;
};

/// The width of the running difference, "min:sec.ms" right-aligned.
inline constexpr std::size_t kRunningColumns = 10;

/// The aligned columns of the time lines and the running difference, one set per thread.
struct TColumns {
  TColumns();
  TAlignedDuration Time, Running;
};

class TReportWriter {
 public:
  /// heading is used unless emptyHeading, when a position's heading is NEW's section id.
  TReportWriter(const THeadingPattern& heading, bool emptyHeading, const TThresholds& thresholds,
                std::string_view oldLabel, std::string_view newLabel, TZeroMode zeroMode);

  /// Adds the position of the number (from 1) to the block: its heading, the two time
  /// lines, the comparison line with the running part, and an empty line; counts it in
  /// tally. Throws TCompareFailure, after the heading (and the time lines when the times
  /// differ while the thresholds cannot be read) went into the block, when the two times
  /// are further apart than 64 bits hold or cannot be classified.
  void WritePosition(TBlock& block, TColumns& columns, TTally& tally, std::size_t number,
                     const TShown& oldShown, const TShown& newShown,
                     const TRunning& running) const;

  /// Writes the aggregate block to out: its heading and the two sides' aggregate lines
  /// (see ShowAggregate) compared without a running part, counted in no counter. Throws
  /// TCompareFailure as WritePosition does, after what was written went out.
  void WriteAggregate(TTextWriter& out, const TShown& oldShown, const TShown& newShown) const;

  /// Writes the totals block to out: the counts and the largest gain and loss.
  void WriteTotals(TTextWriter& out, const TTally& tally) const;

 private:
  /// Adds the time lines and the comparison line at p, within the room reserved at the
  /// position's start, then an empty line; running is null at the aggregate position.
  void WriteTimesAndComparison(TBlock& block, char* p, TColumns& columns, TTally& tally,
                               const TShown& oldShown, const TShown& newShown,
                               const TRunning* running) const;
  std::size_t HeadingLineBound() const;
  std::size_t ComparisonLineBound() const;

  const THeadingPattern& heading_;
  const bool emptyHeading_;
  const TThresholds& thresholds_;
  const std::string_view oldLabel_, newLabel_;
  const TZeroMode zeroMode_;
  const TDurationFormat& clock_;
  std::size_t positionBound_ = 0;  ///< the most a position takes
};

}  // namespace zentrel
