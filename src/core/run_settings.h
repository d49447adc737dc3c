// The run-wide output flags and texts: filled by the main run before an action starts,
// read by the result printers and the calculations.
#pragma once

#include <string>

#include "core/custom_message.h"
#include "core/time_units.h"

namespace zentrel {

struct TRunSettings {
  bool ShowLabels = true;     ///< label, dotted leader and value
  bool CustomOutput = false;  ///< the value put into CustomMessage (-o)
  bool Condensed = false;     ///< several duration results on one line (-k with -q)
  bool Verbose = false;
  bool HelpRequested = false;
  TCustomMessage CustomMessage;  ///< prepared by PrepareCustomMessage
  std::string TodayText;      ///< today, "mm/dd/yyyy"
  TTimeUnits DurationUnit = TTimeUnits::AutoDetect;
  TZeroMode ZeroMode = TZeroMode::ZeroThis;
  std::string ExtendedFormat = "## hr:min:sec.ms";
  // Defaults of the timing-file comparison.
  std::string SearchText = "\\--- [#";
  std::string HeadingFormat = "SECTION [#%.2d]";
};

}  // namespace zentrel
