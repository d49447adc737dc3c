#include "dates/holidays.h"

#include "core/conversion_error.h"
#include "core/date_input.h"
#include "core/text.h"

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
             " \"" + fileName + "\": " + problem.value_or("could not be read")}};
  }
  std::vector<TDayNumber> days;
  std::string_view rest = contents;
  for (int number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    line = TrimBlanks(TrimControls(line));
    if (line.empty() || line.front() == '#') continue;
    try {
      days.push_back(TDayNumber::Of(ReadDateTimeText(line, run)));
    } catch (const ConversionError&) {
      return {std::nullopt,
              {"ERROR: Invalid Date in Holidays File!",
               " \"" + fileName + "\" line " + std::to_string(number) + ": \"" +
                   std::string(line) + "\" is not a date (" +
                   RegionalDatePatternText(run.Format) + ")"}};
    }
  }
  return {TBusinessCalendar(std::move(days)), {}};
}

}  // namespace zentrel
