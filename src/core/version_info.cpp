#include "core/version_info.h"

#include "core/run_context.h"

namespace zentrel {

void ReadVersionInfo(TRunContext&, const std::string&, bool, TFileVersionInfoRec& rec) {
  rec.Loaded = true;
}

}  // namespace zentrel
