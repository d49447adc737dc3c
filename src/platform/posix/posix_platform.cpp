#include "platform/posix/posix_platform.h"

#include "platform/posix/linux_system.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#include "platform/posix/elf_version.h"
#include "platform/posix/mapped_file.h"

namespace zentrel::platform {
namespace {

/// Quotes an argument that holds a blank or a quote, as a shell user would type it.
std::string QuoteArgument(const std::string& arg) {
  if (arg.find_first_of(" \t\"") == std::string::npos && !arg.empty()) return arg;
  return "\"" + arg + "\"";
}

/// Reads exactly size bytes at offset; false on an error or an early end of the file.
bool ReadAt(int fd, std::uint64_t offset, std::size_t size, std::string& out) {
  out.assign(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    if (offset + done > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
      return false;
    }
    ssize_t n = pread(fd, out.data() + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

/// The clock now, taken apart by localtime_r or gmtime_r. clock_gettime and localtime_r:
/// TZ is honoured and libfaketime can freeze both.
TLocalTime ClockReading(tm* (*breakDown)(const time_t*, tm*)) {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm parts{};
  const time_t seconds = ts.tv_sec;
  breakDown(&seconds, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
          parts.tm_min,         parts.tm_sec,     static_cast<int>(ts.tv_nsec / 1000000)};
}

/// The file types a whole read ends on: a device may never end (/dev/zero), and a pipe
/// ends when its writer closes it.
bool IsWholeReadType(mode_t mode) { return S_ISREG(mode) || S_ISFIFO(mode); }

/// Opens the file for a whole read, or -1 when it cannot be opened or is of another type.
/// The type is taken from the open descriptor, so a name that changes after a check cannot
/// bring a device in. Blocks on a FIFO until a writer comes, as any reader of one does.
int OpenForWholeRead(const std::string& path, struct stat& st) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  if (fstat(fd, &st) != 0 || !IsWholeReadType(st.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

/// Appends everything left to read from fd to contents; false on a read error.
bool ReadToEnd(int fd, const struct stat& st, std::string& contents) {
  if (S_ISREG(st.st_mode) && st.st_size > 0) {
    contents.reserve(contents.size() + static_cast<size_t>(st.st_size));
  }
  char chunk[1 << 16];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.append(chunk, static_cast<size_t>(n));
  }
}

/// A descriptor read in pieces; one it opened is closed with it, standard input is not.
class DescriptorInput final : public TInputStream {
 public:
  DescriptorInput(int fd, bool owned) : fd_(fd), owned_(owned) {}
  ~DescriptorInput() override {
    if (owned_) close(fd_);
  }
  TReadOutcome Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = read(fd_, buffer, size);
      if (n >= 0) return {static_cast<std::size_t>(n), std::nullopt};
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // A non-blocking stream handed down by the caller: wait until it has more.
        pollfd ready{fd_, POLLIN, 0};
        if (poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
      }
      return {0, std::string(std::strerror(errno))};
    }
  }

 private:
  int fd_;
  bool owned_;
};

/// A view of a copy of the file.
class CopiedFileView final : public TFileView {
 public:
  explicit CopiedFileView(std::string contents) : contents_(std::move(contents)) {
    bytes_ = contents_;
  }

 private:
  std::string contents_;
};

class PosixPlatform final : public Platform {
  /// Regular files of this size or more are viewed through a mapping (MapWholeFile).
  static constexpr size_t kMapFrom = 1 << 20;

 public:
  PosixPlatform(int argc, char** argv) {
    program_ = argc > 0 && argv[0] != nullptr ? argv[0] : "zentrel";
    for (int i = 1; i < argc; ++i) args_.emplace_back(argv[i]);
  }

  TLocalTime Now() override { return ClockReading(localtime_r); }

  TLocalTime UtcNow() override { return ClockReading(gmtime_r); }

  std::int64_t LocalOffsetAtUtc(std::int64_t unixSeconds) override {
    // The C library's zone data (TZ honoured); tm_gmtoff is the offset then in force.
    tm local{};
    const time_t seconds = static_cast<time_t>(unixSeconds);
    if (localtime_r(&seconds, &local) == nullptr) return 0;
    return local.tm_gmtoff;
  }

  std::int64_t LocalOffsetAtLocal(const TLocalTime& time) override {
    tm local{};
    local.tm_year = time.Year - 1900;
    local.tm_mon = time.Month - 1;
    local.tm_mday = time.Day;
    local.tm_hour = time.Hour;
    local.tm_min = time.Minute;
    local.tm_sec = time.Second;
    local.tm_isdst = -1;  // the zone data decide
    // A reading mktime cannot place leaves tm_gmtoff as it was: UTC.
    mktime(&local);
    return local.tm_gmtoff;
  }

  std::uint32_t ProcessId() override { return static_cast<std::uint32_t>(getpid()); }

  const std::vector<std::string>& Arguments() override { return args_; }

  std::string RawCommandLine() override {
    std::string line = QuoteArgument(program_);
    for (const auto& arg : args_) line += " " + QuoteArgument(arg);
    return line;
  }

  std::optional<std::string> GetEnv(const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }

  // Read once: the start of the run and the banner's version lookup both ask.
  std::string ExecutablePath() override {
    if (executable_.empty()) {
      char buffer[PATH_MAX];
      ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
      executable_ = n <= 0 ? program_ : std::string(buffer, static_cast<size_t>(n));
    }
    return executable_;
  }

  bool PathIsFile(const std::string& path) override {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  std::optional<std::string> WholeReadProblem(const std::string& path) override {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) {
      if (errno == EACCES) return "permission denied";
      if (!path.empty() && errno != ENOENT && errno != ENOTDIR) return std::strerror(errno);
      return "no such file";
    }
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!IsWholeReadType(st.st_mode)) return "not a regular file or pipe";
    // A file this user may not read is there all the same: the read reports it.
    return std::nullopt;
  }

  bool ReadWholeFile(const std::string& path, std::string& contents) override {
    contents.clear();
    struct stat st {};
    const int fd = OpenForWholeRead(path, st);
    if (fd < 0) return false;
    const bool ok = ReadToEnd(fd, st, contents);
    close(fd);
    return ok;
  }

  std::unique_ptr<TFileView> ViewWholeFile(const std::string& path) override {
    struct stat st {};
    const int fd = OpenForWholeRead(path, st);
    if (fd < 0) return nullptr;
    std::unique_ptr<TFileView> view;
    if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) >= kMapFrom) {
      view = MapWholeFile(fd, static_cast<size_t>(st.st_size));
    }
    // Small files are copied, which costs less than a mapping; so are pipes and a large
    // file that cannot be mapped. Read from the same descriptor: the name is not trusted
    // twice.
    if (view == nullptr) {
      std::string contents;
      if (ReadToEnd(fd, st, contents)) view = std::make_unique<CopiedFileView>(std::move(contents));
    }
    close(fd);
    return view;
  }

