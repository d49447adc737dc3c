#include "core/date_format.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

const TFormatSettings kDefaults{};

TDateTimeValue At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}

std::string Fmt(std::string_view pattern, TDateTimeValue value, bool interval = false) {
  return FormatDateTimeValue(pattern, value, interval, kDefaults);
}
std::string Fmt(std::string_view pattern, double serial, bool interval = false) {
  return Fmt(pattern, TDateTimeValue::FromSerial(serial), interval);
}

// Thursday 03/05/2026 14:07:09.007: every field differs from its neighbours.
const TDateTimeValue kSample = At(2026, 3, 5, 14, 7, 9, 7);

TEST(FormatDateTimeValue, FixedPatternsOfTheProgram) {
  EXPECT_EQ(Fmt("mm/dd/yyyy", 0.0), "12/30/1899");
  EXPECT_EQ(Fmt("mmmm dd, yyyy", At(2026, 12, 7)), "December 07, 2026");
  EXPECT_EQ(Fmt("mm/dd/yyyy hh:nn:ss.zzz", At(2026, 12, 7, 4, 15, 11, 270), true),
            "12/07/2026 04:15:11.270");
  EXPECT_EQ(Fmt("mm/dd/yy hh:nn:ss", At(2005, 1, 2, 3, 4, 5)), "01/02/05 03:04:05");
  EXPECT_EQ(Fmt("dd mmm yyyy @ hh:00:00", At(2021, 3, 28, 22, 41, 3)), "28 Mar 2021 @ 22:00:00");
  EXPECT_EQ(Fmt("mm/dd/yyyy hh:nn", -1.25), "12/29/1899 06:00");
}

TEST(FormatDateTimeValue, TokenTable) {
  struct {
    const char* Pattern;
    const char* Expected;
  } const cases[] = {
      {"d", "5"},          {"dd", "05"},      {"ddd", "Thu"},       {"dddd", "Thursday"},
      {"ddddd", "03/05/2026"},                {"dddddd", "Thursday, March 5, 2026"},
      {"ddddddddd", "Thursday, March 5, 2026"},
      {"m", "3"},          {"mm", "03"},      {"mmm", "Mar"},       {"mmmm", "March"},
      {"mmmmmmm", "March"},
      {"y", "26"},         {"yy", "26"},      {"yyy", "2026"},      {"yyyy", "2026"},
      {"h", "14"},         {"hh", "14"},      {"n", "7"},           {"nn", "07"},
      {"s", "9"},          {"ss", "09"},      {"z", "7"},           {"zz", "007"},
      {"zzz", "007"},      {"t", "2:07 PM"},  {"tt", "2:07:09 PM"},
      {"c", "03/05/2026 2:07:09 PM"},
      {"DD/MM/YYYY", "05/03/2026"},           {"Dd-mM", "05-03"},
      {"e", "2026"},       {"g", "AD"},       {"f", "f"},           {"x#q", "x#q"},
      {"'yyyy' \"hh\"", "yyyy hh"},           {"'it''s'", "its"},   {"'open", "open"},
      {"[d]", "[5]"},      {"\xff\xfe d", "\xff\xfe 5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Pattern);
    EXPECT_EQ(Fmt(c.Pattern, kSample), c.Expected);
  }
  EXPECT_EQ(Fmt("c", At(2026, 3, 5)), "03/05/2026");  // midnight: no time
  EXPECT_EQ(Fmt("c", At(2026, 3, 5, 0, 0, 0, 1)), "03/05/2026 12:00:00 AM");
  EXPECT_EQ(Fmt("yy yyyy e", At(7, 1, 1)), "07 0007 7");
  EXPECT_EQ(Fmt("h:n:s.z", At(2026, 1, 1, 0, 0, 0, 0)), "0:0:0.0");
}

TEST(FormatDateTimeValue, MAfterAnHourTokenIsMinutes) {
  EXPECT_EQ(Fmt("hh:mm", kSample), "14:07");
  EXPECT_EQ(Fmt("h mm", kSample), "14 07");
  EXPECT_EQ(Fmt("h:m:ss", kSample), "14:7:09");
  EXPECT_EQ(Fmt("HH:MM", kSample), "14:07");
  EXPECT_EQ(Fmt("h'h'mm", kSample), "14h07");     // quoted text does not count
  EXPECT_EQ(Fmt("hh:mmm", kSample), "14:Mar");    // names stay month names
  EXPECT_EQ(Fmt("h d mm", kSample), "14 5 03");   // another letter token in between
  EXPECT_EQ(Fmt("hh:nn mm", kSample), "14:07 03");
  EXPECT_EQ(Fmt("hh:mm mm", kSample), "14:07 03");
  EXPECT_EQ(Fmt("mm hh", kSample), "03 14");
  EXPECT_EQ(Fmt("hxmm", kSample), "14x03");        // a copied letter is still a letter
}

TEST(FormatDateTimeValue, AmPmFormsAndTheTwelveHourClock) {
  EXPECT_EQ(Fmt("h:nn am/pm", kSample), "2:07 pm");
  EXPECT_EQ(Fmt("h:nn AM/PM", kSample), "2:07 PM");
  EXPECT_EQ(Fmt("h:nn Am/pM", kSample), "2:07 pM");
  EXPECT_EQ(Fmt("hh a/p", kSample), "02 p");
  EXPECT_EQ(Fmt("hh A/P", kSample), "02 P");
  EXPECT_EQ(Fmt("hh ampm", kSample), "02 PM");
  EXPECT_EQ(Fmt("am/pm hh", kSample), "pm 02");  // the switch works from anywhere
  EXPECT_EQ(Fmt("hh:nn am/pm", At(2026, 3, 5, 0, 30)), "12:30 am");
  EXPECT_EQ(Fmt("hh:nn am/pm", At(2026, 3, 5, 12, 30)), "12:30 pm");
  EXPECT_EQ(Fmt("hh:nn a/p", At(2026, 3, 5, 11, 59)), "11:59 a");
  EXPECT_EQ(Fmt("hh '(am/pm)'", kSample), "14 (am/pm)");  // quoted: no switch
  TFormatSettings regional;
  regional.TimeAMString = "vorm.";
  regional.TimePMString = "nachm.";
  EXPECT_EQ(FormatDateTimeValue("h ampm", kSample, false, regional), "2 nachm.");
  EXPECT_EQ(FormatDateTimeValue("h AMPM", At(2026, 1, 1, 9), false, regional), "9 vorm.");
}

TEST(FormatDateTimeValue, AnAThatStartsNoAmPmTokenIsIllegal) {
  for (const char* pattern : {"a", "A", "dd a", "am", "am/p", "a/", "ap", "amp", "yyyy Am"}) {
    SCOPED_TRACE(pattern);
    try {
      Fmt(pattern, kSample);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), "Illegal character in format string");
    }
  }
  EXPECT_EQ(Fmt("'a' \"A\"", kSample), "a A");
}

