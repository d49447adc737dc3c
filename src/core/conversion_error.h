// The one failure that crosses units: a value that does not convert.
#pragma once

#include <stdexcept>

namespace zentrel {

/// A date, time, number or system fact that does not convert. Thrown where the fault is
/// found and caught once by the main run, which shows the syntax-error screen.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zentrel
