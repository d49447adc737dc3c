#include "core/tzif.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/embedded_zones.h"

namespace zentrel {
namespace {

/// The pieces of a TZif file, written out by Bytes(); tests spoil one piece at a time.
struct TTzifFile {
  char Version = '2';
  std::vector<std::int64_t> Times;
  std::vector<std::uint8_t> Indexes;
  struct TType {
    std::int32_t Offset;
    std::uint8_t IsDst, Index;
  };
  std::vector<TType> Types{{-18000, 0, 0}, {-14400, 1, 4}};
  std::string Chars = std::string("EST\0EDT\0", 8);
  std::uint32_t LeapCount = 0;
  std::uint32_t TimeCount = UINT32_MAX, TypeCount = UINT32_MAX;  ///< the true counts if MAX
  std::uint32_t IsStdCount = 0;
  std::string Footer = "\nEST5EDT,M3.2.0,M11.1.0\n";

  static void Put(std::string& out, std::uint64_t value, int size) {
    // Bytes past the eighth of a wider field are the zeros above a 64-bit value.
    for (int i = size - 1; i >= 0; --i) {
      out += i >= 8 ? '\0' : static_cast<char>(value >> (8 * i) & 0xff);
    }
  }
  std::string Block(int timeSize) const {
    std::string out = "TZif";
    out += Version;
    out.append(15, '\0');
    Put(out, 0, 4);
    Put(out, IsStdCount, 4);
    Put(out, LeapCount, 4);
    Put(out, TimeCount == UINT32_MAX ? Times.size() : TimeCount, 4);
    Put(out, TypeCount == UINT32_MAX ? Types.size() : TypeCount, 4);
    Put(out, Chars.size(), 4);
    for (std::int64_t t : Times) Put(out, static_cast<std::uint64_t>(t), timeSize);
    for (std::uint8_t i : Indexes) out += static_cast<char>(i);
    for (const TType& type : Types) {
      Put(out, static_cast<std::uint32_t>(type.Offset), 4);
      out += static_cast<char>(type.IsDst);
      out += static_cast<char>(type.Index);
    }
    out += Chars;
    for (std::uint32_t i = 0; i < LeapCount; ++i) Put(out, 0, timeSize + 4);
    out.append(IsStdCount, '\0');
    return out;
  }
  std::string Bytes() const {
    if (Version == '\0') return Block(4);
    return Block(4) + Block(8) + Footer;
  }
};

/// New York's changes of 2007: EDT from 2007-03-11T07:00Z, EST from 2007-11-04T06:00Z.
TTzifFile NewYork2007() {
  TTzifFile file;
  file.Times = {1173596400, 1194156000};
  file.Indexes = {1, 0};
  return file;
}

TEST(Tzif, ReadsEveryVersion) {
  for (char version : {'\0', '2', '3', '4'}) {
    TTzifFile file = NewYork2007();
    file.Version = version;
    const auto rules = ReadTzif(file.Bytes());
    ASSERT_TRUE(rules) << int{version};
    EXPECT_EQ(rules->TypeAt(1173596399).Abbreviation, "EST");
    EXPECT_EQ(rules->TypeAt(1173596400).Abbreviation, "EDT");
    EXPECT_EQ(rules->TypeAt(1194156000).Offset, -18000);
    // Only a file with a footer knows 2024's summer.
    EXPECT_EQ(rules->TypeAt(1719792000).IsDst, version != '\0') << int{version};
  }
}

TEST(Tzif, TakesThe64BitData) {
  // The 32-bit block says one thing, the 64-bit block another: the latter counts.
  TTzifFile file = NewYork2007();
  std::string bytes = file.Block(4);
  file.Times = {-5000000000};  // before 1901, only 64 bits can hold it
  file.Indexes = {1};
  bytes += file.Block(8) + file.Footer;
  const auto rules = ReadTzif(bytes);
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->TypeAt(-5000000001).Abbreviation, "EST");
  EXPECT_EQ(rules->TypeAt(-5000000000).Abbreviation, "EDT");
  EXPECT_EQ(rules->TransitionsBetween(-6000000000, -5000000000).size(), 1u);
  // The second header must repeat the version of the first.
  file.Version = '3';
  EXPECT_FALSE(ReadTzif(NewYork2007().Block(4) + file.Block(8) + file.Footer));
}

TEST(Tzif, RefusesDamagedFiles) {
  const struct {
    const char* What;
    void (*Spoil)(TTzifFile&);
  } cases[] = {
      {"version 1 as a digit", [](TTzifFile& f) { f.Version = '1'; }},
      {"version 5", [](TTzifFile& f) { f.Version = '5'; }},
      {"type index out of range", [](TTzifFile& f) { f.Indexes[1] = 2; }},
      {"abbreviation beyond the characters", [](TTzifFile& f) { f.Types[1].Index = 8; }},
      {"characters without a final NUL", [](TTzifFile& f) { f.Chars = "EST\0EDT"; }},
      {"no types", [](TTzifFile& f) { f.TypeCount = 0; }},
      {"no types and no transitions",
       [](TTzifFile& f) {
         f.Times.clear();
         f.Indexes.clear();
         f.Types.clear();
       }},
      {"no characters",
       [](TTzifFile& f) {
         f.Chars.clear();
         f.Types = {{0, 0, 0}};
         f.Indexes = {0, 0};
       }},
      {"times out of order", [](TTzifFile& f) { f.Times = {1194156000, 1173596400}; }},
      {"two changes at one moment", [](TTzifFile& f) { f.Times = {1173596400, 1173596400}; }},
      {"leap seconds", [](TTzifFile& f) { f.LeapCount = 1; }},
      {"standard indicators not one per type", [](TTzifFile& f) { f.IsStdCount = 1; }},
      {"daylight flag neither 0 nor 1", [](TTzifFile& f) { f.Types[1].IsDst = 2; }},
      {"offset beyond 26 hours", [](TTzifFile& f) { f.Types[0].Offset = 26 * 3600; }},
      {"the lowest offset", [](TTzifFile& f) { f.Types[0].Offset = INT32_MIN; }},
      {"more transitions than bytes", [](TTzifFile& f) { f.TimeCount = UINT32_MAX - 1; }},
      {"more types than bytes", [](TTzifFile& f) { f.TypeCount = 200; }},
      {"footer without its newlines", [](TTzifFile& f) { f.Footer = "EST5EDT"; }},
      {"footer not closed", [](TTzifFile& f) { f.Footer = "\nEST5EDT"; }},
      {"footer that is no rule", [](TTzifFile& f) { f.Footer = "\nEST5EDT,M13.1.0,M11.1.0\n"; }},
  };
  ASSERT_TRUE(ReadTzif(NewYork2007().Bytes()));
  for (const auto& c : cases) {
    TTzifFile file = NewYork2007();
    c.Spoil(file);
    EXPECT_FALSE(ReadTzif(file.Bytes())) << c.What;
  }
  EXPECT_FALSE(ReadTzif(""));
  EXPECT_FALSE(ReadTzif("TZif"));
  EXPECT_FALSE(ReadTzif("# version 2025b\n"));
}

TEST(Tzif, AnEmptyFooterKeepsTheLastType) {
  TTzifFile file = NewYork2007();
  file.Footer = "\n\n";
  const auto rules = ReadTzif(file.Bytes());
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->TypeAt(1719792000).Abbreviation, "EST");
}

