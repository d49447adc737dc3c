#include "core/machine_date_time.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

/// The reading as "yyyy-mm-dd hh:nn:ss.zzz"; a moment as its reading in UTC, with a
/// trailing "Z".
std::string Shown(const TMachineDateTime& value) {
  TDateParts d;
  TTimeParts t;
  DecodeDateTime(value.Moment ? FromUnixMilliseconds(value.Moment->UnixMs()) : value.Wall, d, t);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d%s", d.Year, d.Month,
                d.Day, t.Hour, t.Minute, t.Second, t.Millisecond, value.Moment ? "Z" : "");
  return text;
}

TEST(MachineDateTime, ReadsEveryIsoForm) {
  const struct {
    const char* Text;
    const char* Value;
  } cases[] = {
      {"2024-12-25", "2024-12-25 00:00:00.000"},
      {" 2024-12-25 ", "2024-12-25 00:00:00.000"},
      {"2024-12-25T10:30", "2024-12-25 10:30:00.000"},
      {"2024-12-25t10:30:15", "2024-12-25 10:30:15.000"},
      {"2024-12-25 10:30:15.5", "2024-12-25 10:30:15.500"},
      {"2024-12-25T10:30:15.25", "2024-12-25 10:30:15.250"},
      {"2024-12-25T10:30:15.123987", "2024-12-25 10:30:15.123"},  // cut, not rounded
      {"2024-12-25T10:30:15,5", "2024-12-25 10:30:15.500"},
      {"2024-02-29", "2024-02-29 00:00:00.000"},
      {"0001-01-01", "0001-01-01 00:00:00.000"},
      {"9999-12-31T23:59:59.999", "9999-12-31 23:59:59.999"},
      // A zone gives the moment in UTC, across midnight, a month's and a year's end.
      {"2024-12-25T10:30:00Z", "2024-12-25 10:30:00.000Z"},
      {"2024-12-25T10:30z", "2024-12-25 10:30:00.000Z"},
      {"2024-12-25T10:30:00+01:00", "2024-12-25 09:30:00.000Z"},
      {"2024-12-31T23:30:00-05:00", "2025-01-01 04:30:00.000Z"},
      {"2025-01-01T02:00+0530", "2024-12-31 20:30:00.000Z"},
      {"2024-03-01T01:00+05", "2024-02-29 20:00:00.000Z"},
      {"2024-12-25 10:30-00:30", "2024-12-25 11:00:00.000Z"},
      // Week dates (a week alone is its Monday) and ordinal dates, with a time and a zone.
      {"2024-W52-3", "2024-12-25 00:00:00.000"},
      {"2024-w52-3", "2024-12-25 00:00:00.000"},
      {"2024-W52", "2024-12-23 00:00:00.000"},
      {"2025-W01-1", "2024-12-30 00:00:00.000"},
      {"2020-W53-5", "2021-01-01 00:00:00.000"},
      {"2024-W52-3T10:30", "2024-12-25 10:30:00.000"},
      {" 2024-W52 10:30:15.5+01:00 ", "2024-12-23 09:30:15.500Z"},
      {"9999-W52-5T23:59:59.999", "9999-12-31 23:59:59.999"},
      {"0001-W01-1", "0001-01-01 00:00:00.000"},
      {"2024-360", "2024-12-25 00:00:00.000"},
      {"2024-060", "2024-02-29 00:00:00.000"},
      {"2024-366T23:59Z", "2024-12-31 23:59:00.000Z"},
      {"0001-001", "0001-01-01 00:00:00.000"},
  };
  for (const auto& c : cases) {
    const auto value = ReadMachineDateTime(c.Text);
    ASSERT_TRUE(value) << c.Text;
    EXPECT_EQ(Shown(*value), c.Value) << c.Text;
  }
}

TEST(MachineDateTime, ReadsUnixSecondsAsAMomentInUtc) {
  const struct {
    const char* Text;
    const char* Value;
  } cases[] = {
      {"@0", "1970-01-01 00:00:00.000Z"},
      {"@1735122600", "2024-12-25 10:30:00.000Z"},
      {"@-1", "1969-12-31 23:59:59.000Z"},
      {"@-1.5", "1969-12-31 23:59:58.500Z"},
      {"@1.25", "1970-01-01 00:00:01.250Z"},
      {"@253402300799.999", "9999-12-31 23:59:59.999Z"},
      {"@-62135596800", "0001-01-01 00:00:00.000Z"},
  };
  for (const auto& c : cases) {
    const auto value = ReadMachineDateTime(c.Text);
    ASSERT_TRUE(value) << c.Text;
    EXPECT_EQ(Shown(*value), c.Value) << c.Text;
  }
}

