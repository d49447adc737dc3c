#include "core/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/conversion_error.h"
#include "core/date_format.h"

namespace zentrel {
namespace {

const TFormatSettings kDefaults{};
const TDateTimeValue kNow = FromLocalTime({2026, 12, 7, 4, 15, 11, 270});
constexpr double kMs = 1.0 / 86'400'000;
constexpr std::int64_t kDay = kMsPerDay;

TDateTimeValue S(double serial) { return TDateTimeValue::FromSerial(serial); }
std::int64_t Linear(double serial) { return S(serial).SinceCalendarStart().count(); }
double FromLinear(std::int64_t ms) {
  return TDateTimeValue::FromCalendarStart(TMilliseconds{ms}).Serial();
}

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
  const TMilliseconds time = EncodeTime(13, 45, 30, 123);
  for (; w.Y <= 2400; w.Next(), ++serial) {
    SCOPED_TRACE(std::to_string(w.Y) + "-" + std::to_string(w.M) + "-" + std::to_string(w.D));
    TDateTimeValue date = EncodeDate(w.Y, w.M, w.D);
    ASSERT_EQ(date.Serial(), static_cast<double>(serial));
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
    // Day 0 is a Saturday: 7 counted from Sunday, 6 from Monday.
    const int sinceSunday = static_cast<int>(((serial % 7 + 7) % 7 + 6) % 7);
    const TWeekday weekday = CombineDateTime(date, EncodeTime(18, 0, 0, 0)).Weekday();
    ASSERT_EQ(weekday.SundayOneToSeven(), sinceSunday + 1);
    ASSERT_EQ(weekday.IsoMondayOneToSeven(), (sinceSunday + 6) % 7 + 1);
    ASSERT_EQ(weekday.MondayTwoToSundayEight(), (sinceSunday + 6) % 7 + 2);
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
  EXPECT_EQ(EncodeDate(1899, 12, 30).Serial(), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 31).Serial(), 1.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1).Serial(), 2.0);
  EXPECT_EQ(EncodeDate(2026, 12, 7).Serial(), 46363.0);
  EXPECT_EQ(EncodeDate(1, 1, 1).Serial(), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31).Serial(), 2958465.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29).DayNumber(), -1);
  EXPECT_EQ(EncodeDate(2026, 12, 7).Weekday().SundayOneToSeven(), 2);  // Monday
  EXPECT_EQ(EncodeDate(1, 1, 1).Weekday().SundayOneToSeven(), 2);      // Monday, proleptic
  EXPECT_EQ(EncodeDate(9999, 12, 31).Weekday().SundayOneToSeven(), 6); // Friday
  EXPECT_EQ(TDateTimeValue{}.Weekday().SundayOneToSeven(), 7);         // Saturday
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
  EXPECT_EQ(EncodeTime(12, 0, 0, 0).count(), kDay / 2);
  EXPECT_EQ(EncodeTime(23, 59, 59, 999).count(), kDay - 1);
  EXPECT_THROW(CombineDateTime(TDateTimeValue{}, TMilliseconds{kDay}), ConversionError);
  EXPECT_THROW(CombineDateTime(TDateTimeValue{}, TMilliseconds{-1}), ConversionError);
}

TEST(NegativeValues, DateTruncatesTowardZeroAndTimeIsTheAbsoluteFraction) {
  TDateParts d;
  TTimeParts t;
  DecodeDateTime(S(-1.25), d, t);
  EXPECT_EQ(d.Year, 1899);
  EXPECT_EQ(d.Month, 12);
  EXPECT_EQ(d.Day, 29);
  EXPECT_EQ(t.Hour, 6);
  DecodeDateTime(S(-0.5), d, t);  // still day 0
  EXPECT_EQ(d.Day, 30);
  EXPECT_EQ(t.Hour, 12);
  const TMilliseconds six = EncodeTime(6, 0, 0, 0);
  EXPECT_EQ(CombineDateTime(S(-1), six).Serial(), -1.25);
  EXPECT_EQ(CombineDateTime(S(5), six).Serial(), 5.25);
  EXPECT_EQ(S(-1.25).DatePart().Serial(), -1.0);
  EXPECT_EQ(S(-1.25).TimeOfDay(), six);
  EXPECT_EQ(S(46363.99).DatePart().Serial(), 46363.0);
}

