// The two buffered output channels of a run, standard output and standard error. Output is
// kept in memory and handed to the platform in large pieces; switching from one stream to
// the other first flushes the one written last, so a terminal shows both in program order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/line_end.h"
#include "platform/platform.h"

namespace zentrel {

class TChannels;

/// One output stream of a run.
class TTextWriter {
 public:
  TTextWriter(TChannels& owner, platform::TStream stream) : owner_(owner), stream_(stream) {}
  TTextWriter(const TTextWriter&) = delete;
  TTextWriter& operator=(const TTextWriter&) = delete;

  void Write(std::string_view text);
  void WriteLine(std::string_view text = {});
  /// Writes what fill appends to the string it is handed, then a line end: into the
  /// buffer itself when it can, so a run of many short lines copies none of them. A fill
  /// that throws writes nothing.
  template <class TFill>
  void WriteLineFrom(TFill fill);
  void EndLine() { Write(kLineEnd); }
  platform::TStream Stream() const { return stream_; }

 private:
  TChannels& owner_;
  platform::TStream stream_;
};

class TChannels {
 public:
  explicit TChannels(platform::Platform& os) : os_(os) {}
  TChannels(const TChannels&) = delete;
  TChannels& operator=(const TChannels&) = delete;
  ~TChannels() { Flush(); }

  TTextWriter Out{*this, platform::TStream::Out};
  TTextWriter Err{*this, platform::TStream::Err};

  /// Hands everything buffered to the platform.
  void Flush();

  /// How many bytes standard output has been given so far, buffered or handed on.
  std::uint64_t OutSize() const {
    return outDelivered_ + (bufferStream_ == platform::TStream::Out ? buffer_.size() : 0);
  }
  /// Takes back what standard output was given since OutSize() was size, while it is still
  /// buffered; false when part of it has been handed on already.
  bool TakeBackOut(std::uint64_t size);
  /// How many bytes wait in the buffer.
  std::size_t Buffered() const { return buffer_.size(); }

  /// Why standard output failed for good, or empty while it works. After a failure nothing
  /// more is written there.
  const std::string& OutFailure() const { return outFailure_; }

 private:
  friend class TTextWriter;
  void Append(platform::TStream stream, std::string_view text);
  void Deliver(platform::TStream stream, std::string_view bytes);

  static constexpr size_t kFlushAt = 1 << 16;
  platform::Platform& os_;
  std::string buffer_;
  platform::TStream bufferStream_ = platform::TStream::Out;
  std::string outFailure_;
  std::uint64_t outDelivered_ = 0;
};

template <class TFill>
void TTextWriter::WriteLineFrom(TFill fill) {
  TChannels& owner = owner_;
  if (stream_ != owner.bufferStream_ || owner.buffer_.size() >= TChannels::kFlushAt) {
    std::string text;
    fill(text);
    WriteLine(text);
    return;
  }
  const std::size_t before = owner.buffer_.size();
  try {
    fill(owner.buffer_);
  } catch (...) {
    owner.buffer_.resize(before);
    throw;
  }
  owner.buffer_.append(kLineEnd);
  if (owner.buffer_.size() >= TChannels::kFlushAt) owner.Flush();
}

}  // namespace zentrel
