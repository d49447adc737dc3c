// The whole program on a fuzzed argument list against the fake platform, with two fuzzed
// timing files and a fuzzed threshold list: every run must end with an exit code from the
// table, and a second run on the same input must print the same bytes (no state survives
// a run).
//
// Input layout, parts separated by "\x01": the arguments (separated by NUL), the file
// old.txt, the file new.txt, the value of @TIME_INCREMENTS. Missing parts are absent files or
// an unset variable, so "--compareold=old.txt" reaches both the check for a missing file and,
// with the parts present, the loading, the line parsing and the comparison.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/zentrel.h"
#include "platform/fake_platform.h"

namespace {

constexpr std::size_t kMaxArguments = 64;
constexpr int kExitCodes[] = {0, 64, 65, 70, 71, 72, 73, 74, 75, 250, 255};

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

TOutcome RunOnce(const std::vector<std::string_view>& parts) {
  using namespace zentrel;
  platform::FakePlatform os;
  for (std::string_view arg : Split(parts[0], '\0', kMaxArguments)) os.Args.emplace_back(arg);
  if (parts.size() > 1) os.Files["old.txt"] = std::string(parts[1]);
  if (parts.size() > 2) os.Files["new.txt"] = std::string(parts[2]);
  if (parts.size() > 3) os.Env["@TIME_INCREMENTS"] = std::string(parts[3]);
  TZentrel program(os);
  int code = program.Run();
  return {code, std::move(os.Out), std::move(os.Err)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts = Split(input, '\x01', 4);
  TOutcome first = RunOnce(parts);
  bool known = false;
  for (int code : kExitCodes) known = known || code == first.Code;
  if (!known) __builtin_trap();  // an exit code outside the table
  TOutcome second = RunOnce(parts);
  if (second.Code != first.Code || second.Out != first.Out || second.Err != first.Err) {
    __builtin_trap();  // the same input gave another answer: state leaked between runs
  }
  return 0;
}
