// The whole program on a fuzzed argument list (NUL-separated) against the fake platform,
// with two fuzzed timing files: every run must end with an exit code from the table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/zentrel.h"
#include "platform/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::string input(reinterpret_cast<const char*>(data), size);
  // Layout: arguments separated by NUL, then "\x01" and the OLD file, "\x01" and the NEW.
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = input.find('\x01', start);
    parts.push_back(input.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos || parts.size() == 3) break;
    start = at + 1;
  }
  platform::FakePlatform os;
  std::string& args = parts[0];
  size_t pos = 0;
  while (pos <= args.size() && os.Args.size() < 64) {
    size_t nul = args.find('\0', pos);
    os.Args.push_back(args.substr(pos, nul == std::string::npos ? std::string::npos : nul - pos));
    if (nul == std::string::npos) break;
    pos = nul + 1;
  }
  if (parts.size() > 1) os.Files["old.txt"] = parts[1];
  if (parts.size() > 2) os.Files["new.txt"] = parts[2];
  TZentrel program(os);
  int code = program.Run();
  static const int kCodes[] = {0, 64, 65, 70, 71, 72, 73, 74, 75, 250, 255};
  for (int known : kCodes) {
    if (code == known) return 0;
  }
  __builtin_trap();
}
