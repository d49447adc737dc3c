#include "core/posix_tz_rule.h"

#include <gtest/gtest.h>

namespace zentrel {
namespace {

TEST(PosixTzRule, ChangesAtTheRuleDays) {
  // Each rule, a moment (Unix seconds) and the offset then in force.
  const struct {
    const char* Rule;
    std::int64_t At;
    std::int32_t Offset;
    const char* Abbreviation;
  } cases[] = {
      // New York 2024: EDT from 2024-03-10T07:00Z to 2024-11-03T06:00Z (Mm.w.d).
      {"EST5EDT,M3.2.0,M11.1.0", 1710053999, -18000, "EST"},
      {"EST5EDT,M3.2.0,M11.1.0", 1710054000, -14400, "EDT"},
      {"EST5EDT,M3.2.0,M11.1.0", 1730613599, -14400, "EDT"},
      {"EST5EDT,M3.2.0,M11.1.0", 1730613600, -18000, "EST"},
      // 2026: March begins on the Sunday sought, so the second is the 8th.
      {"EST5EDT,M3.2.0,M11.1.0", 1772953199, -18000, "EST"},
      {"EST5EDT,M3.2.0,M11.1.0", 1772953200, -14400, "EDT"},
      // The default rule of a TZ text with daylight time but none of its own.
      {"EST5EDT", 1710054000, -14400, "EDT"},
      // Week 5 is the last: Berlin, 2024-03-31T01:00Z and 2024-10-27T01:00Z.
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1711846799, 3600, "CET"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1711846800, 7200, "CEST"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1729990800, 3600, "CET"},
      // Negative daylight saving: Dublin's winter is GMT, its summer IST standard time.
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 1735689600, 0, "GMT"},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 1719792000, 3600, "IST"},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 1711846799, 0, "GMT"},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 1711846800, 3600, "IST"},
      // 30 minutes, south of the equator, across the new year.
      {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", 1735689600, 39600, "+11"},
      {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", 1719792000, 37800, "+1030"},
      // Julian days without (J) and with (n) the leap day: 2024-03-01 is J60 and day 60.
      {"AAA0BBB,J60/0,J300/0", 1709251199, 0, "AAA"},
      {"AAA0BBB,J60/0,J300/0", 1709251200, 3600, "BBB"},
      {"AAA0BBB,60/0,300/0", 1709251199, 0, "AAA"},
      {"AAA0BBB,60/0,300/0", 1709251200, 3600, "BBB"},
      {"AAA0BBB,59/0,300/0", 1709164800, 3600, "BBB"},  // 2024-02-29
      // Times beyond a day: daylight time all year ("J365/25" ends as the next begins).
      {"EST5EDT4,0/0,J365/25", 1704067200, -14400, "EDT"},
      {"EST5EDT4,0/0,J365/25", 1719792000, -14400, "EDT"},
      {"EST5EDT4,0/0,J365/25", 1735689599, -14400, "EDT"},
      // Negative times: the day before at 23:00 (Greenland's M3.5.0/-1).
      {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 1711846799, -7200, "-02"},
      {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 1711846800, -3600, "-01"},
      // Saturdays, and the last week of November and of December (the month that ends a year).
      {"AAA0BBB,M3.1.6/0,M11.5.0/0", 1709337599, 0, "AAA"},
      {"AAA0BBB,M3.1.6/0,M11.5.0/0", 1709337600, 3600, "BBB"},
      {"AAA0BBB,M3.1.6/0,M11.5.0/0", 1732402799, 3600, "BBB"},
      {"AAA0BBB,M3.1.6/0,M11.5.0/0", 1732402800, 0, "AAA"},
      {"AAA0BBB,M3.1.6/0,M12.5.0/0", 1735426799, 3600, "BBB"},
      {"AAA0BBB,M3.1.6/0,M12.5.0/0", 1735426800, 0, "AAA"},
      {"<+0530>-5:30", 0, 19800, "+0530"},
      {"<-0330>3:30", 0, -12600, "-0330"},
      {"XXX-24:59:59", 0, 89999, "XXX"},
  };
  for (const auto& c : cases) {
    const auto rule = TPosixTzRule::Parse(c.Rule);
    ASSERT_TRUE(rule) << c.Rule;
    const TLocalType& type = rule->TypeAt(c.At);
    EXPECT_EQ(type.Offset, c.Offset) << c.Rule << " at " << c.At;
    EXPECT_EQ(type.Abbreviation, c.Abbreviation) << c.Rule << " at " << c.At;
  }
}

TEST(PosixTzRule, ListsTheChangesBetweenTwoMoments) {
  const auto rule = TPosixTzRule::Parse("EST5EDT,M3.2.0,M11.1.0");
  ASSERT_TRUE(rule);
  const auto changes = rule->TransitionsBetween(1704067200, 1735689599);  // 2024
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].At, 1710054000);
  EXPECT_EQ(changes[0].Before.Offset, -18000);
  EXPECT_EQ(changes[0].After.Offset, -14400);
  EXPECT_EQ(changes[1].At, 1730613600);
  EXPECT_TRUE(rule->TransitionsBetween(1710054001, 1730613599).empty());
  // A change at either end of the stretch is in it.
  EXPECT_EQ(rule->TransitionsBetween(1710054000, 1710054000).size(), 1u);
  EXPECT_EQ(rule->TransitionsBetween(1704067200, 1710054000).size(), 1u);
  // All-year daylight time changes nothing.
  EXPECT_TRUE(TPosixTzRule::Parse("EST5EDT4,0/0,J365/25")
                  ->TransitionsBetween(1704067200, 1767225600)
                  .empty());
  // A change the rule of one year puts into the next: 2023's end of daylight time, 25:00
  // on December 31st, is 2024-01-01T00:00Z.
  const auto late = TPosixTzRule::Parse("AAA0BBB,M3.2.0,J365/25")->TransitionsBetween(
      1704067200, 1704067200 + 86400);
  ASSERT_EQ(late.size(), 1u);
  EXPECT_EQ(late[0].At, 1704067200);
  EXPECT_EQ(late[0].After.Abbreviation, "AAA");
  // The ends of the 64-bit range neither overflow nor loop.
  EXPECT_FALSE(rule->TransitionsBetween(INT64_MIN, INT64_MIN + 10).size() > 2);
  EXPECT_EQ(rule->TypeAt(INT64_MAX).Abbreviation.size(), 3u);
}

TEST(PosixTzRule, RefusesTextsThatAreNoRule) {
  for (const char* text :
       {"", "EST", "ES5", "EST", "5", "EST25", "EST5:60", "EST5EDT,M3.2.0", "EST5EDT,M0.2.0,M11.1.0",
        "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J100", "EST5EDT,366,1",
        "EST5EDT,M3.2.0/168,M11.1.0", "EST5EDT,M3.2.0,M11.1.0x", "<AB>5", "<ABC5", "<A*C>5",
        "EST5EDT,M3.2.0,M11.1.0,M1.1.0", "EST5ED", "EST5:00:000", "EST5:000"}) {
    EXPECT_FALSE(TPosixTzRule::Parse(text)) << text;
  }
}

}  // namespace
}  // namespace zentrel
