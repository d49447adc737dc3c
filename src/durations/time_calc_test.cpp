#include "durations/time_calc.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conversion_error.h"
#include "core/date_time.h"

namespace zentrel {
namespace {

constexpr TDirection kBack = TDirection::Backward;
constexpr TDirection kOn = TDirection::Forward;

const TFormatSettings kSettings{};

TDateTimeValue At(int year, int month, int day, int h, int n, int s, int ms) {
  return CombineDateTime(EncodeDate(year, month, day), EncodeTime(h, n, s, ms));
}

void ExpectResult(const TLabelledResult& result, std::string_view label, std::string_view value) {
  EXPECT_EQ(result.Label, label);
  EXPECT_EQ(result.Value, value);
}

TEST(TimeBetween, LabelsBothMomentsAndIgnoresTheirOrder) {
  const TDateTimeValue a = At(2026, 12, 7, 4, 15, 11, 270);
  const TDateTimeValue b = At(2026, 12, 8, 0, 0, 0, 0);
  ExpectResult(TimeBetween("## hr:min:sec.ms", a, b, kSettings),
               "Time Between 12/07/26 04:15:11 and 12/08/26 00:00:00 ", "   19:44:48.730");
  ExpectResult(TimeBetween("## hr:min:sec.ms", b, a, kSettings),
               "Time Between 12/08/26 00:00:00 and 12/07/26 04:15:11 ", "   19:44:48.730");
}

TEST(TimeBetween, CountsOnlyTheWholeMillisecondsShown) {
  // 0.4 ms more on one side and 0.4 ms less on the other: both show .270, and the
  // duration is what the texts say.
  const double sub = 0.4 / kMsPerDay;
  const TDateTimeValue a = TDateTimeValue::FromSerial(At(2026, 12, 7, 4, 15, 11, 270).Serial() + sub);
  const TDateTimeValue b = TDateTimeValue::FromSerial(At(2026, 12, 7, 4, 15, 12, 270).Serial() - sub);
  EXPECT_EQ(TimeBetween("mseconds", a, b, kSettings).Value, "1000");
  EXPECT_EQ(TimeBetween("mseconds", a, a, kSettings).Value, "0");
}

TEST(ConvertTime, DropsTodaysDateAndWholeMilliseconds) {
  const TDateTimeValue midnight = At(2026, 12, 7, 0, 0, 0, 0);
  const std::optional<TDateTimeValue> today = midnight;
  auto convert = [&](std::string_view name, TTimeUnits unit, TDateTimeValue a,
                     std::optional<TDateTimeValue> day) {
    return ConvertTime(name, unit, a, midnight, kSettings, day);
  };
  ExpectResult(convert("hours", TTimeUnits::Hours, At(2026, 12, 7, 1, 20, 29, 730), today),
               "Convert \"01:20:29.730\" to WHOLE Hours ", "1");
  ExpectResult(convert("minutes", TTimeUnits::Minutes, At(2026, 12, 7, 1, 20, 0, 0), today),
               "Convert \"01:20:00\" to WHOLE Minutes ", "80");
  ExpectResult(
      convert("mseconds", TTimeUnits::Milliseconds, At(2026, 12, 5, 1, 0, 0, 0), today),
      "Convert \"12/05/2026 01:00:00\" to WHOLE Milliseconds ", "169200000");
  // Today unknown: the label keeps its date and its blanks.
  ExpectResult(convert("seconds", TTimeUnits::Seconds, At(2026, 12, 7, 0, 0, 5, 0), std::nullopt),
               "Convert \"12/07/2026 00:00:05\" to WHOLE Seconds ", "5");
  // Where "." separates the date, a year that ends in zeros keeps them: only the
  // milliseconds of the time are dropped.
  TFormatSettings dotted = kSettings;
  dotted.DateSeparator = '.';
  EXPECT_EQ(ConvertTime("hours", TTimeUnits::Hours, At(1000, 10, 1, 10, 30, 0, 0), midnight,
                        dotted, today)
                .Label,
            "Convert \"10.01.1000 10:30:00\" to WHOLE Hours ");
}

TEST(TimeOffset, LabelsTheOffsetAndMovesFromTheWholeMillisecondsOfTheBase) {
  const TDateTimeValue base = At(2026, 12, 7, 4, 15, 11, 270);
  struct TCase {
    std::string_view Duration;
    TTimeUnits Mode;
    TDirection Sign;
    TDateTimeValue Base;
    std::string_view Label;
    TDateTimeValue Moment;
  } cases[] = {
      {"1:30", TTimeUnits::AutoDetect, kBack, base, "01:30:00 [hr:min:sec] before 12/07/26 04:15:11 ",
       At(2026, 12, 7, 2, 45, 11, 270)},
      {"0.250", TTimeUnits::AutoDetect, kOn, base,
       "00:00:00.250 [hr:min:sec.ms] after 12/07/26 04:15:11 ", At(2026, 12, 7, 4, 15, 11, 520)},
      {"120", TTimeUnits::Hours, kOn, base, "120:00:00 [hr:min:sec] after 12/07/26 04:15:11 ",
       At(2026, 12, 12, 4, 15, 11, 270)},
      // 0.6 ms past .270 is .271.
      {"0.001", TTimeUnits::Seconds, kOn,
       TDateTimeValue::FromSerial(base.Serial() + 0.6 / kMsPerDay),
       "00:00:00.001 [hr:min:sec.ms] after 12/07/26 04:15:11 ", At(2026, 12, 7, 4, 15, 11, 272)},
      // Across day 0, where the raw values do not measure time linearly.
      {"1:00", TTimeUnits::Hours, kBack, At(1899, 12, 30, 0, 30, 0, 0),
       "01:00:00 [hr:min:sec] before 12/30/99 00:30:00 ", At(1899, 12, 29, 23, 30, 0, 0)},
      {"48:00", TTimeUnits::Hours, kOn, At(1899, 12, 28, 22, 0, 0, 0),
       "48:00:00 [hr:min:sec] after 12/28/99 22:00:00 ", At(1899, 12, 30, 22, 0, 0, 0)},
      {"0:30", TTimeUnits::Hours, kBack, At(1899, 12, 29, 6, 0, 0, 0),
       "00:30:00 [hr:min:sec] before 12/29/99 06:00:00 ", At(1899, 12, 29, 5, 30, 0, 0)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Duration));
    const TCheckedDateResult r = TimeOffset(c.Duration, c.Mode, c.Sign, c.Base, kSettings);
    EXPECT_EQ(r.Result.Label, c.Label);
    EXPECT_EQ(r.Result.Moment.Serial(), c.Moment.Serial());
    EXPECT_TRUE(r.Warnings.empty());
    EXPECT_FALSE(r.Failure);
  }
}

TEST(TimeOffset, ClampsWithAWarningAndStillGivesTheMoment) {
  const TCheckedDateResult r =
      TimeOffset("1000", TTimeUnits::AutoDetect, kBack, At(2026, 12, 7, 4, 15, 11, 270), kSettings);
  EXPECT_EQ(r.Result.Moment.Serial(), At(2026, 10, 26, 13, 15, 11, 270).Serial());
  ASSERT_EQ(r.Warnings.size(), 1u);
  EXPECT_EQ(r.Warnings[0].Code, TExitCode::MismatchedParameters);
  EXPECT_EQ(r.Warnings[0].Lines,
            (std::vector<std::string>{
                " *** Invalid Duration Provided... 1000:00:00.000 [hr:min:sec.ms] ",
                " *** Max duration allowed........ 999:59:59.999 [hr:min:sec.ms]"}));
  EXPECT_FALSE(r.Failure);
}

TEST(TimeOffset, AMomentOutsideTheCalendarIsAFailureBesideTheWarnings) {
  const TCheckedDateResult r =
      TimeOffset("1000", TTimeUnits::Hours, kBack, At(1, 1, 2, 0, 0, 0, 0), kSettings);
  EXPECT_EQ(r.Warnings.size(), 1u);
  EXPECT_TRUE(r.Failure);
  EXPECT_THROW(TimeOffset("1:3a", TTimeUnits::AutoDetect, kBack, At(2026, 12, 7, 4, 15, 11, 270),
                          kSettings),
               ConversionError);
}

}  // namespace
}  // namespace zentrel
