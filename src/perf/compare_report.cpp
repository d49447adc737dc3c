#include "perf/compare_report.h"

#include <climits>
#include <cstring>
#include <string>

#include "core/line_end.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kMinuteFormat = "min:sec.ms";
constexpr std::string_view kTildeLine =
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
constexpr std::string_view kDashLine = "-----------------------------------";
constexpr std::string_view kAggregateHeading = "TOTAL DURATION FOR ALL SECTIONS [CALCULATED]";
constexpr std::string_view kEmptyHeadingPrefix = "SECTION ";
constexpr std::string_view kIndent = "       ";  // seven blanks
constexpr std::string_view kVersus = "vs previous run       ";

struct TClass {
  std::string_view Status, Arrow;
};
constexpr TClass kUnchanged{" UNCHGD ", " ="};
constexpr TClass kFaster{" FASTER ", " \xC2\xAB"};  // U+00AB
constexpr TClass kSlower{" SLOWER ", " \xC2\xBB"};  // U+00BB

/// The running difference rendered "min:sec.ms", right-aligned in kRunningColumns.
char* WriteRunning(char* p, TColumns& columns, std::int64_t ms, TZeroMode zeroMode) {
  if (ms / kMsPerDay <= INT32_MAX) return columns.Running.Write(p, ms);
  // More days than its text can be read back with: the general path.
  const std::string text = FormatDurationText(DurationFromMs(ms).Text(), kMinuteFormat, zeroMode);
  const std::size_t blanks = text.size() < kRunningColumns ? kRunningColumns - text.size() : 0;
  std::memset(p, ' ', blanks);
  return Put(p + blanks, text);
}

}  // namespace

TColumns::TColumns()
    : Time(FindDurationFormat(kClockFormat), kTimeColumns),
      Running(FindDurationFormat(kMinuteFormat), kRunningColumns) {}

TReportWriter::TReportWriter(const THeadingPattern& heading, bool emptyHeading,
                             const TThresholds& thresholds, std::string_view oldLabel,
                             std::string_view newLabel, TZeroMode zeroMode)
    : heading_(heading),
      emptyHeading_(emptyHeading),
      thresholds_(thresholds),
      oldLabel_(oldLabel),
      newLabel_(newLabel),
      zeroMode_(zeroMode),
      clock_(FindDurationFormat(kClockFormat)) {
  // Aligned durations may be written up to their column's width after where they end up,
  // then moved into place, and may store kSlack bytes past their end.
  positionBound_ = HeadingLineBound() + 2 * (kTimeLineBound + kLineEnd.size()) +
                   ComparisonLineBound() + TDurationFormat::kSlack + 2 * kTimeColumns +
                   kRunningColumns;
}

/// The most a heading line takes: the fixed prefix and a section id, or the pattern's most.
std::size_t TReportWriter::HeadingLineBound() const {
  return (emptyHeading_ ? kEmptyHeadingPrefix.size() + kTimingFieldMax : heading_.MaxSize()) +
         kLineEnd.size();
}

/// The most the comparison line takes: the difference, the class, the longest marker, the
/// running part, and the line's end and the empty line's.
std::size_t TReportWriter::ComparisonLineBound() const {
  return kIndent.size() + TDurationFormat::kMaxSize + kUnchanged.Status.size() + kVersus.size() +
         thresholds_.LongestMarker() + 2 + std::max(kRunningColumns, TDurationFormat::kMaxSize) +
         1 + kFaster.Arrow.size() + 2 * kLineEnd.size();
}

void TReportWriter::WritePosition(TBlock& block, TColumns& columns, TTally& tally,
                                  std::size_t number, const TShown& oldShown,
                                  const TShown& newShown, const TRunning& running) const {
  char* p = block.Reserve(positionBound_);
  if (emptyHeading_) {
    p = Put(p, kEmptyHeadingPrefix);
    p = Put(p, newShown.Entry.SectionId);
  } else {
    p = heading_.Write(p, static_cast<std::int64_t>(number));
  }
  p = Put(p, kLineEnd);
  block.Commit(p);
  if (oldShown.Entry.Name != newShown.Entry.Name) ++tally.Misaligned;
  WriteTimesAndComparison(block, p, columns, tally, oldShown, newShown, &running);
}

void TReportWriter::WriteTimesAndComparison(TBlock& block, char* p, TColumns& columns,
                                            TTally& tally, const TShown& oldShown,
                                            const TShown& newShown,
                                            const TRunning* running) const {
  const std::int64_t oldMs = oldShown.Time.Ms;
  const std::int64_t newMs = newShown.Time.Ms;
  const std::int64_t diffMs = Difference(oldMs, newMs);
  p = WriteTimeLine(p, oldLabel_, oldShown.Time, oldShown.Entry.Name, columns.Time);
  p = Put(p, kLineEnd);
  p = WriteTimeLine(p, newLabel_, newShown.Time, newShown.Entry.Name, columns.Time);
  p = Put(p, kLineEnd);
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
    p = WriteRunning(p, columns, running->Ms, zeroMode_);
    *p++ = ']';
    p = Put(p, kind.Arrow);
  } else {
    p = Put(p, marker->Bare(markerLength));
  }
  p = Put(p, kLineEnd);
  block.Commit(Put(p, kLineEnd));  // and an empty line
}

void TReportWriter::WriteAggregate(TTextWriter& out, const TShown& oldShown,
                                   const TShown& newShown) const {
  TBlock block;
  for (std::string_view text : {kTildeLine, kAggregateHeading, kTildeLine}) {
    block.Append(text);
    block.Append(kLineEnd);
  }
  TTally unused;
  try {
    TColumns columns;
    char* p = block.Reserve(positionBound_);
    WriteTimesAndComparison(block, p, columns, unused, oldShown, newShown, nullptr);
  } catch (const TCompareFailure&) {
    out.Write(block.View());
    throw;
  }
  out.Write(block.View());
}

void TReportWriter::WriteTotals(TTextWriter& out, const TTally& tally) const {
  std::string text;
  auto count = [&](std::string_view label, std::int64_t value) {
    text.append(label);
    AppendDecimal(text, value, 4, -1);
  };
  auto maximum = [&](std::string_view sign, std::int64_t ms) {
    // No maximum reads as an empty text, which renders as zero.
    const std::string duration = ms > 0 ? DurationFromMs(ms).Text() : std::string();
    text.push_back('\t');
    text.append(sign);
    AppendRightAligned(text, FormatDurationText(duration, kMinuteFormat, zeroMode_),
                       kRunningColumns);
    text.append("] (max)");
  };
  auto endLine = [&] { text.append(kLineEnd); };
  text.append(kDashLine);
  endLine();
  count(" TOTAL OVERALL SECTIONS .... ", tally.Faster + tally.Unchanged + tally.Slower);
  endLine();
  count(" MISALIGNED SECTIONS ....... ", tally.Misaligned);
  endLine();
  text.append(kDashLine);
  endLine();
  count(" TOTAL FASTER SECTIONS ..... ", tally.Faster);
  maximum("[-", tally.MaxFasterMs);
  endLine();
  count(" TOTAL UNCHGD SECTIONS ..... ", tally.Unchanged);
  endLine();
  count(" TOTAL SLOWER SECTIONS ..... ", tally.Slower);
  maximum("[+", tally.MaxSlowerMs);
  endLine();
  text.append(kTildeLine);
  endLine();
  endLine();
  out.Write(text);
}

}  // namespace zentrel
