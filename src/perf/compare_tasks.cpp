#include "perf/compare_tasks.h"

#include <algorithm>
#include <exception>
#include <span>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "perf/ordered_turns.h"

namespace zentrel {
namespace {

/// Positions rendered as one piece of work: a thread renders them into a block of its own,
/// which goes out when all positions before it have.
constexpr std::size_t kTaskPositions = TTimingLines::kCheckpointEvery;
/// How many positions ahead the lines are asked for.
constexpr std::size_t kPrefetchAhead = 8;

/// Reads the lines of the task's positions; false when a file no longer holds them all.
bool ReadTaskLines(const TSide& side, std::size_t first, std::size_t positions,
                   std::vector<std::string_view>& lines) {
  if (first >= side.Kept()) return true;
  const std::size_t wanted = std::min(positions, side.Kept() - first);
  return side.Lines.ReadLines(first, std::span(lines.data(), wanted)) == wanted;
}

class TPositions {
 public:
  TPositions(TTextWriter& out, const TReportWriter& report, const TSide& oldSide,
             const TSide& newSide, TZeroMode zeroMode)
      : out_(out),
        report_(report),
        old_(oldSide),
        new_(newSide),
        zeroMode_(zeroMode),
        positions_(std::max(oldSide.Lines.Count(), newSide.Lines.Count()) - 1) {}

  TPositionTotals Run(platform::FileReader& files, bool twoThreads) {
    const std::size_t tasks = (positions_ + kTaskPositions - 1) / kTaskPositions;
    TTurns turns;
    TWorker first(*this), second(*this);
    std::exception_ptr secondFailure;
    std::thread helper;
    if (twoThreads && tasks > 1) {
      try {
        helper = files.StartThread([&] {
          try {
            second.Work(turns, 1, 2, tasks);
          } catch (...) {
            secondFailure = std::current_exception();
            turns.Stop();
          }
        });
      } catch (const std::system_error&) {
      }
    }
    try {
      if (helper.joinable()) {
        first.Work(turns, 0, 2, tasks);
      } else {
        first.Work(turns, 0, 1, tasks);
      }
    } catch (...) {
      turns.Stop();
      if (helper.joinable()) helper.join();
      throw;
    }
    if (helper.joinable()) helper.join();
    if (secondFailure) std::rethrow_exception(secondFailure);
    if (first.Failed || second.Failed) throw TCompareFailure();
    TPositionTotals totals;
    totals.Tally.Add(first.Tally);
    totals.Tally.Add(second.Tally);
    TWideMs oldTotal = 0, newTotal = 0;
    turns.Totals(oldTotal, newTotal);
    // Every position was shown, so no running total, the last included, left 64 bits.
    totals.OldTotal = static_cast<std::int64_t>(oldTotal);
    totals.NewTotal = static_cast<std::int64_t>(newTotal);
    return totals;
  }

 private:
  /// What one thread keeps between its tasks. Each worker's own cache lines: the block's
  /// size, the tally and the columns change with every position, and two workers side by
  /// side on one line would pass it back and forth between the cores.
  struct alignas(64) TWorker {
    explicit TWorker(TPositions& positions)
        : Positions(positions),
          OldLines(kTaskPositions),
          NewLines(kTaskPositions),
          Old(kTaskPositions),
          New(kTaskPositions) {}

    /// Renders the tasks first, first + stride, ... and writes each in its turn.
    void Work(TTurns& turns, std::size_t first, std::size_t stride, std::size_t tasks) {
      for (std::size_t task = first; task < tasks && !Failed; task += stride) {
        if (turns.Stopped()) return;
        Block.Truncate(0);
        bool stopped = false;
        try {
          stopped = !Positions.RenderTask(*this, turns, task);
        } catch (const TCompareFailure&) {
          Failed = true;  // what the block holds still goes out
        }
        if (stopped || !turns.Await(task)) {
          Failed = false;  // an earlier task stopped the report; this one was never shown
          return;
        }
        Positions.out_.Write(Block.View());
        turns.Done(Failed);
      }
    }

