#include "platform/posix/elf_version.h"

namespace zentrel::platform {
namespace {

// Sizes beyond these are no version information of ours but a damaged or hostile file;
// they are refused before anything is allocated for them.
constexpr std::uint64_t kMaxHeaderTable = 16u << 20;
constexpr std::uint64_t kMaxNameTable = 16u << 20;
constexpr std::uint64_t kMaxVersionSection = 1u << 20;

constexpr std::uint32_t kSectionNoBits = 8;      // SHT_NOBITS: takes no room in the file
constexpr std::uint16_t kExtendedIndex = 0xffff;  // SHN_XINDEX
constexpr std::uint16_t kReservedIndices = 0xff00;

TVersionStrings Status(TVersionStatus status) { return {status, {}}; }

/// The field layout of one ELF class: header offsets and the section header entry.
struct TElfLayout {
  std::size_t HeaderSize;
  std::size_t ShOff, ShEntSize, ShNum, ShStrNdx;
  std::size_t EntrySize;
  std::size_t Name, Type, Offset, Size, Link;
  bool Wide;  ///< addresses and sizes are 64-bit
};

constexpr TElfLayout kElf32{52, 32, 46, 48, 50, 40, 0, 4, 16, 20, 24, false};
constexpr TElfLayout kElf64{64, 40, 58, 60, 62, 64, 0, 4, 24, 32, 40, true};

/// Reads unsigned fields in the file's byte order from a buffer already known to be
/// long enough.
class TFieldReader {
 public:
  explicit TFieldReader(bool bigEndian) : bigEndian_(bigEndian) {}

  std::uint64_t Get(std::string_view bytes, std::size_t offset, std::size_t width) const {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      std::size_t index = bigEndian_ ? offset + i : offset + width - 1 - i;
      value = (value << 8) | static_cast<unsigned char>(bytes[index]);
    }
    return value;
  }

 private:
  bool bigEndian_;
};

/// True when [offset, offset + size) lies inside a file of fileSize bytes.
bool Inside(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize) {
  return offset <= fileSize && size <= fileSize - offset;
}

struct TSection {
  std::uint32_t Name = 0;
  std::uint32_t Type = 0;
  std::uint64_t Offset = 0;
  std::uint64_t Size = 0;
  std::uint32_t Link = 0;
};

TSection SectionAt(std::string_view table, std::size_t index, std::size_t entrySize,
                   const TElfLayout& layout, const TFieldReader& fields) {
  std::string_view entry = table.substr(index * entrySize, entrySize);
  std::size_t word = layout.Wide ? 8 : 4;
  TSection section;
  section.Name = static_cast<std::uint32_t>(fields.Get(entry, layout.Name, 4));
  section.Type = static_cast<std::uint32_t>(fields.Get(entry, layout.Type, 4));
  section.Offset = fields.Get(entry, layout.Offset, word);
  section.Size = fields.Get(entry, layout.Size, word);
  section.Link = static_cast<std::uint32_t>(fields.Get(entry, layout.Link, 4));
  return section;
}

}  // namespace

TVersionStrings DecodeVersionSection(std::string_view contents) {
  auto next = [&contents](std::string_view& text) {
    std::size_t end = contents.find('\0');
    if (end == std::string_view::npos) return false;
    text = contents.substr(0, end);
    contents.remove_prefix(end + 1);
    return true;
  };
  std::string_view magic;
  if (!next(magic) || magic != kVersionSectionMagic) return Status(TVersionStatus::Failed);
  TVersionStrings result{TVersionStatus::Ok, {}};
  for (;;) {
    std::string_view key, value;
    if (!next(key)) return Status(TVersionStatus::Failed);
    if (key.empty()) break;
    if (!next(value)) return Status(TVersionStatus::Failed);
    result.Strings.emplace(std::string(key), std::string(value));
  }
  // Only padding may follow the closing empty key.
  if (contents.find_first_not_of('\0') != std::string_view::npos) {
    return Status(TVersionStatus::Failed);
  }
  return result;
}

