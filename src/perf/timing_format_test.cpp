#include "perf/timing_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "durations/duration_format.h"

namespace zentrel {
namespace {

std::string Heading(std::string_view pattern, std::int64_t number) {
  THeadingPattern heading;
  EXPECT_TRUE(heading.Compile(pattern)) << pattern;
  return heading.Format(number);
}

TEST(HeadingPattern, FillsTheIntegerConversionsAUserWrites) {
  struct Case {
    std::string_view Pattern;
    std::int64_t Number;
    std::string_view Expected;
  };
  const Case cases[] = {
      {"SECTION [#%.2d]", 1, "SECTION [#01]"},
      {"SECTION [#%.2d]", 100, "SECTION [#100]"},
      {"%d|", 42, "42|"},
      {"%i|", 42, "42|"},
      {"%u", 7, "7"},
      {"%x", 255, "ff"},
      {"%X", 255, "FF"},
      {"%o", 8, "10"},
      {"%#x", 255, "0xff"},
      {"%#X", 255, "0XFF"},
      {"%#o", 255, "0377"},
      {"[%3d]", 7, "[  7]"},
      {"[%-4d]", 7, "[7   ]"},
      {"[%02d]", 7, "[07]"},
      {"[%05.3d]", 7, "[  007]"},  // a precision turns zero padding off
      {"[%-05d]", 7, "[7    ]"},   // and so does left alignment
      {"[%+d]", 7, "[+7]"},
      {"[% d]", 7, "[ 7]"},
      {"[%+05d]", 7, "[+0007]"},
      {"[%+u]", 7, "[7]"},  // signs are for signed conversions only
      {"%#06x", 255, "0x00ff"},
      {"%ld", 12, "12"},
      {"%lld", 12, "12"},
      {"%%d 100%% %d", 3, "%d 100% 3"},
      {"STEP", 9, "STEP"},  // no placeholder: the same heading every time
      {"", 9, ""},
      {"%.0d", 5, "5"},
      {"%.d", 5, "5"},
  };
  for (const Case& c : cases) EXPECT_EQ(Heading(c.Pattern, c.Number), c.Expected) << c.Pattern;
}

// Every flag, width and precision against the C library's own formatting of 64 bits.
TEST(HeadingPattern, AgreesWithSnprintf) {
  const std::vector<std::string> flagSets{"", "-", "+", " ", "0", "#", "-+", "+0", " 0", "#0", "-#"};
  const std::vector<std::string> widths{"", "1", "5", "10", "24"};
  const std::vector<std::string> precisions{"", ".", ".0", ".1", ".3", ".10", ".22"};
  const std::int64_t numbers[] = {0, 1, -1, 7, 255, 1'234'567'890'123, INT64_MAX, INT64_MIN};
  for (const std::string& flags : flagSets) {
    for (const std::string& width : widths) {
      for (const std::string& precision : precisions) {
        for (char conversion : std::string("diuxXo")) {
          const std::string directive = "%" + flags + width + precision;
          const std::string pattern = "[" + directive + conversion + "]";
          const std::string reference = "[" + directive + "ll" + conversion + "]";
          for (std::int64_t number : numbers) {
            char expected[128];
            if (conversion == 'd' || conversion == 'i') {
              std::snprintf(expected, sizeof expected, reference.c_str(),
                            static_cast<long long>(number));
            } else {
              std::snprintf(expected, sizeof expected, reference.c_str(),
                            static_cast<unsigned long long>(number));
            }
            ASSERT_EQ(Heading(pattern, number), expected) << pattern << " " << number;
          }
        }
      }
    }
  }
  // The counters' own writer, "%*.*lld" with a width and a precision (-1: none).
  for (int width : {0, 1, 4, 25}) {
    for (int precision : {-1, 0, 1, 4, 22}) {
      for (std::int64_t number : numbers) {
        char expected[128];
        std::snprintf(expected, sizeof expected, "%*.*lld", width, precision,
                      static_cast<long long>(number));
        std::string out = "x";
        AppendDecimal(out, number, width, precision);
        ASSERT_EQ(out, "x" + std::string(expected)) << width << " " << precision << " " << number;
      }
    }
  }
}

TEST(HeadingPattern, RejectsEverythingButOneIntegerConversion) {
  for (std::string_view pattern :
       {"%s", "SECTION %n", "%f", "%c", "%p", "%e", "%*d", "%.*d", "%d %d", "%", "SECTION %",
        "%-", "%5", "%hd", "%lf", "%lld%", "%1001d", "%.1001d", "%99999999999999999999d",
        "%1$d"}) {
    THeadingPattern heading;
    EXPECT_FALSE(heading.Compile(pattern)) << pattern;
    EXPECT_EQ(heading.Format(1), "") << pattern;
  }
  THeadingPattern widest;
  EXPECT_TRUE(widest.Compile("%1000d"));
  EXPECT_EQ(widest.Format(1).size(), 1000u);
}

TEST(ParsePlainDuration, ReadsPlainTimesLikeParseDuration) {
  std::vector<std::string> texts = {"01:20:29.730", "1:20:29.730", "20:29.730",  "29.730",
                                    "0:00:05.5",    "0:00:05.500", "0:00.000",   "5.1500",
                                    "1:2:3:4.5",    "999999999:999999999:59.999999999",
                                    "00:01:20:29.730", "0.0",
                                    // the fixed-position form hh:nn:ss.zzz
                                    "00:00:00.000", "99:99:99.999", "12:34:56.789", "00:75:00.000",
                                    "05:07:03.001"};
  std::mt19937 generator(11);
  for (int i = 0; i < 20'000; ++i) {
    std::string text;
    const int fields = 1 + static_cast<int>(generator() % 4);
    for (int f = 0; f < fields; ++f) {
      if (f > 0) text.push_back(':');
      text += std::to_string(generator() % (f == 0 ? 1'000'000 : 100));
    }
    text += "." + std::to_string(generator() % 10'000);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    std::int64_t ms = -1;
    ASSERT_TRUE(ParsePlainDuration(text, ms)) << text;
    ASSERT_EQ(ms, ParseDuration(text, TZeroMode::ZeroThis).TotalMilliseconds()) << text;
    ASSERT_EQ(ms, ParseDuration(text, TZeroMode::ZeroAll).TotalMilliseconds()) << text;
  }
}

TEST(ParsePlainDuration, LeavesEveryOtherTextToParseDuration) {
  for (std::string_view text :
       {"", "01:20:29", "1:20", "01:2x:29.730", " 1:00.000", "1:00.000 ", "-1:00:00.000",
        "1:-1.000", "1:2:3:4:5.6", "1.2.3", "1:.5", "1.", ".5", ":1.0", "1::2.0",
        "0000000001:00.000", "1:00.0000000001", "-:--.---", "1:00,000", "\xef\xbc\x91.0",
        "1x:00:00.000", "01:00:00.0x0", "01-00:00.000", "01:00:00:000",
        // digit runs too long to read, and far beyond the 64-bit range
        "6666666666666666666666666666666666666666.0", "1:00.99999999999999999999999"}) {
    std::int64_t ms = 77;
    EXPECT_FALSE(ParsePlainDuration(text, ms)) << text;
    EXPECT_EQ(ms, 77);
  }
}

}  // namespace
}  // namespace zentrel
