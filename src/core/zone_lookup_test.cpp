#include "core/zone_lookup.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"
#include "core/embedded_zones.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

std::string_view Embedded(std::string_view name) {
  for (std::size_t i = 0; i < EmbeddedZoneCount(); ++i) {
    if (EmbeddedZoneAt(i).Name == name) return EmbeddedZoneAt(i).Data;
  }
  return {};
}

TEST(ZoneLookup, ReadsFixedOffsets) {
  const struct {
    const char* Text;
    std::int32_t Offset;
  } cases[] = {{"+05:30", 19800}, {"+0530", 19800}, {"+05", 18000},   {"-08:00", -28800},
               {"-0800", -28800}, {"-00:00", 0},    {"+23:59", 86340}, {"-12:45", -45900}};
  for (const auto& c : cases) {
    const auto offset = ReadFixedOffset(c.Text);
    ASSERT_TRUE(offset) << c.Text;
    EXPECT_EQ(*offset, c.Offset) << c.Text;
  }
  for (const char* text : {"", "+", "+5", "05:30", "+5:30", "+05:3", "+05:300", "+05:30:00",
                           "+0530x", "UTC", "+05-30", " +05:30"}) {
    EXPECT_FALSE(ReadFixedOffset(text)) << text;
  }
  EXPECT_THROW(ReadFixedOffset("+24:00"), ConversionError);
  EXPECT_THROW(ReadFixedOffset("-05:60"), ConversionError);
}

TEST(ZoneLookup, RefusesNamesThatAreNoPathOfTheDatabase) {
  for (const char* name : {"", "/etc/passwd", "..", "../etc/passwd", "Europe/../../etc",
                           "Europe/./Berlin", "Europe//Berlin", "Europe/", "./UTC",
                           "C:\\Windows", "Europe\\Berlin", "Europe/Berlin ", "Zone\n"}) {
    EXPECT_FALSE(IsSafeZoneName(name)) << name;
  }
  EXPECT_FALSE(IsSafeZoneName(std::string(256, 'a')));
  EXPECT_FALSE(IsSafeZoneName(std::string_view("Europe/Berlin\0", 14)));
  for (const char* name : {"UTC", "Europe/Berlin", "America/Argentina/Buenos_Aires",
                           "Etc/GMT+5", "Etc/GMT-14", "America/Port-au-Prince", "..."}) {
    EXPECT_TRUE(IsSafeZoneName(name)) << name;
  }
}

TEST(ZoneLookup, FindsZonesInTheSystemFilesThenTheBuiltInCopy) {
  platform::FakePlatform os;
  // A system file of the name wins; a damaged one gives way to the built-in copy.
  os.ZoneFiles["Europe/Berlin"] = std::string(Embedded("Asia/Tokyo"));
  os.ZoneFiles["Asia/Tokyo"] = "TZif damaged";
  os.ZoneFiles["zone.tab"] = "# tz zone descriptions\n";
  const TMoment winter = TMoment::FromUnixSeconds(1735689600);
  EXPECT_EQ(FindZone("Europe/Berlin", os)->OffsetAt(winter).Seconds, 9 * 3600);
  EXPECT_EQ(FindZone("Asia/Tokyo", os)->OffsetAt(winter).Seconds, 9 * 3600);
  EXPECT_EQ(FindZone("Europe/Paris", os)->OffsetAt(winter).Seconds, 3600);
  EXPECT_EQ(FindZone("Europe/Paris", os)->Name(), "Europe/Paris");
  EXPECT_EQ(FindZone("Europe/Paris", os)->Kind(), TTimeZone::TKind::Named);
  EXPECT_FALSE(FindZone("zone.tab", os));
  EXPECT_FALSE(FindZone("Mars/Olympus_Mons", os));
  EXPECT_FALSE(FindZone("tzdata.zi", os));
  EXPECT_FALSE(FindZone("posix/Europe/Berlin", os));
  EXPECT_FALSE(FindZone("../zoneinfo/UTC", os));
  EXPECT_FALSE(FindZone("europe/berlin", os));
}

TEST(ZoneLookup, UtcAndOffsetsNeedNoData) {
  struct TNoZones : platform::FakePlatform {
    std::optional<std::string> ReadZoneFile(const std::string& name) override {
      ADD_FAILURE() << "read " << name;
      return std::nullopt;
    }
  } os;
  EXPECT_EQ(FindZone("UTC", os)->Kind(), TTimeZone::TKind::Utc);
  EXPECT_EQ(FindZone("+05:30", os)->Kind(), TTimeZone::TKind::Fixed);
  EXPECT_EQ(FindZone("-0800", os)->Name(), "-08:00");
  EXPECT_THROW(FindZone("+25:00", os), ConversionError);
  EXPECT_FALSE(FindZone("/etc/localtime", os));
  EXPECT_FALSE(FindZone("", os));
}

}  // namespace
}  // namespace zentrel
