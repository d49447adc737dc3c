// The step reader of -p, -a and --step on arbitrary text, and the step taken from a few
// dates with the holidays of a fuzzed holidays file: a step or no step, and a move or no
// move, never an exception. A business-day step must land on a business day with exactly the count of business
// days between it and its start.
//
// Input layout: the step text, a line end, then the holidays file (its lines read as ISO
// dates; those that are none are left out).
#include <algorithm>
#include <optional>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/date_time.h"
#include "core/machine_date_time.h"
#include "dates/calendar_steps.h"
#include "dates/holidays_file.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

std::vector<zentrel::TDayNumber> Holidays(std::string_view file) {
  std::vector<zentrel::TDayNumber> days;
  for (const zentrel::THolidayLine& line : zentrel::ReadHolidayLines(file)) {
    try {
      if (auto value = zentrel::ReadMachineDateTime(line.Text); value && !value->Moment) {
        days.push_back(zentrel::TDayNumber::Of(value->Wall));
      }
    } catch (const zentrel::ConversionError&) {
    }
  }
  return days;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  const std::string_view text = input.substr(0, end);

  const std::optional<TStep> read = ReadStep(text);
  if (!read) return 0;
  const TStep step = *read;
  Check(step.Count >= INT32_MIN && step.Count <= INT32_MAX);

  const TBusinessCalendar calendar(
      Holidays(end == std::string_view::npos ? std::string_view() : input.substr(end + 1)));
  for (const TDateTimeValue base :
       {EncodeDate(1, 1, 1), EncodeDate(2024, 12, 25), EncodeDate(2024, 2, 29),
        EncodeDate(9999, 12, 31)}) {
    for (const TDirection direction : {TDirection::Backward, TDirection::Forward}) {
      const std::optional<TDateTimeValue> moved = MoveByStep(base, step, direction, &calendar);
      if (!moved) continue;
      const TDayNumber from = TDayNumber::Of(base), to = TDayNumber::Of(*moved);
      Check(to >= kFirstDay && to <= kLastDay);
      Check(moved->TimeOfDay() == base.TimeOfDay());
      if (step.Unit != TStepUnit::BusinessDays) continue;
      Check(calendar.IsBusinessDay(to));
      const std::int64_t count = SignOf(direction) * step.Count;
      if (count > 0) Check(to > from && calendar.Count(from + 1, to + 1) == count);
      if (count < 0) Check(to < from && calendar.Count(to, from) == -count);
      if (count == 0) {
        // The day itself when it is a business day, else the next (or previous) one.
        Check(calendar.IsBusinessDay(from) ? to == from
                                           : calendar.Count(std::min(from, to),
                                                            std::max(from, to)) <= 1);
      }
    }
  }
  return 0;
}
