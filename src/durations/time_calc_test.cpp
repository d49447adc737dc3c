#include "durations/time_calc.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conversion_error.h"
#include "core/custom_message.h"
#include "core/date_time.h"
#include "core/line_end.h"
#include "core/output.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// One run on a fake platform whose clock reads 12/07/2026 04:15:11.270.
class TimeCalcTest : public ::testing::Test {
 protected:
  TimeCalcTest() { run_.RunSettings.TodayText = "12/07/2026"; }

  std::string Out() {
    run_.Channels.Flush();
    return os_.Out;
  }
  std::string Err() {
    run_.Channels.Flush();
    return os_.Err;
  }
  static std::string Line(std::string_view text) { return std::string(text) + std::string(kLineEnd); }
  /// A labelled line: a blank, the label, dots up to column 58, the value.
  static std::string Labelled(std::string_view label, std::string_view value) {
    std::string dots(label.size() < 57 ? 57 - label.size() : 0, '.');
    return Line(" " + std::string(label) + dots + std::string(value));
  }
  static TDateTimeValue At(int year, int month, int day, int h, int n, int s, int ms) {
    return CombineDateTime(EncodeDate(year, month, day), EncodeTime(h, n, s, ms));
  }
  void Quiet() { run_.RunSettings.ShowLabels = false; }
  void Custom(std::string_view message) {
    run_.RunSettings.ShowLabels = false;
    run_.RunSettings.CustomOutput = true;
    run_.RunSettings.CustomMessage = PrepareCustomMessage(message, {});
  }

  platform::FakePlatform os_;
  TRunContext run_{os_};
};

TEST_F(TimeCalcTest, WriteDurationResultHonoursTheThreeModes) {
  const TDurationRec r = DurationFromMs(4'829'730);
  WriteDurationResult(run_, r, "Label ", "minutes");
  run_.RunSettings.Condensed = true;  // labelled lines always end
  WriteDurationResult(run_, r, "Label ", "seconds");
  EXPECT_EQ(Out(), Labelled("Label ", "80") + Labelled("Label ", "4829"));
}

TEST_F(TimeCalcTest, WriteDurationResultCondensesQuietAndCustomResults) {
  const TDurationRec r = DurationFromMs(4'829'730);
  Quiet();
  run_.RunSettings.Condensed = true;
  WriteDurationResult(run_, r, "ignored", "hours");
  WriteDurationResult(run_, r, "ignored", "minutes");
  run_.RunSettings.Condensed = false;
  WriteDurationResult(run_, r, "ignored", "mseconds");
  EXPECT_EQ(Out(), Line("1 80 4829730"));

  os_.Out.clear();
  Custom("[\\v|\\v]");
  run_.RunSettings.Condensed = true;
  WriteDurationResult(run_, r, "ignored", "hours");
  run_.RunSettings.Condensed = false;
  WriteDurationResult(run_, r, "ignored", "min:sec");
  EXPECT_EQ(Out(), "[1|1] " + Line("[80:29|80:29]"));
}

TEST_F(TimeCalcTest, TimeBetweenLabelsBothMomentsAndIgnoresTheirOrder) {
  const TDateTimeValue a = At(2026, 12, 7, 4, 15, 11, 270);
  const TDateTimeValue b = At(2026, 12, 8, 0, 0, 0, 0);
  ReportTimeBetween(run_, "## hr:min:sec.ms", a, b);
  ReportTimeBetween(run_, "## hr:min:sec.ms", b, a);
  EXPECT_EQ(Out(),
            Labelled("Time Between 12/07/26 04:15:11 and 12/08/26 00:00:00 ", "   19:44:48.730") +
                Labelled("Time Between 12/08/26 00:00:00 and 12/07/26 04:15:11 ", "   19:44:48.730"));
}

TEST_F(TimeCalcTest, TimeBetweenCountsOnlyTheWholeMillisecondsShown) {
  // 0.4 ms more on one side and 0.4 ms less on the other: both show .270, and the
  // duration is what the texts say.
  const double sub = 0.4 / kMsPerDay;
  const TDateTimeValue a = TDateTimeValue::FromSerial(At(2026, 12, 7, 4, 15, 11, 270).Serial() + sub);
  const TDateTimeValue b = TDateTimeValue::FromSerial(At(2026, 12, 7, 4, 15, 12, 270).Serial() - sub);
  Quiet();
  ReportTimeBetween(run_, "mseconds", a, b);
  ReportTimeBetween(run_, "mseconds", a, a);
  EXPECT_EQ(Out(), Line("1000") + Line("0"));
}