TEST(AddDays, KeepsTheTimeOfDayAlsoAcrossDayZero) {
  EXPECT_EQ(S(0.25).AddDays(-1).Serial(), -1.25);
  EXPECT_EQ(S(-1.25).AddDays(1).Serial(), 0.25);
  EXPECT_EQ(S(-1.25).AddDays(2).Serial(), 1.25);
  EXPECT_EQ(S(2.75).AddDays(-4).Serial(), -2.75);
  TDateTimeValue v = CombineDateTime(EncodeDate(2026, 12, 7), EncodeTime(10, 30, 0, 0));
  EXPECT_EQ(DecodeDate(v.AddDays(1)).Day, 8);
  EXPECT_EQ(DecodeTime(v.AddDays(-50000)).Minute, 30);
  TDateTimeValue old = v.AddDays(-700000);  // into the first centuries
  EXPECT_EQ(DecodeTime(old).Hour, 10);
  EXPECT_EQ(DecodeTime(old).Minute, 30);
}

TEST(AddDays, ResultsOutsideTheRangeAreRejected) {
  EXPECT_THROW(EncodeDate(9999, 12, 31).AddDays(1), ConversionError);
  EXPECT_THROW(EncodeDate(1, 1, 1).AddDays(-1), ConversionError);
  EXPECT_THROW(TDateTimeValue{}.AddDays(std::numeric_limits<std::int64_t>::max()), ConversionError);
  EXPECT_THROW(TDateTimeValue{}.AddDays(std::numeric_limits<std::int64_t>::min()), ConversionError);
}

