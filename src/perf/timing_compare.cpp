#include "perf/timing_compare.h"

#include <new>

#include "perf/compare_report.h"
#include "perf/compare_sides.h"
#include "perf/compare_tasks.h"
#include "perf/thresholds.h"
#include "perf/timing_format.h"

namespace zentrel {
namespace {

constexpr std::string_view kFailureLine = "ERROR: One or More Input Files May Be Use!";
constexpr std::string_view kDefaultThresholds = "1 10 30 60 600 1800 3600 7200 14400";
/// Files smaller than this together are compared on one thread: a second costs more than
/// it saves.
constexpr std::size_t kTwoThreadsFrom = 4 << 20;

/// The failure line on standard error; the code the comparison then ends with.
TCompareOutcome Fail(TTextWriter& err) {
  err.WriteLine(kFailureLine);
  return {TExitCode::FileOpenFailed};
}

}  // namespace

TCompareOutcome CompareTimingFiles(platform::FileReader& files, TTextWriter& out,
                                   TTextWriter& err, const TCompareRequest& request) {
  if (!CheckTimingFile(files, err, "OLD", request.OldFileName) ||
      !CheckTimingFile(files, err, "NEW", request.NewFileName)) {
    return {TExitCode::FileOpenFailed};
  }
  const TThresholds thresholds = TThresholds::Read(
      request.Thresholds.empty() ? kDefaultThresholds : std::string_view(request.Thresholds));

  TSide oldSide("OLD");
  TSide newSide("NEW");
  try {
    if (!LoadBothFiles(files, request.OldFileName, request.NewFileName, request.SearchText,
                       kTwoThreadsFrom, oldSide, newSide)) {
      return Fail(err);
    }
    // A file that shrank while it was read is no longer what the report would show.
    auto intact = [&] { return oldSide.Lines.Intact() && newSide.Lines.Intact(); };
    if (!intact()) throw TCompareFailure();
    if (!CheckTimingCount(err, "OLD", oldSide.Lines.Count()) ||
        !CheckTimingCount(err, "NEW", newSide.Lines.Count())) {
      return {TExitCode::NoTimingData};
    }
    THeadingPattern pattern;
    if (!request.Heading.empty() && !pattern.Compile(request.Heading)) return Fail(err);
    oldSide.LastSectionId = LastSectionId(oldSide);
    newSide.LastSectionId = LastSectionId(newSide);
    const TReportWriter report(pattern, request.Heading.empty(), thresholds, oldSide.Label,
                               newSide.Label, request.ZeroMode);
    const bool twoThreads =
        oldSide.Lines.FileSize() + newSide.Lines.FileSize() >= kTwoThreadsFrom;
    const TPositionTotals totals =
        WritePositions(files, twoThreads, out, report, oldSide, newSide, request.ZeroMode);
    TShown oldAggregate, newAggregate;
    ShowAggregate(oldSide, totals.OldTotal, request.ZeroMode, oldAggregate);
    ShowAggregate(newSide, totals.NewTotal, request.ZeroMode, newAggregate);
    report.WriteAggregate(out, oldAggregate, newAggregate);
    if (!intact()) throw TCompareFailure();  // the totals are not written
    report.WriteTotals(out, totals.Tally);
  } catch (const TCompareFailure&) {
    return Fail(err);
  } catch (const std::bad_alloc&) {
    // Both files are held whole; one too large for memory ends the comparison like any
    // other failure to read it.
    return Fail(err);
  }
  return {TExitCode::Success};
}

}  // namespace zentrel
