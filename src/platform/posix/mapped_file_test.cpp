#include "platform/posix/mapped_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/posix_platform.h"

namespace zentrel::platform {
namespace {

/// A temporary file holding the given bytes, open for reading and writing.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes) {
    char name[] = "/tmp/mapped_file_test.XXXXXX";
    fd_ = mkstemp(name);
    path_ = name;
    EXPECT_GE(fd_, 0);
    EXPECT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  ~TempFile() {
    close(fd_);
    unlink(path_.c_str());
  }
  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

TEST(MapWholeFile, ViewsExactlyTheFileAndStaysIntact) {
  const std::string bytes = Pattern(3 * 4096 + 17);  // ends inside a page
  TempFile file(bytes);
  auto view = MapWholeFile(file.Fd(), bytes.size());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Bytes(), bytes);
  EXPECT_TRUE(view->Intact());
  EXPECT_EQ(MapWholeFile(file.Fd(), 0), nullptr);
}

TEST(MapWholeFile, FileTruncatedWhileViewedReadsZerosInsteadOfCrashing) {
  const std::size_t size = 64 * 4096;
  TempFile file(Pattern(size));
  auto view = MapWholeFile(file.Fd(), size);
  auto other = MapWholeFile(file.Fd(), size);  // a second view of the same file
  ASSERT_NE(view, nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(ftruncate(file.Fd(), 5000), 0);

  const std::string_view bytes = view->Bytes();
  ASSERT_EQ(bytes.size(), size);
  EXPECT_EQ(bytes.substr(0, 5000), Pattern(5000));  // still the file's own bytes
  EXPECT_EQ(bytes[size - 1], '\0');                 // without the guard: SIGBUS here
  EXPECT_EQ(bytes[8192], '\0');
  EXPECT_FALSE(view->Intact());
  EXPECT_TRUE(other->Intact());  // not read past the end yet
  EXPECT_EQ(other->Bytes()[size / 2], '\0');
  EXPECT_FALSE(other->Intact());
  // Emptied: the first byte of the view is past the end too.
  TempFile emptied(Pattern(2 * 4096));
  auto first = MapWholeFile(emptied.Fd(), 2 * 4096);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(ftruncate(emptied.Fd(), 0), 0);
  EXPECT_EQ(first->Bytes()[0], '\0');
  EXPECT_FALSE(first->Intact());
}

TEST(MapWholeFile, SlotsOfClosedViewsAreReused) {
  const std::string bytes = Pattern(4096);
  TempFile file(bytes);
  for (int i = 0; i < 100; ++i) {
    auto view = MapWholeFile(file.Fd(), bytes.size());
    ASSERT_NE(view, nullptr) << i;
    ASSERT_TRUE(view->Intact());
  }
  // Many open at once: past the guard table's size, mapping is refused (the caller copies).
  std::vector<std::unique_ptr<TFileView>> open;
  for (int i = 0; i < 100; ++i) open.push_back(MapWholeFile(file.Fd(), bytes.size()));
  EXPECT_NE(open.front(), nullptr);
  EXPECT_EQ(open.back(), nullptr);
}

/// Installs `previous` for SIGBUS, then maps a view (which installs the guard over it), then
/// reads past the end of a file of its own mapped without the guard: a bus error that is
/// not the views'.
[[noreturn]] void BusErrorOutsideTheViews(const struct sigaction& previous) {
  sigaction(SIGBUS, &previous, nullptr);
  TempFile viewed(Pattern(4096));
  auto view = MapWholeFile(viewed.Fd(), 4096);
  TempFile own(Pattern(2 * 4096));
  unlink(viewed.Path().c_str());  // the process ends without running the destructors
  unlink(own.Path().c_str());
  void* mapped = mmap(nullptr, 2 * 4096, PROT_READ, MAP_SHARED, own.Fd(), 0);
  if (view == nullptr || mapped == MAP_FAILED || ftruncate(own.Fd(), 100) != 0) _exit(9);
  const char byte = static_cast<volatile const char*>(mapped)[4096];
  _exit(byte == 0 ? 10 : 11);  // read on: the bus error was swallowed
}

// std::exit, not _exit: a coverage build writes its counts on the way out.
void ExitThree(int, siginfo_t*, void*) { std::exit(3); }
void ExitFour(int) { std::exit(4); }

// A bus error outside the views goes to the handler there was before the guard, or ends
// the process as it would have without the guard. Each case runs in a fresh child
// process, where the guard is installed after the handler it hands on to.
TEST(MapWholeFile, OtherBusErrorsGoToTheHandlerThereWasBefore) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct sigaction withInfo {}, plain {}, ignored {}, none {};
  withInfo.sa_sigaction = ExitThree;
  withInfo.sa_flags = SA_SIGINFO;
  plain.sa_handler = ExitFour;
  ignored.sa_handler = SIG_IGN;
  none.sa_handler = SIG_DFL;
  EXPECT_EXIT(BusErrorOutsideTheViews(withInfo), testing::ExitedWithCode(3), "");
  EXPECT_EXIT(BusErrorOutsideTheViews(plain), testing::ExitedWithCode(4), "");
  EXPECT_EXIT(BusErrorOutsideTheViews(ignored), testing::KilledBySignal(SIGBUS), "");
  EXPECT_EXIT(BusErrorOutsideTheViews(none), testing::KilledBySignal(SIGBUS), "");
}

// The whole-file reader judges the file it opened, not a check made on the name before:
// a device is refused (/dev/null, which ends, so that a reader that takes devices fails
// here instead of reading /dev/zero for ever), a pipe is read to its end.
TEST(ViewWholeFile, ReadsFilesAndPipesButNoDevice) {
  std::unique_ptr<Platform> os = MakePosixPlatform(0, nullptr);
  EXPECT_EQ(os->ViewWholeFile("/dev/null"), nullptr);
  std::string contents;
  EXPECT_FALSE(os->ReadWholeFile("/dev/null", contents));
  EXPECT_EQ(os->ViewWholeFile("/tmp"), nullptr);

  TempFile file("small file");
  auto view = os->ViewWholeFile(file.Path());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Bytes(), "small file");
  const std::string bytes = Pattern(3 << 20);  // large enough to be mapped
  TempFile large(bytes);
  view = os->ViewWholeFile(large.Path());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->Bytes() == bytes);

  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], "piped", 5), 5);
  close(ends[1]);
  const std::string piped = "/proc/self/fd/" + std::to_string(ends[0]);
  EXPECT_TRUE(os->PathIsFileOrPipe(piped));
  view = os->ViewWholeFile(piped);
  close(ends[0]);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Bytes(), "piped");

  // The check of a FIFO without a writer answers at once: it opens nothing.
  const std::string fifo = file.Path() + ".fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(os->PathIsFileOrPipe(fifo));
  unlink(fifo.c_str());
}

}  // namespace
}  // namespace zentrel::platform
