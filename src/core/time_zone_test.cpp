#include "core/time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/conversion_error.h"
#include "core/machine_date_time.h"
#include "core/zone_lookup.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// A zone of the built-in copy (the fake platform has no zone files).
TTimeZone Zone(const char* name) {
  platform::FakePlatform os;
  auto zone = FindZone(name, os);
  if (!zone) throw std::runtime_error(std::string("no zone ") + name);
  return *zone;
}

TDateTimeValue Wall(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  return CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}

/// "yyyy-mm-ddThh:nn:ss.zzz" of a wall-clock value.
std::string Text(TDateTimeValue value) {
  TDateParts d;
  TTimeParts t;
  DecodeDateTime(value, d, t);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", d.Year, d.Month, d.Day,
                t.Hour, t.Minute, t.Second, t.Millisecond);
  return text;
}

/// The moment as its UTC reading ("...Z"); a moment of year 0 as its Unix seconds.
std::string Utc(TMoment moment) {
  try {
    return Text(TTimeZone::Utc().WallClockOf(moment)) + "Z";
  } catch (const ConversionError&) {
    return "@" + std::to_string(moment.UnixSeconds());
  }
}

struct TWallCase {
  const char* Zone;
  TDateTimeValue Wall;
  const char* Moment;  ///< the moment, in UTC
  const char* Shown;   ///< the moment back on the zone's wall clock
};

// Gaps move later by their length; readings shown twice take the earlier moment. Every
// expected moment here is the one Python's zoneinfo gives with fold=0.
const TWallCase kWallCases[] = {
    // New York: the spring gap 02:00-03:00, the autumn repeat 01:00-02:00.
    {"America/New_York", Wall(2024, 3, 10, 2, 30, 0), "2024-03-10T07:30:00.000Z", "2024-03-10T03:30:00.000"},
    {"America/New_York", Wall(2024, 3, 10, 1, 59, 59, 999), "2024-03-10T06:59:59.999Z", "2024-03-10T01:59:59.999"},
    {"America/New_York", Wall(2024, 3, 10, 2, 0, 0), "2024-03-10T07:00:00.000Z", "2024-03-10T03:00:00.000"},
    {"America/New_York", Wall(2024, 3, 10, 3, 0, 0), "2024-03-10T07:00:00.000Z", "2024-03-10T03:00:00.000"},
    {"America/New_York", Wall(2024, 11, 3, 1, 30, 0), "2024-11-03T05:30:00.000Z", "2024-11-03T01:30:00.000"},
    {"America/New_York", Wall(2024, 11, 3, 1, 0, 0), "2024-11-03T05:00:00.000Z", "2024-11-03T01:00:00.000"},
    {"America/New_York", Wall(2024, 11, 3, 2, 0, 0), "2024-11-03T07:00:00.000Z", "2024-11-03T02:00:00.000"},
    // The rule beyond the file's last transition.
    {"America/New_York", Wall(2100, 3, 14, 2, 30, 0), "2100-03-14T07:30:00.000Z", "2100-03-14T03:30:00.000"},
    // Lord Howe: 30 minutes, south of the equator.
    {"Australia/Lord_Howe", Wall(2024, 10, 6, 2, 15, 0), "2024-10-05T15:45:00.000Z", "2024-10-06T02:45:00.000"},
    {"Australia/Lord_Howe", Wall(2024, 4, 7, 1, 45, 0), "2024-04-06T14:45:00.000Z", "2024-04-07T01:45:00.000"},
    {"Australia/Lord_Howe", Wall(2024, 4, 7, 2, 0, 0), "2024-04-06T15:30:00.000Z", "2024-04-07T02:00:00.000"},
    {"Australia/Lord_Howe", Wall(2100, 10, 3, 2, 10, 0), "2100-10-02T15:40:00.000Z", "2100-10-03T02:40:00.000"},
    // Kolkata: standard time moved to +06:30 in 1942 and back in 1945.
    {"Asia/Kolkata", Wall(1942, 9, 1, 0, 30, 0), "1942-08-31T19:00:00.000Z", "1942-09-01T01:30:00.000"},
    {"Asia/Kolkata", Wall(1945, 10, 14, 23, 30, 0), "1945-10-14T17:00:00.000Z", "1945-10-14T23:30:00.000"},
    {"Asia/Kolkata", Wall(1945, 10, 15, 0, 0, 0), "1945-10-14T18:30:00.000Z", "1945-10-15T00:00:00.000"},
    // Chatham: +12:45 and +13:45, changes at 02:45 local.
    {"Pacific/Chatham", Wall(2024, 9, 29, 2, 50, 0), "2024-09-28T14:05:00.000Z", "2024-09-29T03:50:00.000"},
    {"Pacific/Chatham", Wall(2024, 4, 7, 2, 50, 0), "2024-04-06T13:05:00.000Z", "2024-04-07T02:50:00.000"},
    // Sao Paulo: changes at midnight, so a day began at 01:00.
    {"America/Sao_Paulo", Wall(2018, 11, 4, 0, 30, 0), "2018-11-04T03:30:00.000Z", "2018-11-04T01:30:00.000"},
    {"America/Sao_Paulo", Wall(2018, 2, 17, 23, 30, 0), "2018-02-18T01:30:00.000Z", "2018-02-17T23:30:00.000"},
    {"Australia/Sydney", Wall(2024, 10, 6, 2, 30, 0), "2024-10-05T16:30:00.000Z", "2024-10-06T03:30:00.000"},
    {"Australia/Sydney", Wall(2024, 4, 7, 2, 30, 0), "2024-04-06T15:30:00.000Z", "2024-04-07T02:30:00.000"},
    // Dublin: winter is the negative daylight saving, summer the standard time.
    {"Europe/Dublin", Wall(2024, 3, 31, 1, 30, 0), "2024-03-31T01:30:00.000Z", "2024-03-31T02:30:00.000"},
    {"Europe/Dublin", Wall(2024, 10, 27, 1, 30, 0), "2024-10-27T00:30:00.000Z", "2024-10-27T01:30:00.000"},
    {"Europe/Dublin", Wall(2100, 7, 1, 12, 0, 0), "2100-07-01T11:00:00.000Z", "2100-07-01T12:00:00.000"},
    // The ends of the calendar, east and west: local mean time, then the current rule.
    {"Asia/Tokyo", Wall(1, 1, 1, 0, 0, 0), "@-62135630339", "0001-01-01T00:00:00.000"},
    {"Asia/Tokyo", Wall(9999, 12, 31, 23, 59, 59, 999), "9999-12-31T14:59:59.999Z", "9999-12-31T23:59:59.999"},
    {"America/New_York", Wall(1, 1, 1, 0, 0, 0), "0001-01-01T04:56:02.000Z", "0001-01-01T00:00:00.000"},
    {"America/New_York", Wall(9999, 12, 31, 23, 59, 59, 999), "@253402318799", "9999-12-31T23:59:59.999"},
};