TEST_F(TimeCalcTest, ConvertTimeDropsTodaysDateAndWholeMillisecondsOnce) {
  const TDateTimeValue midnight = At(2026, 12, 7, 0, 0, 0, 0);
  ReportConvertTime(run_, "hours", TTimeUnits::Hours, At(2026, 12, 7, 1, 20, 29, 730), midnight);
  ReportConvertTime(run_, "minutes", TTimeUnits::Minutes, At(2026, 12, 7, 1, 20, 0, 0), midnight);
  ReportConvertTime(run_, "mseconds", TTimeUnits::Milliseconds, At(2026, 12, 5, 1, 0, 0, 0),
                    midnight);
  EXPECT_EQ(Out(), Labelled("Convert \"01:20:29.730\" to WHOLE Hours ", "1") +
                       Labelled("Convert \"01:20:00\" to WHOLE Minutes ", "80") +
                       Labelled("Convert \"12/05/2026 01:00:00\" to WHOLE Milliseconds ",
                                "169200000"));
}

TEST_F(TimeCalcTest, ConvertTimeKeepsTheLabelWhenTodayIsUnknown) {
  run_.RunSettings.TodayText.clear();
  ReportConvertTime(run_, "seconds", TTimeUnits::Seconds, At(2026, 12, 7, 0, 0, 5, 0),
                    At(2026, 12, 7, 0, 0, 0, 0));
  EXPECT_EQ(Out(), Labelled("Convert \"12/07/2026 00:00:05\" to WHOLE Seconds ", "5"));
}

TEST_F(TimeCalcTest, TimeOffsetLabelsTheOffsetAndTheBase) {
  const TDateTimeValue base = At(2026, 12, 7, 4, 15, 11, 270);
  ReportTimeOffset(run_, "1:30", TTimeUnits::AutoDetect, '-', "mm/dd/yyyy hh:nn:ss", base);
  ReportTimeOffset(run_, "0.250", TTimeUnits::AutoDetect, '+', "hh:nn:ss.zzz", base);
  ReportTimeOffset(run_, "120", TTimeUnits::Hours, '+', "mm/dd/yyyy hh:nn", base);
  EXPECT_EQ(Out(),
            Labelled("01:30:00 [hr:min:sec] before 12/07/26 04:15:11 ", "12/07/2026 02:45:11") +
                Labelled("00:00:00.250 [hr:min:sec.ms] after 12/07/26 04:15:11 ", "04:15:11.520") +
                Labelled("120:00:00 [hr:min:sec] after 12/07/26 04:15:11 ", "12/12/2026 04:15"));
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(run_.ExitCode, 0);
}

TEST_F(TimeCalcTest, TimeOffsetWorksFromTheWholeMillisecondsOfTheBase) {
  // 0.6 ms past .270, so it shows .271
  const TDateTimeValue base =
      TDateTimeValue::FromSerial(At(2026, 12, 7, 4, 15, 11, 270).Serial() + 0.6 / kMsPerDay);
  Quiet();
  ReportTimeOffset(run_, "0.001", TTimeUnits::Seconds, '+', "hh:nn:ss.zzz", base);
  EXPECT_EQ(Out(), Line("04:15:11.272"));
}

TEST_F(TimeCalcTest, TimeOffsetCrossesDayZeroCorrectly) {
  Quiet();
  ReportTimeOffset(run_, "1:00", TTimeUnits::Hours, '-', "mm/dd/yyyy hh:nn:ss",
                   At(1899, 12, 30, 0, 30, 0, 0));
  ReportTimeOffset(run_, "48:00", TTimeUnits::Hours, '+', "mm/dd/yyyy hh:nn:ss",
                   At(1899, 12, 28, 22, 0, 0, 0));
  ReportTimeOffset(run_, "0:30", TTimeUnits::Hours, '-', "mm/dd/yyyy hh:nn:ss",
                   At(1899, 12, 29, 6, 0, 0, 0));
  EXPECT_EQ(Out(), Line("12/29/1899 23:30:00") + Line("12/30/1899 22:00:00") +
                       Line("12/29/1899 05:30:00"));
}

TEST_F(TimeCalcTest, TimeOffsetClampsReportsAndStillPrints) {
  Quiet();
  ReportTimeOffset(run_, "1000", TTimeUnits::AutoDetect, '-', "mm/dd/yyyy hh:nn:ss",
                   At(2026, 12, 7, 4, 15, 11, 270));
  EXPECT_EQ(Out(), Line("10/26/2026 13:15:11"));
  EXPECT_EQ(Err(),
            Line(" *** Invalid Duration Provided... 1000:00:00.000 [hr:min:sec.ms] ") +
                Line(" *** Max duration allowed........ 999:59:59.999 [hr:min:sec.ms]"));
  EXPECT_EQ(run_.ExitCode, 65);
  EXPECT_EQ(os_.Beeps, 1);
}

TEST_F(TimeCalcTest, TimeOffsetFailsBeforeWritingAnything) {
  EXPECT_THROW(ReportTimeOffset(run_, "1:3a", TTimeUnits::AutoDetect, '-', "mm/dd/yyyy",
                                At(2026, 12, 7, 4, 15, 11, 270)),
               ConversionError);
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(run_.ExitCode, 0);
}

}  // namespace
}  // namespace zentrel
