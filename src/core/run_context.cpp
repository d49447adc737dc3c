#include "core/run_context.h"

#include "core/machine_date_time.h"
#include "core/text.h"

namespace zentrel {

TRunContext::TRunContext(platform::Platform& os, std::optional<TTimeZone> zone)
    : Os(os),
      Format(os.RegionalSettings()),
      Channels(os),
      Zone(zone ? std::move(*zone) : TTimeZone::Machine(os)) {
  std::string exe = os.ExecutablePath();
  size_t slash = exe.find_last_of("/\\");
  ExecutionPath = QuoteIfSpaced(slash == std::string::npos ? std::string() : exe.substr(0, slash + 1));
}

TDateTimeValue TRunContext::CurrentDateTime() {
  if (!moment_) {
    switch (Zone.Kind()) {
      case TTimeZone::TKind::Machine: moment_ = FromLocalTime(Os.Now()); break;
      case TTimeZone::TKind::Utc: moment_ = FromLocalTime(Os.UtcNow()); break;
      default:
        moment_ = Zone.WallClockOf(
            TMoment::FromUnixMs(UnixMilliseconds(FromLocalTime(Os.UtcNow()))));
        break;
    }
  }
  return *moment_;
}

TDateTimeValue TRunContext::CurrentDate() { return CurrentDateTime().DatePart(); }

void TRunContext::Beep() {
  Channels.Flush();
  Os.Beep();
}

}  // namespace zentrel
