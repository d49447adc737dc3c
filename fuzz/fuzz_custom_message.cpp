// PrepareCustomMessage on a fuzzed -o text, then the result printed through it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/custom_message.h"
#include "core/line_end.h"
#include "core/output.h"
#include "platform/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::string text(reinterpret_cast<const char*>(data), size);
  platform::FakePlatform os;
  std::vector<std::string> params{"-o", text, "\\s"};
  TRunContext run(os);
  run.RunSettings.Mode = TOutputMode::Custom;
  run.RunSettings.CustomMessage = PrepareCustomMessage(text, params);
  PrintResult(run, "12/25/2024", "Selected Date ");
  params.pop_back();
  run.RunSettings.CustomMessage = PrepareCustomMessage(text, params);
  PrintResult(run, "12/25/2024", "Selected Date ");
  run.Channels.Flush();
  // Without a backslash there is no token: every byte comes out as typed, the value after
  // it on the second line only.
  const std::string le(kLineEnd);
  if (text.find('\\') == std::string::npos && os.Out != text + le + text + "12/25/2024" + le) {
    __builtin_trap();
  }
  return 0;
}
