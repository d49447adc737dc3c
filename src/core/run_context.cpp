#include "core/run_context.h"

#include "core/text.h"

namespace zentrel {

TRunContext::TRunContext(platform::Platform& os)
    : Os(os), Format(os.RegionalSettings()), Channels(os) {
  std::string exe = os.ExecutablePath();
  size_t slash = exe.find_last_of("/\\");
  ExecutionPath = QuoteIfSpaced(slash == std::string::npos ? std::string() : exe.substr(0, slash + 1));
}

TDateTimeValue TRunContext::CurrentDateTime() {
  if (!moment_) moment_ = FromLocalTime(Os.Now());
  return *moment_;
}

TDateTimeValue TRunContext::CurrentDate() { return CurrentDateTime().DatePart(); }

void TRunContext::Beep() {
  Channels.Flush();
  Os.Beep();
}

}  // namespace zentrel