    TPositions& Positions;
    TBlock Block;
    TTally Tally;
    bool Failed = false;
    std::vector<std::string_view> OldLines, NewLines;
    std::vector<TShown> Old, New;  ///< the task's positions, read before any is written
    TColumns Columns;
  };

  /// Reads the task's positions, and sums their times while the totals before them are
  /// summed elsewhere; then writes them into the worker's block. False when the report
  /// stopped before the task's turn.
  bool RenderTask(TWorker& worker, TTurns& turns, std::size_t task) {
    const std::size_t first = task * kTaskPositions;
    const std::size_t count = std::min(first + kTaskPositions, positions_) - first;
    if (!ReadTaskLines(old_, first, count, worker.OldLines) ||
        !ReadTaskLines(new_, first, count, worker.NewLines)) {
      throw TCompareFailure();  // the file changed since it was read
    }
    TWideMs oldSum = 0, newSum = 0;
    for (std::size_t k = 0; k < count; ++k) {
      // The lines were last read while being kept, long enough ago for a large file to
      // have left the cache: ask for those some positions ahead.
      if (k + kPrefetchAhead < count) {
        for (const std::vector<std::string_view>* lines : {&worker.OldLines, &worker.NewLines}) {
          const char* line = (*lines)[k + kPrefetchAhead].data();
          __builtin_prefetch(line);
          __builtin_prefetch(line + 64);
        }
      }
      ShowEntry(old_, first + k, worker.OldLines[k], zeroMode_, worker.Old[k]);
      ShowEntry(new_, first + k, worker.NewLines[k], zeroMode_, worker.New[k]);
      oldSum += worker.Old[k].ReadMs;
      newSum += worker.New[k].ReadMs;
    }
    TWideMs oldBefore = 0, newBefore = 0;
    if (!turns.Sum(task, oldSum, newSum, oldBefore, newBefore)) return false;
    // A total beyond 64 bits before the task: an earlier position failed already.
    if (oldBefore != static_cast<std::int64_t>(oldBefore) ||
        newBefore != static_cast<std::int64_t>(newBefore)) {
      throw TCompareFailure();
    }
    std::int64_t oldTotal = static_cast<std::int64_t>(oldBefore);
    std::int64_t newTotal = static_cast<std::int64_t>(newBefore);
    TBlock& block = worker.Block;
    for (std::size_t k = 0; k < count; ++k) {
      const TShown& oldShown = worker.Old[k];
      const TShown& newShown = worker.New[k];
      // A total that no longer fits in milliseconds stops the report before anything of
      // the position, as does a difference of the totals beyond 64 bits.
      if (__builtin_add_overflow(oldTotal, oldShown.ReadMs, &oldTotal) ||
          __builtin_add_overflow(newTotal, newShown.ReadMs, &newTotal)) {
        throw TCompareFailure();
      }
      const TRunning running{Difference(oldTotal, newTotal), oldTotal < newTotal};
      const std::size_t positionStart = block.Size();
      report_.WritePosition(block, worker.Columns, worker.Tally, first + k + 1, oldShown,
                            newShown, running);
      // A file that shrank meanwhile gave zeros for its lost bytes: the position that
      // read them is not shown, and the comparison fails.
      if (!old_.Lines.Intact() || !new_.Lines.Intact()) {
        block.Truncate(positionStart);
        throw TCompareFailure();
      }
    }
    return true;
  }

  TTextWriter& out_;
  const TReportWriter& report_;
  const TSide& old_;
  const TSide& new_;
  const TZeroMode zeroMode_;
  const std::size_t positions_;  ///< positions before the aggregate one
};

}  // namespace

TPositionTotals WritePositions(platform::FileReader& files, bool twoThreads, TTextWriter& out,
                               const TReportWriter& report, const TSide& oldSide,
                               const TSide& newSide, TZeroMode zeroMode) {
  return TPositions(out, report, oldSide, newSide, zeroMode).Run(files, twoThreads);
}

}  // namespace zentrel
