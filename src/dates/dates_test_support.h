// A run with a fake platform whose standard output the tests read back, and the labelled
// line the result printers are expected to write.
#pragma once

#include <string>
#include <string_view>

#include "core/line_end.h"
#include "core/run_context.h"
#include "platform/fake_platform.h"

namespace zentrel::testing {

struct TCapturedRun {
  platform::FakePlatform Os;
  TRunContext Run{Os};

  TCapturedRun() { Run.RunSettings.TodayText = "12/07/2026"; }

  void Quiet() { Run.RunSettings.ShowLabels = false; }

  /// Everything written to standard output since the last call.
  std::string TakeOut() {
    Run.Channels.Flush();
    std::string out;
    out.swap(Os.Out);
    return out;
  }
};

/// A blank, the label, dots up to column 58, the value and the line end.
inline std::string LabelledLine(std::string_view label, std::string_view value) {
  std::string line = " " + std::string(label);
  if (label.size() < 57) line += std::string(57 - label.size(), '.');
  return line + std::string(value) + std::string(kLineEnd);
}

inline std::string QuietLine(std::string_view value) {
  return std::string(value) + std::string(kLineEnd);
}

}  // namespace zentrel::testing
