#include "sysinfo/script_variables.h"
namespace zentrel {
void WriteScriptVariables(TRunContext&, TRandom&, bool, TDateTimeValue) {}
}
