// The comparison's tests: fake files, one comparison run on them with the report
// captured, and the entry lines the tests write. For tests only.
#pragma once

#include <string>
#include <vector>

#include "core/channels.h"
#include "perf/timing_compare.h"
#include "platform/fake_file_reader.h"
#include "platform/fake_platform.h"

namespace zentrel {

/// The files of a comparison, and the value of the thresholds variable as the program
/// passes it (empty when unset).
struct TestFiles : platform::FakeFileReader {
  std::string Thresholds;
};


/// One comparison run on fake files.
struct Report {
  std::string Out, Err;
  int ExitCode = 0;
  std::vector<std::string> Lines;  ///< Out split at line ends
};

inline TCompareRequest Request(const std::string& oldName, const std::string& newName) {
  TCompareRequest request;
  request.OldFileName = oldName;
  request.NewFileName = newName;
  request.SearchText = "\\--- [#";
  request.Heading = "%d";
  return request;
}

inline Report Compare(TestFiles& files, const std::string& oldText, const std::string& newText,
                      const std::string& heading = "SECTION [#%.2d]",
                      const std::string& searchText = "\\--- [#",
                      TZeroMode zeroMode = TZeroMode::ZeroThis) {
  files.Files["old.txt"] = oldText;
  files.Files["new.txt"] = newText;
  platform::FakePlatform console;
  TChannels channels(console);
  TCompareRequest request = Request("old.txt", "new.txt");
  request.SearchText = searchText;
  request.Heading = heading;
  request.ZeroMode = zeroMode;
  request.Thresholds = files.Thresholds;
  const TCompareOutcome outcome = CompareTimingFiles(files, channels.Out, channels.Err, request);
  channels.Flush();
  Report report{console.Out, console.Err, ToInt(outcome.Code), {}};
  std::size_t start = 0;
  for (std::size_t end; (end = report.Out.find('\n', start)) != std::string::npos; start = end + 1) {
    report.Lines.push_back(report.Out.substr(start, end - start));
  }
  return report;
}

inline Report Compare(const std::string& oldText, const std::string& newText,
                      const std::string& heading = "SECTION [#%.2d]") {
  TestFiles files;
  return Compare(files, oldText, newText, heading);
}

inline std::string Entry(const std::string& id, const std::string& time, const std::string& name) {
  return "\\--- [#" + id + "]   " + time + "   - " + name + "\n";
}

inline const std::string kTotals = "-----------------------------------";

}  // namespace zentrel
