#include "core/run_context.h"

#include "core/machine_date_time.h"
#include "core/text.h"

namespace zentrel {

TRunContext::TRunContext(platform::Platform& os, bool utc)
    : Os(os), Format(os.RegionalSettings()), Channels(os), Utc(utc) {
  std::string exe = os.ExecutablePath();
  size_t slash = exe.find_last_of("/\\");
  ExecutionPath = QuoteIfSpaced(slash == std::string::npos ? std::string() : exe.substr(0, slash + 1));
}

TDateTimeValue TRunContext::CurrentDateTime() {
  if (!moment_) moment_ = FromLocalTime(Utc ? Os.UtcNow() : Os.Now());
  return *moment_;
}

TDateTimeValue TRunContext::ShownOfUtc(TDateTimeValue utc) {
  if (Utc) return utc;
  const std::int64_t offset =
      Os.LocalOffsetAtUtc(FloorDiv(UnixMilliseconds(utc), kMsPerSecond));
  return utc.AddMs(TMilliseconds{offset * kMsPerSecond});
}

std::int64_t TRunContext::UnixSecondsOf(TDateTimeValue shown) {
  std::int64_t ms = UnixMilliseconds(shown);
  if (!Utc) {
    TDateParts date;
    TTimeParts time;
    DecodeDateTime(shown, date, time);
    ms -= Os.LocalOffsetAtLocal({date.Year, date.Month, date.Day, time.Hour, time.Minute,
                                 time.Second, time.Millisecond}) *
          kMsPerSecond;
  }
  return FloorDiv(ms, kMsPerSecond);
}

TDateTimeValue TRunContext::CurrentDate() { return CurrentDateTime().DatePart(); }

void TRunContext::Beep() {
  Channels.Flush();
  Os.Beep();
}

}  // namespace zentrel