TEST(TimeZone, WallClockToMomentAndBack) {
  for (const TWallCase& c : kWallCases) {
    const TTimeZone zone = Zone(c.Zone);
    const TMoment moment = zone.MomentOf(c.Wall);
    EXPECT_EQ(Utc(moment), c.Moment) << c.Zone << " " << Text(c.Wall);
    EXPECT_EQ(Text(zone.WallClockOf(moment)), c.Shown) << c.Zone << " " << Text(c.Wall);
  }
}

/// The machine's zone with the offsets of a named zone, as the system would give them.
struct TZonedPlatform : platform::FakePlatform {
  explicit TZonedPlatform(TTimeZone zone) : Zone(std::move(zone)) {}
  std::int64_t LocalOffsetAtUtc(std::int64_t unixSeconds) override {
    return Zone.OffsetAt(TMoment::FromUnixSeconds(unixSeconds)).Seconds;
  }
  TTimeZone Zone;
};

TEST(TimeZone, MachineZoneFollowsTheSameRule) {
  for (const TWallCase& c : kWallCases) {
    TZonedPlatform os(Zone(c.Zone));
    const TTimeZone machine = TTimeZone::Machine(os);
    EXPECT_EQ(Utc(machine.MomentOf(c.Wall)), c.Moment) << c.Zone << " " << Text(c.Wall);
  }
}

TEST(TimeZone, ShowsOffsetsAndAbbreviations) {
  const struct {
    const char* Zone;
    std::int64_t UnixSeconds;
    std::int32_t Offset;
    const char* Abbreviation;
    bool IsDst;
  } cases[] = {
      {"America/New_York", 1710053999, -5 * 3600, "EST", false},  // 01:59:59 EST
      {"America/New_York", 1710054000, -4 * 3600, "EDT", true},   // 03:00 EDT
      {"Europe/Dublin", 1735689600, 0, "GMT", true},              // winter: negative DST
      {"Europe/Dublin", 1719792000, 3600, "IST", false},
      {"Australia/Lord_Howe", 1719792000, 10 * 3600 + 1800, "+1030", false},
      {"Pacific/Chatham", 1735689600, 13 * 3600 + 2700, "+1345", true},
      {"Asia/Kolkata", 0, 19800, "IST", false},
      {"Europe/Berlin", 4102444800, 3600, "CET", false},          // 2100, from the rule
      {"Europe/Berlin", 4118083200, 7200, "CEST", true},
  };
  for (const auto& c : cases) {
    const TZoneOffset offset = Zone(c.Zone).OffsetAt(TMoment::FromUnixSeconds(c.UnixSeconds));
    EXPECT_EQ(offset.Seconds, c.Offset) << c.Zone << " " << c.UnixSeconds;
    EXPECT_EQ(offset.Abbreviation, c.Abbreviation) << c.Zone << " " << c.UnixSeconds;
    EXPECT_EQ(offset.IsDst, c.IsDst) << c.Zone << " " << c.UnixSeconds;
  }
}

