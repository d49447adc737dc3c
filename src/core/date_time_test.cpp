#include "core/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/date_format.h"
#include "core/text.h"

namespace zentrel {
namespace {

const TFormatSettings kDefaults{};
const TDateTimeValue kNow = FromLocalTime({2026, 12, 7, 4, 15, 11, 270});
constexpr double kMs = 1.0 / 86'400'000;

// An independent calendar: a day-by-day walk with the leap rule written out, no <chrono>.
bool LeapByRule(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int MonthLength(int y, int m) {
  static const int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapByRule(y) ? 29 : kLengths[m - 1];
}
struct TWalk {
  int Y, M, D;
  void Next() {
    if (++D > MonthLength(Y, M)) {
      D = 1;
      if (++M > 12) M = 1, ++Y;
    }
  }
  void Previous() {
    if (--D < 1) {
      if (--M < 1) M = 12, --Y;
      D = MonthLength(Y, M);
    }
  }
};

TEST(Calendar, EveryDayFrom1600To2400MatchesAnIndependentWalk) {
  // Walk back from day 0 (12/30/1899, a Saturday) to 01/01/1600 to find its serial.
  TWalk w{1899, 12, 30};
  std::int64_t serial = 0;
  while (!(w.Y == 1600 && w.M == 1 && w.D == 1)) w.Previous(), --serial;
  const TDateTimeValue time = EncodeTime(13, 45, 30, 123);
  for (; w.Y <= 2400; w.Next(), ++serial) {
    SCOPED_TRACE(std::to_string(w.Y) + "-" + std::to_string(w.M) + "-" + std::to_string(w.D));
    TDateTimeValue date = EncodeDate(w.Y, w.M, w.D);
    ASSERT_EQ(date, static_cast<double>(serial));
    TDateParts d;
    TTimeParts t;
    DecodeDateTime(CombineDateTime(date, time), d, t);
    ASSERT_EQ(d.Year, w.Y);
    ASSERT_EQ(d.Month, w.M);
    ASSERT_EQ(d.Day, w.D);
    ASSERT_EQ(t.Hour, 13);
    ASSERT_EQ(t.Minute, 45);
    ASSERT_EQ(t.Second, 30);
    ASSERT_EQ(t.Millisecond, 123);
    int expectedWeekday = static_cast<int>(((serial % 7 + 7) % 7 + 6) % 7) + 1;
    ASSERT_EQ(DayOfWeek(CombineDateTime(date, 0.75)), expectedWeekday);
  }
}

TEST(Calendar, LeapYearsAndMonthLengthsOverTheWholeRange) {
  for (int y = 1; y <= 9999; ++y) {
    ASSERT_EQ(IsLeapYear(y), LeapByRule(y)) << y;
    for (int m = 1; m <= 12; ++m) ASSERT_EQ(DaysInMonth(y, m), MonthLength(y, m)) << y << m;
  }
  EXPECT_THROW(DaysInMonth(2026, 13), ConversionError);
  EXPECT_THROW(DaysInMonth(2026, 0), ConversionError);
}

TEST(Calendar, KnownDayNumbersAndWeekdays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2026, 12, 7), 46363.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 7)), 2);  // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);      // Monday, proleptic
  EXPECT_EQ(DayOfWeek(EncodeDate(9999, 12, 31)), 6); // Friday
  EXPECT_EQ(DayOfWeek(0), 7);                        // Saturday
}

