// Start-up: build the platform, run the program once, exit with its code.
#include "app/zentrel.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  auto os = zentrel::platform::MakeSystemPlatform(argc, argv);
  zentrel::TZentrel program(*os);
  return program.Run();
}
