#include "dates/date_report.h"

#include <array>
#include <string>
#include <utility>

#include "core/conversion_error.h"
#include "core/date_format.h"
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

TSheet SelectedDateReport(const TReportRequest& request, const TFormatSettings& settings,
                          TRandom& random) {
  const TDateTimeValue selected = request.Selected;

  // Everything random is drawn before the first line is made, and always in this order,
  // so one process id always gives the same sheet.
  const std::string divider(kDividerWidth, '-');
  const std::int32_t exampleDayCount = random.NextInt(9999) + 200;

  const int momentHour = random.NextInt(23);
  const int momentMinute = random.NextInt(59);
  const int momentSecond = random.NextInt(59);
  const int momentMillisecond = random.NextInt(999);

  // Today's sheet compares with a random date around today and computes the time lines
  // from the current moment; any other date is compared with today and is its own base.
  const TDateTimeValue today = request.Now.DatePart();
  const TDateTimeValue exampleMoment = CombineDateTime(
      today, EncodeTime(momentHour, momentMinute, momentSecond, momentMillisecond));
  TDateTimeValue otherDate = today;
  TDateTimeValue base = selected;
  if (selected == today) {
    otherDate = today.AddDays(random.NextInt(60) - 30);
    base = request.Now;
  }

  const std::string earlierDuration = RandomDurationText(random);
  const std::string laterDuration = RandomDurationText(random);
  const std::string pattern(request.Format.empty() ? kDatePattern : request.Format);

  TSheet sheet;
  auto& lines = sheet.Lines;
  auto moment = [&](std::string_view linePattern, std::string label, TDateTimeValue value) {
    lines.push_back(
        TPatternedMoment{std::string(linePattern), {{}, {std::move(label), value}, {}}});
  };
  try {
    moment(kHeadPattern, "Selected Date is ", selected);
    lines.emplace_back(std::string());
    lines.emplace_back(std::string(kNote));
    lines.emplace_back(divider);

    lines.emplace_back(CurrentDayResult(selected, settings, today));
    lines.emplace_back(LeapYearResult(selected, settings));
    lines.emplace_back(MonthEndResult(selected, settings));
    lines.emplace_back(DayOfWeekResult(selected, settings));
    lines.emplace_back(DayOfYearResult(selected, settings));
    lines.emplace_back(DaysBetweenResult(otherDate, selected, settings));
    moment(pattern, "Current Date ", selected);
    moment(pattern, "Next Date ", selected.AddDays(1));
    moment(pattern, "Previous Date ", selected.AddDays(-1));
    moment(pattern, "Week Before ", selected.AddDays(-7));
    moment(pattern, "Week After ", selected.AddDays(7));
    for (const auto& [count, direction] : {std::pair{31, TDirection::Backward},
                                           std::pair{60, TDirection::Forward}}) {
      TDateResult result = DaysPriorAfterResult(count, direction, selected, settings);
      moment(pattern, std::move(result.Label), result.Moment);
    }
    lines.emplace_back(divider);

    // Each offset of up to 100 days is drawn just before its line.
    const double earlierDays = random.NextFraction() * 100;
    lines.emplace_back(TimeBetween(request.ExtendedFormat, base,
                                   base.AddMs(MsOfDays(-earlierDays)), settings));
    const double laterDays = random.NextFraction() * 100;
    lines.emplace_back(
        TimeBetween(request.ExtendedFormat, base, base.AddMs(MsOfDays(laterDays)), settings));
    for (const auto& [duration, direction] : {std::pair{&earlierDuration, TDirection::Backward},
                                              std::pair{&laterDuration, TDirection::Forward}}) {
      lines.push_back(TPatternedMoment{
          std::string(kOffsetResultPattern),
          TimeOffset(*duration, request.DurationUnit, direction, base, settings)});
    }
    lines.emplace_back(divider);

    for (int mode = 1; mode <= 3; ++mode) {
      lines.emplace_back(DayCountConversion(exampleDayCount, mode));
    }
    lines.emplace_back(divider);

    for (const auto& [name, unit] : {std::pair{"hours", TTimeUnits::Hours},
                                     std::pair{"minutes", TTimeUnits::Minutes},
                                     std::pair{"seconds", TTimeUnits::Seconds},
                                     std::pair{"mseconds", TTimeUnits::Milliseconds}}) {
      lines.emplace_back(
          ConvertTime(name, unit, exampleMoment, today, settings, today));
    }
    lines.emplace_back(divider);

    lines.emplace_back(RandomNumber(random, 0, settings));
    lines.emplace_back(divider);
    lines.emplace_back(std::string());
  } catch (const ConversionError& failure) {
    sheet.Failure = failure;  // the lines before it still go out
  }
  return sheet;
}

}  // namespace zentrel
