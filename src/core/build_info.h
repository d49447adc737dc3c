// Constants fixed when the program is built.
#pragma once

#include <string_view>

namespace zentrel::build {

extern const std::string_view kBuildDateText;      ///< "yyyy/mm/dd"
extern const std::string_view kBuildDateTimeText;  ///< "yyyy/mm/dd hh:nn:ss"
extern const std::string_view kArchText;           ///< " x64" or " x86"
extern const std::string_view kToolchain;          ///< compiler name and version
extern const std::string_view kFileVersion;
extern const std::string_view kProductName;
extern const std::string_view kFileDescription;
extern const std::string_view kLegalCopyright;
extern const std::string_view kComments;

}  // namespace zentrel::build
