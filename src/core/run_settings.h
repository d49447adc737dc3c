// How a run writes its results: one output mode, and the prepared -o message that the
// custom mode puts each value into. The run plan decides both before an action starts; the
// result printers read them.
#pragma once

#include "core/custom_message.h"

namespace zentrel {

enum class TOutputMode {
  Labelled,  ///< a blank, the label, a dotted leader and the value from column 59
  Quiet,     ///< the value alone (-q)
  Custom,    ///< the value put into each value place of the -o message
};

struct TRunSettings {
  TOutputMode Mode = TOutputMode::Labelled;
  TCustomMessage CustomMessage;  ///< prepared by PrepareCustomMessage, for the custom mode
};

}  // namespace zentrel
