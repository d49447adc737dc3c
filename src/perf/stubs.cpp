// Placeholder body until the comparison lands.
#include "perf/timing_compare.h"

namespace zentrel {

void CompareTimingFiles(TRunContext&, const std::string&, const std::string&, const std::string&,
                        const std::string&) {}

}  // namespace zentrel
