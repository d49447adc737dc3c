// Reading an input from its start to its end in pieces, never whole: a file of any size, or
// standard input, for a reader that keeps only the piece it works on.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zentrel::platform {

/// What one read of an input gave.
struct TReadOutcome {
  std::size_t Count = 0;               ///< bytes read; 0 at the end of the input
  std::optional<std::string> Failure;  ///< why reading stopped for good, if it did
};

/// An open input, read front to back.
class TInputStream {
 public:
  virtual ~TInputStream() = default;
  /// Reads up to size bytes into buffer, waiting for at least one unless the input has
  /// ended; retries interrupted reads.
  virtual TReadOutcome Read(char* buffer, std::size_t size) = 0;
};

}  // namespace zentrel::platform
