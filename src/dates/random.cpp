#include "dates/random.h"

#include "core/value_format.h"

namespace zentrel {

std::uint32_t TRandom::NextRaw() {
  if (!seeded_ || usedSeed_ != seed_) {
    engine_.seed(seed_);
    usedSeed_ = seed_;
    seeded_ = true;
  }
  return static_cast<std::uint32_t>(engine_());
}

std::int32_t TRandom::NextInt(std::int32_t bound) {
  std::int64_t u = NextRaw();
  if (bound > 0) return static_cast<std::int32_t>((u * bound) >> 32);
  if (bound < 0) {
    // An arithmetic shift floors the negative product.
    return static_cast<std::int32_t>((u * (static_cast<std::int64_t>(bound) + 1)) >> 32);
  }
  return 0;
}

double TRandom::NextFraction() { return NextRaw() / 4294967296.0; }

TLabelledResult RandomNumber(TRandom& random, std::int32_t bound, const TFormatSettings& settings) {
  if (bound == 0) {
    return {FloatToText(random.NextFraction(), settings), "Random Number between 0 and 1"};
  }
  return {FloatToText(random.NextInt(bound), settings),
          "Random Number between 0 and " + std::to_string(bound)};
}

}  // namespace zentrel
