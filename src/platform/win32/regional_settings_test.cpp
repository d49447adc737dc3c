#include "platform/win32/regional_settings.h"

#include <map>
#include <utility>

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(TranslateLocalePattern, DatePictures) {
  EXPECT_EQ(TranslateLocalePattern("M/d/yyyy", '/', ':'), "m/d/yyyy");
  EXPECT_EQ(TranslateLocalePattern("MM/dd/yyyy", '/', ':'), "mm/dd/yyyy");
  EXPECT_EQ(TranslateLocalePattern("dddd, MMMM d, yyyy", '/', ':'), "dddd, mmmm d, yyyy");
  EXPECT_EQ(TranslateLocalePattern("dd.MM.yy", '.', ':'), "dd/mm/yy");
  EXPECT_EQ(TranslateLocalePattern("yyyy-MM-dd", '-', ':'), "yyyy/mm/dd");
  EXPECT_EQ(TranslateLocalePattern("y/M/d", '/', ':'), "yy/m/d");
}

TEST(TranslateLocalePattern, TimePicturesUseMinuteAndAmPmTokens) {
  EXPECT_EQ(TranslateLocalePattern("h:mm:ss tt", '/', ':'), "h:nn:ss AMPM");
  EXPECT_EQ(TranslateLocalePattern("HH:mm", '/', ':'), "hh:nn");
  EXPECT_EQ(TranslateLocalePattern("H.mm.ss", '-', '.'), "h:nn:ss");
  EXPECT_EQ(TranslateLocalePattern("h:mm t", '/', ':'), "h:nn A/P");
}

TEST(TranslateLocalePattern, LiteralsAreQuotedSoNoneReadsAsAToken) {
  // Quoted text, plain letters that are no pictures, and separators of the other kind.
  EXPECT_EQ(TranslateLocalePattern("d. MMMM yyyy 'r.'", '.', ':'), "d/ mmmm yyyy \"r\".");
  EXPECT_EQ(TranslateLocalePattern("'Today is' dddd", '/', ':'), "\"Today\" \"is\" dddd");
  EXPECT_EQ(TranslateLocalePattern("dd/MM/yyyy", '.', ':'), "dd\"/\"mm\"/\"yyyy");
  EXPECT_EQ(TranslateLocalePattern("HH'h'mm", '/', ':'), "hh\"h\"nn");
  EXPECT_EQ(TranslateLocalePattern("d 'de' MMMM", '/', ':'), "d \"de\" mmmm");
  EXPECT_EQ(TranslateLocalePattern("h:mm 'o''clock'", '/', ':'), "h:nn \"o'clock\"");
  EXPECT_EQ(TranslateLocalePattern("dd''MM", '/', ':'), "dd\"'\"mm");  // '' outside quotes too
  EXPECT_EQ(TranslateLocalePattern("'a''d'd", '/', ':'), "\"a'd\"d");  // the quote, not the day
  EXPECT_EQ(TranslateLocalePattern("MMMMM dddddd", '/', ':'), "mmmm dddd");  // longest forms
  EXPECT_EQ(TranslateLocalePattern("'\"'d", '/', ':'), "'\"'d");
  EXPECT_EQ(TranslateLocalePattern("'unterminated", '/', ':'), "\"unterminated\"");
  // Non-ASCII text is copied.
  EXPECT_EQ(TranslateLocalePattern("yyyy\xe5\xb9\xb4M\xe6\x9c\x88", '/', ':'),
            "yyyy\xe5\xb9\xb4m\xe6\x9c\x88");
}

TEST(TranslateLocalePattern, DropsTheEraWithItsBlank) {
  EXPECT_EQ(TranslateLocalePattern("gg yyyy/M/d", '/', ':'), "yyyy/m/d");
  EXPECT_EQ(TranslateLocalePattern("M/d/yyyy g", '/', ':'), "m/d/yyyy");
}

using TItems = std::map<std::pair<TLocaleItem, int>, std::string>;

TLocaleLookup LookupFrom(const TItems& items) {
  return [items](TLocaleItem item, int index) -> std::optional<std::string> {
    auto it = items.find({item, index});
    if (it == items.end()) return std::nullopt;
    return it->second;
  };
}

