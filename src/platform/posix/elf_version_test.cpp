#include "platform/posix/elf_version.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/posix/posix_platform.h"

namespace zentrel::platform {
namespace {

constexpr char kGoodRaw[] = "zentrel-version-1" "\0" "FileVersion" "\0" "5.7.0.1501" "\0"
                           "ProductName" "\0" "Zentrel" "\0" "\0";
const std::string kGoodSection(kGoodRaw, sizeof kGoodRaw - 1);

/// Builds a small ELF image: a null section, the name table, optionally the version
/// section with the given contents, and a dummy section; the header table last.
struct TElfImage {
  bool Wide = true;
  bool BigEndian = false;
  bool WithVersion = true;
  std::string VersionContents = kGoodSection;
  std::string VersionName = ".zentrel_version";

  // Offsets of interesting fields in the built image, for the tests that damage them.
  size_t ShOffField = 0, ShEntSizeField = 0, ShNumField = 0, ShStrNdxField = 0;
  size_t TableOffset = 0;

  size_t EntrySize() const { return Wide ? 64 : 40; }
  size_t Word() const { return Wide ? 8 : 4; }

  void Put(std::string& image, size_t offset, std::uint64_t value, size_t width) const {
    for (size_t i = 0; i < width; ++i) {
      size_t index = BigEndian ? offset + width - 1 - i : offset + i;
      image[index] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
  }

  std::string Build() {
    const size_t headerSize = Wide ? 64 : 52;
    std::string image(headerSize, '\0');
    image.replace(0, 4, "\x7f" "ELF");
    image[4] = Wide ? 2 : 1;
    image[5] = BigEndian ? 2 : 1;
    image[6] = 1;

    std::string names = std::string("\0.shstrtab\0.text\0", 17) + VersionName + '\0';
    const size_t namesOffset = image.size();
    image += names;
    const size_t versionOffset = image.size();
    if (WithVersion) image += VersionContents;
    const size_t textOffset = image.size();
    image += "code";

    struct Entry {
      std::uint32_t Name, Type;
      std::uint64_t Offset, Size;
    };
    std::vector<Entry> entries{{0, 0, 0, 0},
                               {1, 3, namesOffset, names.size()},
                               {11, 1, textOffset, 4}};
    if (WithVersion) entries.push_back({17, 1, versionOffset, VersionContents.size()});

    TableOffset = image.size();
    for (const Entry& e : entries) {
      std::string entry(EntrySize(), '\0');
      Put(entry, 0, e.Name, 4);
      Put(entry, 4, e.Type, 4);
      Put(entry, Wide ? 24 : 16, e.Offset, Word());
      Put(entry, Wide ? 32 : 20, e.Size, Word());
      image += entry;
    }
    ShOffField = Wide ? 40 : 32;
    ShEntSizeField = Wide ? 58 : 46;
    ShNumField = Wide ? 60 : 48;
    ShStrNdxField = Wide ? 62 : 50;
    Put(image, ShOffField, TableOffset, Word());
    Put(image, ShEntSizeField, EntrySize(), 2);
    Put(image, ShNumField, entries.size(), 2);
    Put(image, ShStrNdxField, 1, 2);
    return image;
  }
};

TVersionStrings ReadImage(const std::string& image) {
  auto read = [&image](std::uint64_t offset, std::size_t size, std::string& out) {
    if (offset > image.size() || size > image.size() - offset) return false;
    out = image.substr(static_cast<size_t>(offset), size);
    return true;
  };
  return ReadElfVersionStrings(image.size(), read);
}

// --- well-formed files --------------------------------------------------------------------

TEST(ElfVersion, ReadsTheSectionInEveryClassAndByteOrder) {
  for (bool wide : {true, false}) {
    for (bool big : {false, true}) {
      TElfImage elf;
      elf.Wide = wide;
      elf.BigEndian = big;
      TVersionStrings version = ReadImage(elf.Build());
      ASSERT_EQ(version.Status, TVersionStatus::Ok) << wide << big;
      EXPECT_EQ(version.Strings.at("FileVersion"), "5.7.0.1501");
      EXPECT_EQ(version.Strings.at("ProductName"), "Zentrel");
      EXPECT_EQ(version.Strings.size(), 2u);
    }
  }
}

TEST(ElfVersion, FilesWithoutTheSectionHaveNoVersionInfo) {
  TElfImage elf;
  elf.WithVersion = false;
  EXPECT_EQ(ReadImage(elf.Build()).Status, TVersionStatus::NoVersionInfo);
  elf = TElfImage();
  elf.VersionName = ".zentrel_versionx";  // a longer name is another section
  EXPECT_EQ(ReadImage(elf.Build()).Status, TVersionStatus::NoVersionInfo);
  EXPECT_EQ(ReadImage("").Status, TVersionStatus::NoVersionInfo);
  EXPECT_EQ(ReadImage("#!/bin/sh\necho hi\n").Status, TVersionStatus::NoVersionInfo);
  // An ELF file without section headers at all.
  std::string image = TElfImage().Build();
  for (size_t i = 40; i < 48; ++i) image[i] = 0;
  EXPECT_EQ(ReadImage(image).Status, TVersionStatus::NoVersionInfo);
}

TEST(ElfVersion, ExtendedSectionCountInTheFirstEntry) {
  TElfImage elf;
  std::string image = elf.Build();
  elf.Put(image, elf.ShNumField, 0, 2);
  elf.Put(image, elf.TableOffset + 32, 4, 8);  // section 0's size holds the count
  ASSERT_EQ(ReadImage(image).Status, TVersionStatus::Ok);
  elf.Put(image, elf.ShStrNdxField, 0xffff, 2);
  elf.Put(image, elf.TableOffset + 40, 1, 4);  // section 0's link holds the name table
  EXPECT_EQ(ReadImage(image).Status, TVersionStatus::Ok);
  elf.Put(image, elf.TableOffset + 32, 0xffffffffffffull, 8);
  EXPECT_EQ(ReadImage(image).Status, TVersionStatus::Failed);
}

// --- damaged and hostile files ------------------------------------------------------------

TEST(ElfVersion, EveryTruncationIsReportedNeverRead) {
  for (bool wide : {true, false}) {
    TElfImage elf;
    elf.Wide = wide;
    const std::string image = elf.Build();
    for (size_t n = 0; n < image.size(); ++n) {
      TVersionStatus status = ReadImage(image.substr(0, n)).Status;
      EXPECT_EQ(status, n < 4 ? TVersionStatus::NoVersionInfo : TVersionStatus::Failed) << n;
    }
  }
}

TEST(ElfVersion, HostileHeaderFieldsFail) {
  TElfImage elf;
  const std::string good = elf.Build();
  struct Damage {
    size_t Field;
    std::uint64_t Value;
    size_t Width;
  };
  const Damage damages[] = {
      {elf.ShOffField, 0xffffffffffffffffull, 8},      // table far past the end
      {elf.ShOffField, 0xfffffffffffffff0ull, 8},      // offset + size wraps around
      {elf.ShEntSizeField, 0, 2},                      // zero-sized entries
      {elf.ShEntSizeField, 16, 2},                     // entries too small to read
      {elf.ShNumField, 0xfeff, 2},                     // more entries than the file holds
      {elf.ShStrNdxField, 9, 2},                       // name table index out of range
      {elf.ShStrNdxField, 0xff05, 2},                  // reserved index
      {elf.TableOffset + 64 + 24, 1ull << 62, 8},      // name table offset out of range
      {elf.TableOffset + 64 + 32, 0xffffffffull, 8},   // name table larger than the file
      {elf.TableOffset + 64 + 4, 8, 4},                // name table takes no room
      {elf.TableOffset + 192 + 32, 1ull << 40, 8},     // version section too large
      {elf.TableOffset + 192 + 24, ~0ull - 4, 8},      // version section offset wraps
      {4, 7, 1},                                       // unknown class
      {5, 0, 1},                                       // unknown byte order
  };
  for (const Damage& damage : damages) {
    std::string image = good;
    elf.Put(image, damage.Field, damage.Value, damage.Width);
    EXPECT_EQ(ReadImage(image).Status, TVersionStatus::Failed) << damage.Field;
  }
  // A section name offset past the name table is no match, not a read past it.
  std::string image = good;
  elf.Put(image, elf.TableOffset + 192, 0x7fffffff, 4);
  EXPECT_EQ(ReadImage(image).Status, TVersionStatus::NoVersionInfo);
  // A name table or version section that takes no room (type NOBITS), in every class and
  // byte order.
  for (bool wide : {false, true}) {
    for (bool big : {false, true}) {
      for (std::size_t index : {1u, 3u}) {
        TElfImage other;
        other.Wide = wide;
        other.BigEndian = big;
        std::string damaged = other.Build();
        other.Put(damaged, other.TableOffset + index * other.EntrySize() + 4, 8, 4);
        EXPECT_EQ(ReadImage(damaged).Status, TVersionStatus::Failed) << wide << big << index;
      }
    }
  }
}

TEST(ElfVersion, RandomDamageNeverCrashes) {
  const std::string good = TElfImage().Build();
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string image = good;
    int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) {
      image[random() % image.size()] = static_cast<char>(random() & 0xff);
    }
    TVersionStrings version = ReadImage(image);
    if (version.Status != TVersionStatus::Ok) {
      EXPECT_TRUE(version.Strings.empty());
    }
  }
}

TEST(ElfVersion, DamagedSectionContentsFail) {
  EXPECT_EQ(DecodeVersionSection(kGoodSection).Status, TVersionStatus::Ok);
  EXPECT_EQ(DecodeVersionSection(kGoodSection + std::string(3, '\0')).Status,
            TVersionStatus::Ok);
  const std::string bad[] = {
      "",
      std::string("zentrel-version-2\0\0", 19),
      std::string("zentrel-version-1", 17),                      // no NUL after the magic
      std::string("zentrel-version-1\0Key\0Value", 27),           // value not terminated
      std::string("zentrel-version-1\0Key", 21),                  // key not terminated
      std::string("zentrel-version-1\0Key\0Value\0", 28),         // no closing empty key
      std::string("zentrel-version-1\0\0junk", 23),               // bytes after the end
  };
  for (const std::string& contents : bad) {
    EXPECT_EQ(DecodeVersionSection(contents).Status, TVersionStatus::Failed) << contents;
  }
}

// --- real files through the platform --------------------------------------------------------

struct PosixVersionTest : ::testing::Test {
  std::unique_ptr<Platform> os = MakePosixPlatform(0, nullptr);
  std::filesystem::path dir;

  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("zentrel_version_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string WriteFile(const std::string& name, const std::string& contents) {
    std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }
};

TEST_F(PosixVersionTest, OwnExecutableCarriesTheVersionStrings) {
  TVersionStrings version = os->ReadVersionInfo(os->ExecutablePath());
  ASSERT_EQ(version.Status, TVersionStatus::Ok);
  EXPECT_EQ(version.Strings["FileVersion"], "5.7.0.1501");
  EXPECT_EQ(version.Strings["ProductName"], "Zentrel");
  EXPECT_EQ(version.Strings["InternalName"], "zentrel");
  EXPECT_EQ(version.Strings["OriginalFilename"], "zentrel");
  EXPECT_FALSE(version.Strings["FileDescription"].empty());
  EXPECT_FALSE(version.Strings["LegalCopyright"].empty());
  EXPECT_FALSE(version.Strings["Comments"].empty());
}

TEST_F(PosixVersionTest, TheThreeOutcomesOnDisk) {
  EXPECT_EQ(os->ReadVersionInfo(WriteFile("good", TElfImage().Build())).Status,
            TVersionStatus::Ok);
  EXPECT_EQ(os->ReadVersionInfo(WriteFile("empty", "")).Status, TVersionStatus::NoVersionInfo);
  EXPECT_EQ(os->ReadVersionInfo(WriteFile("text", "plain text")).Status,
            TVersionStatus::NoVersionInfo);
  EXPECT_EQ(os->ReadVersionInfo(WriteFile("cut", TElfImage().Build().substr(0, 100))).Status,
            TVersionStatus::Failed);
  EXPECT_EQ(os->ReadVersionInfo((dir / "missing").string()).Status, TVersionStatus::NoFile);
  EXPECT_EQ(os->ReadVersionInfo(dir.string()).Status, TVersionStatus::NoFile);
}

TEST_F(PosixVersionTest, FifoAndDevicesAreNotWaitedFor) {
  std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(os->ReadVersionInfo(fifo).Status, TVersionStatus::Failed);
  EXPECT_EQ(os->ReadVersionInfo("/dev/zero").Status, TVersionStatus::Failed);
}

}  // namespace
}  // namespace zentrel::platform
