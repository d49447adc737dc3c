#include "perf/timing_compare.h"

#include <algorithm>
#include <cstdint>
#include <future>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "core/conversion_error.h"
#include "core/integer_conversion.h"
#include "core/line_end.h"
#include "core/text.h"
#include "durations/duration_format.h"
#include "perf/timing_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kFailureLine = "ERROR: One or More Input Files May Be Use!";
constexpr std::string_view kThresholdsVariable = "@TIME_INCREMENTS";
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
constexpr std::size_t kMarkerColumns = 30;
constexpr std::size_t kRunningColumns = 10;

struct TClass {
  std::string_view Status, Arrow;
};
constexpr TClass kUnchanged{" UNCHGD ", " ="};
constexpr TClass kFaster{" FASTER ", " \xC2\xAB"};  // U+00AB
constexpr TClass kSlower{" SLOWER ", " \xC2\xBB"};  // U+00BB

/// A failure that stops the comparison after the files were found.
struct TCompareFailure {};

inline void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out.append(text);
}

/// The marker thresholds, in whole seconds and in their given order.
struct TThresholds {
  std::vector<std::int64_t> Seconds;
  bool Valid = true;  ///< false when a word is not a whole number
  /// The longest markers, one character and two per threshold; shorter ones are prefixes.
  std::string MinusMarker, PlusMarker;

  static TThresholds Read(TRunContext& run) {
    std::optional<std::string> value = run.Os.GetEnv(std::string(kThresholdsVariable));
    std::string_view list = value && !value->empty() ? std::string_view(*value) : kDefaultThresholds;
    TThresholds thresholds;
    std::size_t i = 0;
    while (i < list.size()) {
      while (i < list.size() && list[i] == ' ') ++i;
      const std::size_t start = i;
      while (i < list.size() && list[i] != ' ') ++i;
      if (start == i) break;
      try {
        thresholds.Seconds.push_back(StrToInt32(list.substr(start, i - start)));
      } catch (const ConversionError&) {
        thresholds.Valid = false;
      }
    }
    thresholds.MinusMarker.assign(1 + 2 * thresholds.Seconds.size(), '-');
    thresholds.PlusMarker.assign(1 + 2 * thresholds.Seconds.size(), '+');
    return thresholds;
  }
};

/// One file's side of the comparison: its lines, the current entry and the running total.
struct TSide {
  explicit TSide(std::string_view label) : Label(label) {}
  std::string_view Label;
  TTimingLines Lines;
  TTimingEntryView Entry;
  std::string NameScratch;   ///< backs Entry.Name for a line without section id
  std::int64_t TotalMs = 0;  ///< the sum of the times of the entries read so far
  std::int64_t TimeMs = 0;   ///< the time shown at the current position
  bool PlainTime = true;     ///< TimeMs is rendered by the fast path, else TimeLine holds
  std::string TimeLine;      ///< the current " OLD: ..." line when not PlainTime
};

/// The larger minus the smaller; totals of opposite signs can be further apart than 64 bits
/// hold, which fails the comparison like a total that overflows.
std::int64_t Difference(std::int64_t a, std::int64_t b) {
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(std::max(a, b), std::min(a, b), &difference)) {
    throw TCompareFailure();
  }
  return difference;
}

/// Reads the entry of the current position (or marks it as missing) and adds its time to
/// the total. Plain times take the fast path; anything else goes through the general
/// duration operations (FormatTimingLine), which give the same results for plain times.
void ReadPosition(TSide& side, std::size_t index, TZeroMode zeroMode) {
  TTimingEntryView& entry = side.Entry;
  const bool present = index + 1 < side.Lines.Count();
  if (present) {
    SplitTimingLine(side.Lines.Line(index), entry, side.NameScratch);
  } else {
    entry.TimeText = kZeroTime;  // the section id stays from the previous position
    entry.Name = kNoSectionName;
  }
  std::int64_t readMs = 0;  // the time as added to the total
  side.PlainTime = ParsePlainDuration(entry.TimeText, readMs);
  if (side.PlainTime) {
    side.TimeMs = readMs;
  } else {
    readMs = ParseDuration(entry.TimeText, zeroMode).TotalMilliseconds();
    const TTimingEntry owned{std::string(entry.SectionId), std::string(entry.TimeText),
                             std::string(entry.Name)};
    TTimingLine general = FormatTimingLine(side.Label, owned, kNoTimeText, zeroMode);
    side.TimeMs = general.Duration.TotalMilliseconds();
    side.TimeLine = std::move(general.Line);
  }
  if (present && __builtin_add_overflow(side.TotalMs, readMs, &side.TotalMs)) {
    throw TCompareFailure();  // the total no longer fits in milliseconds
  }
}

