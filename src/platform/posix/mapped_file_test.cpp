#include "platform/posix/mapped_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zentrel::platform
