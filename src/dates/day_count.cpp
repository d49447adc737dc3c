#include "dates/day_count.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/value_format.h"

namespace zentrel {
namespace {

constexpr std::int32_t kDaysPerYear = 365;
constexpr std::int32_t kDaysPerMonth = 30;
constexpr std::int32_t kDaysPerWeek = 7;

struct TConversionMode {
  std::string_view LabelSuffix;  ///< after "Convert " and the count
  std::string_view Pattern;      ///< one "%d" per number, in the order of the mode
  /// The numbers the pattern shows: a run of years, months and days of the year, months
  /// and days of the month, weeks and days of the week, in that order.
  size_t First, Count;
};

// Index 0 is the combined form used for every mode but 1 to 3.
constexpr std::array<TConversionMode, 4> kModes = {{
    {"", "%d year(s), %d month(s), %d day(s); %d month(s), %d day(s); %d week(s), %d day(s)",
     0, 7},
    {" days to ~years, months, days ", "%d year(s), %d month(s), %d day(s)", 0, 3},
    {" days to ~months, days ", "%d month(s), %d day(s)", 3, 2},
    {" days to ~weeks, days", "%d week(s), %d day(s)", 5, 2},
}};

}  // namespace

TLabelledResult DayCountConversion(std::int32_t count, int mode) {
  // C++ division truncates toward zero and its remainder takes the sign of the count, which
  // is the rule for every part here; no divisor is -1, so no quotient can overflow.
  std::int32_t years = count / kDaysPerYear;
  std::int32_t rest = count % kDaysPerYear;
  std::int32_t yearMonths = rest / kDaysPerMonth;
  std::int32_t yearDays = rest % kDaysPerMonth;
  std::int32_t months = count / kDaysPerMonth;
  std::int32_t monthDays = count % kDaysPerMonth;
  std::int32_t weeks = count / kDaysPerWeek;
  std::int32_t weekDays = count % kDaysPerWeek;

  const std::array<std::int64_t, 7> numbers{years, yearMonths, yearDays, months,
                                            monthDays, weeks, weekDays};
  const TConversionMode& form = kModes[mode >= 1 && mode <= 3 ? mode : 0];
  return {FormatIntegers(form.Pattern, std::span(numbers).subspan(form.First, form.Count)),
          "Convert " + std::to_string(count) + std::string(form.LabelSuffix)};
}

}  // namespace zentrel