/// Appends the side's time line and a line end.
void AppendTimeLine(TSide& side, std::string& out) {
  if (side.PlainTime) {
    out.push_back(' ');
    out.append(side.Label);
    out.append(": ");
    const std::size_t start = out.size();
    AppendClockDuration(out, side.TimeMs);
    const std::size_t width = out.size() - start;
    if (width < kTimeColumns) out.insert(start, kTimeColumns - width, ' ');
    out.push_back(' ');
    out.append(side.Entry.Name);
  } else {
    out.append(side.TimeLine);
  }
  out.append(kLineEnd);
}

/// The aggregate position: the synthetic last line shown with the computed total.
void ReadAggregate(TSide& side, TZeroMode zeroMode) {
  TDurationRec unused;
  const TTimingEntry entry =
      ParseTimingLine(side.Lines.Line(side.Lines.Count() - 1), unused, false, zeroMode);
  const std::string total = FormatDuration(DurationFromMs(side.TotalMs), kClockFormat);
  TTimingLine shown = FormatTimingLine(side.Label, entry, total, zeroMode);
  side.TimeMs = shown.Duration.TotalMilliseconds();
  side.PlainTime = false;
  side.TimeLine = std::move(shown.Line);
}

/// The counters and maxima of the totals block.
struct TTally {
  std::int64_t Faster = 0, Slower = 0, Unchanged = 0, Misaligned = 0;
  std::int64_t MaxFasterMs = 0, MaxSlowerMs = 0;
};

class TComparison {
 public:
  TComparison(TRunContext& run, const THeadingPattern& heading, bool emptyHeading,
              const TThresholds& thresholds, TSide& oldSide, TSide& newSide)
      : run_(run),
        heading_(heading),
        emptyHeading_(emptyHeading),
        thresholds_(thresholds),
        old_(oldSide),
        new_(newSide),
        zeroMode_(run.RunSettings.ZeroMode) {}

  /// Prints every position; throws TCompareFailure when a threshold cannot be read or a
  /// total, or the difference of the two, overflows, after what was printed before the
  /// failure has gone out.
  void Run() {
    try {
      const std::size_t positions = std::max(old_.Lines.Count(), new_.Lines.Count());
      for (std::size_t i = 0; i + 1 < positions; ++i) {
        Prefetch(old_, i + kPrefetchAhead);
        Prefetch(new_, i + kPrefetchAhead);
        const std::size_t positionStart = block_.size();
        ReadPosition(old_, i, zeroMode_);
        ReadPosition(new_, i, zeroMode_);
        // Before anything of the position is written: one that cannot be told is not shown.
        const std::int64_t runningMs = Difference(old_.TotalMs, new_.TotalMs);
        if (emptyHeading_) {
          block_.append(kEmptyHeadingPrefix);
          block_.append(new_.Entry.SectionId);
        } else {
          heading_.AppendTo(block_, static_cast<std::int64_t>(i) + 1);
        }
        block_.append(kLineEnd);
        if (old_.Entry.Name != new_.Entry.Name) ++tally_.Misaligned;
        WriteTimesAndComparison(false, runningMs);
        // A file that shrank meanwhile gave zeros for its lost bytes: the position that
        // read them is not shown, and the comparison fails.
        if (!old_.Lines.Intact() || !new_.Lines.Intact()) {
          block_.resize(positionStart);
          throw TCompareFailure();
        }
        if (block_.size() >= kBlockFlushAt) FlushBlock();
      }
      // The aggregate position shows the computed totals and counts in no counter.
      for (std::string_view text : {kTildeLine, kAggregateHeading, kTildeLine}) {
        block_.append(text);
        block_.append(kLineEnd);
      }
      ReadAggregate(old_, zeroMode_);
      ReadAggregate(new_, zeroMode_);
      WriteTimesAndComparison(true, 0);
    } catch (const TCompareFailure&) {
      FlushBlock();
      throw;
    }
    FlushBlock();
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
    run_.Out().Write(out);
  }

