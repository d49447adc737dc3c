#include "core/zoned_format.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

TZonedDateTime Shown(int y, int mo, int d, int h, int mi, int s, int ms, std::int32_t offset,
                     bool utc = false) {
  TZonedDateTime shown;
  shown.Wall = CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
  shown.Offset.Seconds = offset;
  shown.Utc = utc;
  return shown;
}

TEST(ZonedFormat, WritesIso8601AtEachPrecision) {
  const struct {
    TZonedDateTime Shown;
    TIsoPrecision Precision;
    const char* Text;
  } cases[] = {
      {Shown(2024, 12, 25, 10, 30, 0, 0, 3600), TIsoPrecision::Seconds, "2024-12-25T10:30:00+01:00"},
      {Shown(2024, 12, 25, 10, 30, 0, 0, 0, true), TIsoPrecision::Seconds, "2024-12-25T10:30:00Z"},
      {Shown(2024, 12, 25, 10, 30, 0, 0, 0), TIsoPrecision::Seconds, "2024-12-25T10:30:00+00:00"},
      {Shown(2024, 12, 25, 10, 30, 59, 999, -28800), TIsoPrecision::Minutes, "2024-12-25T10:30-08:00"},
      {Shown(2024, 12, 25, 10, 30, 59, 999, 19800), TIsoPrecision::Seconds, "2024-12-25T10:30:59+05:30"},
      {Shown(2024, 12, 25, 10, 30, 59, 7, 45900), TIsoPrecision::Milliseconds, "2024-12-25T10:30:59.007+12:45"},
      {Shown(2024, 12, 25, 23, 59, 59, 999, 3600), TIsoPrecision::Date, "2024-12-25"},
      {Shown(1, 1, 1, 0, 0, 0, 0, -17762), TIsoPrecision::Seconds, "0001-01-01T00:00:00-04:56:02"},
      {Shown(9999, 12, 31, 23, 59, 59, 999, 0, true), TIsoPrecision::Milliseconds, "9999-12-31T23:59:59.999Z"},
      // Week and ordinal dates: the date alone, the week's year where it differs.
      {Shown(2024, 12, 25, 23, 59, 59, 999, 3600), TIsoPrecision::Week, "2024-W52-3"},
      {Shown(2024, 12, 30, 10, 0, 0, 0, 0, true), TIsoPrecision::Week, "2025-W01-1"},
      {Shown(2021, 1, 3, 0, 0, 0, 0, 0), TIsoPrecision::Week, "2020-W53-7"},
      {Shown(1, 1, 1, 0, 0, 0, 0, 0), TIsoPrecision::Week, "0001-W01-1"},
      {Shown(2024, 12, 25, 10, 30, 0, 0, 3600), TIsoPrecision::Ordinal, "2024-360"},
      {Shown(2023, 1, 9, 0, 0, 0, 0, 0), TIsoPrecision::Ordinal, "2023-009"},
      {Shown(9999, 12, 31, 23, 59, 59, 999, 0), TIsoPrecision::Ordinal, "9999-365"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatIso8601(c.Shown, c.Precision), c.Text);
}

TEST(ZonedFormat, WritesEmailDates) {
  const struct {
    TZonedDateTime Shown;
    const char* Text;
  } cases[] = {
      {Shown(2024, 12, 25, 10, 30, 0, 0, 3600), "Wed, 25 Dec 2024 10:30:00 +0100"},
      {Shown(2024, 12, 25, 10, 30, 0, 0, 0, true), "Wed, 25 Dec 2024 10:30:00 +0000"},
      {Shown(2024, 3, 3, 1, 2, 3, 999, -12600), "Sun, 03 Mar 2024 01:02:03 -0330"},
      {Shown(2024, 6, 1, 0, 0, 0, 0, 45900), "Sat, 01 Jun 2024 00:00:00 +1245"},
      {Shown(1, 1, 1, 0, 0, 0, 0, -17762), "Mon, 01 Jan 0001 00:00:00 -0456"},
      {Shown(9999, 12, 31, 23, 59, 59, 0, 50400), "Fri, 31 Dec 9999 23:59:59 +1400"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatRfcEmail(c.Shown), c.Text);
}

TEST(ZonedFormat, NamesThePrecisions) {
  EXPECT_EQ(IsoPrecisionNamed("date"), TIsoPrecision::Date);
  EXPECT_EQ(IsoPrecisionNamed("minutes"), TIsoPrecision::Minutes);
  EXPECT_EQ(IsoPrecisionNamed("seconds"), TIsoPrecision::Seconds);
  EXPECT_EQ(IsoPrecisionNamed("ms"), TIsoPrecision::Milliseconds);
  EXPECT_EQ(IsoPrecisionNamed("week"), TIsoPrecision::Week);
  EXPECT_EQ(IsoPrecisionNamed("ordinal"), TIsoPrecision::Ordinal);
  EXPECT_FALSE(IsoPrecisionNamed("hours"));
  EXPECT_FALSE(IsoPrecisionNamed("Seconds"));
  EXPECT_FALSE(IsoPrecisionNamed(""));
}

TEST(ZonedFormat, RefusesReadingsOutsideTheCalendar) {
  TZonedDateTime shown;
  shown.Wall = TDateTimeValue::FromSerial(1e7);
  EXPECT_THROW(FormatIso8601(shown, TIsoPrecision::Seconds), ConversionError);
  EXPECT_THROW(FormatRfcEmail(shown), ConversionError);
  EXPECT_THROW(FormatIso8601(shown, TIsoPrecision::Week), ConversionError);
  EXPECT_THROW(FormatIso8601(shown, TIsoPrecision::Ordinal), ConversionError);
}

}  // namespace
}  // namespace zentrel
