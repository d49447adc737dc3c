// Writing a report straight into memory: a block that grows by the most a writer may
// store, the copies that fill it, and durations right-aligned in a column. The comparison
// renders each position through these; the room it reserves is the sum of the bounds its
// writers state.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "durations/duration_format.h"

namespace zentrel {

inline void AppendRightAligned(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out.append(text);
}

inline char* Put(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

/// Put for texts of any size, such as names: from 16 to 64 bytes copied in 16-byte pieces
/// (the last one overlapping), which beats a call for the usual name. Reads nothing past
/// the text.
inline char* PutVariable(char* out, std::string_view text) {
  const std::size_t size = text.size();
  if (size < 16 || size > 64) return Put(out, text);
  const char* from = text.data();
  char piece[16];
  for (std::size_t at = 0; at + 16 < size; at += 16) {
    std::memcpy(piece, from + at, 16);
    std::memcpy(out + at, piece, 16);
  }
  std::memcpy(piece, from + size - 16, 16);
  std::memcpy(out + size - 16, piece, 16);
  return out + size;
}

/// Writes durations right-aligned in a column of width blanks, each where the size of the
/// one before would put it: the times of a report seldom change in size, so the text is
/// seldom moved once written. Nothing moves when it is wider than the column.
class TAlignedDuration {
 public:
  TAlignedDuration(const TDurationFormat& format, std::size_t width)
      : format_(format), width_(width), lastSize_(width) {}

  /// out has room for width + TDurationFormat::kMaxSize + kSlack bytes.
  char* Write(char* out, std::int64_t ms) {
    const std::size_t at = lastSize_ < width_ ? width_ - lastSize_ : 0;
    char* text = out + at;
    const std::size_t size = static_cast<std::size_t>(format_.Write(text, ms) - text);
    lastSize_ = size;
    const std::size_t blanks = size < width_ ? width_ - size : 0;
    if (blanks != at) std::memmove(out + blanks, text, size);
    std::memset(out, ' ', blanks);
    return out + blanks + size;
  }

 private:
  const TDurationFormat& format_;
  std::size_t width_;
  std::size_t lastSize_;
};

/// A block of output written through a pointer: Reserve makes room for a known most, the
/// writer stores past the end freely within it, and Commit sets how much was written.
class TBlock {
 public:
  char* Reserve(std::size_t bytes) {
    if (capacity_ - size_ < bytes) {
      const std::size_t capacity = std::max(size_ + bytes, 2 * capacity_);
      std::unique_ptr<char[]> grown(new char[capacity]);
      if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
      data_ = std::move(grown);
      capacity_ = capacity;
    }
    return data_.get() + size_;
  }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void Append(std::string_view text) { Commit(Put(Reserve(text.size()), text)); }
  std::size_t Size() const { return size_; }
  void Truncate(std::size_t size) { size_ = size; }
  std::string_view View() const { return std::string_view(data_.get(), size_); }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0, capacity_ = 0;
};

}  // namespace zentrel
