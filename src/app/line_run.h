// A run over the lines of an input (--lines): the command line read once, the action run
// once per line with the values that hold places ("{}", "{1}") filled from that line.
//
// Each line gets its answer on its own line(s), in order. A line whose values do not
// convert gets an empty line instead, so the output stays aligned with the input, and is
// named on standard error (the first few, then a count); the run then ends with the exit
// code of a value that did not convert, after the last line.
#pragma once

#include <optional>
#include <string>

#include "app/actions.h"

namespace zentrel {

/// The syntax error for --lines with a row that answers once per run (nullptr for the
/// report of the first parameter); nothing for a row that runs per line.
std::optional<std::string> LinesRefusal(const TAction* action);

/// Runs the row once per line of the input --lines names (standard input for none or
/// "-"). Returns FileOpenFailed when the input cannot be read, the first outcome other
/// than Success an action returns (which ends the run), MissingParameters when a line did
/// not convert, else Success. Throws, as an action does, for an --input-format that
/// cannot read.
TExitCode RunLines(const TAction& action, TActionContext& context);

}  // namespace zentrel
