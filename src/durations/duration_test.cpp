#include "durations/duration.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/conversion_error.h"

namespace zentrel {
namespace {

constexpr std::int64_t kDay = 86'400'000;

TEST(DurationFromMs, BreaksTheCountIntoEveryField) {
  TDurationRec r = DurationFromMs(90'061'001);
  EXPECT_EQ(r.TotalMilliseconds(), 90'061'001);
  EXPECT_EQ(r.Days(), 1);
  EXPECT_EQ(r.Hours(), 1);
  EXPECT_EQ(r.Minutes(), 1);
  EXPECT_EQ(r.Seconds(), 1);
  EXPECT_EQ(r.Milliseconds(), 1);
  EXPECT_EQ(r.TotalHours(), 25);
  EXPECT_EQ(r.TotalMinutes(), 1'501);
  EXPECT_EQ(r.TotalSeconds(), 90'061);
  EXPECT_EQ(r.Weeks(), 0);
  EXPECT_EQ(r.Months(), 0);
  EXPECT_EQ(r.Text(), "01:01:01:01.001");
}

TEST(DurationFromMs, CountsWeeksAndThirtyDayMonthsFromTheDays) {
  TDurationRec r = DurationFromMs(65 * kDay + kDay - 1);  // 65 days and almost one more
  EXPECT_EQ(r.Days(), 65);
  EXPECT_EQ(r.Weeks(), 9);
  EXPECT_EQ(r.Months(), 2);
  EXPECT_EQ(r.Hours(), 23);
  EXPECT_EQ(r.Text(), "65:23:59:59.999");
}

TEST(DurationFromMs, TruncatesTowardZeroForNegativeCounts) {
  TDurationRec r = DurationFromMs(-90'061'001);
  EXPECT_EQ(r.Days(), -1);
  EXPECT_EQ(r.Hours(), -1);
  EXPECT_EQ(r.Minutes(), -1);
  EXPECT_EQ(r.Seconds(), -1);
  EXPECT_EQ(r.Milliseconds(), -1);
  EXPECT_EQ(r.TotalHours(), -25);
}

TEST(DurationFromMs, HandlesTheExtremesOfTheCount) {
  for (std::int64_t t : {std::numeric_limits<std::int64_t>::max(),
                         std::numeric_limits<std::int64_t>::min()}) {
    TDurationRec r = DurationFromMs(t);
    EXPECT_EQ(r.Days(), t / kDay);
    EXPECT_LE(r.Text().size(), 255u);
  }
  EXPECT_EQ(DurationFromMs(std::numeric_limits<std::int64_t>::max()).Text(),
            "106751991167:07:12:55.807");
  EXPECT_EQ(DurationFromMs(0).Text(), TDurationRec{}.Text());
}

TEST(MsBetween, IgnoresTheOrderOfItsArguments) {
  const TDateTimeValue a = FromLocalTime({2026, 12, 7, 4, 15, 11, 270});
  const TDateTimeValue b = EncodeDate(2026, 12, 8);
  EXPECT_EQ(MsBetween(a, b), MsBetween(b, a));
  EXPECT_EQ(MsBetween(a, b), 71'088'730);
}

TEST(PadDurationFields, AppendsWithoutAFractionAndPrependsWithOne) {
  EXPECT_EQ(PadDurationFields("1:20", 3), "1:20:00");
  EXPECT_EQ(PadDurationFields("20:29.730", 4), "00:00:20:29.730");
  EXPECT_EQ(PadDurationFields("20:29.730", 3), "00:20:29.730");
  EXPECT_EQ(PadDurationFields("01:20:29", 4), "01:20:29:00");
  EXPECT_EQ(PadDurationFields("", 4), ":00:00:00:00");
  EXPECT_EQ(PadDurationFields("1:2:3:4:5", 4), "1:2:3:4:5");
  EXPECT_EQ(PadDurationFields("12/07/2026 04:15:11.270", 3), "12/07/2026 04:15:11.270");
}

TEST(PadDurationFields, CountsOnlyNonEmptyRuns) {
  // Leading, trailing and doubled separators make no field.
  EXPECT_EQ(PadDurationFields("::5::", 3), "::5:::00:00");
  EXPECT_EQ(PadDurationFields(":::", 2), "::::00:00");
  // A single dot-run is no fraction: "5." and ".5" are padded behind.
  EXPECT_EQ(PadDurationFields("5.", 2), "5.:00");
  EXPECT_EQ(PadDurationFields(".5", 2), ".5:00");
  EXPECT_EQ(PadDurationFields("1.2.3", 2), "00:1.2.3");
}

struct TParseCase {
  std::string_view Text;
  std::int64_t Days, Hours, Minutes, Seconds, Milliseconds;
};

TEST(ParseDuration, ReadsTheFieldsAfterPadding) {
  const TParseCase cases[] = {
      {"01:20:29.730", 0, 1, 20, 29, 730},  // padded to 00:01:20:29.730
      {"01:20:29", 1, 20, 29, 0, 0},        // padded to 01:20:29:00
      {"2:03:04:05.006", 2, 3, 4, 5, 6},
      {"0:00:05.5", 0, 0, 0, 5, 5},      // the digits after the dot are a plain integer
      {"0:00:05.500", 0, 0, 0, 5, 500},
      {"0:00:05.1500", 0, 0, 0, 6, 500},  // 1,500 ms add 1.5 s
      {"00:00:75:00.000", 0, 1, 15, 0, 0},  // no field is limited
      {"0: 1: 2:3", 0, 1, 2, 3, 0},         // leading blanks are skipped
      {"", 0, 0, 0, 0, 0},
      {"5", 5, 0, 0, 0, 0},
      {"0:0:0:-2", 0, 0, 0, -2, 0},
      {"+1:+2: +3:+4.+5", 1, 2, 3, 4, 5},  // a plus sign before the digits
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text));
    for (TZeroMode mode : {TZeroMode::ZeroThis, TZeroMode::ZeroAll}) {
      TDurationRec r = ParseDuration(c.Text, mode);
      std::int64_t expected = c.Days * kDay + c.Hours * 3'600'000 + c.Minutes * 60'000 +
                              c.Seconds * 1'000 + c.Milliseconds;
      EXPECT_EQ(r.TotalMilliseconds(), expected);
      EXPECT_EQ(r.Text(), DurationFromMs(expected).Text());
    }
  }
}

TEST(ParseDuration, ZeroThisDropsOnlyTheBadFieldZeroAllTheWholeDuration) {
  struct TCase {
    std::string_view Text;
    std::int64_t ZeroThisMs;
  };
  const TCase cases[] = {
      {"0:1x:05.000", 5'000},
      {"1x:00:00:05", 5'000},
      {"0:00:01:05.7z", 65'000},
      {"0:00:01:5 ", 60'000},           // a trailing blank is another character
      {"0:00:-1:05", 5'000},            // exactly -1 counts as unreadable
      {"0:00:01:2147483648", 60'000},   // beyond 32 bits
      {"1:3a", 0},                      // 1:3a:00:00: days 1 is kept under ZeroThis
      {"....", 0},
      {"0:00:00:05.+-3", 5'000},
      {"0:00:00:05.-", 5'000},
      {"0:00:+:05", 5'000},  // a sign without digits
      {"0:00:++1:05", 5'000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text));
    if (c.Text != "1:3a") {
      EXPECT_EQ(ParseDuration(c.Text, TZeroMode::ZeroThis).TotalMilliseconds(), c.ZeroThisMs);
    }
    TDurationRec all = ParseDuration(c.Text, TZeroMode::ZeroAll);
    EXPECT_EQ(all.TotalMilliseconds(), 0);
    EXPECT_EQ(all.Text(), "00:00:00:00.000");
  }
  EXPECT_EQ(ParseDuration("1:3a", TZeroMode::ZeroThis).TotalMilliseconds(), kDay);
}

TEST(ParseDuration, ComputesHugeFieldsInSixtyFourBits) {
  const std::int64_t max32 = std::numeric_limits<std::int32_t>::max();
  TDurationRec r = ParseDuration("2147483647:2147483647:2147483647:2147483647.2147483647",
                                 TZeroMode::ZeroAll);
  EXPECT_EQ(r.TotalMilliseconds(),
            max32 * kDay + max32 * 3'600'000 + max32 * 60'000 + max32 * 1'000 + max32);
  EXPECT_EQ(ParseDuration("-2147483648:0:0:0", TZeroMode::ZeroAll).TotalMilliseconds(),
            -2'147'483'648LL * kDay);
  EXPECT_EQ(ParseDuration("99999999999:0:0:0", TZeroMode::ZeroThis).TotalMilliseconds(), 0);
}

TEST(ParseDuration, SurvivesSeparatorsOnlyAndVeryLongTexts) {
  for (TZeroMode mode : {TZeroMode::ZeroThis, TZeroMode::ZeroAll}) {
    EXPECT_EQ(ParseDuration(":::", mode).TotalMilliseconds(), 0);
    EXPECT_EQ(ParseDuration(std::string(10'000, '9'), mode).TotalMilliseconds(), 0);
    EXPECT_EQ(ParseDuration(std::string(10'000, ':'), mode).TotalMilliseconds(), 0);
  }
  std::string manyFields;
  for (int i = 0; i < 3'000; ++i) manyFields += "1:";
  EXPECT_EQ(ParseDuration(manyFields, TZeroMode::ZeroAll).TotalMilliseconds(),
            kDay + 3'600'000 + 60'000 + 1'000);
}

TEST(AddDurations, SumsAndRecomputesEveryField) {
  TDurationRec sum = AddDurations(DurationFromMs(23 * 3'600'000), DurationFromMs(3'600'001));
  EXPECT_EQ(sum.Days(), 1);
  EXPECT_EQ(sum.Hours(), 0);
  EXPECT_EQ(sum.Milliseconds(), 1);
  EXPECT_EQ(sum.Text(), "01:00:00:00.001");
  EXPECT_THROW(AddDurations(DurationFromMs(std::numeric_limits<std::int64_t>::max()),
                            DurationFromMs(1)),
               ConversionError);
}

TEST(DurationDifference, IsTheLargerMinusTheSmallerEitherWay) {
  TDurationRec a = DurationFromMs(5'000), b = DurationFromMs(65'250);
  EXPECT_EQ(DurationDifference(a, b).TotalMilliseconds(), 60'250);
  EXPECT_EQ(DurationDifference(b, a).TotalMilliseconds(), 60'250);
  EXPECT_EQ(DurationDifference(b, a).Text(), "00:00:01:00.250");
  EXPECT_THROW(DurationDifference(DurationFromMs(std::numeric_limits<std::int64_t>::max()),
                                  DurationFromMs(-1)),
               ConversionError);
}

class OffsetTest : public ::testing::Test {
 protected:
  /// The offset; the warnings of every parse are kept in warnings_.
  TOffsetDuration Parse(std::string_view text, TTimeUnits mode) {
    TOffsetParse parse = ParseOffsetDuration(text, mode);
    warnings_.insert(warnings_.end(), parse.Warnings.begin(), parse.Warnings.end());
    return parse.Offset;
  }
  /// Every line of the warnings so far, one after the other.
  std::string WarningLines() const {
    std::string lines;
    for (const TWarning& warning : warnings_) {
      EXPECT_EQ(warning.Code, TExitCode::MismatchedParameters);
      for (const std::string& line : warning.Lines) lines += line + "\n";
    }
    return lines;
  }
  std::vector<TWarning> warnings_;
};

struct TOffsetCase {
  std::string_view Text;
  TTimeUnits Mode;
  std::int32_t Hours, Minutes, Seconds, Milliseconds;
};

std::string Describe(const TOffsetCase& c) {
  return std::string(c.Text) + " / " + std::to_string(static_cast<int>(c.Mode));
}

TEST_F(OffsetTest, AssignsTheFieldsByModeAndFieldCount) {
  using U = TTimeUnits;
  const TOffsetCase cases[] = {
      // n = 0: nothing given, every mode gives zero.
      {"", U::Hours, 0, 0, 0, 0},
      {"...", U::Minutes, 0, 0, 0, 0},
      {":::", U::Seconds, 0, 0, 0, 0},
      {"", U::AutoDetect, 0, 0, 0, 0},
      // n = 1
      {"7", U::Hours, 7, 0, 0, 0},
      {"7.5", U::Hours, 7, 30, 0, 0},
      {"7", U::Minutes, 0, 7, 0, 0},
      {"7.25", U::Minutes, 0, 7, 15, 0},
      {"7", U::Seconds, 0, 0, 7, 0},
      {"7.25", U::Seconds, 0, 0, 7, 250},
      // n = 2
      {"1:2", U::Hours, 1, 2, 0, 0},
      {"1:2.5", U::Hours, 1, 2, 30, 0},
      {"1:2", U::Minutes, 0, 1, 2, 0},
      {"1:2.5", U::Minutes, 0, 1, 2, 500},
      {"1:2", U::Seconds, 0, 1, 2, 0},
      {"1:2.5", U::Seconds, 0, 1, 2, 500},
      // n = 3
      {"1:2:3", U::Hours, 1, 2, 3, 0},
      {"1:2:3.4", U::Hours, 1, 2, 3, 400},
      {"1:2:3", U::Minutes, 0, 1, 2, 0},
      {"1:2:3.4", U::Minutes, 0, 1, 2, 400},
      {"1:2:3", U::Seconds, 1, 2, 3, 0},
      {"1:2:3.4", U::Seconds, 1, 2, 3, 400},
      // n > 3: Hours reads the first three fields, Minutes the first two, Seconds the last three.
      {"1:2:3:4", U::Hours, 1, 2, 3, 0},
      {"1:2:3:4", U::Minutes, 0, 1, 2, 0},
      {"1:2:3:4", U::Seconds, 2, 3, 4, 0},
      {"1:2:3:4:5.6", U::Seconds, 3, 4, 5, 600},
      // AutoDetect: Hours without a fraction, Seconds with one.
      {"90", U::AutoDetect, 90, 0, 0, 0},
      {"1:30", U::AutoDetect, 1, 30, 0, 0},
      {"1:30.5", U::AutoDetect, 0, 1, 30, 500},
      {"1:30.250", U::AutoDetect, 0, 1, 30, 250},
      {"2.5", U::AutoDetect, 0, 0, 2, 500},
      {"2.5", U::Hours, 2, 30, 0, 0},
      {"0.250", U::AutoDetect, 0, 0, 0, 250},
      // Empty runs make no field; a single dot-run is no fraction.
      {"::5", U::Hours, 5, 0, 0, 0},
      {"1::2", U::Hours, 1, 2, 0, 0},
      {".5", U::AutoDetect, 5, 0, 0, 0},
      {"5.", U::AutoDetect, 5, 0, 0, 0},
      {"0007:0008", U::Hours, 7, 8, 0, 0},
  };
  for (const TOffsetCase& c : cases) {
    SCOPED_TRACE(Describe(c));
    TOffsetDuration d = Parse(c.Text, c.Mode);
    EXPECT_EQ(d.Hours, c.Hours);
    EXPECT_EQ(d.Minutes, c.Minutes);
    EXPECT_EQ(d.Seconds, c.Seconds);
    EXPECT_EQ(d.Milliseconds, c.Milliseconds);
  }
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(OffsetTest, TakesTheFirstThreeFractionDigits) {
  using U = TTimeUnits;
  EXPECT_EQ(Parse("1.5", U::Seconds).Milliseconds, 500);
  EXPECT_EQ(Parse("1.25", U::Seconds).Milliseconds, 250);
  EXPECT_EQ(Parse("1.7305", U::Seconds).Milliseconds, 730);
  EXPECT_EQ(Parse("1.007", U::Seconds).Milliseconds, 7);
}

TEST_F(OffsetTest, RoundsSixtiethsOfTheFractionHalfToEven) {
  struct TCase {
    std::string_view Fraction;
    std::int32_t Sixtieths;
  };
  const TCase cases[] = {
      {"5", 30},    {"125", 8},  {"375", 22}, {"625", 38}, {"875", 52},  // exact halves
      {"126", 8},   {"124", 7},  {"991", 59}, {"001", 0},  {"009", 1},
      {"0", 0},     {"1", 6},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Fraction));
    EXPECT_EQ(Parse("1." + std::string(c.Fraction), TTimeUnits::Hours).Minutes, c.Sixtieths);
    EXPECT_EQ(Parse("1." + std::string(c.Fraction), TTimeUnits::Minutes).Seconds, c.Sixtieths);
  }
}

TEST_F(OffsetTest, ClampsEachComponentWithItsOwnPairOfLines) {
  TOffsetDuration d = Parse("1000:75:00", TTimeUnits::Hours);
  EXPECT_EQ(d.Hours, 999);
  EXPECT_EQ(d.Minutes, 59);
  EXPECT_EQ(d.Seconds, 0);
  const std::string invalid = " *** Invalid Duration Provided... 1000:75:00.000 [hr:min:sec.ms] \n";
  const std::string max = " *** Max duration allowed........ 999:59:59.999 [hr:min:sec.ms]\n";
  ASSERT_EQ(warnings_.size(), 2u);
  EXPECT_EQ(WarningLines(), invalid + max + invalid + max);
}

TEST_F(OffsetTest, ChecksSecondsAndKeepsTheLimitsThemselves) {
  TOffsetDuration d = Parse("0:0:60", TTimeUnits::Hours);
  EXPECT_EQ(d.Seconds, 59);
  EXPECT_EQ(warnings_.size(), 1u);
  EXPECT_NE(WarningLines().find("00:00:60.000 [hr:min:sec.ms] \n"), std::string::npos);

  const TOffsetParse top = ParseOffsetDuration("999:59:59.999", TTimeUnits::Hours);
  EXPECT_EQ(top.Offset.TotalMilliseconds(), 999 * 3'600'000LL + 59 * 60'000 + 59 * 1'000 + 999);
  EXPECT_TRUE(top.Warnings.empty());
}

TEST_F(OffsetTest, ClampsTheLargestFieldsWithoutWrappingAround) {
  TOffsetDuration d = Parse("2147483647:2147483647:2147483647", TTimeUnits::Hours);
  EXPECT_EQ(d.Hours, 999);
  EXPECT_EQ(d.Minutes, 59);
  EXPECT_EQ(d.Seconds, 59);
  EXPECT_NE(WarningLines().find("2147483647:2147483647:2147483647.000 [hr:min:sec.ms] "),
            std::string::npos);
  EXPECT_EQ(warnings_.size(), 3u);
}

TEST_F(OffsetTest, RejectsFieldsThatAreNotWholeNumbers) {
  const std::string_view bad[] = {"1:3a", "-1", "+1", "1:30.5x", "1:2:3:x", " 1", "1.2:3",
                                  "2147483648", "1:99999999999999999999"};
  for (std::string_view text : bad) {
    SCOPED_TRACE(std::string(text));
    for (TTimeUnits mode : {TTimeUnits::AutoDetect, TTimeUnits::Hours, TTimeUnits::Minutes,
                            TTimeUnits::Seconds}) {
      EXPECT_THROW(Parse(text, mode), ConversionError);
    }
  }
  EXPECT_THROW(Parse(std::string(10'000, '1'), TTimeUnits::AutoDetect), ConversionError);
  EXPECT_EQ(Parse(std::string(10'000, '0'), TTimeUnits::AutoDetect).Hours, 0);
  EXPECT_TRUE(warnings_.empty());
}

}  // namespace
}  // namespace zentrel
