#include "dates/random.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/output.h"

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

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

// The value is first rounded to 15 significant digits; trailing zeros are dropped, so a
// whole number prints as its digits alone. Values of 1e15 and more use exponent notation
// ("1.5E+20"). Small fractions are written out in plain digits however many zeros they
// start with (0.00000123 rather than an exponent), because a script reading the value
// rarely understands exponents.
std::string FloatToText(double value, const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // "d.dddddddddddddde+XX": the 15 significant digits and the decimal exponent.
  // printf's conversion is exact, as std::to_chars is; to_chars for floating point would
  // also link the maths library into every start of the program.
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1,
                                   std::fabs(value));
  std::string_view text(buffer, length > 0 ? static_cast<size_t>(length) : 0);
  size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = value < 0 ? "-" : "";
  if (exponent >= kSignificantDigits) {
    result += digits.substr(0, 1);
    if (digits.size() > 1) result += settings.DecimalSeparator + digits.substr(1);
    result += "E+" + std::to_string(exponent);
  } else if (exponent >= 0) {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      result += digits + std::string(whole - digits.size(), '0');
    } else {
      result += digits.substr(0, whole) + settings.DecimalSeparator + digits.substr(whole);
    }
  } else {
    result += std::string("0") + settings.DecimalSeparator +
              std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  return result;
}

void ShowRandomNumber(TRunContext& run, TRandom& random, std::int32_t bound) {
  if (bound == 0) {
    PrintResult(run, FloatToText(random.NextFraction(), run.Format),
                "Random Number between 0 and 1");
  } else {
    PrintResult(run, FloatToText(random.NextInt(bound), run.Format),
                "Random Number between 0 and " + std::to_string(bound));
  }
}

}  // namespace zentrel
