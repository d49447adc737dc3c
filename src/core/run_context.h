// The state of one run of the program: the platform it talks to, the regional settings,
// the run settings, the output channels, the banner's state and the exit code. One
// TZentrel run owns one; every operation that needs part of it is handed it explicitly.
#pragma once

#include <string>

#include "core/channels.h"
#include "core/date_time.h"
#include "core/run_settings.h"
#include "core/version_info.h"
#include "platform/platform.h"

namespace zentrel {

class TRunContext {
 public:
  explicit TRunContext(platform::Platform& os);
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
  int ExitCode = 0;

  /// Today's date plus the current time of day, to the millisecond.
  TDateTimeValue CurrentDateTime();
  /// Today's date at midnight.
  TDateTimeValue CurrentDate();
  /// The system beep, after what is buffered has been written.
  void Beep();

 private:
  bool coreOutputIsErr_ = false;
};

}  // namespace zentrel
