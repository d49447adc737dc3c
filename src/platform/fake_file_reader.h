// A file reader for unit tests: files as texts in a map, and a count of the threads that
// may still start.
#pragma once

#include <map>
#include <string>
#include <system_error>

#include "platform/file_reader.h"

namespace zentrel::platform {

/// Starts a thread while threadsLeft allows (-1: any number), counting it down; throws
/// std::system_error, as a system out of threads does, once it reaches 0.
inline std::thread StartCountedThread(int& threadsLeft, std::function<void()> work) {
  if (threadsLeft == 0) {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  }
  if (threadsLeft > 0) --threadsLeft;
  return std::thread(std::move(work));
}

struct FakeFileReader : FileReader {
  std::map<std::string, std::string> Files;  ///< path -> contents
  /// How many more threads may start; -1 for any number.
  int ThreadsLeft = -1;

  std::optional<std::string> WholeReadProblem(const std::string& path) override {
    if (Files.count(path) != 0) return std::nullopt;
    return "no such file";
  }
  std::unique_ptr<TFileView> ViewWholeFile(const std::string& path) override {
    auto it = Files.find(path);
    if (it == Files.end()) return nullptr;
    return ViewOfCopy(it->second);
  }
  std::thread StartThread(std::function<void()> work) override {
    return StartCountedThread(ThreadsLeft, std::move(work));
  }
};

}  // namespace zentrel::platform
