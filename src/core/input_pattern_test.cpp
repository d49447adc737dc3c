#include "core/input_pattern.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/conversion_error.h"
#include "core/date_format.h"

namespace zentrel {
namespace {

// 12/07/2026 04:15:11.270: the current year and month a pattern without them takes.
const TDateTimeValue kNow = CombineDateTime(EncodeDate(2026, 12, 7), EncodeTime(4, 15, 11, 270));

/// The text read through the pattern and written back as a full moment; "no" when it does
/// not convert.
std::string Read(std::string_view pattern, std::string_view text,
                 const TFormatSettings& settings = {}) {
  try {
    return FormatDateTimeValue(kMomentPattern, ReadWithPattern(pattern, text, settings, kNow),
                               false, settings);
  } catch (const ConversionError&) {
    return "no";
  }
}

TEST(ReadWithPattern, EveryLetter) {
  struct {
    const char* Pattern;
    const char* Text;
    const char* Expected;
  } cases[] = {
      {"dd.mm.yyyy", "25.12.2024", "12/25/2024 00:00:00.000"},
      {"d.m.yyyy", "5.1.2024", "01/05/2024 00:00:00.000"},
      {"d.m.yyyy", "15.11.2024", "11/15/2024 00:00:00.000"},
      {"yyyymmdd", "20241225", "12/25/2024 00:00:00.000"},
      {"yyyymmddhhnnss", "20241225235958", "12/25/2024 23:59:58.000"},
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-12-25 10:30:15.250", "12/25/2024 10:30:15.250"},
      {"yyyy-mm-dd hh:nn:ss.z", "2024-12-25 10:30:15.25", "12/25/2024 10:30:15.025"},
      {"dd/mmm/yyyy:hh:nn:ss", "10/Oct/2024:13:55:36", "10/10/2024 13:55:36.000"},
      {"mmmm d, yyyy", "december 7, 2024", "12/07/2024 00:00:00.000"},
      {"dddd, mmmm d, yyyy", "Wednesday, December 25, 2024", "12/25/2024 00:00:00.000"},
      {"ddd dd mmm", "Fri 05 Jan", "01/05/2026 00:00:00.000"},
      {"h:mm am/pm", "2:05 PM", "12/07/2026 14:05:00.000"},
      {"h:nn a/p", "12:30 a", "12/07/2026 00:30:00.000"},
      {"hh:nn ampm", "12:00 pm", "12/07/2026 12:00:00.000"},
      {"yyyy'T'hh", "2024T07", "01/01/2024 07:00:00.000"},
      {"\"day\" d", "day 3", "12/03/2026 00:00:00.000"},
      {"mm/yyyy", "02/2024", "02/01/2024 00:00:00.000"},
      {"hh:nn", "23:59", "12/07/2026 23:59:00.000"},
      {"h:n:s", "1:2:3", "12/07/2026 01:02:03.000"},
      {"dd.mm.yyyy", "  25.12.2024 ", "12/25/2024 00:00:00.000"},  // blanks around
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.Pattern, c.Text), c.Expected) << c.Pattern << " " << c.Text;
  }
}

TEST(ReadWithPattern, TextThatDoesNotFollowThePattern) {
  struct {
    const char* Pattern;
    const char* Text;
  } cases[] = {
      {"dd.mm.yyyy", "25/12/2024"},      // other separator
      {"dd.mm.yyyy", "5.12.2024"},       // dd wants two digits
      {"dd.mm.yyyy", "25.12.24"},        // yyyy wants four
      {"dd.mm.yyyy", "25.12.2024x"},     // text left over
      {"dd.mm.yyyy", "25.12."},          // text ends early
      {"yyyymmdd", "2024122"},
      {"h:n:s", "1:2:"},                 // one letter still wants a digit
      {"d.m", ".1"},
      {"mmm yyyy", "Dez 2024"},          // no such month name
      {"h am/pm", "13 pm"},              // a 12-hour clock
      {"h am/pm", "0 am"},
      {"yyyy'T'hh", "2024t07"},          // literal text as it stands
      {"", "2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.Pattern, c.Text), "no") << c.Pattern << " " << c.Text;
}

TEST(ReadWithPattern, OutOfRangeFields) {
  EXPECT_EQ(Read("dd.mm.yyyy", "30.02.2024"), "no");
  EXPECT_EQ(Read("dd.mm.yyyy", "29.02.2023"), "no");
  EXPECT_EQ(Read("dd.mm.yyyy", "29.02.2024"), "02/29/2024 00:00:00.000");
  EXPECT_EQ(Read("dd.mm.yyyy", "01.13.2024"), "no");
  EXPECT_EQ(Read("dd.mm.yyyy", "00.12.2024"), "no");
  EXPECT_EQ(Read("yyyy", "0000"), "no");
  EXPECT_EQ(Read("hh:nn", "24:00"), "no");
  EXPECT_EQ(Read("hh:nn:ss", "23:60:00"), "no");
  EXPECT_EQ(Read("hh:nn:ss", "23:59:60"), "no");
}

TEST(ReadWithPattern, TwoDigitYearsFallInTheRegionalWindow) {
  // The window starts 50 years before 2026: 1976 to 2075.
  EXPECT_EQ(Read("dd.mm.yy", "01.01.76"), "01/01/1976 00:00:00.000");
  EXPECT_EQ(Read("dd.mm.yy", "01.01.75"), "01/01/2075 00:00:00.000");
  TFormatSettings narrow;
  narrow.TwoDigitYearCenturyWindow = 10;  // 2016 to 2115
  EXPECT_EQ(Read("dd.mm.yy", "01.01.15", narrow), "01/01/2115 00:00:00.000");
  EXPECT_EQ(Read("dd.mm.yy", "01.01.16", narrow), "01/01/2016 00:00:00.000");
}

TEST(ReadWithPattern, RegionalNamesAndSeparators) {
  TFormatSettings german;
  german.DateSeparator = '.';
  german.LongMonthNames[2] = "März";
  german.GenitiveMonthNames[2] = "Märza";  // a declined form is read as well
  german.TimeAMString = "vorm.";
  german.TimePMString = "nachm.";
  EXPECT_EQ(Read("dd/mm/yyyy", "25.12.2024", german), "12.25.2024 00:00:00.000");
  EXPECT_EQ(Read("d mmmm yyyy", "3 MÄRZ 2024", german), "03.03.2024 00:00:00.000");
  EXPECT_EQ(Read("d mmmm yyyy", "3 märza 2024", german), "03.03.2024 00:00:00.000");
  EXPECT_EQ(Read("h ampm", "3 nachm.", german), "12.07.2026 15:00:00.000");
  EXPECT_EQ(Read("dd/mm/yyyy", "25/12/2024", german), "no");
}

TEST(CheckInputPattern, RefusesLettersThatReadNothingFixed) {
  for (const char* pattern : {"ddddd", "dddddd", "t", "tt", "c", "e", "g", "yyyy ax"}) {
    EXPECT_THROW(CheckInputPattern(pattern), ConversionError) << pattern;
    EXPECT_EQ(Read(pattern, "2024"), "no") << pattern;
  }
  for (const char* pattern : {"dd.mm.yyyy", "'t c e'", "x-yyyy", "[hh]"}) {
    EXPECT_NO_THROW(CheckInputPattern(pattern)) << pattern;
  }
}

}  // namespace
}  // namespace zentrel
