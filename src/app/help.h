// The help screen: the short form (mini syntax) after a syntax error, and the full form
// with every option, the extended duration formats and worked examples.
#pragma once

#include "core/run_context.h"
#include "dates/random.h"

namespace zentrel {

enum class THelpForm {
  Short,           ///< the mini syntax of the error screen, without a banner
  Full,            ///< the banner's header and every option, format and example
  FullWithNotes,   ///< the banner with its build line, then the usage notes and exit codes too
};

/// The help screen on the core output channel (standard output, or standard error once the
/// syntax-error screen has been shown); every full form ends with the added options.
void ShowHelp(TRunContext& run, TRandom& random, THelpForm form);

}  // namespace zentrel
