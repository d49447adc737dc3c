#include "core/date_input.h"

#include "core/machine_date_time.h"
#include "core/text.h"

namespace zentrel {

TTypedDateTime ReadTypedDateTime(std::string_view text, TRunContext& run,
                                 TAmbiguousText ambiguous) {
  if (const std::optional<TMachineDateTime> machine = ReadMachineDateTime(text)) {
    return {machine->Wall, machine->Moment};
  }
  return TTypedDateTime::Reading(
      ParseDateTimeArg(text, run.Format, run.CurrentDateTime(), ambiguous));
}

std::string RegionalDatePatternText(const TFormatSettings& settings) {
  std::string pattern = settings.ShortDatePattern;
  for (char& c : pattern) c = LowerAscii(c);
  return pattern;
}

std::string RegionalClockPatternText(const TFormatSettings& settings) {
  return std::string("hh") + settings.TimeSeparator + "nn" + settings.TimeSeparator + "ss";
}

}  // namespace zentrel