TEST(TimeZone, RefusesReadingsOutsideTheCalendar) {
  const TMoment first = TMoment::FromUnixSeconds(-62135596800);  // 0001-01-01T00:00Z
  const TMoment last = TMoment::FromUnixSeconds(253402300799);   // 9999-12-31T23:59:59Z
  EXPECT_EQ(Text(Zone("Asia/Tokyo").WallClockOf(first)), "0001-01-01T09:18:59.000");
  EXPECT_THROW(Zone("America/New_York").WallClockOf(first), ConversionError);
  EXPECT_EQ(Text(Zone("America/New_York").WallClockOf(last)), "9999-12-31T18:59:59.000");
  EXPECT_THROW(Zone("Asia/Tokyo").WallClockOf(last), ConversionError);
  EXPECT_THROW(TTimeZone::Fixed(60).WallClockOf(last), ConversionError);
  EXPECT_THROW(TTimeZone::Utc().WallClockOf(TMoment::FromUnixMs(INT64_MAX)), ConversionError);
  EXPECT_THROW(TTimeZone::Utc().WallClockOf(TMoment::FromUnixMs(INT64_MIN)), ConversionError);
  EXPECT_THROW(TTimeZone::Utc().MomentOf(TDateTimeValue::FromSerial(3e6)), ConversionError);
}

TEST(TimeZone, FixedOffsetsAndUtc) {
  const TDateTimeValue wall = Wall(2024, 12, 25, 10, 30, 0, 250);
  EXPECT_EQ(Utc(TTimeZone::Fixed(19800).MomentOf(wall)), "2024-12-25T05:00:00.250Z");
  EXPECT_EQ(Utc(TTimeZone::Fixed(-8 * 3600).MomentOf(wall)), "2024-12-25T18:30:00.250Z");
  EXPECT_EQ(Utc(TTimeZone::Utc().MomentOf(wall)), "2024-12-25T10:30:00.250Z");
  EXPECT_EQ(TTimeZone::Fixed(19800).Name(), "+05:30");
  EXPECT_EQ(TTimeZone::Fixed(-8 * 3600).Name(), "-08:00");
  EXPECT_EQ(TTimeZone::Fixed(-17762).Name(), "-04:56:02");
  EXPECT_TRUE(TTimeZone::Utc().Show(TMoment()).Utc);
  EXPECT_FALSE(TTimeZone::Fixed(0).Show(TMoment()).Utc);
}

TEST(TimeZone, MachineZoneShowsThroughThePlatform) {
  platform::FakePlatform os;
  os.UtcOffset = 3600;
  const TTimeZone machine = TTimeZone::Machine(os);
  const TZonedDateTime shown = machine.Show(TMoment::FromUnixMs(1735122600250));
  EXPECT_EQ(Text(shown.Wall), "2024-12-25T11:30:00.250");
  EXPECT_EQ(shown.Offset.Seconds, 3600);
  // The system's conversion tells the offset only.
  EXPECT_EQ(shown.Offset.Abbreviation, "");
  EXPECT_FALSE(shown.Offset.IsDst);
  EXPECT_FALSE(shown.Utc);
  EXPECT_EQ(Utc(machine.MomentOf(Wall(2024, 12, 25, 11, 30, 0, 250))), "2024-12-25T10:30:00.250Z");
}

TEST(TimeZone, MomentsBeforeTheEpochKeepTheirMilliseconds) {
  const TTimeZone berlin = Zone("Europe/Berlin");
  const TMoment moment = berlin.MomentOf(Wall(1969, 12, 31, 23, 59, 59, 1));
  EXPECT_EQ(moment.UnixMs(), -3600000 - 999);
  EXPECT_EQ(moment.UnixSeconds(), -3601);
  EXPECT_EQ(Text(berlin.WallClockOf(moment)), "1969-12-31T23:59:59.001");
}

}  // namespace
}  // namespace zentrel