TEST(FormatDateTimeValue, IntervalModeGivesElapsedTotals) {
  TDateTimeValue elapsed = CombineDateTime(TDateTimeValue::FromSerial(2), EncodeTime(3, 4, 5, 6));
  EXPECT_EQ(Fmt("[h]:nn:ss", elapsed, true), "51:04:05");
  EXPECT_EQ(Fmt("[hh]:nn", elapsed, true), "51:04");
  EXPECT_EQ(Fmt("[h]:mm", elapsed, true), "51:04");
  EXPECT_EQ(Fmt("[h]:[mm]", elapsed, true), "51:3064");
  EXPECT_EQ(Fmt("[n]", elapsed, true), "3064");
  EXPECT_EQ(Fmt("[s].zzz", elapsed, true), "183845.006");
  EXPECT_EQ(Fmt("[mm]", elapsed, true), "01");  // no hour before: still the month
  EXPECT_EQ(Fmt("[h] h", elapsed, true), "51 3");
  EXPECT_EQ(Fmt("[h]", 0.5, true), "12");
  EXPECT_EQ(Fmt("[h]", -1.25, true), "30");
  EXPECT_EQ(Fmt("[h]:nn", elapsed, false), "[3]:04");
  EXPECT_EQ(Fmt("[hh] am/pm", elapsed, true), "51 am");  // totals ignore the 12-hour clock
  EXPECT_EQ(Fmt("[h]", At(9999, 12, 31, 23), true), std::to_string((2958465LL * 24) + 23));
}

TEST(FormatDateTimeValue, RegionalSeparatorsAndPatterns) {
  TFormatSettings regional;
  regional.DateSeparator = '.';
  regional.TimeSeparator = '-';
  regional.ShortDatePattern = "dd/mm/yyyy";
  regional.LongDatePattern = "d. mmmm yyyy";
  regional.LongTimePattern = "hh:nn:ss";
  EXPECT_EQ(FormatDateTimeValue("dd/mm/yyyy hh:nn", kSample, false, regional), "05.03.2026 14-07");
  EXPECT_EQ(FormatDateTimeValue("ddddd|dddddd|tt", kSample, false, regional),
            "05.03.2026|5. March 2026|14-07-09");
  EXPECT_EQ(FormatDateTimeValue("'a/b' \":\"", kSample, false, regional), "a/b :");
}

