// Reading a small file whole: all that a reader of holidays (and such lists) asks of the
// system, so its tests fake two operations, not the platform.
#pragma once

#include <optional>
#include <string>

namespace zentrel::platform {

class WholeFileReader {
 public:
  virtual ~WholeFileReader() = default;
  /// Why a whole read of the path cannot start, in a few words ("no such file", "is a
  /// directory", "permission denied", "not a regular file or pipe"); nothing for a regular
  /// file or a pipe, the files a whole read comes to the end of (a device such as /dev/zero
  /// never ends).
  virtual std::optional<std::string> WholeReadProblem(const std::string& path) = 0;
  /// Reads a whole file into contents; false when it cannot be opened or read, or is
  /// neither a regular file nor a pipe (judged on the file opened, not on its name).
  virtual bool ReadWholeFile(const std::string& path, std::string& contents) = 0;
};

}  // namespace zentrel::platform