TEST(Calendar, NonExistentDatesAndTimesAreRejected) {
  EXPECT_THROW(EncodeDate(2027, 2, 29), ConversionError);
  EXPECT_NO_THROW(EncodeDate(2028, 2, 29));
  EXPECT_THROW(EncodeDate(1900, 2, 29), ConversionError);
  EXPECT_THROW(EncodeDate(2026, 13, 1), ConversionError);
  EXPECT_THROW(EncodeDate(2026, 4, 31), ConversionError);
  EXPECT_THROW(EncodeDate(2026, 0, 1), ConversionError);
  EXPECT_THROW(EncodeDate(2026, 1, 0), ConversionError);
  EXPECT_THROW(EncodeDate(0, 12, 31), ConversionError);
  EXPECT_THROW(EncodeDate(10000, 1, 1), ConversionError);
  EXPECT_THROW(EncodeDate(-5, 1, 1), ConversionError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), ConversionError);
  EXPECT_THROW(EncodeTime(10, 60, 0, 0), ConversionError);
  EXPECT_THROW(EncodeTime(10, 0, 60, 0), ConversionError);
  EXPECT_THROW(EncodeTime(10, 0, 0, 1000), ConversionError);
  EXPECT_THROW(EncodeTime(-1, 0, 0, 0), ConversionError);
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(23, 59, 59, 999), 1.0 - kMs);
}

TEST(NegativeValues, DateTruncatesTowardZeroAndTimeIsTheAbsoluteFraction) {
  TDateParts d;
  TTimeParts t;
  DecodeDateTime(-1.25, d, t);
  EXPECT_EQ(d.Year, 1899);
  EXPECT_EQ(d.Month, 12);
  EXPECT_EQ(d.Day, 29);
  EXPECT_EQ(t.Hour, 6);
  DecodeDateTime(-0.5, d, t);  // still day 0
  EXPECT_EQ(d.Day, 30);
  EXPECT_EQ(t.Hour, 12);
  EXPECT_EQ(CombineDateTime(-1, 0.25), -1.25);
  EXPECT_EQ(CombineDateTime(5, 0.25), 5.25);
  EXPECT_EQ(DateOf(-1.25), -1.0);
  EXPECT_EQ(DateOf(46363.99), 46363.0);
}

TEST(IncDays, KeepsTheTimeOfDayAlsoAcrossDayZero) {
  EXPECT_EQ(IncDays(0.25, -1), -1.25);
  EXPECT_EQ(IncDays(-1.25, 1), 0.25);
  EXPECT_EQ(IncDays(-1.25, 2), 1.25);
  EXPECT_EQ(IncDays(2.75, -4), -2.75);
  TDateTimeValue v = EncodeDate(2026, 12, 7) + EncodeTime(10, 30, 0, 0);
  EXPECT_EQ(DecodeDate(IncDays(v, 1)).Day, 8);
  EXPECT_EQ(DecodeTime(IncDays(v, -50000)).Minute, 30);
  TDateTimeValue old = IncDays(v, -700000);  // into the first centuries
  EXPECT_EQ(DecodeTime(old).Hour, 10);
  EXPECT_EQ(DecodeTime(old).Minute, 30);
}

TEST(IncDays, ResultsOutsideTheRangeAreRejected) {
  EXPECT_THROW(IncDays(EncodeDate(9999, 12, 31), 1), ConversionError);
  EXPECT_THROW(IncDays(EncodeDate(1, 1, 1), -1), ConversionError);
  EXPECT_THROW(IncDays(0, std::numeric_limits<std::int64_t>::max()), ConversionError);
  EXPECT_THROW(IncDays(0, std::numeric_limits<std::int64_t>::min()), ConversionError);
}

TEST(Splitting, RoundsToTheNearestMillisecondAndCarriesWholeDays) {
  EXPECT_EQ(DecodeTime(EncodeTime(10, 0, 0, 7) + 0.4 * kMs).Millisecond, 7);
  EXPECT_EQ(DecodeTime(EncodeTime(10, 0, 0, 7) + 0.6 * kMs).Millisecond, 8);
  TDateTimeValue almost = 46363.0 + 1.0 - 0.3 * kMs;  // 23:59:59.9997
  EXPECT_EQ(DecodeDate(almost).Day, 8);
  EXPECT_EQ(DecodeTime(almost).Hour, 0);
  EXPECT_EQ(DateOf(almost), 46364.0);
  TDateTimeValue almostNegative = -2.0 + 0.3 * kMs;  // lies nearest 12/28/1899 00:00
  EXPECT_EQ(DecodeDate(almostNegative).Day, 28);
  EXPECT_EQ(DecodeTime(almostNegative).Hour, 0);
  // At the end of the range the time stays on the last day.
  TTimeParts last = DecodeTime(2958465.0 + 1.0 - 0.3 * kMs);
  EXPECT_EQ(last.Hour, 23);
  EXPECT_EQ(last.Millisecond, 999);
}