TEST(AddMs, MovesOnTheLinearScaleAcrossDayZero) {
  const struct {
    double From;
    std::int64_t Ms;
    double To;
  } cases[] = {
      {0.25, -kDay / 2, -1.75},     // 12/30/1899 06:00 less 12 h: 12/29/1899 18:00
      {-1.75, kDay / 2, 0.25},
      {-1.25, kDay * 3 / 4, 0.0},   // 12/29/1899 06:00 plus 18 h
      {46363.5, -kDay * 3 / 2, 46362.0},
      {0.0, -1, -1.0 - (kDay - 1.0) / kDay},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.From);
    EXPECT_EQ(S(c.From).AddMs(TMilliseconds{c.Ms}), S(c.To));
  }
  // A fraction of a day becomes whole milliseconds, halves away from zero.
  EXPECT_EQ(MsOfDays(1.0 / 2048).count(), 42'188);
  EXPECT_EQ(MsOfDays(-1.0 / 2048).count(), -42'188);
  EXPECT_THROW(EncodeDate(9999, 12, 31).AddMs(TMilliseconds{kDay}), ConversionError);
  EXPECT_THROW(EncodeDate(1, 1, 1).AddMs(TMilliseconds{-1}), ConversionError);
  EXPECT_THROW(TDateTimeValue{}.AddMs(TMilliseconds{std::numeric_limits<std::int64_t>::max()}),
               ConversionError);
}

TEST(AddMs, WithinTheCalendarStopsAtItsEnds) {
  const TDateTimeValue first = EncodeDate(1, 1, 1);
  const TDateTimeValue last = CombineDateTime(EncodeDate(9999, 12, 31), TMilliseconds{kDay - 1});
  const TDateTimeValue now = kNow;
  EXPECT_EQ(now.AddMsWithinCalendar(TMilliseconds{-kDay * 3'000'000}), first);
  EXPECT_EQ(now.AddMsWithinCalendar(TMilliseconds{kDay * 3'000'000}), last);
  EXPECT_EQ(now.AddMsWithinCalendar(TMilliseconds{std::numeric_limits<std::int64_t>::min()}),
            first);
  EXPECT_EQ(now.AddMsWithinCalendar(TMilliseconds{std::numeric_limits<std::int64_t>::max()}),
            last);
  EXPECT_EQ(now.AddMsWithinCalendar(TMilliseconds{kDay}), now.AddDays(1));
}

TEST(LinearScale, RoundsHalfAMillisecondAwayFromZero) {
  // 1/2048 of a day is exactly 42,187.5 ms.
  const double half = 1.0 / 2048;
  EXPECT_EQ(Linear(half) - Linear(0), 42'188);
  EXPECT_EQ(Linear(1 + half) - Linear(1), 42'188);
  EXPECT_EQ(Linear(-1.0 - half) - Linear(-1.0), 42'188);
  EXPECT_EQ(Linear(0.5) - Linear(0), kDay / 2);
  EXPECT_EQ(Linear(0), 693'594 * kDay);
}

TEST(LinearScale, CountsOnOneScaleOnBothSidesOfDayZero) {
  // Before day 0 the integer part is the date and the fraction the time of that day:
  // -1.25 is 12/29/1899 06:00 and -0.25 is 12/30/1899 06:00, like 0.25.
  EXPECT_EQ(Linear(-1.25) - Linear(-1.0), kDay / 4);
  EXPECT_EQ(Linear(0) - Linear(-1.25), kDay * 3 / 4);
  EXPECT_EQ(Linear(0.25) - Linear(-1.75), kDay / 2);
  EXPECT_EQ(Linear(1.5) - Linear(-2.5), 3 * kDay);
  EXPECT_EQ(Linear(-0.25), Linear(0.25));
  EXPECT_EQ(Linear(0) - Linear(-693'593.0), 693'593 * kDay);  // from 01/01/0001
}

TEST(LinearScale, RejectsValuesThatHoldNoMomentAndInvertsOnBothSidesOfDayZero) {
  EXPECT_THROW(Linear(std::numeric_limits<double>::infinity()), ConversionError);
  EXPECT_THROW(Linear(std::numeric_limits<double>::quiet_NaN()), ConversionError);
  EXPECT_THROW(Linear(1e300), ConversionError);
  EXPECT_THROW(Linear(-1e300), ConversionError);
  for (double value : {0.0, 0.25, -1.25, -2.5, 46'363.5, -693'593.0, 2'958'465.75}) {
    EXPECT_EQ(FromLinear(Linear(value)), value) << value;
  }
  EXPECT_EQ(FromLinear(kDay), -693'593.0);  // 01/01/0001 00:00
  EXPECT_THROW(FromLinear(kDay - 1), ConversionError);
  EXPECT_THROW(FromLinear(Linear(2'958'466.0 - 1.0 / kDay) + 1), ConversionError);
  EXPECT_THROW(FromLinear(std::numeric_limits<std::int64_t>::max()), ConversionError);
  EXPECT_THROW(FromLinear(std::numeric_limits<std::int64_t>::min()), ConversionError);
}

TEST(Splitting, RoundsToTheNearestMillisecondAndCarriesWholeDays) {
  EXPECT_EQ(DecodeTime(S((36'000'007 + 0.4) * kMs)).Millisecond, 7);
  EXPECT_EQ(DecodeTime(S((36'000'007 + 0.6) * kMs)).Millisecond, 8);
  TDateTimeValue almost = S(46363.0 + 1.0 - 0.3 * kMs);  // 23:59:59.9997
  EXPECT_EQ(DecodeDate(almost).Day, 8);
  EXPECT_EQ(DecodeTime(almost).Hour, 0);
  EXPECT_EQ(almost.DatePart().Serial(), 46364.0);
  EXPECT_EQ(almost.TimeOfDay().count(), 0);
  TDateTimeValue almostNegative = S(-2.0 + 0.3 * kMs);  // lies nearest 12/28/1899 00:00
  EXPECT_EQ(DecodeDate(almostNegative).Day, 28);
  EXPECT_EQ(DecodeTime(almostNegative).Hour, 0);
  // At the end of the range the time stays on the last day.
  TTimeParts last = DecodeTime(S(2958465.0 + 1.0 - 0.3 * kMs));
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
    EXPECT_THROW(DecodeDate(S(v)), ConversionError);
    EXPECT_THROW(DecodeTime(S(v)), ConversionError);
    EXPECT_THROW(S(v).Weekday(), ConversionError);
    EXPECT_THROW(S(v).DatePart(), ConversionError);
    EXPECT_THROW(S(v).AddDays(1), ConversionError);
    EXPECT_THROW(S(v).AddMs(TMilliseconds{0}), ConversionError);
    EXPECT_THROW(CombineDateTime(S(v), TMilliseconds{kDay / 2}), ConversionError);
    EXPECT_THROW(FormatDateTimeValue("", S(v), false, kDefaults), ConversionError);
  }
  EXPECT_NO_THROW(DecodeDate(S(-693593.999)));
  EXPECT_NO_THROW(DecodeDate(S(2958465.999)));
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
  EXPECT_EQ(kNow, CombineDateTime(EncodeDate(2026, 12, 7), EncodeTime(4, 15, 11, 270)));
  EXPECT_THROW(FromLocalTime({2026, 2, 30, 0, 0, 0, 0}), ConversionError);
  EXPECT_THROW(FromLocalTime({2026, 2, 3, 25, 0, 0, 0}), ConversionError);
}

// ---- the general conversion ----------------------------------------------------------------

TDateTimeValue At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}
TDateTimeValue Clock(int h, int mi, int s = 0, int ms = 0) {
  return CombineDateTime(TDateTimeValue{}, EncodeTime(h, mi, s, ms));
}

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
      {"00:00", TDateTimeValue{}},
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

TEST(StrToDateTime, AmPmAsEachLocaleWritesIt) {
  auto with = [](const char* am, const char* pm) {
    TFormatSettings s;
    s.TimeAMString = am;
    s.TimePMString = pm;
    return s;
  };
  const TFormatSettings korean = with("\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84");
  const TFormatSettings turkish = with("\xC3\x96\xC3\x96", "\xC3\x96S");  // ÖÖ, ÖS
  const TFormatSettings mexican = with("a.\xE2\x80\xAFm.", "p.\xE2\x80\xAFm.");  // narrow nbsp
  const struct {
    const TFormatSettings* Settings;
    const char* Text;
    TDateTimeValue Value;
  } accepted[] = {
      {&korean, "\xEC\x98\xA4\xED\x9B\x84 2:05", Clock(14, 5)},       // before the time
      {&korean, "\xEC\x98\xA4\xED\x9B\x84""2:05", Clock(14, 5)},      // without a blank
      {&korean, "03/05/2024 \xEC\x98\xA4\xEC\xA0\x84 12:30", At(2024, 3, 5, 0, 30)},
      {&korean, "PM 2:05", Clock(14, 5)},
      {&turkish, "2:05 \xC3\xB6s", Clock(14, 5)},                      // folded: ös is ÖS
      {&turkish, "03/05/2024 2:05 \xC3\x96S", At(2024, 3, 5, 14, 5)},
      {&mexican, "2:05 p. m.", Clock(14, 5)},                             // a plain blank
      {&mexican, "2:05 p.m.", Clock(14, 5)},                              // none
      {&mexican, "2:05 P.\xC2\xA0M.", Clock(14, 5)},                     // a no-break one
      {&mexican, "11:59:30.250 a. m.", Clock(11, 59, 30, 250)},
      {&kDefaults, "3:05 PM", Clock(15, 5)},
      {&kDefaults, "3:05pm", Clock(15, 5)},
      {&kDefaults, "12/25/2024 3:05 PM", At(2024, 12, 25, 15, 5)},
      {&kDefaults, "am 9:15", Clock(9, 15)},
      // Marks of writing direction around the separators, as right-to-left locales write.
      {&kDefaults, "3\xE2\x80\x8F/5\xE2\x80\x8F/2024", At(2024, 3, 5)},
  };
  for (const auto& c : accepted) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(StrToDateTime(c.Text, *c.Settings, kNow), c.Value);
    EXPECT_EQ(ParseDateTimeArg(c.Text, *c.Settings, kNow).RoundedToMs(),
              (c.Value.DayNumber() == 0 ? CombineDateTime(kNow, c.Value.TimeOfDay()) : c.Value));
  }
  for (const char* text : {"PM", "PM 2:05 PM", "2:05 XM", "PMx 2:05", "2:05 pmx", "03/05/2024 PM",
                           "13:05 PM", "0:05 AM"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(StrToDateTime(text, korean, kNow), ConversionError);
  }
}

TEST(StrToDateTime, DateSeparatorsThatHoldABlank) {
  // The locale's separator ("." and a blank) is not the one character the settings keep
  // ("/" stays); its dates are read all the same, with or without the blanks.
  TFormatSettings hungarian;
  hungarian.ShortDatePattern = "yyyy. mm. dd.";
  TFormatSettings czech;
  czech.ShortDatePattern = "d. m. yyyy";
  TFormatSettings korean = hungarian;
  korean.ShortDatePattern = "yyyy. m. d.";
  const struct {
    const TFormatSettings* Settings;
    const char* Text;
    TDateTimeValue Value;
  } accepted[] = {
      {&hungarian, "2024. 03. 05.", At(2024, 3, 5)},
      {&hungarian, "2024.03.05.", At(2024, 3, 5)},
      {&hungarian, "2024. 03. 05", At(2024, 3, 5)},
      {&hungarian, "2024. 03. 05. 14:05", At(2024, 3, 5, 14, 5)},
      {&hungarian, "2024/03/05", At(2024, 3, 5)},  // the "/" as before
      {&korean, "2024. 3. 5. PM 2:05", At(2024, 3, 5, 14, 5)},
      {&czech, "5. 3. 2024", At(2024, 3, 5)},
      {&czech, "5. 3. 2024 14:05:30.5", At(2024, 3, 5, 14, 5, 30, 5)},
      {&czech, "14:05:30.5", Clock(14, 5, 30, 5)},  // a time alone is untouched
  };
  for (const auto& c : accepted) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(StrToDateTime(c.Text, *c.Settings, kNow), c.Value);
  }
  // fr_CA writes the time "10 h 30"; "h" quoted as the Windows backend quotes a literal.
  TFormatSettings canadian;
  canadian.ShortTimePattern = "hh\" h \"nn";
  EXPECT_EQ(StrToDateTime("10 h 30", canadian, kNow), Clock(10, 30));
  EXPECT_EQ(StrToDateTime("12/07/2026 10 h 30", canadian, kNow), At(2026, 12, 7, 10, 30));
  EXPECT_EQ(StrToDateTime("10:30", canadian, kNow), Clock(10, 30));
  EXPECT_THROW(StrToDateTime("10 h", canadian, kNow), ConversionError);
  for (const char* text : {"2024. 03.", "2024. 03. 05. junk", "2024.. 03. 05."}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(StrToDateTime(text, hungarian, kNow), ConversionError);
  }
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
  EXPECT_EQ(Arg("12/30/1899"), TDateTimeValue{});
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
      {dotted, "30.12.1899", TDateTimeValue{}},
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
    TDateTimeValue value = S(-1);
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
  // Only runs of digits between single separators make the date form: anything else is
  // read, and refused, as a time.
  for (const char* text : {"1.x2.2026", "1..02.2026", "1.02..2026", ".1.02.2026", "1.2x.",
                           "1..2.", "1.02.2026 10.30x"}) {
    SCOPED_TRACE(text);
    try {
      ParseDateTimeArg(text, sameSeparator, kNow);
      ADD_FAILURE() << "read";
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), "Invalid time");
    }
  }
  EXPECT_THROW(ParseDateTimeArg("10:30:15.5p.m.x", dottedAmPm, kNow), ConversionError);
}

}  // namespace
}  // namespace zentrel
