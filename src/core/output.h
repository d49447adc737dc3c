// The result printers.
//
// Every result is written in one of three modes chosen by the run settings: labelled (a
// blank, the label, dots up to column 58 and the value from column 59), custom (the value
// put into each value place of the prepared -o message) or quiet (the value alone).
#pragma once

#include <string>
#include <string_view>

#include "core/date_format.h"
#include "core/date_time.h"
#include "core/result.h"
#include "core/run_context.h"

namespace zentrel {

/// Writes one result in the current output mode.
void PrintResult(TRunContext& run, std::string_view value, std::string_view label);

/// Renders the moment with the pattern (interval mode on) and writes it like PrintResult.
/// In labelled mode the label part is written before the rendering, so a pattern that
/// fails to render leaves it on the line; the ConversionError propagates.
void PrintDateResult(TRunContext& run, const TDatePattern& pattern, std::string_view label,
                     TDateTimeValue moment);
/// The same with a pattern read at this rendering.
void PrintDateResult(TRunContext& run, std::string_view format, std::string_view label,
                     TDateTimeValue moment);

/// One line of a list (--sequence): the value alone, or the -o message holding it in
/// custom mode; a list has no labels.
void PrintListed(TRunContext& run, std::string_view value);
/// PrintResult, but when condensed, in custom and quiet mode, the text is followed by one
/// blank instead of a line end (several results on one line).
void WriteCondensableResult(TRunContext& run, std::string_view value, std::string_view label,
                            bool condensed);

inline void PrintResult(TRunContext& run, const TLabelledResult& result) {
  PrintResult(run, result.Value, result.Label);
}
/// The result's reading with the pattern, or its instant in a zoned form.
void PrintDateResult(TRunContext& run, const TDatePattern& pattern, const TDateResult& result);
inline void WriteCondensableResult(TRunContext& run, const TLabelledResult& result,
                                   bool condensed) {
  WriteCondensableResult(run, result.Value, result.Label, condensed);
}

/// For each warning in turn: the beep, its lines on standard error and its exit code.
void PrintWarnings(TRunContext& run, const std::vector<TWarning>& warnings);
/// The warnings, then the moment like PrintDateResult; a failure is thrown after the
/// warnings.
void PrintDateResult(TRunContext& run, const TDatePattern& pattern,
                     const TCheckedDateResult& result);

/// Every line of the sheet in order (plain text as it is, results as PrintResult and
/// PrintDateResult write them); then its failure, if it has one, is thrown.
void PrintSheet(TRunContext& run, const TSheet& sheet);

}  // namespace zentrel
