// The run's one pseudo-random generator: MT19937 seeded with the process id, so a run's
// numbers depend on nothing but that id. A new seed takes effect at the next draw.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "core/result.h"
#include "platform/format_settings.h"

namespace zentrel {

class TRandom {
 public:
  explicit TRandom(std::uint32_t seed = 0) : seed_(seed) {}

  /// Takes effect lazily, before the next draw.
  void SetSeed(std::uint32_t seed) { seed_ = seed; }

  /// The next raw 32-bit output.
  std::uint32_t NextRaw();
  /// 0 to bound - 1 for a positive bound (u * bound / 2^32); bound + 1 to 0 for a negative
  /// one (the floor of u * (bound + 1) / 2^32); 0 for a zero bound.
  std::int32_t NextInt(std::int32_t bound);
  /// u / 2^32, in [0, 1).
  double NextFraction();

 private:
  std::mt19937 engine_;
  std::uint32_t seed_;
  std::uint32_t usedSeed_ = 0;
  bool seeded_ = false;
};

/// One random number: a fraction for bound 0, else an integer draw with the bound.
TLabelledResult RandomNumber(TRandom& random, std::int32_t bound, const TFormatSettings& settings);

}  // namespace zentrel
