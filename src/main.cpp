// Start-up: build the platform, run the program once, exit with its code.
#include "app/zentrel.h"
#include "platform/posix/posix_platform.h"

int main(int argc, char** argv) {
  auto os = zentrel::platform::MakePosixPlatform(argc, argv);
  zentrel::TZentrel program(*os);
  return program.Run();
}
