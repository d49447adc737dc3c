// The one line end of the program's output: CR LF on Windows, LF elsewhere, where CR LF
// would break every shell script. Nothing else writes "\r\n" or "\n" to mean it.
#pragma once

#include <string_view>

namespace zentrel {

#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

}  // namespace zentrel
