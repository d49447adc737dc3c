// The lines of an input, read in large pieces and handed out one at a time, so that a run
// over ten million lines holds no more memory than one over ten.
//
// A line ends at LF; a CR before it is dropped, so CR LF text reads as LF text. A UTF-8
// byte-order mark at the start of the input is dropped. A last line without a line end is
// a line. A line longer than kMaxLineBytes is handed out marked as too long, with its start
// only, and the rest of it is skipped.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/input_stream.h"

namespace zentrel {

struct TInputLine {
  std::string_view Text;     ///< without its line end; valid until the next line is read
  std::uint64_t Number = 0;  ///< 1 for the first line
  bool TooLong = false;      ///< Text is the first kMaxLineBytes bytes of a longer line
};

class TLineSource {
 public:
  static constexpr std::size_t kMaxLineBytes = 64 * 1024;
  /// The size of one read: large enough that a read costs little next to its lines.
  static constexpr std::size_t kReadBytes = 1 << 20;

  explicit TLineSource(platform::TInputStream& input);

  /// The next line; false at the end of the input, or when reading failed (Failure says
  /// why; the lines before it were all handed out).
  bool Next(TInputLine& line);
  const std::optional<std::string>& Failure() const { return failure_; }

 private:
  /// Moves what is left to the front and reads more after it; false when nothing came.
  bool Fill();
  bool Hand(TInputLine& line, std::size_t from, std::size_t to, bool tooLong);

  platform::TInputStream& input_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::uint64_t number_ = 0;
  bool ended_ = false;
  bool markChecked_ = false;  ///< whether a byte-order mark was looked for
  bool skipping_ = false;  ///< within the rest of a line too long to hand out
  std::optional<std::string> failure_;
};

}  // namespace zentrel
