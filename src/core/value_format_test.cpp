#include "core/value_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace zentrel {
namespace {

TEST(FormatIntegers, FillsThePrintfSubsetOnSixtyFourBits) {
  const std::array<std::int64_t, 1> five{5};
  EXPECT_EQ(FormatIntegers("%d", five), "5");
  EXPECT_EQ(FormatIntegers("%.2d|%.3d|%.4d", std::array<std::int64_t, 3>{5, 5, 5}),
            "05|005|0005");
  EXPECT_EQ(FormatIntegers("%2d|%3d|%4d", std::array<std::int64_t, 3>{5, 5, 5}),
            " 5|  5|   5");
  // Wider numbers are printed whole.
  EXPECT_EQ(FormatIntegers("%.2d|%2d", std::array<std::int64_t, 2>{12345, 12345}),
            "12345|12345");
  EXPECT_EQ(FormatIntegers("%.3d|%4d", std::array<std::int64_t, 2>{-5, -5}), "-005|  -5");
  EXPECT_EQ(FormatIntegers("%d", std::array<std::int64_t, 1>{std::numeric_limits<std::int64_t>::min()}),
            "-9223372036854775808");
  // Every width and precision of one or two digits (zeros among them) as printf has them.
  for (int count = 1; count <= 25; ++count) {
    for (std::int64_t value : {std::int64_t{0}, std::int64_t{-7}, std::int64_t{1'000'000'007},
                               std::numeric_limits<std::int64_t>::min()}) {
      for (const char* form : {"%", "%."}) {
        const std::string pattern = form + std::to_string(count) + "d";
        const std::string reference = pattern.substr(0, pattern.size() - 1) + "lld";
        char expected[64];
        std::snprintf(expected, sizeof expected, reference.c_str(), static_cast<long long>(value));
        EXPECT_EQ(FormatIntegers(pattern, std::array<std::int64_t, 1>{value}), expected) << pattern;
      }
    }
  }
}

TEST(FormatIntegers, CopiesWhatIsNoConversionOfTheSubset) {
  const std::array<std::int64_t, 1> seven{7};
  EXPECT_EQ(FormatIntegers("SECTION [#%.2d]", seven), "SECTION [#07]");
  EXPECT_EQ(FormatIntegers("100%% %s %d", seven), "100% %s 7");
  EXPECT_EQ(FormatIntegers("%d %d", seven), "7 %d");  // no value left
  EXPECT_EQ(FormatIntegers("50%", seven), "50%");
  EXPECT_EQ(FormatIntegers("%99999999999d", seven).size(), 1000u);
}

TEST(FloatToText, GeneralTextWithFifteenSignificantDigits) {
  TFormatSettings fs;
  struct Case {
    double Value;
    const char* Text;
  };
  for (const Case& c : {
           Case{0, "0"},
           Case{99, "99"},
           Case{-9, "-9"},
           Case{2147483647, "2147483647"},
           Case{-2147483648.0, "-2147483648"},
           Case{0.42, "0.42"},
           Case{0.5, "0.5"},
           Case{0.1 + 0.2, "0.3"},
           Case{1.0 / 3, "0.333333333333333"},
           Case{2.0 / 3, "0.666666666666667"},
           Case{-0.25, "-0.25"},
           Case{123456.789, "123456.789"},
           Case{1791095845 / 4294967296.0, "0.417021998437122"},
           Case{4294967295 / 4294967296.0, "0.999999999767169"},
           Case{0.9999999999999999, "1"},
           Case{0.0001, "0.0001"},
           Case{0.00001, "0.00001"},
           Case{491263 / 4294967296.0, "0.000114381080493331"},
           Case{1 / 4294967296.0, "0.00000000023283064365387"},
           Case{1e15, "1E+15"},
           Case{1.5e20, "1.5E+20"},
           Case{999999999999999, "999999999999999"},
       }) {
    EXPECT_EQ(FloatToText(c.Value, fs), c.Text) << c.Text;
  }
}

TEST(FloatToText, UsesTheRegionalDecimalSeparator) {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  EXPECT_EQ(FloatToText(0.42, fs), "0,42");
  EXPECT_EQ(FloatToText(-12.5, fs), "-12,5");
  EXPECT_EQ(FloatToText(1e-7, fs), "0,0000001");
  EXPECT_EQ(FloatToText(12, fs), "12");
}

}  // namespace
}  // namespace zentrel
