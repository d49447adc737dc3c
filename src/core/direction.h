// The one way the program says which way a value moves: -p and -x go back, -a and -z on.
#pragma once

#include <cstdint>

namespace zentrel {

enum class TDirection { Forward, Backward };

/// +1 forward, -1 backward: the factor of a count moved that way.
constexpr std::int64_t SignOf(TDirection direction) {
  return direction == TDirection::Forward ? 1 : -1;
}

}  // namespace zentrel