TEST(Splitting, HostileValuesThrowInsteadOfOverflowing) {
  const double hostile[] = {std::nan(""),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            1e300,
                            -1e300,
                            2958466.0,
                            -693594.0,
                            9.3e18};
  for (double v : hostile) {
    SCOPED_TRACE(v);
    EXPECT_THROW(DecodeDate(v), ConversionError);
    EXPECT_THROW(DecodeTime(v), ConversionError);
    EXPECT_THROW(DayOfWeek(v), ConversionError);
    EXPECT_THROW(DateOf(v), ConversionError);
    EXPECT_THROW(IncDays(v, 1), ConversionError);
    EXPECT_THROW(CombineDateTime(v, 0.5), ConversionError);
    EXPECT_THROW(CombineDateTime(1, v), ConversionError);
    EXPECT_THROW(FormatDateTimeValue("", v, false, kDefaults), ConversionError);
  }
  EXPECT_NO_THROW(DecodeDate(-693593.999));
  EXPECT_NO_THROW(DecodeDate(2958465.999));
}

TEST(RoundHalfAway, AgreesWithTheLibraryRoundingEverywhereItIsDefined) {
  const double nearHalf = 0.49999999999999994;  // the largest double below 0.5
  for (double v : {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, nearHalf, -nearHalf,
                   86'399'999.5, 4503599627370495.5, 9007199254740993.0, -9.2e18, 9.2e18,
                   0.1 * 86'400'000, 1e-300, -1e-300}) {
    EXPECT_EQ(RoundHalfAway(v), std::llround(v)) << v;
  }
  EXPECT_EQ(RoundHalfAway(1e19), INT64_MAX);
  EXPECT_EQ(RoundHalfAway(-1e19), INT64_MIN);
  EXPECT_EQ(RoundHalfAway(std::numeric_limits<double>::infinity()), INT64_MAX);
  EXPECT_EQ(RoundHalfAway(std::numeric_limits<double>::quiet_NaN()), INT64_MIN);
}

TEST(FromLocalTime, BuildsDateAndTimeAndRejectsAnImpossibleClock) {
  EXPECT_EQ(kNow, EncodeDate(2026, 12, 7) + EncodeTime(4, 15, 11, 270));
  EXPECT_THROW(FromLocalTime({2026, 2, 30, 0, 0, 0, 0}), ConversionError);
  EXPECT_THROW(FromLocalTime({2026, 2, 3, 25, 0, 0, 0}), ConversionError);
}

// ---- the general conversion ----------------------------------------------------------------

TDateTimeValue At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}
TDateTimeValue Clock(int h, int mi, int s = 0, int ms = 0) { return EncodeTime(h, mi, s, ms); }

