// Timing files: the plain-text lists of section times that the comparison reads.
//
// Each entry line reads, in words separated by blanks (code 32 only; tabs are ordinary
// characters):
//
//   \--- [#47]        01:20:29.730         - ONE EXAMPLE SECTION
//   prefix  section id  time (hh:nn:ss.zzz)  name, beginning with '-'
//
// A file is held whole as one buffer (mapped where the platform can); the kept lines are
// views into it, found again when they are needed, so a large file costs little more than
// its own size. Lines without the search text, lines that carry the aggregate marker
// "[#ZZ]" or "- *** AGGREGATE JOB TIME ***", and lines of fewer than four words are
// dropped, and every loaded list ends with the synthetic aggregate line kAggregateLine, on
// which the comparison prints the totals of all sections. Each kept line is read into an
// entry by timing_entry.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels.h"
#include "core/time_units.h"
#include "durations/duration.h"
#include "perf/timing_entry.h"
#include "platform/file_reader.h"

namespace zentrel {

/// The synthetic last line of every loaded list.
inline constexpr std::string_view kAggregateLine =
    "\\--- [#ZZ]      -:--.--- - *** AGGREGATE JOB TIME ***";

/// A loaded timing file: the file's bytes and where its kept lines lie. The places are held
/// small (for a file of millions of lines they are most of the memory the comparison asks
/// the system for, and fresh memory is slow to get): a full offset every kCheckpointEvery
/// lines, and for each line 32-bit offsets from there. Should a line lie further away, the
/// lines are found again by reading from the full offsets instead.
class TTimingLines {
 public:
  static constexpr std::size_t kCheckpointEvery = 2048;

  TTimingLines() = default;
  TTimingLines(const TTimingLines&) = delete;  // the views point into this buffer
  TTimingLines& operator=(const TTimingLines&) = delete;

  /// Kept lines plus the synthetic aggregate line (0 before KeepTimingLines).
  std::size_t Count() const { return kept_ ? keptCount_ + 1 : 0; }
  /// One line; it is looked for from the recorded start before it.
  std::string_view Line(std::size_t index) const;
  /// Fills out with the lines from index first on, the synthetic line last, as many as
  /// there are; returns how many.
  std::size_t ReadLines(std::size_t first, std::span<std::string_view> out) const;
  /// Releases the buffer.
  void Clear();
  /// The size of the file read, in bytes.
  std::size_t FileSize() const { return file_ == nullptr ? 0 : file_->Bytes().size(); }
  /// False when the file shrank while it was viewed, so some lines no longer hold its bytes.
  bool Intact() const { return file_ == nullptr || file_->Intact(); }

 private:
  friend bool ReadTimingFile(platform::FileReader&, const std::string&, TTimingLines&);
  friend void KeepTimingLines(TTimingLines&, std::string_view, std::size_t);
  std::unique_ptr<platform::TFileView> file_;
  std::string searchText_;
  bool kept_ = false;
  std::size_t keptCount_ = 0;
  std::vector<std::size_t> checkpoints_;  ///< offset of kept line k * kCheckpointEvery
  struct TPlace {
    std::uint32_t Offset, Size;  ///< from the checkpoint before the line
  };
  std::vector<TPlace> places_;  ///< every kept line's, or none
};

/// True when the name is not empty and names a regular file or a pipe (a directory or a
/// device does not count: a device such as /dev/zero never ends). Otherwise writes "ERROR:
/// No Filename was Supplied for OLD Performance Input File!", or "ERROR: Could Not Open OLD
/// Performance Input File!" and a line with the quoted name and the system's reason (with
/// the label given), to standard error and returns false; the exit code is the caller's.
bool CheckTimingFile(platform::FileReader& files, TTextWriter& err, std::string_view label,
                     const std::string& fileName);

/// Reads the whole file and keeps its entry lines (see the top of this header), the search
/// text matched without regard to ASCII case; an empty search text keeps nothing. CR LF, LF
/// and CR each end a line. Returns false, with lines empty, when the file cannot be read.
bool LoadTimingFile(platform::FileReader& files, const std::string& fileName,
                    std::string_view searchText, TTimingLines& lines);
/// LoadTimingFile in its two steps: reading the whole file into lines, which keeps no line
/// yet (false, with lines empty, when it cannot be read), and keeping the entry lines of
/// the file read. Only the first uses the platform, so the second may run on any thread.
bool ReadTimingFile(platform::FileReader& files, const std::string& fileName,
                    TTimingLines& lines);
/// placeLimit is how far a line's place may lie from its full offset, and how long it may
/// be, before the lines are found from the full offsets instead: 32 bits, smaller in tests.
void KeepTimingLines(TTimingLines& lines, std::string_view searchText,
                     std::size_t placeLimit = UINT32_MAX);

/// True when the list kept at least one entry besides the synthetic line (count > 1).
/// Otherwise writes "ERROR: OLD Source File Has Invalid Data!" (with the label given) to
/// standard error and returns false.
bool CheckTimingCount(TTextWriter& err, std::string_view label, std::size_t count);

}  // namespace zentrel
