// The two files of the comparison, OLD and NEW: loading both, and what each shows at a
// position. Sections are paired by position; a side with fewer entries than the other
// shows zero under its last section id past its end, and counts nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "perf/time_line.h"
#include "perf/timing_file.h"
#include "platform/file_reader.h"

namespace zentrel {

/// One file's side of the comparison.
struct TSide {
  explicit TSide(std::string_view label) : Label(label) {}
  /// Entries besides the synthetic line.
  std::size_t Kept() const { return Lines.Count() - 1; }

  std::string_view Label;  ///< "OLD" or "NEW", as the time lines show it
  TTimingLines Lines;
  std::string LastSectionId;  ///< what a position past the last entry keeps
};

/// One side at one position: the entry read and the time shown.
struct TShown {
  TTimingEntryView Entry;
  std::string Scratch;      ///< backs Entry.Name for a line without section id
  bool Present = false;     ///< the side has an entry at the position
  std::int64_t ReadMs = 0;  ///< the time added to the total
  TLineTime Time;
};

/// Reads both files and keeps their lines. Viewing and keeping are most of the loading of
/// a large file, so when OLD is at least twoThreadsFrom / 2 bytes NEW is viewed and kept on
/// a thread of its own while OLD's lines are kept on this one (without a thread to be had,
/// one after the other). Returns false when either file cannot be read; throws what a load
/// throws (std::bad_alloc).
bool LoadBothFiles(platform::FileReader& files, const std::string& oldFileName,
                   const std::string& newFileName, const std::string& searchText,
                   std::size_t twoThreadsFrom, TSide& oldSide, TSide& newSide);

/// The side's last section id, which a position past its last entry shows; the side
/// keeps at least one entry.
std::string LastSectionId(const TSide& side);

/// Reads a side's entry at the position from its line (or marks it as missing) and the
/// time it adds to the running total. Plain times are left to the time line to render;
/// any other time text is rendered by GeneralLineTime, which renders plain times alike.
void ShowEntry(const TSide& side, std::size_t position, std::string_view line,
               TZeroMode zeroMode, TShown& shown);

/// The side's synthetic last line with the computed total as its time.
void ShowAggregate(const TSide& side, std::int64_t total, TZeroMode zeroMode, TShown& shown);

}  // namespace zentrel
