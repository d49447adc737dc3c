#include "core/iso_week.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

TEST(IsoWeekDate, WeeksAcrossYearEndsBothWays) {
  const struct {
    int Y, M, D;
    TIsoWeekDate Week;
  } cases[] = {
      {2024, 12, 25, {2024, 52, 3}},
      {2024, 12, 30, {2025, 1, 1}},  // week 1 begins in December
      {2025, 1, 1, {2025, 1, 3}},
      {2008, 12, 29, {2009, 1, 1}},
      {2010, 1, 3, {2009, 53, 7}},   // a year that begins on a Thursday has 53 weeks
      {2021, 1, 1, {2020, 53, 5}},   // and a leap year that begins on a Wednesday
      {2016, 1, 3, {2015, 53, 7}},
      {2024, 2, 29, {2024, 9, 4}},
      {2027, 1, 1, {2026, 53, 5}},
      {1, 1, 1, {1, 1, 1}},          // the calendar began on a Monday
      {9999, 12, 31, {9999, 52, 5}},
  };
  for (const auto& c : cases) {
    const TDateTimeValue date = EncodeDate(c.Y, c.M, c.D);
    const TIsoWeekDate week = IsoWeekDateOf(date);
    EXPECT_EQ(week.Year, c.Week.Year) << c.Y << "-" << c.M << "-" << c.D;
    EXPECT_EQ(week.Week, c.Week.Week) << c.Y << "-" << c.M << "-" << c.D;
    EXPECT_EQ(week.Weekday, c.Week.Weekday) << c.Y << "-" << c.M << "-" << c.D;
    EXPECT_EQ(EncodeIsoWeekDate(c.Week.Year, c.Week.Week, c.Week.Weekday), date);
  }
}

TEST(IsoWeekDate, FiftyThreeWeeksOnlyWhereTheYearHasThem) {
  for (int year : {2004, 2009, 2015, 2020, 2026, 1992, 2032}) {
    EXPECT_EQ(IsoWeeksInYear(year), 53) << year;
    EXPECT_NO_THROW(EncodeIsoWeekDate(year, 53, 7)) << year;
  }
  for (int year : {1, 2019, 2021, 2023, 2024, 2025, 2100, 9999}) {
    EXPECT_EQ(IsoWeeksInYear(year), 52) << year;
    EXPECT_THROW(EncodeIsoWeekDate(year, 53, 1), ConversionError) << year;
  }
}

TEST(IsoWeekDate, FieldsOutOfRangeAndTheCalendarsEndDoNotConvert) {
  EXPECT_THROW(EncodeIsoWeekDate(2024, 0, 1), ConversionError);
  EXPECT_THROW(EncodeIsoWeekDate(2024, 1, 0), ConversionError);
  EXPECT_THROW(EncodeIsoWeekDate(2024, 1, 8), ConversionError);
  EXPECT_THROW(EncodeIsoWeekDate(0, 52, 1), ConversionError);
  EXPECT_THROW(EncodeIsoWeekDate(10000, 1, 1), ConversionError);
  EXPECT_EQ(EncodeIsoWeekDate(9999, 52, 5), EncodeDate(9999, 12, 31));
  EXPECT_THROW(EncodeIsoWeekDate(9999, 52, 6), ConversionError);
  EXPECT_THROW(IsoWeekDateOf(TDateTimeValue::FromSerial(1e7)), ConversionError);
}

TEST(OrdinalDate, DaysOfTheYearBothWays) {
  const struct {
    int Y, Day, M, D;
  } cases[] = {
      {2024, 1, 1, 1},    {2024, 60, 2, 29},  {2023, 60, 3, 1},   {2024, 360, 12, 25},
      {2024, 366, 12, 31}, {2023, 365, 12, 31}, {1, 1, 1, 1},      {9999, 365, 12, 31},
      {2000, 366, 12, 31},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeOrdinalDate(c.Y, c.Day), EncodeDate(c.Y, c.M, c.D)) << c.Y << " " << c.Day;
    EXPECT_EQ(OrdinalDayOf(EncodeDate(c.Y, c.M, c.D)), c.Day) << c.Y << " " << c.Day;
  }
  for (auto [year, day] : {std::pair{2023, 366}, {1900, 366}, {2024, 367}, {2024, 0}, {0, 1},
                           {10000, 1}}) {
    EXPECT_THROW(EncodeOrdinalDate(year, day), ConversionError) << year << " " << day;
  }
}

}  // namespace
}  // namespace zentrel