TEST(BuildRegionalSettings, KeepsTheDefaultsForEverythingTheSystemCannotSay) {
  TFormatSettings built = BuildRegionalSettings(LookupFrom({}));
  TFormatSettings defaults;
  EXPECT_EQ(built.DateSeparator, defaults.DateSeparator);
  EXPECT_EQ(built.ShortDatePattern, defaults.ShortDatePattern);
  EXPECT_EQ(built.LongTimePattern, defaults.LongTimePattern);
  EXPECT_EQ(built.TimeAMString, "AM");
  EXPECT_EQ(built.LongDayNames, defaults.LongDayNames);
  EXPECT_EQ(built.TwoDigitYearCenturyWindow, 50);
}

TEST(BuildRegionalSettings, TakesALocaleWhole) {
  TItems items{{{TLocaleItem::DateSeparator, 0}, "."},
               {{TLocaleItem::TimeSeparator, 0}, ":"},
               {{TLocaleItem::DecimalSeparator, 0}, ","},
               {{TLocaleItem::ShortDatePattern, 0}, "dd.MM.yyyy"},
               {{TLocaleItem::LongTimePattern, 0}, "HH:mm:ss"},
               {{TLocaleItem::AmText, 0}, "vorm."},
               {{TLocaleItem::LongMonthName, 2}, "M\xc3\xa4rz"},
               {{TLocaleItem::LongDayName, 0}, "Sonntag"},
               {{TLocaleItem::ShortDayName, 6}, "Sa"}};
  TFormatSettings s = BuildRegionalSettings(LookupFrom(items));
  EXPECT_EQ(s.DateSeparator, '.');
  EXPECT_EQ(s.DecimalSeparator, ',');
  EXPECT_EQ(s.ShortDatePattern, "dd/mm/yyyy");
  EXPECT_EQ(s.LongTimePattern, "hh:nn:ss");
  EXPECT_EQ(s.ShortTimePattern, "h:nn AMPM");  // not supplied: the default stays
  EXPECT_EQ(s.TimeAMString, "vorm.");
  EXPECT_EQ(s.LongMonthNames[2], "M\xc3\xa4rz");
  EXPECT_EQ(s.LongMonthNames[3], "April");
  EXPECT_EQ(s.LongDayNames[0], "Sonntag");
  EXPECT_EQ(s.ShortDayNames[6], "Sa");
}

TEST(BuildRegionalSettings, KeepsAGenitiveMonthNameOnlyWhereItDiffers) {
  TItems items{{{TLocaleItem::LongMonthName, 11}, "grudzie\xc5\x84"},
               {{TLocaleItem::GenitiveMonthName, 11}, "grudnia"},
               {{TLocaleItem::LongMonthName, 0}, "stycze\xc5\x84"},
               {{TLocaleItem::GenitiveMonthName, 0}, "stycze\xc5\x84"}};
  TFormatSettings s = BuildRegionalSettings(LookupFrom(items));
  EXPECT_EQ(s.GenitiveMonthNames[11], "grudnia");
  EXPECT_EQ(s.GenitiveMonthNames[0], "");  // the same as the long name
  EXPECT_EQ(s.GenitiveMonthNames[5], "");  // not supplied
}

TEST(BuildRegionalSettings, RejectsSeparatorsThatDoNotFitOneCharacter) {
  TItems items{{{TLocaleItem::DateSeparator, 0}, ". "},
               {{TLocaleItem::TimeSeparator, 0}, "\xe2\x88\xb6"},
               {{TLocaleItem::DecimalSeparator, 0}, ""},
               {{TLocaleItem::AmText, 0}, ""},
               {{TLocaleItem::ShortDatePattern, 0}, "yyyy. MM. dd."}};
  TFormatSettings s = BuildRegionalSettings(LookupFrom(items));
  EXPECT_EQ(s.DateSeparator, '/');
  EXPECT_EQ(s.TimeSeparator, ':');
  EXPECT_EQ(s.DecimalSeparator, '.');
  EXPECT_EQ(s.TimeAMString, "AM");
  // With the separator not taken, the pattern's dots stay literal dots.
  EXPECT_EQ(s.ShortDatePattern, "yyyy. mm. dd.");
}

}  // namespace
}  // namespace zentrel::platform
