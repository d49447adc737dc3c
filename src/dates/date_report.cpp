#include "dates/date_report.h"

#include <array>
#include <string>
#include <utility>

#include "core/banner.h"
#include "core/date_format.h"
#include "core/output.h"
#include "core/value_format.h"
#include "dates/date_queries.h"
#include "dates/day_count.h"
#include "durations/duration.h"
#include "durations/time_calc.h"

namespace zentrel {
namespace {

constexpr std::string_view kHeadPattern = "mmmm dd, yyyy";
constexpr std::string_view kNote =
    " NOTE: All Calculations Below are Relative to Selected Date Above...";
constexpr int kDividerWidth = 78;

/// A duration text of random hours (0-98), minutes and seconds (0-58), drawn in that order.
std::string RandomDurationText(TRandom& random) {
  const std::int64_t hours = random.NextInt(99);
  const std::int64_t minutes = random.NextInt(59);
  const std::int64_t seconds = random.NextInt(59);
  return FormatIntegers("%.2d:%.2d:%.2d", std::array{hours, minutes, seconds});
}

}  // namespace

void ShowSelectedDateReport(TRunContext& run, TRandom& random, std::string_view format,
                            std::string_view extendedFormat, TDateTimeValue selected) {
  const TRunSettings& settings = run.RunSettings;

  // Everything random is drawn before the first line is written, and always in this order,
  // so one process id always gives the same sheet.
  const std::string divider(kDividerWidth, '-');
  const std::int32_t exampleDayCount = random.NextInt(9999) + 200;

  const int momentHour = random.NextInt(23);
  const int momentMinute = random.NextInt(59);
  const int momentSecond = random.NextInt(59);
  const int momentMillisecond = random.NextInt(999);

  // Today's sheet compares with a random date around today and computes the time lines
  // from the current moment; any other date is compared with today and is its own base.
  const TDateTimeValue today = run.CurrentDate();
  const TDateTimeValue exampleMoment = CombineDateTime(
      today, EncodeTime(momentHour, momentMinute, momentSecond, momentMillisecond));
  TDateTimeValue otherDate = today;
  TDateTimeValue base = selected;
  if (selected == today) {
    otherDate = today.AddDays(random.NextInt(60) - 30);
    base = run.CurrentDateTime();
  }

  const std::string earlierDuration = RandomDurationText(random);
  const std::string laterDuration = RandomDurationText(random);
  const std::string_view pattern = format.empty() ? kDatePattern : format;

  ShowBanner(run, settings.Verbose, true);
  PrintDateResult(run, kHeadPattern, "Selected Date is ", selected);
  run.Out().WriteLine();
  run.Out().WriteLine(kNote);
  run.Out().WriteLine(divider);

  PrintResult(run, CurrentDayResult(selected, run.Format, settings.TodayText));
  PrintResult(run, LeapYearResult(selected, run.Format));
  PrintResult(run, MonthEndResult(selected, run.Format));
  PrintResult(run, DayOfWeekResult(selected, run.Format));
  PrintResult(run, DayOfYearResult(selected, run.Format));
  PrintResult(run, DaysBetweenResult(otherDate, selected, run.Format));
  PrintDateResult(run, pattern, "Current Date ", selected);
  PrintDateResult(run, pattern, "Next Date ", selected.AddDays(1));
  PrintDateResult(run, pattern, "Previous Date ", selected.AddDays(-1));
  PrintDateResult(run, pattern, "Week Before ", selected.AddDays(-7));
  PrintDateResult(run, pattern, "Week After ", selected.AddDays(7));
  PrintDateResult(run, pattern, DaysPriorAfterResult(31, '-', selected, run.Format));
  PrintDateResult(run, pattern, DaysPriorAfterResult(60, '+', selected, run.Format));
  run.Out().WriteLine(divider);

  // Each offset of up to 100 days is drawn just before its line.
  const double earlierDays = random.NextFraction() * 100;
  WriteCondensableResult(run, TimeBetween(extendedFormat, base, base.AddMs(MsOfDays(-earlierDays)),
                                          run.Format));
  const double laterDays = random.NextFraction() * 100;
  WriteCondensableResult(run, TimeBetween(extendedFormat, base, base.AddMs(MsOfDays(laterDays)),
                                          run.Format));
  PrintDateResult(run, kOffsetResultPattern,
                  TimeOffset(earlierDuration, settings.DurationUnit, '-', base, run.Format));
  PrintDateResult(run, kOffsetResultPattern,
                  TimeOffset(laterDuration, settings.DurationUnit, '+', base, run.Format));
  run.Out().WriteLine(divider);

  for (int mode = 1; mode <= 3; ++mode) PrintResult(run, DayCountConversion(exampleDayCount, mode));
  run.Out().WriteLine(divider);

  for (const auto& [name, unit] : {std::pair{"hours", TTimeUnits::Hours},
                                   std::pair{"minutes", TTimeUnits::Minutes},
                                   std::pair{"seconds", TTimeUnits::Seconds},
                                   std::pair{"mseconds", TTimeUnits::Milliseconds}}) {
    WriteCondensableResult(
        run, ConvertTime(name, unit, exampleMoment, today, run.Format, settings.TodayText));
  }
  run.Out().WriteLine(divider);

  PrintResult(run, RandomNumber(random, 0, run.Format));
  run.Out().WriteLine(divider);
  run.Out().WriteLine();
}

}  // namespace zentrel
