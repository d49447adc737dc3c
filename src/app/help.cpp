#include "app/help.h"

#include <string>
#include <string_view>

#include "core/banner.h"

namespace zentrel {
namespace {

/// How one line of the help text is written.
enum class TLineKind {
  Header,   ///< dashes as long as the title, the title, dashes again
  Program,  ///< a blank, the program name, then the text
  Text,     ///< the text as it stands
};

struct THelpLine {
  TLineKind Kind;
  std::string_view Text;
  bool EmptyLineAfter = false;
};

constexpr THelpLine kShortForm[] = {
    {TLineKind::Header, "CMD SYNTAX (MINI):"},
    {TLineKind::Program, " [options]", true},
    {TLineKind::Program, " [-d [mm/dd/yy]]"},
    {TLineKind::Program, " [-d [mm/dd/yyyy]]"},
    {TLineKind::Program, " [-d [\"mm/dd/yy hh:nn:ss\"]]"},
    {TLineKind::Program, " [-d [\"mm/dd/yyyy hh:nn:ss.zzz\"]]", true},
    {TLineKind::Program, " [-h|-?] [-v]", true},
};

void WriteLine(TRunContext& run, const THelpLine& line, const std::string& program) {
  switch (line.Kind) {
    case TLineKind::Header: {
      int width = static_cast<int>(line.Text.size());
      WriteDashLine(run, width, false);
      run.Out().WriteLine(line.Text);
      WriteDashLine(run, width, false);
      break;
    }
    case TLineKind::Program:
      run.Out().WriteLine(" " + program + std::string(line.Text));
      break;
    case TLineKind::Text:
      run.Out().WriteLine(line.Text);
      break;
  }
  if (line.EmptyLineAfter) run.Out().EndLine();
}

void ShowShortForm(TRunContext& run, const std::string& program) {
  for (const THelpLine& line : kShortForm) WriteLine(run, line, program);
  run.Out().WriteLine("For more details, please type: " + program + " -?  OR  " + program +
                      " --??");
}

}  // namespace

void ShowHelp(TRunContext& run, TRandom& /*random*/, bool shortForm) {
  const std::string& program = run.VersionInfo.BaseName;
  if (shortForm) {
    ShowShortForm(run, program);
    return;
  }
  ShowBanner(run, run.RunSettings.Verbose, true);
  ShowShortForm(run, program);
}

}  // namespace zentrel
