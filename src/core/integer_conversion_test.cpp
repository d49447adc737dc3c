#include "core/integer_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

TEST(StrToInt32, ReadsEveryBaseWithItsPrefix) {
  const std::vector<std::pair<std::string, std::int32_t>> cases = {
      {"0", 0},           {"31", 31},         {"007", 7},          {"$1F", 31},
      {"$ff", 255},       {"0x1f", 31},       {"0X1F", 31},        {"0xAbC", 0xABC},
      {"%101", 5},        {"%0", 0},          {"&17", 15},         {"&0777", 511},
      {"$7FFFFFFF", 2147483647},              {"%1111111111111111111111111111111", 2147483647},
      {"&17777777777", 2147483647},           {"0x0000000000000001", 1},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(StrToInt32(text), expected) << text;
  }
}

TEST(StrToInt32, SkipsLeadingBlanksAndTabsAndAppliesTheSignToThePrefixedValue) {
  EXPECT_EQ(StrToInt32("  10"), 10);
  EXPECT_EQ(StrToInt32("\t \t-10"), -10);
  EXPECT_EQ(StrToInt32("+10"), 10);
  EXPECT_EQ(StrToInt32("-$10"), -16);
  EXPECT_EQ(StrToInt32("-0x10"), -16);
  EXPECT_EQ(StrToInt32("+%11"), 3);
  EXPECT_EQ(StrToInt32("-&10"), -8);
  EXPECT_EQ(StrToInt32("-0"), 0);
}

TEST(StrToInt32, AcceptsBothEndsOfTheRangeInEveryBase) {
  EXPECT_EQ(StrToInt32("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt32("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt32("-$80000000"), INT32_MIN);
  EXPECT_EQ(StrToInt32("-0x80000000"), INT32_MIN);
  EXPECT_EQ(StrToInt32("-%10000000000000000000000000000000"), INT32_MIN);
  EXPECT_EQ(StrToInt32("-&20000000000"), INT32_MIN);
  EXPECT_EQ(StrToInt32("00000000000000000000002147483647"), 2147483647);
}

TEST(StrToInt32, RejectsValuesOutsideTheRange) {
  for (const char* text : {"2147483648", "-2147483649", "+2147483648", "$80000000",
                           "$FFFFFFFF", "0x100000000", "-0x80000001", "&20000000000",
                           "%10000000000000000000000000000000", "99999999999999999999999999",
                           "-99999999999999999999999999"}) {
    EXPECT_THROW(StrToInt32(text), ConversionError) << text;
  }
}

TEST(StrToInt32, RejectsEmptyDigitRunsAndJunk) {
  for (const char* text :
       {"", " ", "\t", "+", "-", "$", "0x", "%", "&", "- 1", "+-1", "--1", "$-10", "0x-1",
        "abc", "12abc", "12 ", "12\t", "1.5", "1e3", "1,000", "$G", "0xg", "%2", "&8", "%",
        "x10", "$$1", "0x$1", "\n12", "12\n", "1_000"}) {
    EXPECT_THROW(StrToInt32(text), ConversionError) << '"' << text << '"';
  }
  EXPECT_THROW(StrToInt32(std::string("1\0" "2", 3)), ConversionError);
}

}  // namespace
}  // namespace zentrel
