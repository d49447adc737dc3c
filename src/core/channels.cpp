#include "core/channels.h"

namespace zentrel {

void TTextWriter::Write(std::string_view text) { owner_.Append(stream_, text); }

void TTextWriter::WriteLine(std::string_view text) {
  owner_.Append(stream_, text);
  owner_.Append(stream_, kLineEnd);
}

void TChannels::Append(platform::TStream stream, std::string_view text) {
  if (stream != bufferStream_) {
    Flush();
    bufferStream_ = stream;
  }
  if (buffer_.empty() && text.size() >= kFlushAt) {  // large enough to go out uncopied
    os_.Write(stream, text);
    return;
  }
  buffer_.append(text);
  if (buffer_.size() >= kFlushAt) Flush();
}

void TChannels::Flush() {
  if (buffer_.empty()) return;
  os_.Write(bufferStream_, buffer_);
  buffer_.clear();
}

}  // namespace zentrel
