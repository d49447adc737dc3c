// The script-variable listing: ready-made values for shell and batch scripts.
#pragma once

#include "core/run_context.h"
#include "dates/random.h"

namespace zentrel {

void WriteScriptVariables(TRunContext& run, TRandom& random, bool withSymbols,
                          TDateTimeValue now);

}  // namespace zentrel
