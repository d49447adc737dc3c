// The platform seam: everything the program asks of the operating system, behind one
// abstract interface so that it can be mocked out for tests (see fake_platform.h). Nothing
// outside platform/ includes system headers or reads system files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/file_reader.h"
#include "platform/format_settings.h"
#include "platform/input_stream.h"
#include "platform/local_time.h"
#include "platform/system_facts.h"
#include "platform/whole_file_reader.h"

namespace zentrel::platform {

enum class TStream { Out, Err };

/// Outcome of reading the version information embedded in an executable.
enum class TVersionStatus {
  Ok,             ///< Strings holds the version strings found.
  NoFile,         ///< the file does not exist.
  NoVersionInfo,  ///< the file exists but carries no version information.
  Failed,         ///< the file could not be read or its information is damaged.
};

struct TVersionStrings {
  TVersionStatus Status = TVersionStatus::Failed;
  std::map<std::string, std::string> Strings;  ///< "FileVersion" -> "5.7.0.1501", ...
};

/// Everything the program asks of the operating system; the reading of whole files is
/// its FileReader part (for the comparison) and its WholeFileReader part (for lists such
/// as holidays files).
class Platform : public FileReader, public WholeFileReader {
 public:
  virtual ~Platform() = default;

  /// The local date and time now (honours the time zone), to the millisecond.
  virtual TLocalTime Now() = 0;
  /// The date and time now in UTC, to the millisecond.
  virtual TLocalTime UtcNow() = 0;
  /// How far local time is ahead of UTC, in seconds, at the moment that lies unixSeconds
  /// after 01/01/1970 00:00 UTC (negative west of Greenwich). Moments the system's zone data
  /// do not reach take the offset of the nearest moment they do.
  virtual std::int64_t LocalOffsetAtUtc(std::int64_t unixSeconds) = 0;
  /// The same offset for a local wall-clock reading: the one in force when the clock showed
  /// it (for a reading the clocks skip or show twice, one of the offsets around the change).
  virtual std::int64_t LocalOffsetAtLocal(const TLocalTime& local) = 0;
  virtual std::uint32_t ProcessId() = 0;
  /// The command-line parameters, without the program name, as UTF-8.
  virtual const std::vector<std::string>& Arguments() = 0;
  /// The command line as the system passed it, program name included.
  virtual std::string RawCommandLine() = 0;
  /// The value of an environment variable; nullopt when it is not set.
  virtual std::optional<std::string> GetEnv(const std::string& name) = 0;
  /// The full path of the running executable.
  virtual std::string ExecutablePath() = 0;
  /// True when the path names an existing file that is not a directory.
  virtual bool PathIsFile(const std::string& path) = 0;
  /// True when the path names a regular file or a pipe that a whole read can start on.
  bool PathIsFileOrPipe(const std::string& path) { return !WholeReadProblem(path); }
  std::optional<std::string> WholeReadProblem(const std::string& path) override = 0;
  bool ReadWholeFile(const std::string& path, std::string& contents) override = 0;
  /// A backend may hold the view in memory better suited to a large input than a string
  /// (large pages: far fewer page faults). This default reads it with ReadWholeFile.
  std::unique_ptr<TFileView> ViewWholeFile(const std::string& path) override;
  /// Opens the file (standard input for an empty path) to be read in pieces, front to
  /// back; nullptr with the reason in problem ("no such file", "is a directory", ...) when
  /// it cannot be opened.
  virtual std::unique_ptr<TInputStream> OpenInput(const std::string& path,
                                                  std::string& problem) = 0;
  virtual TVersionStrings ReadVersionInfo(const std::string& path) = 0;
  /// The bytes of the system's time-zone file of a zone name ("Europe/Berlin"), which the
  /// caller has checked is a relative path with no "." or ".." in it; nothing when the
  /// system has no such file. POSIX reads it under TZDIR, else /usr/share/zoneinfo;
  /// Windows has no such files.
  virtual std::optional<std::string> ReadZoneFile(const std::string& name) = 0;
  /// The user's regional settings.
  virtual TFormatSettings RegionalSettings() = 0;
  /// Writes bytes to standard output or standard error, unbuffered, retrying interrupted
  /// and partial writes. Returns nothing when every byte went out, else what stopped it
  /// for good ("No space left on device", a closed pipe, no such stream).
  virtual std::optional<std::string> Write(TStream stream, std::string_view bytes) = 0;
  /// The system beep; never writes to standard output.
  virtual void Beep() = 0;
  std::thread StartThread(std::function<void()> work) override {
    return std::thread(std::move(work));
  }
  /// The facts of the script-variable listing: operating system, memory, processor, reboot
  /// status and bitness.
  virtual SystemFacts& System() = 0;
};

inline std::unique_ptr<TFileView> Platform::ViewWholeFile(const std::string& path) {
  std::string contents;
  if (!ReadWholeFile(path, contents)) return nullptr;
  return ViewOfCopy(std::move(contents));
}

/// The platform of the running system, for the process started with argc/argv. Each
/// backend defines it; the Windows one reads its command line from the system instead.
std::unique_ptr<Platform> MakeSystemPlatform(int argc, char** argv);

}  // namespace zentrel::platform
