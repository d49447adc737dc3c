// Holidays files: the dates that are no business days, one a line.
//
// The file is UTF-8, with or without a byte-order mark, or UTF-16 with one
// (dates/holidays_file.h). Blank lines and lines that start with "#" are skipped; every
// other line, blanks and controls around it dropped, is a date in any form the command line
// takes. Messages show the file's name and a bad line with control bytes and invalid UTF-8
// escaped.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/run_context.h"
#include "dates/calendar_steps.h"
#include "platform/whole_file_reader.h"

namespace zentrel {

/// A holidays file read: its calendar, or the lines of the error that stops the run.
struct THolidaysRead {
  std::optional<TBusinessCalendar> Calendar;
  std::vector<std::string> Failure;
};

/// The business calendar of the file named, its dates read as the run reads dates. A file
/// that cannot be read, or holds a line that is no date, gives the failure's two lines:
/// what went wrong, and the file (and line) with the reason.
THolidaysRead ReadHolidays(platform::WholeFileReader& files, const std::string& fileName,
                           TRunContext& run);

}  // namespace zentrel