 private:
  /// Adds the two time lines to block_ (after the position's heading), classifies the
  /// position and adds its comparison line (with runningMs, the difference of the totals,
  /// unless last) and an empty line. block_ collects positions until it holds kBlockFlushAt
  /// bytes (Run hands it on): it goes out in large writes, not copied piece by piece into
  /// the output's own buffer.
  void WriteTimesAndComparison(bool last, std::int64_t runningMs) {
    const std::int64_t oldMs = old_.TimeMs;
    const std::int64_t newMs = new_.TimeMs;
    const std::int64_t diffMs = Difference(oldMs, newMs);
    AppendTimeLine(old_, block_);
    AppendTimeLine(new_, block_);

    TClass kind = kUnchanged;
    std::string_view marker = "=";
    if (oldMs == newMs) {
      if (!last) ++tally_.Unchanged;
    } else {
      if (!thresholds_.Valid) throw TCompareFailure();  // its time lines still show
      // One '-' and two more for every threshold reached ('+' when faster).
      const std::int64_t diffSeconds = diffMs / 1000;
      std::size_t length = 1;
      for (std::int64_t threshold : thresholds_.Seconds) {
        if (threshold <= diffSeconds) length += 2;
      }
      if (newMs < oldMs) {
        kind = kFaster;
        marker = std::string_view(thresholds_.PlusMarker).substr(0, length);
        if (!last) {
          ++tally_.Faster;
          if (diffMs > tally_.MaxFasterMs) tally_.MaxFasterMs = diffMs;
        }
      } else {
        kind = kSlower;
        marker = std::string_view(thresholds_.MinusMarker).substr(0, length);
        if (!last) {
          if (diffMs > tally_.MaxSlowerMs) tally_.MaxSlowerMs = diffMs;
          ++tally_.Slower;
        }
      }
    }

    // The comparison line is a duration result in custom-message mode: the difference
    // rendered "###:min:sec.ms" in place of the value marker of a message made of the text
    // around it. It is written here as WriteDurationResult writes such a result, but straight
    // into the block, since that message is this report's own and the marker's place known.
    block_.append(kIndent);
    AppendClockDuration(block_, diffMs);
    block_.append(kind.Status);
    block_.append(kVersus);
    block_.append(marker);
    if (!last) {
      if (marker.size() < kMarkerColumns) block_.append(kMarkerColumns - marker.size(), ' ');
      block_.append(old_.TotalMs < new_.TotalMs ? "[+" : "[-");
      AppendRunning(block_, runningMs);
      block_.push_back(']');
      block_.append(kind.Arrow);
    }
    // Condensed results share a line, each followed by a blank.
    const TRunSettings& settings = run_.RunSettings;
    block_.append(settings.Condensed && !settings.ShowLabels ? std::string_view(" ") : kLineEnd);
    block_.append(kLineEnd);
  }

  /// Hands the positions collected in block_ to the output.
  void FlushBlock() {
    run_.Out().Write(block_);
    block_.clear();
  }

  /// The running difference rendered "min:sec.ms", right-aligned in 10 columns.
  void AppendRunning(std::string& out, std::int64_t ms) {
    running_.clear();
    if (ms / kMsPerDay <= INT32_MAX) {
      AppendMinuteDuration(running_, ms);
    } else {  // more days than its text can be read back with: the general path
      running_ = FormatDurationText(DurationFromMs(ms).Text(), kMinuteFormat, zeroMode_);
    }
    AppendRightAligned(out, running_, kRunningColumns);
  }