  std::optional<std::string> ReadZoneFile(const std::string& name) override {
    // Only regular files of a zone file's size: a FIFO or device put in TZDIR must not
    // stall the run, and a huge file is no zone (the largest is a few kilobytes).
    constexpr off_t kMaxZoneFile = 1 << 20;
    const std::optional<std::string> tzdir = GetEnv("TZDIR");
    const std::string dir = tzdir && !tzdir->empty() ? *tzdir : "/usr/share/zoneinfo";
    const int fd = open((dir + "/" + name).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::string contents;
    const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxZoneFile &&
                    ReadToEnd(fd, st, contents);
    close(fd);
    if (!ok) return std::nullopt;
    return contents;
  }

  std::unique_ptr<TInputStream> OpenInput(const std::string& path,
                                          std::string& problem) override {
    if (path.empty()) return std::make_unique<DescriptorInput>(STDIN_FILENO, false);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
      problem = errno == ENOENT || errno == ENOTDIR ? "no such file"
                : errno == EACCES                   ? "permission denied"
                                                    : std::strerror(errno);
      return nullptr;
    }
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      close(fd);
      problem = "is a directory";
      return nullptr;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<DescriptorInput>(fd, true);
  }

  TVersionStrings ReadVersionInfo(const std::string& path) override {
    // O_NONBLOCK: a FIFO or device given as the path must not stall the run; only regular
    // files are read. What PathIsFile would not call a file is reported as no file; the
    // path is looked at once more only when it cannot be opened.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {PathIsFile(path) ? TVersionStatus::Failed : TVersionStatus::NoFile, {}};
    struct stat st {};
    TVersionStrings result{TVersionStatus::Failed, {}};
    const bool statted = fstat(fd, &st) == 0;
    if (statted && S_ISDIR(st.st_mode)) {
      result.Status = TVersionStatus::NoFile;
    } else if (statted && S_ISREG(st.st_mode) && st.st_size >= 0) {
      auto read = [fd](std::uint64_t offset, std::size_t size, std::string& out) {
        return ReadAt(fd, offset, size, out);
      };
      result = ReadElfVersionStrings(static_cast<std::uint64_t>(st.st_size), read);
    }
    close(fd);
    return result;
  }

  // The program's texts are written for one set of regional settings; this build uses
  // exactly those, whatever the locale environment says.
  TFormatSettings RegionalSettings() override { return {}; }

  std::optional<std::string> Write(TStream stream, std::string_view bytes) override {
    int fd = stream == TStream::Out ? STDOUT_FILENO : STDERR_FILENO;
    while (!bytes.empty()) {
      ssize_t n = ::write(fd, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
          // A non-blocking stream handed down by the caller: wait until it takes more.
          pollfd ready{fd, POLLOUT, 0};
          if (poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
        }
        return std::string(std::strerror(errno));
      }
      if (n == 0) return std::string("nothing was written");
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return std::nullopt;
  }

  void Beep() override {
    if (isatty(STDERR_FILENO)) Write(TStream::Err, "\a");
  }

  // Built on first use: only the script-variable listing asks.
  SystemFacts& System() override {
    if (!system_) system_ = std::make_unique<LinuxSystem>(LiveLinuxSources());
    return *system_;
  }

 private:
  std::string program_;
  std::string executable_;
  std::vector<std::string> args_;
  std::unique_ptr<LinuxSystem> system_;
};

}  // namespace

std::unique_ptr<Platform> MakePosixPlatform(int argc, char** argv) {
  return std::make_unique<PosixPlatform>(argc, argv);
}

std::unique_ptr<Platform> MakeSystemPlatform(int argc, char** argv) {
  return MakePosixPlatform(argc, argv);
}

}  // namespace zentrel::platform
