// What a calculation hands back for printing: a labelled value, a labelled moment still to
// be rendered with the run's pattern, a warning about its input, and a sheet of such lines.
// The calculations build these from values and format settings alone; core/output.h writes
// them and sets the exit codes, so no calculation needs the run as a whole.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/conversion_error.h"
#include "core/date_time.h"
#include "core/exit_code.h"
#include "core/moment.h"

namespace zentrel {

/// A result that is already text.
struct TLabelledResult {
  std::string Value;
  std::string Label;
};

/// A result that is a moment; the printer renders it with the pattern it is given.
struct TDateResult {
  std::string Label;
  TDateTimeValue Moment;
  /// The instant the reading stands for, when the result is one (a moment moved on the
  /// time line): what a form with the zone's offset writes, so a reading the clocks show
  /// twice gets the offset of the instant it is.
  std::optional<TMoment> Instant = std::nullopt;
};

/// A fault in the input that the calculation mended (a value clamped to its limit, say):
/// the lines for standard error, written after a beep, and the exit code the run ends with.
struct TWarning {
  std::vector<std::string> Lines;
  TExitCode Code = TExitCode::Success;
};

/// A moment with the warnings about the input it came from. The warnings go out first, then
/// the moment, or the failure when there is none (the moment left the calendar, say).
struct TCheckedDateResult {
  std::vector<TWarning> Warnings;
  TDateResult Result;
  std::optional<ConversionError> Failure;
};

/// A moment and the pattern it is to be rendered with.
struct TPatternedMoment {
  std::string Pattern;
  TCheckedDateResult Moment;
};

/// One line of a sheet: plain text, a labelled result, or a moment to render.
using TSheetLine = std::variant<std::string, TLabelledResult, TPatternedMoment>;

/// Lines to be written in order; when a calculation failed part way, the lines before it
/// and the failure, to be raised once they are out.
struct TSheet {
  std::vector<TSheetLine> Lines;
  std::optional<ConversionError> Failure;
};

}  // namespace zentrel
