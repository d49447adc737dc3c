// The result printers and the custom-message language of -o.
//
// Every result is written in one of three modes chosen by the run settings: labelled (a
// blank, the label, dots up to column 58 and the value from column 59), custom (the value
// put into the prepared -o message wherever it carries ValueMarker) or quiet (the value
// alone).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "core/run_context.h"

namespace zentrel {

/// Where a prepared custom message takes the value: STX, "Quorvane", STX.
inline constexpr std::string_view kValueMarker = "\x02Quorvane\x02";

/// Writes one result in the current output mode.
void PrintResult(TRunContext& run, std::string_view value, std::string_view label);

/// Renders the moment with the pattern (interval mode on) and writes it like PrintResult.
/// In labelled mode the label part is written before the rendering, so a pattern that
/// fails to render leaves it on the line; the ConversionError propagates.
void PrintDateResult(TRunContext& run, std::string_view format, std::string_view label,
                     TDateTimeValue moment);

/// PrintResult for results that honour Condensed: in custom and quiet mode the text is then
/// followed by one blank instead of a line end.
void WriteCondensableResult(TRunContext& run, std::string_view value, std::string_view label);

/// Prepares the -o message: escape tokens replaced, ValueMarker placed. parameters is the
/// whole command line (a parameter that is exactly "\s" switches value suppression on).
std::string PrepareCustomMessage(std::string_view text,
                                 const std::vector<std::string>& parameters);

}  // namespace zentrel