TEST(Tzif, RefusesEveryCutOfARealFile) {
  // Each shorter prefix of a real file ends inside a count, a block or the footer.
  std::string_view berlin;
  for (std::size_t i = 0; i < EmbeddedZoneCount(); ++i) {
    if (EmbeddedZoneAt(i).Name == "Europe/Berlin") berlin = EmbeddedZoneAt(i).Data;
  }
  ASSERT_FALSE(berlin.empty());
  ASSERT_TRUE(ReadTzif(berlin));
  for (std::size_t size = 0; size < berlin.size(); ++size) {
    EXPECT_FALSE(ReadTzif(berlin.substr(0, size))) << size;
  }
}

TEST(Tzif, EveryEmbeddedZoneReads) {
  ASSERT_GT(EmbeddedZoneCount(), 400u);
  for (std::size_t i = 0; i < EmbeddedZoneCount(); ++i) {
    const TEmbeddedZone zone = EmbeddedZoneAt(i);
    EXPECT_TRUE(ReadTzif(zone.Data)) << zone.Name;
    // Sorted in byte order, each name once: the lookup searches by halves.
    if (i > 0) {
      EXPECT_LT(EmbeddedZoneAt(i - 1).Name, zone.Name);
    }
  }
  EXPECT_NE(EmbeddedTzdataVersion(), "unknown");
}

}  // namespace
}  // namespace zentrel
