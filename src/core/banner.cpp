#include "core/banner.h"

#include <string>
#include <utility>

#include "core/build_info.h"
#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/version_info.h"

namespace zentrel {
namespace {

constexpr std::string_view kExecutionPathLabel = "Execution Path ... ";
constexpr std::string_view kCommandLineLabel = "You entered ...... ";
constexpr std::string_view kSeeSyntaxBelow = "(See Syntax Definition Below)";

/// Reads the digits of text[pos, pos + count) as a number; -1 when any is not a digit.
int ReadDigits(std::string_view text, size_t pos, size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

/// Reads a build text "yyyy/mm/dd" or "yyyy/mm/dd hh:nn:ss". The texts are written by the
/// build in that fixed form, so they are read by position and not through the regional
/// settings, which may use another date order or separator. Throws ConversionError for a
/// text of any other shape.
TDateTimeValue ReadBuildText(std::string_view text) {
  const bool withTime = text.size() == 19;
  int year = ReadDigits(text, 0, 4);
  int month = ReadDigits(text, 5, 2);
  int day = ReadDigits(text, 8, 2);
  bool shaped = (text.size() == 10 || withTime) && text[4] == '/' && text[7] == '/';
  int hour = 0, minute = 0, second = 0;
  if (withTime) {
    shaped = shaped && text[10] == ' ' && text[13] == ':' && text[16] == ':';
    hour = ReadDigits(text, 11, 2);
    minute = ReadDigits(text, 14, 2);
    second = ReadDigits(text, 17, 2);
  }
  if (!shaped || year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) {
    throw ConversionError("Invalid build date: " + std::string(text));
  }
  return CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, 0));
}

}  // namespace

void ShowBanner(TRunContext& run, bool showBuildLine, bool showHeaderLines) {
  TFileVersionInfoRec& info = run.VersionInfo;
  if (!info.Loaded) {
    TVersionInfoRead read = ReadVersionInfo(run.Os, "", true);
    info = std::move(read.Rec);
    if (read.Warning) {
      for (const std::string& line : read.Warning->Lines) run.CoreErrOutput().WriteLine(line);
      run.ExitCode = read.Warning->Code;
    }
  }

  if (run.BannerShown) return;

  // The build texts are rendered only for the lines that show them.
  TTextWriter& err = run.CoreErrOutput();
  if (showHeaderLines) {
    const std::string buildDate = FormatDateTimeValue(
        "dd mmm yyyy", ReadBuildText(build::kBuildDateText), false, run.Format);
    err.WriteLine(info.ShortTitle + std::string(build::kArchText) + " (" + buildDate + ") - " +
                  info.FileDescription);
    err.WriteLine(info.Copyright);
    err.WriteLine(info.Comments);
    err.EndLine();
  }
  if (showBuildLine) {
    const std::string compiled =
        FormatDateTimeValue("dd mmm yyyy @ hh:00:00", ReadBuildText(build::kBuildDateTimeText),
                            false, run.Format);
    err.WriteLine(info.FullTitle + std::string(build::kArchText) + " was compiled on " +
                  compiled + " using " + std::string(build::kToolchain));
    if (showHeaderLines) err.EndLine();
  }
  run.BannerShown = true;
}

// A console program run from scripts must not stall on a key wait, nor beep at a syntax
// error: the screen does neither.
void ShowSyntaxError(TRunContext& run, std::string_view message, std::string_view detail) {
  run.RedirectCoreOutputToErr();
  TTextWriter& err = run.CoreErrOutput();
  err.WriteLine(kSyntaxErrorTitle);
  if (!detail.empty()) err.WriteLine(detail);
  err.EndLine();
  err.WriteLine(std::string(kExecutionPathLabel) + run.ExecutionPath);
  err.WriteLine(std::string(kCommandLineLabel) + run.Os.RawCommandLine());
  err.EndLine();
  err.Write(message);
  if (message.empty() || message.back() != ' ') err.Write(" ");
  err.WriteLine(kSeeSyntaxBelow);
  err.EndLine();
}

void WriteDashLine(TRunContext& run, int count, bool extraLine) {
  TTextWriter& out = run.CoreOutput();
  if (count > 0) out.Write(std::string(static_cast<size_t>(count), '-'));
  if (extraLine) out.EndLine();
  out.EndLine();
}

}  // namespace zentrel
