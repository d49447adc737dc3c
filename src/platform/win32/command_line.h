// The Windows command line split into arguments the way the Windows C runtime splits it
// for main(): the rules every Windows program's users and callers write their quoting for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform {

/// Splits a command line (as GetCommandLineW returns it) into the program name and the
/// arguments, converted to UTF-8; the first element is always the program name.
///
/// The program name ends at the first blank or tab outside double quotes; quotes in it only
/// group and backslashes are plain. In the arguments, blanks and tabs outside quotes
/// separate; a double quote starts or ends a quoted part; inside a quoted part two double
/// quotes give one literal quote; 2n backslashes before a double quote give n backslashes
/// and the quote keeps its meaning, 2n+1 give n backslashes and a literal quote; any other
/// backslash is plain.
std::vector<std::string> SplitCommandLine(std::u16string_view line);

}  // namespace zentrel::platform
