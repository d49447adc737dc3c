// ParseDateTimeArg and the ISO 8601 / Unix-time reader on arbitrary text: a value or a
// ConversionError, nothing else. The first byte picks the regional settings: the defaults,
// day first with "." and a decimal comma, "." for dates and times alike, or AM/PM texts
// that hold the decimal mark. A machine-form value must survive its Unix-time round trip,
// and a zone-less ISO date must render as the date it was read from, in its own form: a
// calendar, week (2024-W52-3, 2024-W52 for its Monday) or ordinal date (2024-360).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/date_time.h"
#include "core/iso_week.h"
#include "core/machine_date_time.h"
#include "core/text.h"

namespace {

zentrel::TFormatSettings Regional(std::uint8_t choice) {
  zentrel::TFormatSettings s;
  switch (choice % 4) {
    case 1:
      s.ShortDatePattern = "d/m/yyyy";
      s.DateSeparator = '.';
      s.DecimalSeparator = ',';
      break;
    case 2:
      s.ShortDatePattern = "d.m.yyyy";
      s.DateSeparator = '.';
      s.TimeSeparator = '.';
      s.DecimalSeparator = ',';
      break;
    case 3:
      s.TimeAMString = "a.m.";
      s.TimePMString = "p.m.";
      break;
    default:
      break;
  }
  return s;
}

/// The date of a zone-less ISO text as the value is written in the text's own form, and
/// the length of that form in the text.
std::string DateInFormOf(std::string_view text, zentrel::TDateTimeValue value,
                         const zentrel::TFormatSettings& settings) {
  using namespace zentrel;
  char date[16];
  if (text.size() > 5 && (text[5] == 'W' || text[5] == 'w')) {
    const TIsoWeekDate week = IsoWeekDateOf(value);
    const bool dayGiven = text.size() > 8 && text[8] == '-';
    if (!dayGiven && week.Weekday != 1) std::abort();  // a week alone is its Monday
    std::snprintf(date, sizeof date, "%04d-%c%02d", week.Year, text[5], week.Week);
    std::string written = date;
    if (dayGiven) written += "-" + std::to_string(week.Weekday);
    return written;
  }
  if (text.size() > 7 && text[7] >= '0' && text[7] <= '9') {
    std::snprintf(date, sizeof date, "%04d-%03d", DecodeDate(value).Year, OrdinalDayOf(value));
    return date;
  }
  return FormatDateTimeValue("yyyy-mm-dd", value, true, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  if (size == 0) return 0;
  const TFormatSettings settings = Regional(data[0]);
  const TDateTimeValue now = FromLocalTime({2026, 12, 7, 4, 15, 11, 270});
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const TAmbiguousText reading = data[0] & 4 ? TAmbiguousText::Time : TAmbiguousText::Date;
  try {
    TDateTimeValue value = ParseDateTimeArg(text, settings, now, reading);
    (void)FormatDateTimeValue("mm/dd/yyyy hh:nn:ss.zzz", value, true, settings);
  } catch (const ConversionError&) {
  }
  try {
    if (const auto machine = ReadMachineDateTime(text)) {
      if (machine->Moment) {
        // A moment the reader accepts lies within a day and a half of the calendar.
        const std::int64_t ms = machine->Moment->UnixMs();
        if (ms < INT64_C(-62135596800000) - INT64_C(86400000) * 2 ||
            ms > INT64_C(253402300800000) + INT64_C(86400000) * 2) {
          std::abort();
        }
      } else {
        const std::int64_t ms = UnixMilliseconds(machine->Wall);
        if (!(FromUnixMilliseconds(ms) == machine->Wall.RoundedToMs())) std::abort();
        const std::string_view trimmed = TrimBlanks(text);
        const std::string date = DateInFormOf(trimmed, machine->Wall, settings);
        if (trimmed.substr(0, date.size()) != date) std::abort();
      }
    }
  } catch (const ConversionError&) {
  }
  return 0;
}
