#include "core/channels.h"

namespace zentrel {

void TTextWriter::Write(std::string_view text) { owner_.Append(stream_, text); }

void TTextWriter::WriteLine(std::string_view text) {
  TChannels& owner = owner_;
  if (stream_ == owner.bufferStream_ &&
      owner.buffer_.size() + text.size() + kLineEnd.size() < TChannels::kFlushAt) {
    // The common case, a short line that joins what is buffered, at one check.
    owner.buffer_.append(text);
    owner.buffer_.append(kLineEnd);
    return;
  }
  owner.Append(stream_, text);
  owner.Append(stream_, kLineEnd);
}

void TChannels::Append(platform::TStream stream, std::string_view text) {
  if (stream != bufferStream_) {
    Flush();
    bufferStream_ = stream;
  }
  if (buffer_.empty() && text.size() >= kFlushAt) {  // large enough to go out uncopied
    Deliver(stream, text);
    return;
  }
  buffer_.append(text);
  if (buffer_.size() >= kFlushAt) Flush();
}

void TChannels::Flush() {
  if (buffer_.empty()) return;
  Deliver(bufferStream_, buffer_);
  buffer_.clear();
}

bool TChannels::TakeBackOut(std::uint64_t size) {
  if (size == OutSize()) return true;
  if (bufferStream_ != platform::TStream::Out || size < outDelivered_) return false;
  buffer_.resize(static_cast<std::size_t>(size - outDelivered_));
  return true;
}

void TChannels::Deliver(platform::TStream stream, std::string_view bytes) {
  const bool out = stream == platform::TStream::Out;
  if (out) outDelivered_ += bytes.size();
  if (out && !outFailure_.empty()) return;
  std::optional<std::string> failure = os_.Write(stream, bytes);
  // A failing standard error leaves nowhere to report anything.
  if (out && failure) outFailure_ = failure->empty() ? "unknown error" : *failure;
}

}  // namespace zentrel
