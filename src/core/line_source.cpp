#include "core/line_source.h"

#include <cstring>

namespace zentrel {
namespace {

/// The buffer holds one read after the most a pending line can keep of itself.
constexpr std::size_t kBufferBytes = TLineSource::kReadBytes + TLineSource::kMaxLineBytes + 1;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TLineSource::TLineSource(platform::TInputStream& input)
    : input_(input), buffer_(new char[kBufferBytes]) {}

bool TLineSource::Fill() {
  if (ended_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const platform::TReadOutcome read = input_.Read(buffer_.get() + end_, kBufferBytes - end_);
  if (read.Failure) failure_ = read.Failure;
  if (read.Count == 0) {
    ended_ = true;
    return false;
  }
  end_ += read.Count;
  return true;
}

bool TLineSource::Hand(TInputLine& line, std::size_t from, std::size_t to, bool tooLong) {
  std::string_view text(buffer_.get() + from, to - from);
  if (!text.empty() && text.back() == '\r' && !tooLong) text.remove_suffix(1);
  ++number_;
  tooLong = tooLong || text.size() > kMaxLineBytes;
  line = {tooLong ? text.substr(0, kMaxLineBytes) : text, number_, tooLong};
  return true;
}

bool TLineSource::Next(TInputLine& line) {
  if (!markChecked_) {
    // The mark belongs to the input, not to its first line: an input of the mark alone
    // has no lines.
    // Nothing has been handed out yet, so the input starts at the buffer's start.
    while (end_ < kByteOrderMark.size() && Fill()) {
    }
    if (std::string_view(buffer_.get(), end_).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      begin_ = kByteOrderMark.size();
    }
    markChecked_ = true;
  }
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (newline != nullptr) {
      const std::size_t from = begin_, to = static_cast<std::size_t>(newline - buffer_.get());
      begin_ = to + 1;
      if (skipping_) {  // the end of a line already handed out as too long
        skipping_ = false;
        continue;
      }
      return Hand(line, from, to, false);
    }
    if (!skipping_ && end_ - begin_ > kMaxLineBytes + 1) {
      // One byte more than a line may hold, and a CR before its end cannot shorten it:
      // hand its start out now and skip the rest.
      const std::size_t from = begin_;
      begin_ = end_;
      skipping_ = true;
      return Hand(line, from, from + kMaxLineBytes + 1, true);
    }
    if (skipping_) begin_ = end_;
    if (!Fill()) {
      if (begin_ == end_ || failure_) return false;
      const std::size_t from = begin_;
      begin_ = end_;
      if (skipping_) return false;
      return Hand(line, from, end_, false);
    }
  }
}

}  // namespace zentrel
