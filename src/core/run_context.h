// The state of one run of the program: the platform it talks to, the regional settings,
// the run settings, the output channels, the banner's state and the exit code. One
// TZentrel run owns one; every operation that needs part of it is handed it explicitly.
#pragma once

#include <optional>
#include <string>

#include "core/channels.h"
#include "core/date_time.h"
#include "core/exit_code.h"
#include "core/run_settings.h"
#include "core/time_zone.h"
#include "core/version_info.h"
#include "platform/platform.h"

namespace zentrel {

class TRunContext {
 public:
  /// The run of the platform, in the display zone given or else the machine's.
  explicit TRunContext(platform::Platform& os, std::optional<TTimeZone> zone = std::nullopt);
  TRunContext(const TRunContext&) = delete;
  TRunContext& operator=(const TRunContext&) = delete;

  platform::Platform& Os;
  TFormatSettings Format;
  TRunSettings RunSettings;
  TChannels Channels;
  /// Standard output.
  TTextWriter& Out() { return Channels.Out; }
  /// Standard error.
  TTextWriter& Err() { return Channels.Err; }
  /// The core unit's own output channel: standard output until the syntax-error screen
  /// has been shown, standard error from then on.
  TTextWriter& CoreOutput() { return coreOutputIsErr_ ? Channels.Err : Channels.Out; }
  TTextWriter& CoreErrOutput() { return Channels.Err; }
  void RedirectCoreOutputToErr() { coreOutputIsErr_ = true; }

  bool BannerShown = false;
  TFileVersionInfoRec VersionInfo;
  /// Directory of the executable with its trailing separator, quoted when it holds a blank.
  std::string ExecutionPath;
  TExitCode ExitCode = TExitCode::Success;

  /// The display zone: where moments are shown, plain readings taken as moments and the
  /// clock read. The machine's zone unless --zone or --utc name another.
  const TTimeZone Zone;

  /// Today's date plus the current time of day, to the millisecond: the clock is read once,
  /// at the first call of a run, so every part of a run sees the same moment (a report
  /// written across midnight still speaks of one day). Throws ConversionError for a clock
  /// reading that is no valid date.
  TDateTimeValue CurrentDateTime();
  /// Today's date at midnight, of the same moment.
  TDateTimeValue CurrentDate();
  /// The system beep, after what is buffered has been written.
  void Beep();

 private:
  bool coreOutputIsErr_ = false;
  std::optional<TDateTimeValue> moment_;
};

}  // namespace zentrel
