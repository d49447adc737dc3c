#include "dates/day_count.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/output.h"

namespace zentrel {
namespace {

constexpr std::int32_t kDaysPerYear = 365;
constexpr std::int32_t kDaysPerMonth = 30;
constexpr std::int32_t kDaysPerWeek = 7;

struct TConversionMode {
  std::string_view LabelSuffix;  ///< after "Convert " and the count
  std::string_view Pattern;      ///< one "%d" per number, in the order of the mode
};

// Index 0 is the combined form used for every mode but 1 to 3.
constexpr std::array<TConversionMode, 4> kModes = {{
    {"", "%d year(s), %d month(s), %d day(s); %d month(s), %d day(s); %d week(s), %d day(s)"},
    {" days to ~years, months, days ", "%d year(s), %d month(s), %d day(s)"},
    {" days to ~months, days ", "%d month(s), %d day(s)"},
    {" days to ~weeks, days", "%d week(s), %d day(s)"},
}};

/// The pattern with each "%d" replaced by the next number in decimal.
std::string FillPattern(std::string_view pattern, std::initializer_list<std::int32_t> numbers) {
  std::string result;
  auto next = numbers.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 2, "%d") == 0 && next != numbers.end()) {
      result += std::to_string(*next++);
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace

void ShowDayCountConversion(TRunContext& run, std::int32_t count, int mode) {
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

  const TConversionMode& form = kModes[mode >= 1 && mode <= 3 ? mode : 0];
  std::string value;
  switch (mode) {
    case 1: value = FillPattern(form.Pattern, {years, yearMonths, yearDays}); break;
    case 2: value = FillPattern(form.Pattern, {months, monthDays}); break;
    case 3: value = FillPattern(form.Pattern, {weeks, weekDays}); break;
    default:
      value = FillPattern(form.Pattern,
                          {years, yearMonths, yearDays, months, monthDays, weeks, weekDays});
      break;
  }
  PrintResult(run, value, "Convert " + std::to_string(count) + std::string(form.LabelSuffix));
}

}  // namespace zentrel
