#include "dates/holidays.h"

#include "core/conversion_error.h"
#include "core/date_input.h"
#include "core/text.h"
#include "dates/holidays_file.h"

namespace zentrel {

THolidaysRead ReadHolidays(platform::WholeFileReader& files, const std::string& fileName,
                           TRunContext& run) {
  std::string contents;
  const std::optional<std::string> problem =
      fileName.empty() ? std::optional<std::string>("no file named")
                       : files.WholeReadProblem(fileName);
  if (problem || !files.ReadWholeFile(fileName, contents)) {
    return {std::nullopt,
            {"ERROR: Could Not Open Holidays File!",
             " \"" + EscapeForEcho(fileName) + "\": " + problem.value_or("could not be read")}};
  }
  std::vector<TDayNumber> days;
  for (const THolidayLine& line : ReadHolidayLines(contents)) {
    try {
      days.push_back(TDayNumber::Of(ReadDateTimeText(line.Text, run)));
    } catch (const ConversionError&) {
      return {std::nullopt,
              {"ERROR: Invalid Date in Holidays File!",
               " \"" + EscapeForEcho(fileName) + "\" line " + std::to_string(line.Number) +
                   ": \"" + EscapeForEcho(line.Text) + "\" is not a date (" +
                   RegionalDatePatternText(run.Format) + ")"}};
    }
  }
  return {TBusinessCalendar(std::move(days)), {}};
}

}  // namespace zentrel
