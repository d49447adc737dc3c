#include "core/tzif.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zentrel {
namespace {

constexpr std::size_t kHeaderSize = 44;
/// The largest offset taken either way: RFC 8536 advises -24:59:59 to +25:59:59, and no
/// zone comes near (the widest are -12:00 and +14:00).
constexpr std::int32_t kMaxOffset = 26 * 3600 - 1;

/// A cursor over the bytes that refuses, rather than reads, past their end.
class TBytes {
 public:
  explicit TBytes(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Left() const { return bytes_.size() - at_; }
  /// The next count bytes, or nullopt when fewer are left.
  std::optional<std::string_view> Take(std::uint64_t count) {
    if (count > Left()) return std::nullopt;
    std::string_view part = bytes_.substr(at_, static_cast<std::size_t>(count));
    at_ += static_cast<std::size_t>(count);
    return part;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

std::uint64_t BigEndian(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

std::int64_t Signed(std::uint64_t value, std::size_t size) {
  if (size == 8) return static_cast<std::int64_t>(value);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

struct THeader {
  char Version = 0;
  std::uint32_t IsUtCount = 0, IsStdCount = 0, LeapCount = 0, TimeCount = 0, TypeCount = 0,
                CharCount = 0;
};

std::optional<THeader> ReadHeader(TBytes& bytes) {
  auto raw = bytes.Take(kHeaderSize);
  if (!raw || raw->substr(0, 4) != "TZif") return std::nullopt;
  THeader header;
  header.Version = (*raw)[4];
  if (header.Version != '\0' && (header.Version < '2' || header.Version > '4')) {
    return std::nullopt;
  }
  std::uint32_t* counts[] = {&header.IsUtCount,  &header.IsStdCount, &header.LeapCount,
                             &header.TimeCount,  &header.TypeCount,  &header.CharCount};
  for (std::size_t i = 0; i < 6; ++i) {
    *counts[i] = static_cast<std::uint32_t>(BigEndian(*raw, 20 + 4 * i, 4));
  }
  return header;
}

/// The size of a data block whose times are timeSize bytes wide.
std::uint64_t BlockSize(const THeader& h, std::uint64_t timeSize) {
  return std::uint64_t{h.TimeCount} * (timeSize + 1) + std::uint64_t{h.TypeCount} * 6 +
         h.CharCount + std::uint64_t{h.LeapCount} * (timeSize + 4) + h.IsStdCount +
         h.IsUtCount;
}

struct TBlock {
  std::vector<std::int64_t> Times;
  std::vector<std::uint8_t> TypeOfTransition;
  std::vector<TLocalType> Types;
};

std::optional<TBlock> ReadBlock(TBytes& bytes, const THeader& h, std::size_t timeSize) {
  // No limit on the types is needed: a transition can name only the first 256, and the
  // size check bounds them by the bytes there are. No characters is refused below.
  if (h.TypeCount == 0 || h.LeapCount != 0 ||
      (h.IsStdCount != 0 && h.IsStdCount != h.TypeCount) ||
      (h.IsUtCount != 0 && h.IsUtCount != h.TypeCount) ||
      BlockSize(h, timeSize) > bytes.Left()) {
    return std::nullopt;
  }
  const std::string_view times = *bytes.Take(std::uint64_t{h.TimeCount} * timeSize);
  const std::string_view indexes = *bytes.Take(h.TimeCount);
  const std::string_view types = *bytes.Take(std::uint64_t{h.TypeCount} * 6);
  const std::string_view chars = *bytes.Take(h.CharCount);
  bytes.Take(std::uint64_t{h.IsStdCount} + h.IsUtCount);

  TBlock block;
  block.Times.reserve(h.TimeCount);
  block.TypeOfTransition.reserve(h.TimeCount);
  for (std::size_t i = 0; i < h.TimeCount; ++i) {
    const std::int64_t at = Signed(BigEndian(times, i * timeSize, timeSize), timeSize);
    if (!block.Times.empty() && at <= block.Times.back()) return std::nullopt;
    const auto type = static_cast<std::uint8_t>(indexes[i]);
    if (type >= h.TypeCount) return std::nullopt;
    block.Times.push_back(at);
    block.TypeOfTransition.push_back(type);
  }
  // Abbreviations end with a NUL inside the designation bytes, which must end with one
  // (so there must be some).
  if (chars.empty() || chars.back() != '\0') return std::nullopt;
  for (std::size_t i = 0; i < h.TypeCount; ++i) {
    const auto offset = static_cast<std::int32_t>(BigEndian(types, i * 6, 4));
    const auto isDst = static_cast<unsigned char>(types[i * 6 + 4]);
    const auto index = static_cast<unsigned char>(types[i * 6 + 5]);
    if (offset < -kMaxOffset || offset > kMaxOffset || isDst > 1 || index >= h.CharCount) {
      return std::nullopt;
    }
    const std::string_view rest = chars.substr(index);
    block.Types.push_back({offset, isDst == 1, std::string(rest.substr(0, rest.find('\0')))});
  }
  return block;
}

}  // namespace

std::optional<TZoneRules> ReadTzif(std::string_view data) {
  TBytes bytes(data);
  auto header = ReadHeader(bytes);
  if (!header) return std::nullopt;
  if (header->Version == '\0') {
    auto block = ReadBlock(bytes, *header, 4);
    if (!block) return std::nullopt;
    return TZoneRules(std::move(block->Times), std::move(block->TypeOfTransition),
                      std::move(block->Types), std::nullopt);
  }
  // Skip the 32-bit data: the second header and the 64-bit data say it all again.
  if (BlockSize(*header, 4) > bytes.Left()) return std::nullopt;
  bytes.Take(BlockSize(*header, 4));
  auto second = ReadHeader(bytes);
  if (!second || second->Version != header->Version) return std::nullopt;
  auto block = ReadBlock(bytes, *second, 8);
  if (!block) return std::nullopt;

  // The footer: a TZ rule between two newlines; empty when the file has none.
  auto open = bytes.Take(1);
  if (!open || *open != "\n") return std::nullopt;
  std::string_view rest = *bytes.Take(bytes.Left());
  const std::size_t close = rest.find('\n');
  if (close == std::string_view::npos) return std::nullopt;
  std::optional<TPosixTzRule> footer;
  if (close != 0) {
    footer = TPosixTzRule::Parse(rest.substr(0, close));
    if (!footer) return std::nullopt;
  }
  return TZoneRules(std::move(block->Times), std::move(block->TypeOfTransition),
                    std::move(block->Types), std::move(footer));
}

}  // namespace zentrel
