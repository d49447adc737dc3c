#include "perf/timing_compare.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "core/conversion_error.h"
#include "core/integer_conversion.h"
#include "core/line_end.h"
#include "core/text.h"
#include "core/time_units.h"
#include "durations/duration_format.h"
#include "perf/block_writer.h"
#include "perf/ordered_turns.h"
#include "perf/thresholds.h"
#include "perf/timing_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kFailureLine = "ERROR: One or More Input Files May Be Use!";
constexpr std::string_view kDefaultThresholds = "1 10 30 60 600 1800 3600 7200 14400";
constexpr std::string_view kClockFormat = "###:min:sec.ms";
constexpr std::string_view kMinuteFormat = "min:sec.ms";
constexpr std::string_view kTildeLine =
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
constexpr std::string_view kDashLine = "-----------------------------------";
constexpr std::string_view kAggregateHeading = "TOTAL DURATION FOR ALL SECTIONS [CALCULATED]";
constexpr std::string_view kEmptyHeadingPrefix = "SECTION ";
constexpr std::string_view kIndent = "       ";  // seven blanks
constexpr std::string_view kVersus = "vs previous run       ";
constexpr std::string_view kZeroTime = "0:00.000";
constexpr std::string_view kNoSectionName = "- n/a";
constexpr std::size_t kTimeColumns = 14;
constexpr std::size_t kRunningColumns = 10;
/// Files smaller than this together are compared on one thread: a second costs more than
/// it saves.
constexpr std::size_t kTwoThreadsFrom = 4 << 20;

/// Positions rendered as one piece of work: a thread renders them into a block of its own,
/// which goes out when all positions before it have.
constexpr std::size_t kTaskPositions = TTimingLines::kCheckpointEvery;
/// How many positions ahead the lines are asked for.
constexpr std::size_t kPrefetchAhead = 8;

struct TClass {
  std::string_view Status, Arrow;
};
constexpr TClass kUnchanged{" UNCHGD ", " ="};
constexpr TClass kFaster{" FASTER ", " \xC2\xAB"};  // U+00AB
constexpr TClass kSlower{" SLOWER ", " \xC2\xBB"};  // U+00BB

/// A failure that stops the comparison after the files were found.
struct TCompareFailure {};

/// The larger minus the smaller; totals of opposite signs can be further apart than 64 bits
/// hold, which fails the comparison like a total that overflows.
std::int64_t Difference(std::int64_t a, std::int64_t b) {
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(std::max(a, b), std::min(a, b), &difference)) {
    throw TCompareFailure();
  }
  return difference;
}

/// One file's side of the comparison.
struct TSide {
  explicit TSide(std::string_view label) : Label(label) {}
  /// Entries besides the synthetic line.
  std::size_t Kept() const { return Lines.Count() - 1; }

  std::string_view Label;
  TTimingLines Lines;
  std::string LastSectionId;  ///< what a position past the last entry keeps
};

/// One side at one position: the entry read and the time shown.
struct TShown {
  TTimingEntryView Entry;
  std::string Scratch;   ///< backs Entry.Name for a line without section id
  bool Present = false;  ///< the side has an entry at the position
  std::int64_t ReadMs = 0;  ///< the time added to the total
  std::int64_t TimeMs = 0;
  bool Plain = true;     ///< TimeMs is rendered here, else Line holds the whole time line
  std::string Line;
};

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

class TComparison {
 public:
  TComparison(TTextWriter& out, const TCompareRequest& request, const THeadingPattern& heading,
              const TThresholds& thresholds, const TSide& oldSide, const TSide& newSide)
      : out_(out),
        heading_(heading),
        emptyHeading_(request.Heading.empty()),
        thresholds_(thresholds),
        old_(oldSide),
        new_(newSide),
        zeroMode_(request.ZeroMode),
        clock_(FindDurationFormat(kClockFormat)),
        minutes_(FindDurationFormat(kMinuteFormat)),
        resultEnd_(request.Condensed ? std::string_view(" ") : kLineEnd) {
    positions_ = std::max(old_.Lines.Count(), new_.Lines.Count()) - 1;
    // A position is a heading, two time lines and a comparison line; each bound is stated
    // beside the writer it bounds. Aligned durations may be written up to their column's
    // width after where they end up, then moved into place, and may store kSlack bytes
    // past their end.
    positionBound_ = HeadingLineBound() + 2 * kTimeLineBound + ComparisonLineBound() +
                     TDurationFormat::kSlack + 2 * kTimeColumns + kRunningColumns;
  }