  /// Asks for the line some positions ahead to be brought into the cache: the lines were
  /// last read while loading, long enough ago for large files to have left it.
  static void Prefetch(const TSide& side, std::size_t index) {
    if (index + 1 >= side.Lines.Count()) return;
    const std::string_view line = side.Lines.Line(index);
    __builtin_prefetch(line.data());
    __builtin_prefetch(line.data() + 64);
  }
  static constexpr std::size_t kPrefetchAhead = 8;
  static constexpr std::size_t kBlockFlushAt = 1 << 17;

  TRunContext& run_;
  const THeadingPattern& heading_;
  const bool emptyHeading_;
  const TThresholds& thresholds_;
  TSide& old_;
  TSide& new_;
  const TZeroMode zeroMode_;
  TTally tally_;
  std::string block_, running_;
};

/// Loads both files. Keeping the lines is most of the loading of a large file, so when
/// both are large NEW's lines are kept on a thread of its own while OLD's are kept on this
/// one (without a thread to be had, one after the other). Returns false when either file
/// cannot be read; throws what a load throws (std::bad_alloc).
bool LoadBothFiles(TRunContext& run, const std::string& oldFileName,
                   const std::string& newFileName, const std::string& searchText,
                   TSide& oldSide, TSide& newSide) {
  if (!ReadTimingFile(run, oldFileName, oldSide.Lines) ||
      !ReadTimingFile(run, newFileName, newSide.Lines)) {
    return false;
  }
  constexpr std::size_t kThreadFrom = 4 << 20;  // below this a thread costs more than it saves
  std::future<void> newKept;
  if (oldSide.Lines.FileSize() >= kThreadFrom && newSide.Lines.FileSize() >= kThreadFrom) {
    try {
      newKept = std::async(std::launch::async, [&] { KeepTimingLines(newSide.Lines, searchText); });
    } catch (const std::system_error&) {
    }
  }
  // Should this throw, the future still waits for the other thread before it goes.
  KeepTimingLines(oldSide.Lines, searchText);
  if (newKept.valid()) {
    newKept.get();
  } else {
    KeepTimingLines(newSide.Lines, searchText);
  }
  return true;
}

void Fail(TRunContext& run) {
  run.Err().WriteLine(kFailureLine);
  run.ExitCode = TExitCode::FileOpenFailed;
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

void CompareTimingFiles(TRunContext& run, const std::string& oldFileName,
                        const std::string& newFileName, const std::string& searchText,
                        const std::string& heading) {
  if (!CheckTimingFile(run, "OLD", oldFileName) || !CheckTimingFile(run, "NEW", newFileName)) {
    run.ExitCode = TExitCode::FileOpenFailed;
    return;
  }
  const TThresholds thresholds = TThresholds::Read(run);
  run.RunSettings.ShowLabels = false;
  run.RunSettings.CustomOutput = true;

  TSide oldSide("OLD");
  TSide newSide("NEW");
  try {
    if (!LoadBothFiles(run, oldFileName, newFileName, searchText, oldSide, newSide)) {
      Fail(run);
      return;
    }
    // A file that shrank while it was read is no longer what the report would show.
    auto intact = [&] { return oldSide.Lines.Intact() && newSide.Lines.Intact(); };
    if (!intact()) throw TCompareFailure();
    if (!CheckTimingCount(run, "OLD", oldSide.Lines.Count()) ||
        !CheckTimingCount(run, "NEW", newSide.Lines.Count())) {
      run.ExitCode = TExitCode::NoTimingData;
      return;
    }
    THeadingPattern pattern;
    if (!heading.empty() && !pattern.Compile(heading)) {
      Fail(run);
      return;
    }
    TComparison comparison(run, pattern, heading.empty(), thresholds, oldSide, newSide);
    comparison.Run();
    if (!intact()) throw TCompareFailure();  // the totals are not written
    comparison.WriteTotals();
  } catch (const TCompareFailure&) {
    Fail(run);
  } catch (const std::bad_alloc&) {
    // Both files are held whole; one too large for memory ends the comparison like any
    // other failure to read it.
    Fail(run);
  }
}

}  // namespace zentrel