TEST(StrToDateTime, AcceptedForms) {
  struct {
    const char* Text;
    TDateTimeValue Expected;
  } const cases[] = {
      {"12/07/2026", At(2026, 12, 7)},
      {"12/7/26", At(2026, 12, 7)},
      {" \t12/07/2026 \r\n", At(2026, 12, 7)},
      {"12/25", At(2026, 12, 25)},
      {"25", At(2026, 12, 25)},
      {"02/29/2028", At(2028, 2, 29)},
      {"1/1/76", At(1976, 1, 1)},
      {"1/1/75", At(2075, 1, 1)},
      {"1/1/25", At(2025, 1, 1)},
      {"1/1/00", At(2000, 1, 1)},
      {"1/1/076", At(76, 1, 1)},  // three digits: taken literally
      {"1/1/0001", At(1, 1, 1)},
      {"12/31/9999", At(9999, 12, 31)},
      {"0012/0007/2026", At(2026, 12, 7)},
      {"12/07/2026 10:30", At(2026, 12, 7, 10, 30)},
      {"12/07/2026\t  10:30:15", At(2026, 12, 7, 10, 30, 15)},
      {"12/07/2026 10:30:15.5", At(2026, 12, 7, 10, 30, 15, 5)},  // read as an integer
      {"12/07/2026 10:30:15.123", At(2026, 12, 7, 10, 30, 15, 123)},
      {"12/07/2026 10", At(2026, 12, 7, 10)},
      {"12/07/2026 10:30 pm", At(2026, 12, 7, 22, 30)},
      {"10:30", Clock(10, 30)},
      {"10:30PM", Clock(22, 30)},
      {"10:30:15.250am", Clock(10, 30, 15, 250)},
      {"12:00AM", Clock(0, 0)},
      {"12:00PM", Clock(12, 0)},
      {"1:05Pm", Clock(13, 5)},
      {"007:08", Clock(7, 8)},
      {"23:59:59.999", Clock(23, 59, 59, 999)},
      {"00:00", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(StrToDateTime(c.Text, kDefaults, kNow), c.Expected);
  }
}

TEST(StrToDateTime, RejectedForms) {
  const std::string hugeField = "12/07/" + std::string(100'000, '9');
  const std::string longJunk(100'000, '/');
  const char* const cases[] = {
      "", "   \t", "abc", "12/07/2026/1", "12//2026", "/12/2026", "12/07/", "12-07-2026",
      "12/07/2026x", "65536/1/2026", "1/65536/2026", "1/1/65536", "1234567890/1/2026",
      "99999999999999999999", "02/29/2027", "13/01/2026", "00/01/2026", "1/0/2026",
      "1/1/10000", "1/1/000", "24:00", "10:60", "10:30:60", "10:30.5", "10.5", "10:30:15.1000",
      "13:00PM", "0:30AM", "10:30XM", "10:30AMX", "10:", ":30", "10::30", "100:30",
      "10:30:15:01", "12/07/2026 10:30 PM junk", "12/07/2026 10:30:15.", "10:30:15. ",
      "12/07/2026 10:-1", "\xff\xfe", "12/07/2026 \xc3(", "12/07/2026 10:30\xe2\x80\xaf", "1e300",
      "nan", "-1", "+5",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_THROW(StrToDateTime(text, kDefaults, kNow), ConversionError);
  }
  EXPECT_THROW(StrToDateTime(hugeField, kDefaults, kNow), ConversionError);
  EXPECT_THROW(StrToDateTime(longJunk, kDefaults, kNow), ConversionError);
  EXPECT_THROW(StrToDateTime(std::string(100'000, '1') + ":00", kDefaults, kNow),
               ConversionError);
}

TEST(StrToDateTime, FieldOrderSeparatorsAndAmPmTextsComeFromTheRegionalSettings) {
  TFormatSettings dayFirst;
  dayFirst.ShortDatePattern = "dd/mm/yyyy";
  EXPECT_EQ(StrToDateTime("07/12/2026", dayFirst, kNow), At(2026, 12, 7));
  EXPECT_EQ(StrToDateTime("25/12", dayFirst, kNow), At(2026, 12, 25));
  EXPECT_THROW(StrToDateTime("12/25", dayFirst, kNow), ConversionError);

  TFormatSettings iso;
  iso.ShortDatePattern = "YYYY-MM-DD";
  iso.DateSeparator = '-';
  iso.TimeSeparator = '.';
  iso.DecimalSeparator = ',';
  iso.TimeAMString = "vm";
  iso.TimePMString = "nm";
  EXPECT_EQ(StrToDateTime("2026-12-07 10.30.15,5", iso, kNow), At(2026, 12, 7, 10, 30, 15, 5));
  EXPECT_EQ(StrToDateTime("10.30nm", iso, kNow), Clock(22, 30));
  EXPECT_EQ(StrToDateTime("10.30PM", iso, kNow), Clock(22, 30));  // the literal stays valid
  EXPECT_THROW(StrToDateTime("12/07/2026", iso, kNow), ConversionError);

  TFormatSettings noAmPm;
  noAmPm.TimeAMString.clear();
  noAmPm.TimePMString.clear();
  EXPECT_EQ(StrToDateTime("10:30am", noAmPm, kNow), Clock(10, 30));
}

TEST(StrToDateTime, TwoDigitYearsFollowTheWindowAroundTheCurrentYear) {
  TDateTimeValue y2000 = At(2000, 6, 1);
  EXPECT_EQ(StrToDateTime("1/1/49", kDefaults, y2000), At(2049, 1, 1));
  EXPECT_EQ(StrToDateTime("1/1/50", kDefaults, y2000), At(1950, 1, 1));
  TFormatSettings narrow;
  narrow.TwoDigitYearCenturyWindow = 10;
  EXPECT_EQ(StrToDateTime("1/1/16", narrow, kNow), At(2016, 1, 1));
  EXPECT_EQ(StrToDateTime("1/1/15", narrow, kNow), At(2115, 1, 1));
  // Early current years keep the window arithmetic in range.
  EXPECT_EQ(StrToDateTime("1/1/30", kDefaults, At(20, 3, 1)), At(30, 1, 1));
  EXPECT_EQ(StrToDateTime("1/1/69", kDefaults, At(20, 3, 1)), At(69, 1, 1));
  EXPECT_THROW(StrToDateTime("1/1/71", kDefaults, At(20, 3, 1)), ConversionError);  // year -29
}

// ---- the argument parser -------------------------------------------------------------------

TDateTimeValue Arg(std::string_view text) {
  return ParseDateTimeArg(text, kDefaults, kNow);
}

TEST(ParseDateTimeArg, MillisecondsAreNormalisedToThreeDigits) {
  EXPECT_EQ(Arg("12/07/2026 10:30:15.5"), At(2026, 12, 7, 10, 30, 15, 500));
  EXPECT_EQ(Arg("12/07/2026 10:30:15.05"), At(2026, 12, 7, 10, 30, 15, 50));
  EXPECT_EQ(Arg("12/07/2026 10:30:15.123456"), At(2026, 12, 7, 10, 30, 15, 123));
  EXPECT_EQ(Arg("12/07/2026 10:30:15.1299"), At(2026, 12, 7, 10, 30, 15, 129));
  EXPECT_EQ(Arg("12/07/2026 10:30:15.5.999"), At(2026, 12, 7, 10, 30, 15, 500));
  // An AM/PM suffix after the digits is kept, not cut off or read as milliseconds.
  EXPECT_EQ(Arg("10:30:15.5PM"), At(2026, 12, 7, 22, 30, 15, 500));
  EXPECT_EQ(Arg("12/07/2026 10:30:15.123456 PM"), At(2026, 12, 7, 22, 30, 15, 123));
  EXPECT_THROW(Arg("12/07/2026 10:30:15."), ConversionError);
  EXPECT_THROW(Arg("10:30.5"), ConversionError);
}

TEST(ParseDateTimeArg, ATimeAloneMeansToday) {
  EXPECT_EQ(Arg("10:30"), At(2026, 12, 7, 10, 30));
  EXPECT_EQ(Arg("10:30PM"), At(2026, 12, 7, 22, 30));
  EXPECT_EQ(Arg("00:00"), At(2026, 12, 7));
  EXPECT_EQ(Arg("23:59:59.999"), At(2026, 12, 7, 23, 59, 59, 999));
  // Day 0 named by the user stays day 0.
  EXPECT_EQ(Arg("12/30/1899 10:30"), Clock(10, 30));
  EXPECT_EQ(Arg("12/30/1899"), 0.0);
  // Today comes from now, not from the clock.
  EXPECT_EQ(ParseDateTimeArg("08:00", kDefaults, At(1999, 2, 28, 23)),
            At(1999, 2, 28, 8));
}

TEST(ParseDateTimeArg, DatesAndTheirRejections) {
  EXPECT_EQ(Arg("12/07/2026"), At(2026, 12, 7));
  EXPECT_EQ(Arg("12/7/26"), At(2026, 12, 7));
  EXPECT_EQ(Arg("12/25"), At(2026, 12, 25));
  EXPECT_EQ(Arg("25"), At(2026, 12, 25));
  EXPECT_EQ(Arg("1/1/1600 06:00"), At(1600, 1, 1, 6));
  for (const char* text : {"", "02/29/2027", "13/01/2026", "24:00", "10:60", "junk", "1.5",
                           "1234567890/1/2026", "12/07/2026 25:00"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(Arg(text), ConversionError);
  }
  EXPECT_THROW(Arg(std::string(100'000, '.')), ConversionError);
  EXPECT_THROW(Arg("." + std::string(100'000, '7')), ConversionError);
}

TEST(ParseDateTimeArg, RegionalSeparatorsOrderAndMarks) {
  TFormatSettings dayFirst;
  dayFirst.ShortDatePattern = "dd/mm/yyyy";
  TFormatSettings dotted = dayFirst;  // dates with ".", a decimal comma
  dotted.DateSeparator = '.';
  dotted.DecimalSeparator = ',';
  TFormatSettings sameSeparator = dotted;  // "." for dates and times alike
  sameSeparator.TimeSeparator = '.';
  TFormatSettings dottedAmPm;  // AM/PM texts that hold the decimal mark
  dottedAmPm.TimeAMString = "a.m.";
  dottedAmPm.TimePMString = "p.m.";
  const struct {
    const TFormatSettings& Settings;
    const char* Text;
    TDateTimeValue Expected;
  } cases[] = {
      {dayFirst, "10:30", At(2026, 12, 7, 10, 30)},
      {dayFirst, "07/12/2026", At(2026, 12, 7)},
      {dayFirst, "30/12/1899 10:30", Clock(10, 30)},
      {dotted, "05.03.2024", At(2024, 3, 5)},
      {dotted, "05.03", At(2026, 3, 5)},
      {dotted, "05.03.2024 10:00:00,5", At(2024, 3, 5, 10, 0, 0, 500)},
      {dotted, "05.03.2024 10:00:00.5", At(2024, 3, 5, 10, 0, 0, 500)},
      {dotted, "10:00:00,123456", At(2026, 12, 7, 10, 0, 0, 123)},
      {dotted, "30.12.1899", 0.0},
      {sameSeparator, "5.3.2024", At(2024, 3, 5)},
      {sameSeparator, "5.3.", At(2026, 3, 5)},
      {sameSeparator, "5.3", At(2026, 12, 7, 5, 3)},
      {sameSeparator, "5.3.2024 10.30.15,25", At(2024, 3, 5, 10, 30, 15, 250)},
      {sameSeparator, "5.3. 10.30", At(2026, 3, 5, 10, 30)},
      {sameSeparator, "10.30.15,5", At(2026, 12, 7, 10, 30, 15, 500)},
      {dottedAmPm, "10:30p.m.", At(2026, 12, 7, 22, 30)},
      {dottedAmPm, "10:30:15.5p.m.", At(2026, 12, 7, 22, 30, 15, 500)},
      {dottedAmPm, "10:30:15.5a.M.", At(2026, 12, 7, 10, 30, 15, 500)},
      // A date typed as day 0 keeps it however it is spelt.
      {kDefaults, "12/30/01899 10:30", Clock(10, 30)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TDateTimeValue value = -1;
    EXPECT_NO_THROW(value = ParseDateTimeArg(c.Text, c.Settings, kNow));
    EXPECT_EQ(value, c.Expected);
  }
  // Where the caller expects a clock, three fields are a time.
  EXPECT_EQ(ParseDateTimeArg("1.20.29", sameSeparator, kNow, TAmbiguousText::Time),
            At(2026, 12, 7, 1, 20, 29));
  for (const char* text : {"05.03.2024 10:00,5", "5.3.2024.", "10.30.", "05/03/2024"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseDateTimeArg(text, sameSeparator, kNow), ConversionError);
  }
  EXPECT_THROW(ParseDateTimeArg("10:30:15.5p.m.x", dottedAmPm, kNow), ConversionError);
}

}  // namespace
}  // namespace zentrel
