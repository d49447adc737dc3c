// Start-up: build the platform, run the program once, exit with its code.
#include <exception>
#include <string>

#include "app/zentrel.h"
#include "core/exit_code.h"
#include "core/text.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  auto os = zentrel::platform::MakeSystemPlatform(argc, argv);
  try {
    zentrel::TZentrel program(*os);
    return program.Run();
  } catch (const std::exception& error) {
    // GCOVR_EXCL_START: no input reaches this, so the coverage figures leave it out.
    // A fault of the program, not of its input. The output of the run was flushed when
    // the program object went; the fault is named after it, and the run fails.
    os->Write(zentrel::platform::TStream::Err,
              std::string("Exception: ") + error.what() + std::string(zentrel::kLineEnd));
    return zentrel::ToInt(zentrel::TExitCode::MissingParameters);
    // GCOVR_EXCL_STOP
  }
}