TVersionStrings ReadElfVersionStrings(std::uint64_t fileSize, const TFileReader& read) {
  std::string ident;
  if (fileSize < 4 || !read(0, 4, ident)) {
    return Status(fileSize < 4 ? TVersionStatus::NoVersionInfo : TVersionStatus::Failed);
  }
  if (ident != std::string_view("\x7f" "ELF", 4)) return Status(TVersionStatus::NoVersionInfo);

  std::string header;
  if (fileSize < 52 || !read(0, 16, header)) return Status(TVersionStatus::Failed);
  const unsigned char elfClass = static_cast<unsigned char>(header[4]);
  const unsigned char byteOrder = static_cast<unsigned char>(header[5]);
  if ((elfClass != 1 && elfClass != 2) || (byteOrder != 1 && byteOrder != 2)) {
    return Status(TVersionStatus::Failed);
  }
  const TElfLayout& layout = elfClass == 2 ? kElf64 : kElf32;
  const TFieldReader fields(byteOrder == 2);
  if (!Inside(0, layout.HeaderSize, fileSize) || !read(0, layout.HeaderSize, header)) {
    return Status(TVersionStatus::Failed);
  }

  const std::uint64_t tableOffset = fields.Get(header, layout.ShOff, layout.Wide ? 8 : 4);
  const std::size_t entrySize = static_cast<std::size_t>(fields.Get(header, layout.ShEntSize, 2));
  std::uint64_t count = fields.Get(header, layout.ShNum, 2);
  std::uint32_t namesIndex = static_cast<std::uint32_t>(fields.Get(header, layout.ShStrNdx, 2));
  if (tableOffset == 0) return Status(TVersionStatus::NoVersionInfo);  // no sections at all
  if (entrySize < layout.EntrySize) return Status(TVersionStatus::Failed);

  // With many sections the real count and name-table index sit in the first entry.
  if (count == 0 || namesIndex == kExtendedIndex) {
    std::string first;
    if (!Inside(tableOffset, entrySize, fileSize) || !read(tableOffset, entrySize, first)) {
      return Status(TVersionStatus::Failed);
    }
    TSection zero = SectionAt(first, 0, entrySize, layout, fields);
    if (count == 0) count = zero.Size;
    if (namesIndex == kExtendedIndex) namesIndex = zero.Link;
    if (count == 0) return Status(TVersionStatus::NoVersionInfo);
  } else if (namesIndex >= kReservedIndices) {
    return Status(TVersionStatus::Failed);
  }
  if (count > kMaxHeaderTable / entrySize || namesIndex >= count) {
    return Status(TVersionStatus::Failed);
  }
  const std::uint64_t tableSize = count * entrySize;
  std::string table;
  if (!Inside(tableOffset, tableSize, fileSize) ||
      !read(tableOffset, static_cast<std::size_t>(tableSize), table)) {
    return Status(TVersionStatus::Failed);
  }

  const std::size_t sections = static_cast<std::size_t>(count);
  const TSection namesSection = SectionAt(table, namesIndex, entrySize, layout, fields);
  if (namesSection.Type == kSectionNoBits || namesSection.Size > kMaxNameTable ||
      !Inside(namesSection.Offset, namesSection.Size, fileSize)) {
    return Status(TVersionStatus::Failed);
  }
  std::string names;
  if (!read(namesSection.Offset, static_cast<std::size_t>(namesSection.Size), names)) {
    return Status(TVersionStatus::Failed);
  }

  for (std::size_t i = 0; i < sections; ++i) {
    const TSection section = SectionAt(table, i, entrySize, layout, fields);
    if (section.Name >= names.size()) continue;
    std::string_view name(names);
    name.remove_prefix(section.Name);
    std::size_t end = name.find('\0');
    if (end == std::string_view::npos || name.substr(0, end) != kVersionSectionName) continue;

    if (section.Type == kSectionNoBits || section.Size > kMaxVersionSection ||
        !Inside(section.Offset, section.Size, fileSize)) {
      return Status(TVersionStatus::Failed);
    }
    std::string contents;
    if (!read(section.Offset, static_cast<std::size_t>(section.Size), contents)) {
      return Status(TVersionStatus::Failed);
    }
    return DecodeVersionSection(contents);
  }
  return Status(TVersionStatus::NoVersionInfo);
}

}  // namespace zentrel::platform
