#include "perf/compare_sides.h"

#include <exception>
#include <system_error>
#include <thread>

#include "perf/timing_format.h"

namespace zentrel {

bool LoadBothFiles(platform::FileReader& files, const std::string& oldFileName,
                   const std::string& newFileName, const std::string& searchText,
                   std::size_t twoThreadsFrom, TSide& oldSide, TSide& newSide) {
  if (!ReadTimingFile(files, oldFileName, oldSide.Lines)) return false;
  auto loadNew = [&] {
    if (!ReadTimingFile(files, newFileName, newSide.Lines)) return false;
    KeepTimingLines(newSide.Lines, searchText);
    return true;
  };
  std::thread helper;
  std::exception_ptr helperFailure;
  bool newRead = false;
  if (oldSide.Lines.FileSize() >= twoThreadsFrom / 2) {
    try {
      helper = files.StartThread([&] {
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

std::string LastSectionId(const TSide& side) {
  TTimingEntry last;
  SplitTimingLine(side.Lines.Line(side.Kept() - 1), last);
  return last.SectionId;
}

void ShowEntry(const TSide& side, std::size_t position, std::string_view line,
               TZeroMode zeroMode, TShown& shown) {
  TTimingEntryView& entry = shown.Entry;
  const bool present = position < side.Kept();
  shown.Present = present;
  if (present) {
    SplitTimingLine(line, entry, shown.Scratch);
  } else {
    entry.SectionId = side.LastSectionId;
    entry.TimeText = kZeroTime;
    entry.Name = kNoName;
  }
  std::int64_t readMs = 0;  // the time as added to the total
  shown.Time.Plain = ParsePlainDuration(entry.TimeText, readMs);
  if (shown.Time.Plain) {
    shown.Time.Ms = readMs;
  } else {
    readMs = ParseDuration(entry.TimeText, zeroMode).TotalMilliseconds();
    shown.Time = GeneralLineTime(entry.TimeText, kNoTimeText, zeroMode);
  }
  shown.ReadMs = present ? readMs : 0;
}

void ShowAggregate(const TSide& side, std::int64_t total, TZeroMode zeroMode, TShown& shown) {
  TDurationRec unused;
  const TTimingEntry entry =
      ParseTimingLine(side.Lines.Line(side.Lines.Count() - 1), unused, false, zeroMode);
  shown.Scratch = entry.Name;
  shown.Entry = {{}, {}, shown.Scratch};  // under a heading of its own: no section id
  shown.Time = GeneralLineTime(entry.TimeText, FindDurationFormat(kClockFormat).Format(total),
                               zeroMode);
}

}  // namespace zentrel
