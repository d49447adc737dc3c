// Reading files whole, and a thread to read them on: the few operations of the platform
// that the timing-file comparison asks for. The comparison takes this interface instead of
// the whole platform (which implements it), so its tests fake these operations alone (see
// fake_file_reader.h).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace zentrel::platform {

/// The bytes of a whole file, read only, valid for as long as the object lives.
class TFileView {
 public:
  virtual ~TFileView() = default;
  std::string_view Bytes() const { return bytes_; }
  /// False when the file shrank while it was viewed, so that some of the bytes no longer
  /// came from it (they read as zeros); a view that holds a copy is always intact.
  virtual bool Intact() const { return true; }

 protected:
  std::string_view bytes_;
};

/// A view that holds its own copy of the bytes.
inline std::unique_ptr<TFileView> ViewOfCopy(std::string contents) {
  struct TOwnedView : TFileView {
    explicit TOwnedView(std::string bytes) : Contents(std::move(bytes)) { bytes_ = Contents; }
    std::string Contents;
  };
  return std::make_unique<TOwnedView>(std::move(contents));
}

class FileReader {
 public:
  virtual ~FileReader() = default;

  /// Why a whole read of the path cannot start, in a few words ("no such file", "is a
  /// directory", "permission denied", "not a regular file or pipe"); nothing for a regular
  /// file or a pipe, the files a whole read comes to the end of (a device such as /dev/zero
  /// never ends).
  virtual std::optional<std::string> WholeReadProblem(const std::string& path) = 0;
  /// The whole file as one read-only view; nullptr when it cannot be opened or read, or is
  /// neither a regular file nor a pipe (judged on the file opened, not on its name). Two
  /// threads may view files at once.
  virtual std::unique_ptr<TFileView> ViewWholeFile(const std::string& path) = 0;
  /// Runs work on a thread of its own; throws std::system_error when no thread can be
  /// had, which the callers take as a reason to do the work on their own thread.
  virtual std::thread StartThread(std::function<void()> work) = 0;
};

}  // namespace zentrel::platform
