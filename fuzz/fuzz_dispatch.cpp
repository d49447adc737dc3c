// The whole program on a fuzzed argument list against the fake platform, with two fuzzed
// timing files and a fuzzed threshold list: every run must end with an exit code from the
// table without an exception escaping (a value that does not convert is the program's to
// report; anything else is a fault), and a second run of the same object must print the
// same bytes (no state survives a run).
//
// Input layout, parts separated by "\x01": the arguments (separated by NUL), the file
// old.txt, the file new.txt, the value of @TIME_INCREMENTS. Missing parts are absent files or
// an unset variable, so "--compareold=old.txt" reaches both the check for a missing file and,
// with the parts present, the loading, the line parsing and the comparison.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "app/zentrel.h"
#include "core/exit_code.h"
#include "platform/fake_platform.h"

namespace {

constexpr std::size_t kMaxArguments = 64;

std::vector<std::string_view> Split(std::string_view text, char separator, std::size_t limit) {
  std::vector<std::string_view> parts;
  for (;;) {
    std::size_t at = parts.size() + 1 == limit ? std::string_view::npos : text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

struct TOutcome {
  int Code;
  std::string Out, Err;
};

TOutcome RunOnce(zentrel::TZentrel& program, zentrel::platform::FakePlatform& os) {
  os.Out.clear();
  os.Err.clear();
  int code = 0;
  try {
    code = program.Run();
  } catch (const std::exception&) {
    __builtin_trap();  // a fault of the program reached the top-level handler
  }
  if (!zentrel::IsExitCode(code)) __builtin_trap();  // an exit code outside the table
  return {code, os.Out, os.Err};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts = Split(input, '\x01', 4);
  platform::FakePlatform os;
  for (std::string_view arg : Split(parts[0], '\0', kMaxArguments)) os.Args.emplace_back(arg);
  if (parts.size() > 1) os.Files["old.txt"] = std::string(parts[1]);
  if (parts.size() > 2) os.Files["new.txt"] = std::string(parts[2]);
  if (parts.size() > 3) os.Env["@TIME_INCREMENTS"] = std::string(parts[3]);
  TZentrel program(os);
  TOutcome first = RunOnce(program, os);
  TOutcome second = RunOnce(program, os);
  if (second.Code != first.Code || second.Out != first.Out || second.Err != first.Err) {
    __builtin_trap();  // the same input gave another answer: state leaked between runs
  }
  return 0;
}
