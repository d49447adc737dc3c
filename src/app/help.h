// The help screen: the short form (mini syntax) after a syntax error, and the full form
// with every option, the extended duration formats and worked examples.
#pragma once

#include "core/run_context.h"
#include "dates/random.h"

namespace zentrel {

void ShowHelp(TRunContext& run, TRandom& random, bool shortForm);

}  // namespace zentrel