  /// Prints every position but the aggregate one, on this thread and, when worth it, a
  /// second one. Throws TCompareFailure when a threshold cannot be read, a total or the
  /// difference of the two overflows, or a file shrank, after what was printed before the
  /// failure has gone out.
  void Run(platform::Platform& os, bool twoThreads) {
    const std::size_t tasks = (positions_ + kTaskPositions - 1) / kTaskPositions;
    TTurns turns;
    TWorker first(*this), second(*this);
    std::exception_ptr secondFailure;
    std::thread helper;
    if (twoThreads && tasks > 1) {
      try {
        helper = os.StartThread([&] {
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
    tally_.Add(first.Tally);
    tally_.Add(second.Tally);
    TWideMs oldTotal = 0, newTotal = 0;
    turns.Totals(oldTotal, newTotal);
    // Every position was shown, so no running total, the last included, left 64 bits.
    oldTotal_ = static_cast<std::int64_t>(oldTotal);
    newTotal_ = static_cast<std::int64_t>(newTotal);
  }

  /// The aggregate position: the synthetic last lines shown with the computed totals,
  /// counted in no counter.
  void WriteAggregate() {
    TBlock block;
    for (std::string_view text : {kTildeLine, kAggregateHeading, kTildeLine}) {
      block.Append(text);
      block.Append(kLineEnd);
    }
    TShown oldShown, newShown;
    ShowAggregate(old_, oldTotal_, oldShown);
    ShowAggregate(new_, newTotal_, newShown);
    TTally unused;
    try {
      TColumns columns(*this);
      WriteTimesAndComparison(block, columns, unused, oldShown, newShown, nullptr);
    } catch (const TCompareFailure&) {
      out_.Write(block.View());
      throw;
    }
    out_.Write(block.View());
  }

  void WriteTotals() {
    std::string out;
    auto count = [&](std::string_view label, std::int64_t value) {
      out.append(label);
      AppendDecimal(out, value, 4, -1);
    };
    auto maximum = [&](std::string_view sign, std::int64_t ms) {
      // No maximum reads as an empty text, which renders as zero.
      const std::string text = ms > 0 ? DurationFromMs(ms).Text() : std::string();
      out.push_back('\t');
      out.append(sign);
      AppendRightAligned(out, FormatDurationText(text, kMinuteFormat, zeroMode_), kRunningColumns);
      out.append("] (max)");
    };
    auto endLine = [&] { out.append(kLineEnd); };
    out.append(kDashLine);
    endLine();
    count(" TOTAL OVERALL SECTIONS .... ",
          tally_.Faster + tally_.Unchanged + tally_.Slower);
    endLine();
    count(" MISALIGNED SECTIONS ....... ", tally_.Misaligned);
    endLine();
    out.append(kDashLine);
    endLine();
    count(" TOTAL FASTER SECTIONS ..... ", tally_.Faster);
    maximum("[-", tally_.MaxFasterMs);
    endLine();
    count(" TOTAL UNCHGD SECTIONS ..... ", tally_.Unchanged);
    endLine();
    count(" TOTAL SLOWER SECTIONS ..... ", tally_.Slower);
    maximum("[+", tally_.MaxSlowerMs);
    endLine();
    out.append(kTildeLine);
    endLine();
    endLine();
    out_.Write(out);
  }

 private:
  /// The aligned columns of the time lines and the running difference, one set per thread.
  struct TColumns {
    explicit TColumns(const TComparison& comparison)
        : Time(comparison.clock_, kTimeColumns), Running(comparison.minutes_, kRunningColumns) {}
    TAlignedDuration Time, Running;
  };

  /// What one thread keeps between its tasks. Each worker's own cache lines: the block's
  /// size, the tally and the columns change with every position, and two workers side by
  /// side on one line would pass it back and forth between the cores.
  struct alignas(64) TWorker {
    explicit TWorker(TComparison& comparison)
        : Comparison(comparison),
          OldLines(kTaskPositions),
          NewLines(kTaskPositions),
          Old(kTaskPositions),
          New(kTaskPositions),
          Columns(comparison) {}

    /// Renders the tasks first, first + stride, ... and writes each in its turn.
    void Work(TTurns& turns, std::size_t first, std::size_t stride, std::size_t tasks) {
      for (std::size_t task = first; task < tasks && !Failed; task += stride) {
        if (turns.Stopped()) return;
        Block.Truncate(0);
        bool stopped = false;
        try {
          stopped = !Comparison.RenderTask(*this, turns, task);
        } catch (const TCompareFailure&) {
          Failed = true;  // what the block holds still goes out
        }
        if (stopped || !turns.Await(task)) {
          Failed = false;  // an earlier task stopped the report; this one was never shown
          return;
        }
        Comparison.out_.Write(Block.View());
        turns.Done(Failed);
      }
    }

    TComparison& Comparison;
    TBlock Block;
    TTally Tally;
    bool Failed = false;
    std::vector<std::string_view> OldLines, NewLines;
    std::vector<TShown> Old, New;  ///< the task's positions, read before any is written
    TColumns Columns;
  };

  /// Reads the lines of the task's positions; false when a file no longer holds them all.
  static bool ReadTaskLines(const TSide& side, std::size_t first, std::size_t positions,
                            std::vector<std::string_view>& lines) {
    if (first >= side.Kept()) return true;
    const std::size_t wanted = std::min(positions, side.Kept() - first);
    return side.Lines.ReadLines(first, std::span(lines.data(), wanted)) == wanted;
  }

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
      Show(old_, first + k, worker.OldLines[k], worker.Old[k]);
      Show(new_, first + k, worker.NewLines[k], worker.New[k]);
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
      const std::int64_t runningMs = Difference(oldTotal, newTotal);
      const std::size_t positionStart = block.Size();
      char* p = block.Reserve(positionBound_);
      if (emptyHeading_) {
        p = Put(p, kEmptyHeadingPrefix);
        p = Put(p, newShown.Entry.SectionId);
      } else {
        p = heading_.Write(p, static_cast<std::int64_t>(first + k) + 1);
      }
      block.Commit(Put(p, kLineEnd));
      if (oldShown.Entry.Name != newShown.Entry.Name) ++worker.Tally.Misaligned;
      const TRunning running{runningMs, oldTotal < newTotal};
      WriteTimesAndComparison(block, worker.Columns, worker.Tally, oldShown, newShown, &running);
      // A file that shrank meanwhile gave zeros for its lost bytes: the position that
      // read them is not shown, and the comparison fails.
      if (!old_.Lines.Intact() || !new_.Lines.Intact()) {
        block.Truncate(positionStart);
        throw TCompareFailure();
      }
    }
    return true;
  }

  /// Reads a side's entry at the position (or marks it as missing) and the time it adds to
  /// the running total. Plain times are rendered here; anything else goes through the
  /// general duration operations (FormatTimingLine), which give the same for plain times.
  void Show(const TSide& side, std::size_t position, std::string_view line,
            TShown& shown) const {
    TTimingEntryView& entry = shown.Entry;
    const bool present = position < side.Kept();
    shown.Present = present;
    if (present) {
      SplitTimingLine(line, entry, shown.Scratch);
    } else {
      entry.SectionId = side.LastSectionId;  // kept from the last position with an entry
      entry.TimeText = kZeroTime;
      entry.Name = kNoSectionName;
    }
    std::int64_t readMs = 0;  // the time as added to the total
    shown.Plain = ParsePlainDuration(entry.TimeText, readMs);
    if (shown.Plain) {
      shown.TimeMs = readMs;
    } else {
      readMs = ParseDuration(entry.TimeText, zeroMode_).TotalMilliseconds();
      const TTimingEntry owned{std::string(entry.SectionId), std::string(entry.TimeText),
                               std::string(entry.Name)};
      TTimingLine general = FormatTimingLine(side.Label, owned, kNoTimeText, zeroMode_);
      shown.TimeMs = general.Duration.TotalMilliseconds();
      shown.Line = std::move(general.Line);
    }
    shown.ReadMs = present ? readMs : 0;
  }

  void ShowAggregate(const TSide& side, std::int64_t total, TShown& shown) const {
    TDurationRec unused;
    const TTimingEntry entry =
        ParseTimingLine(side.Lines.Line(side.Lines.Count() - 1), unused, false, zeroMode_);
    TTimingLine line = FormatTimingLine(side.Label, entry, clock_.Format(total), zeroMode_);
    shown.TimeMs = line.Duration.TotalMilliseconds();
    shown.Plain = false;
    shown.Line = std::move(line.Line);
  }

  /// The most a heading line takes: the fixed prefix and a section id, or the pattern's most.
  std::size_t HeadingLineBound() const {
    return (emptyHeading_ ? kEmptyHeadingPrefix.size() + kTimingFieldMax : heading_.MaxSize()) +
           kLineEnd.size();
  }

  /// The most WriteTimeLine writes: " ", a label of three, ": ", the time, " ", the name.
  static constexpr std::size_t kTimeLineBound =
      6 + std::max(kTimeColumns, TDurationFormat::kMaxSize) + 1 + kTimingFieldMax +
      kLineEnd.size();

  /// Writes a time line: " OLD: ", the time right-aligned in kTimeColumns, the name.
  char* WriteTimeLine(char* p, TColumns& columns, std::string_view label,
                      const TShown& shown) const {
    if (shown.Plain) {
      *p++ = ' ';
      p = Put(p, label);
      p = Put(p, ": ");
      p = columns.Time.Write(p, shown.TimeMs);
      *p++ = ' ';
      p = PutVariable(p, shown.Entry.Name);
    } else {
      p = Put(p, shown.Line);
    }
    return Put(p, kLineEnd);
  }

  /// The running part of a comparison line: the difference of the totals and who is ahead.
  struct TRunning {
    std::int64_t Ms;
    bool NewBehind;
  };

  /// The most the comparison line of WriteTimesAndComparison takes: the difference, the
  /// class, the longest marker, the running part and the result's and the line's ends.
  std::size_t ComparisonLineBound() const {
    return kIndent.size() + TDurationFormat::kMaxSize + kUnchanged.Status.size() +
           kVersus.size() + thresholds_.LongestMarker() + 2 +
           std::max(kRunningColumns, TDurationFormat::kMaxSize) + 1 + kFaster.Arrow.size() +
           2 * kLineEnd.size();
  }

  /// Adds the two time lines to the block (after the position's heading), classifies the
  /// position and adds its comparison line (with the running part unless running is null,
  /// at the aggregate position) and an empty line.
  void WriteTimesAndComparison(TBlock& block, TColumns& columns, TTally& tally,
                               const TShown& oldShown, const TShown& newShown,
                               const TRunning* running) const {
    const std::int64_t oldMs = oldShown.TimeMs;
    const std::int64_t newMs = newShown.TimeMs;
    const std::int64_t diffMs = Difference(oldMs, newMs);
    char* p = block.Reserve(positionBound_);
    p = WriteTimeLine(p, columns, old_.Label, oldShown);
    p = WriteTimeLine(p, columns, new_.Label, newShown);
    block.Commit(p);

    const bool counted = running != nullptr;
    TClass kind = kUnchanged;
    const TThresholds::TMarkers* marker = &thresholds_.Unchanged;
    std::size_t markerLength = 1;
    if (oldMs == newMs) {
      if (counted) ++tally.Unchanged;
    } else {
      if (!thresholds_.Valid) throw TCompareFailure();  // its time lines still show
      markerLength = thresholds_.MarkerLength(diffMs);
      if (newMs < oldMs) {
        kind = kFaster;
        marker = &thresholds_.Faster;
        if (counted) {
          ++tally.Faster;
          tally.MaxFasterMs = std::max(tally.MaxFasterMs, diffMs);
        }
      } else {
        kind = kSlower;
        marker = &thresholds_.Slower;
        if (counted) {
          ++tally.Slower;
          tally.MaxSlowerMs = std::max(tally.MaxSlowerMs, diffMs);
        }
      }
    }

    // The comparison line is a duration result in custom-message mode: the difference
    // rendered "###:min:sec.ms" in the value place of a message made of the text around it.
    // It is written here as WriteDurationResult writes such a result, but straight into the
    // block, since that message is this report's own and its value place known.
    p = Put(p, kIndent);
    p = clock_.Write(p, diffMs);
    p = Put(p, kind.Status);
    p = Put(p, kVersus);
    if (counted) {
      p = PutVariable(p, marker->PaddedTo(markerLength));
      p = Put(p, running->NewBehind ? "[+" : "[-");
      p = WriteRunning(p, columns, running->Ms);
      *p++ = ']';
      p = Put(p, kind.Arrow);
    } else {
      p = Put(p, marker->Bare(markerLength));
    }
    // Condensed results share a line, each followed by a blank.
    p = Put(p, resultEnd_);
    block.Commit(Put(p, kLineEnd));
  }

  /// The running difference rendered "min:sec.ms", right-aligned in kRunningColumns.
  char* WriteRunning(char* p, TColumns& columns, std::int64_t ms) const {
    if (ms / kMsPerDay <= INT32_MAX) return columns.Running.Write(p, ms);
    // More days than its text can be read back with: the general path.
    const std::string text = FormatDurationText(DurationFromMs(ms).Text(), kMinuteFormat, zeroMode_);
    const std::size_t blanks = text.size() < kRunningColumns ? kRunningColumns - text.size() : 0;
    std::memset(p, ' ', blanks);
    return Put(p + blanks, text);
  }

  TTextWriter& out_;
  const THeadingPattern& heading_;
  const bool emptyHeading_;
  const TThresholds& thresholds_;
  const TSide& old_;
  const TSide& new_;
  const TZeroMode zeroMode_;
  const TDurationFormat& clock_;
  const TDurationFormat& minutes_;
  const std::string_view resultEnd_;
  std::size_t positions_ = 0;  ///< positions before the aggregate one
  std::int64_t oldTotal_ = 0, newTotal_ = 0;  ///< of all entries, once all were shown
  std::size_t positionBound_ = 0;
  TTally tally_;
};

/// Reads both files and keeps their lines. Viewing and keeping are most
/// of the loading of a large file, so when OLD is large NEW is viewed and kept on a thread
/// of its own while OLD's lines are kept on this one (without a thread to be had, one after
/// the other). Returns false when either file cannot be read; throws what a load throws
/// (std::bad_alloc).
bool LoadBothFiles(platform::Platform& os, const std::string& oldFileName,
                   const std::string& newFileName, const std::string& searchText,
                   TSide& oldSide, TSide& newSide) {
  if (!ReadTimingFile(os, oldFileName, oldSide.Lines)) return false;
  auto loadNew = [&] {
    if (!ReadTimingFile(os, newFileName, newSide.Lines)) return false;
    KeepTimingLines(newSide.Lines, searchText);
    return true;
  };
  std::thread helper;
  std::exception_ptr helperFailure;
  bool newRead = false;
  if (oldSide.Lines.FileSize() >= kTwoThreadsFrom / 2) {
    try {
      helper = os.StartThread([&] {
        try {
          newRead = loadNew();
        } catch (...) {
          helperFailure = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
    }
  }
  try {
    KeepTimingLines(oldSide.Lines, searchText);
  } catch (...) {
    if (helper.joinable()) helper.join();
    throw;
  }
  if (!helper.joinable()) return loadNew();
  helper.join();
  if (helperFailure) std::rethrow_exception(helperFailure);
  return newRead;
}

/// The section id a position past the side's last entry shows (its last entry's).
std::string LastSectionId(const TSide& side) {
  TTimingEntry last;
  SplitTimingLine(side.Lines.Line(side.Kept() - 1), last);
  return last.SectionId;
}

/// The failure line on standard error; the code the comparison then ends with.
TExitCode Fail(TTextWriter& err) {
  err.WriteLine(kFailureLine);
  return TExitCode::FileOpenFailed;
}

}  // namespace

TTimingLine FormatTimingLine(std::string_view label, const TTimingEntry& entry,
                             std::string_view override, TZeroMode zeroMode) {
  std::string time, shown;
  if (override != kNoTimeText) {
    time = PadDurationFields(override, 3);
    shown = FormatDurationText(time, kClockFormat, zeroMode);
  } else if (entry.TimeText == kNoTimeText) {
    time = PadDurationFields(kZeroTime, 3);
    shown = kNoTimeText;
  } else {
    time = FormatDurationText(entry.TimeText, kClockFormat, zeroMode);
    shown = time;
  }
  TTimingLine result;
  result.Duration = ParseDuration(time, zeroMode);
  result.Line.reserve(1 + label.size() + 2 + kTimeColumns + 1 + entry.Name.size());
  result.Line.push_back(' ');
  result.Line.append(UpperAscii(label));
  result.Line.append(": ");
  AppendRightAligned(result.Line, shown, kTimeColumns);
  result.Line.push_back(' ');
  result.Line.append(entry.Name);
  return result;
}

TCompareOutcome CompareTimingFiles(platform::Platform& os, TTextWriter& out, TTextWriter& err,
                                   const TCompareRequest& request) {
  if (!CheckTimingFile(os, err, "OLD", request.OldFileName) ||
      !CheckTimingFile(os, err, "NEW", request.NewFileName)) {
    return {TExitCode::FileOpenFailed, false};
  }
  const TThresholds thresholds = TThresholds::Read(
      request.Thresholds.empty() ? kDefaultThresholds : std::string_view(request.Thresholds));

  TSide oldSide("OLD");
  TSide newSide("NEW");
  try {
    if (!LoadBothFiles(os, request.OldFileName, request.NewFileName, request.SearchText, oldSide,
                       newSide)) {
      return {Fail(err), true};
    }
    // A file that shrank while it was read is no longer what the report would show.
    auto intact = [&] { return oldSide.Lines.Intact() && newSide.Lines.Intact(); };
    if (!intact()) throw TCompareFailure();
    if (!CheckTimingCount(err, "OLD", oldSide.Lines.Count()) ||
        !CheckTimingCount(err, "NEW", newSide.Lines.Count())) {
      return {TExitCode::NoTimingData, true};
    }
    THeadingPattern pattern;
    if (!request.Heading.empty() && !pattern.Compile(request.Heading)) return {Fail(err), true};
    oldSide.LastSectionId = LastSectionId(oldSide);
    newSide.LastSectionId = LastSectionId(newSide);
    TComparison comparison(out, request, pattern, thresholds, oldSide, newSide);
    comparison.Run(os, oldSide.Lines.FileSize() + newSide.Lines.FileSize() >= kTwoThreadsFrom);
    comparison.WriteAggregate();
    if (!intact()) throw TCompareFailure();  // the totals are not written
    comparison.WriteTotals();
  } catch (const TCompareFailure&) {
    return {Fail(err), true};
  } catch (const std::bad_alloc&) {
    // Both files are held whole; one too large for memory ends the comparison like any
    // other failure to read it.
    return {Fail(err), true};
  }
  return {TExitCode::Success, true};
}

}  // namespace zentrel