TEST(FormatDateTimeValue, ALongMonthNameAfterADayNumberTakesTheGenitive) {
  TFormatSettings russian;
  russian.LongMonthNames[11] = "\xD0\xB4\xD0\xB5\xD0\xBA\xD0\xB0\xD0\xB1\xD1\x80\xD1\x8C";
  russian.GenitiveMonthNames[11] = "\xD0\xB4\xD0\xB5\xD0\xBA\xD0\xB0\xD0\xB1\xD1\x80\xD1\x8F";
  russian.LongDatePattern = "d mmmm yyyy";
  const std::string nominative = russian.LongMonthNames[11];
  const std::string genitive = russian.GenitiveMonthNames[11];
  const TDateTimeValue day = At(2026, 12, 7);
  auto render = [&](std::string_view pattern) {
    return FormatDateTimeValue(pattern, day, false, russian);
  };
  EXPECT_EQ(render("d mmmm yyyy"), "7 " + genitive + " 2026");
  EXPECT_EQ(render("dd. mmmm"), "07. " + genitive);
  EXPECT_EQ(render("dddddd"), "7 " + genitive + " 2026");  // the long date pattern
  EXPECT_EQ(render("mmmm yyyy"), nominative + " 2026");  // alone: the nominative
  EXPECT_EQ(render("mmmm d"), nominative + " 7");
  EXPECT_EQ(render("dddd mmmm"), "Monday " + nominative);  // a day name is no day number
  EXPECT_EQ(render("d mmm"), "7 Dec");
  // Without a form of its own after a day, the long name.
  EXPECT_EQ(FormatDateTimeValue("d mmmm", day, false, TFormatSettings{}), "7 December");
}

TEST(FormatDateTimeValue, RegionalPatternsNestOneLevelOnly) {
  TFormatSettings looping;
  looping.ShortDatePattern = "ddddd c 'x' yyyy";
  looping.LongDatePattern = "t dddddd";
  looping.ShortTimePattern = "tt hh";
  EXPECT_EQ(FormatDateTimeValue("ddddd", kSample, false, looping), "  x 2026");
  EXPECT_EQ(FormatDateTimeValue("dddddd", kSample, false, looping), " ");
  EXPECT_EQ(FormatDateTimeValue("t", kSample, false, looping), " 14");
  looping.ShortDatePattern = "a";
  EXPECT_THROW(FormatDateTimeValue("ddddd", kSample, false, looping), ConversionError);
}

TEST(TDatePattern, ACompiledPatternRendersAsTheRendererReadingItAnew) {
  // Patterns of numbers and separators take a path of their own once compiled; every
  // pattern must still write what the renderer writes for its text.
  const std::string longText(200, 'x');
  const std::string patterns[] = {
      "yyyy-mm-dd", "dd.mm.yyyy", "mm/dd/yyyy hh:nn:ss.zzz", "d/m/yy h:n:s.z", "yyyymmdd",
      "hhnnsszzz", "y yyy yyyyy", "zz zzzz", "hh:mm", "h mm", "hxmm", "h'h'mm", "hh:nn mm",
      "mm hh", "'yyyy' \"hh\" dd", "'it''s' d", "-_ ,;", "", "ddd dd", "mmm", "[h]:nn",
      "hh am/pm", "c", "e", "'" + longText + "' d", "d " + longText,
  };
  const TDateTimeValue values[] = {
      kSample, At(1, 1, 1), At(9999, 12, 31, 23, 59, 59, 999), At(999, 9, 9, 9, 9, 9, 9),
      At(1899, 12, 29, 6), TDateTimeValue::FromSerial(-1.25), At(2000, 10, 10, 10, 10, 10, 100),
  };
  TFormatSettings dotted;
  dotted.DateSeparator = '.';
  dotted.TimeSeparator = '.';
  for (const TFormatSettings* fs : {&kDefaults, static_cast<const TFormatSettings*>(&dotted)}) {
    for (const std::string& text : patterns) {
      const TDatePattern pattern = TDatePattern::Compile(text, *fs);
      for (const TDateTimeValue value : values) {
        for (const bool interval : {false, true}) {
          SCOPED_TRACE(text + " " + std::to_string(value.Serial()));
          EXPECT_EQ(pattern.Render(value, interval, *fs),
                    FormatDateTimeValue(text, value, interval, *fs));
        }
      }
    }
  }
  const TDatePattern plain = TDatePattern::Compile("yyyy-mm-dd", kDefaults);
  EXPECT_THROW(plain.Render(TDateTimeValue::FromSerial(1e9), false, kDefaults), ConversionError);
}

TEST(FormatDateTimeValue, LongAndHostilePatternsStayLinear) {
  EXPECT_EQ(Fmt(std::string(100'000, 'd'), kSample), "Thursday, March 5, 2026");
  EXPECT_EQ(Fmt(std::string(100'000, 'm'), kSample), "March");
  std::string alternating;
  for (int i = 0; i < 50'000; ++i) alternating += "d/";
  EXPECT_EQ(Fmt(alternating, kSample).size(), 100'000u);
  std::string expanding;
  for (int i = 0; i < 20'000; ++i) expanding += "ddddd ";
  EXPECT_EQ(Fmt(expanding, kSample).size(), 20'000u * 11);
  EXPECT_THROW(Fmt(std::string(100'000, 'a'), kSample), ConversionError);
  EXPECT_EQ(Fmt(std::string(100'000, '\''), kSample), "");
  EXPECT_EQ(Fmt("", kSample), "");
}

}  // namespace
}  // namespace zentrel