TEST(MachineDateTime, OtherTextsAreLeftToTheRegionalReading) {
  for (const char* text : {"", "12/25/2024", "24-12-25", "2024-1-05", "2024/12/25", "20241225",
                           "2024-12-25T10", "2024-12-25T1030", "2024-12-25 10:30 PM",
                           "2024-12-25T10:30+5", "2024-12-25T10:30:00.", "2024-12-25Z",
                           "2024-12-25  10:30", "@", "@1.2345", "@+5", "@1e3", "@ 5", "1735122600",
                           // a character just below or above the digits in each digit field
                           "2O24-12-25", "202/-12-25", "2024-1:-25", "2024-/2-25", "2024-12-2/",
                           "2024-12-:5", "2024-12-25T1::30", "2024-12-25T/0:30",
                           "2024-12-25T10:3/", "2024-12-25T10::0", "2024-12-25T10:30:5:",
                           "2024-12-25T10:30:/5", "2024-12-25T10:30+0/:00",
                           "2024-12-25T10:30-:1:00", "2024-12-25T10:30+01:0:",
                           "2024-12-25T10:30+01/0", "2024-12-25T10:30+0/",
                           // text after each kind of zone
                           "2024-12-25T10:30Zx", "2024-12-25T10:30:00zZ", "2024-12-25T10:30Z0",
                           "2024-12-25T10:30+01:00x", "2024-12-25T10:30-01:001",
                           "2024-12-25T10:30+0530:", "2024-12-25T10:30:15.5+05:30:00",
                           "2024-12-25T10:30+05Z",
                           // week and ordinal dates that are not whole
                           "2024-W5", "2024-W52-", "2024-W52-34", "2024-W523", "2024-W", "2024-36",
                           "2024-3600", "2024-360-1", "2024W52", "2024-W52-3Z", "2024-36a"}) {
    EXPECT_FALSE(ReadMachineDateTime(text)) << text;
  }
}

TEST(MachineDateTime, FieldsOutOfRangeDoNotConvert) {
  for (const char* text :
       {"2024-02-30", "2023-02-29", "2024-13-01", "2024-00-10", "2024-12-00", "0000-01-01",
        "2024-12-25T24:00", "2024-12-25T24:00:01", "2024-12-25T10:60", "2024-12-25T10:30:60",
        "2024-12-25T10:30+24:00", "2024-12-25T10:30+01:60", "@253402387201",
        "@-62135683201", "@99999999999999999999",
        // Weeks the year does not have, weekdays beyond 1 to 7, days beyond the year's.
        "2024-W53", "2024-W53-1", "2020-W54-1", "2024-W00-1", "2024-W01-0", "2024-W01-8",
        "9999-W52-6", "0000-W52-1", "2023-366", "2024-367", "2024-000", "0000-001"}) {
    EXPECT_THROW(ReadMachineDateTime(text), ConversionError) << text;
  }
}

TEST(MachineDateTime, MomentsJustBeyondTheCalendarInUtcAreMoments) {
  // A zone west or east of UTC shows them in years 1 to 9999: the zone that shows them
  // decides, not UTC.
  const struct {
    const char* Text;
    std::int64_t UnixMs;
  } cases[] = {
      {"9999-12-31T23:59-00:01", INT64_C(253402300800000)},
      {"0001-01-01T00:00+00:01", INT64_C(-62135596860000)},
      {"@253402300800", INT64_C(253402300800000)},
      {"@253402387199", INT64_C(253402387199000)},   // a day beyond: still read
      {"@-62135596801", INT64_C(-62135596801000)},
      {"@-62135683200", INT64_C(-62135683200000)},
  };
  for (const auto& c : cases) {
    const auto value = ReadMachineDateTime(c.Text);
    ASSERT_TRUE(value && value->Moment) << c.Text;
    EXPECT_EQ(value->Moment->UnixMs(), c.UnixMs) << c.Text;
  }
}

TEST(MachineDateTime, UnixMillisecondsRoundTrip) {
  for (std::int64_t ms : {INT64_C(0), INT64_C(-1), INT64_C(1735122600123),
                          INT64_C(-62135596800000), INT64_C(253402300799999)}) {
    EXPECT_EQ(UnixMilliseconds(FromUnixMilliseconds(ms)), ms);
  }
  EXPECT_THROW(FromUnixMilliseconds(INT64_C(253402300800000)), ConversionError);
}

}  // namespace
}  // namespace zentrel
