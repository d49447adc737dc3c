// Random command lines against the fake platform: every run, whatever its arguments, must
// end with an exit code from the table, without hanging and without an exception escaping
// (a value that does not convert is reported by the run; anything else is a fault).
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/zentrel.h"
#include "core/exit_code.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// Every option of the table, by letter and by name (with "=" where it takes a value), and
/// a few spellings that only look like options. --sequence is left out: a run of it writes
/// up to millions of lines by design, which would only slow the test down.
std::vector<std::string> Spellings() {
  std::vector<std::string> spellings = {"-qd", "-QD", "/?", "-", "--", "--=", "\\s",
                                        "--compareold=old.txt", "--comparenew=new.txt",
                                        "--holidays=holidays.txt"};
  for (const TOptionRow& row : kOptionTable) {
    if (row.Id == TOptionId::Sequence) continue;
    if (row.Letter != '\0') spellings.push_back(std::string("-") + row.Letter);
    spellings.push_back("--" + std::string(row.Name) + (row.Argument == TArgKind::None ? "" : "="));
  }
  return spellings;
}

const std::vector<std::string> kSpellings = Spellings();

const std::vector<std::string> kValues = {
    "12/25/2024", "12/7/26", "02/29/2024", "02/29/2027", "13/01/2026", "12/30/1899",
    "01/01/0001", "12/31/9999", "10:30", "10:30PM", "24:00", "12/07/2026 10:30:15.123456",
    "25", "12/25", "1:30", "1:30.5", "1000:75:00", "1:3a", ":::", "....", "0.250", "90",
    "1:2:3:4", "10", "-10", "0", "2147483647", "-2147483648", "2147483648", "$ff", "0x1F",
    "%101", "&17", "abc", "", " ", "mm/dd/yyyy", "dddd mmmm yyyy hh:nn:ss.zzz am/pm",
    "a", "[h]:nn", "\"q\"", "hr:min:sec", "## hr:min:sec.ms", "bogus", "\\z \\v \\n \\-",
    "Today is \\v", "\\\\", "SECTION [#%.2d]", "%s%n", "\xff\xfe", "\xc3\xa9",
    "2024-12-25", "2024-02-30", "2024-12-25T10:30:15.5+05:30", "9999-12-31T23:59Z", "@0",
    "@-62135596800", "@99999999999999", "5b", "-3b", "0b", "1m", "-13m", "2w", "1y", "7x",
};

std::string RandomJunk(std::mt19937& gen) {
  std::uniform_int_distribution<int> length(0, 12), byte(1, 255);
  std::string text;
  for (int i = length(gen); i > 0; --i) text += static_cast<char>(byte(gen));
  return text;
}

TEST(ZentrelProperty, EveryCommandLineEndsWithACodeFromTheTable) {
  std::mt19937 gen(20261207);
  std::uniform_int_distribution<int> count(0, 5), pick(0, 9);
  const std::string oldFile =
      "\\--- [#01] 00:01:20.000 - FIRST\n\\--- [#02] 01:00:00.500 - SECOND\n";
  const std::string newFile = "\\--- [#01] 00:01:10.000 - FIRST\n";
  for (int run = 0; run < 100'000; ++run) {
    platform::FakePlatform os;
    os.Pid = static_cast<std::uint32_t>(run);
    os.Files["old.txt"] = oldFile;
    os.Files["new.txt"] = newFile;
    os.Files["holidays.txt"] = "# holidays\n12/25/2026\n2027-01-01\n";
    for (int i = count(gen); i > 0; --i) {
      int kind = pick(gen);
      if (kind < 5) {
        os.Args.push_back(kSpellings[gen() % kSpellings.size()]);
      } else if (kind < 9) {
        os.Args.push_back(kValues[gen() % kValues.size()]);
      } else {
        os.Args.push_back(RandomJunk(gen));
      }
      // Glue a value onto a long option now and then.
      if (!os.Args.back().empty() && os.Args.back().back() == '=' && pick(gen) < 7) {
        os.Args.back() += kValues[gen() % kValues.size()];
      }
    }
    auto start = std::chrono::steady_clock::now();
    int code = -1;
    ASSERT_NO_THROW(code = TZentrel(os).Run()) << ::testing::PrintToString(os.Args);
    ASSERT_TRUE(IsExitCode(code)) << code << " for " << ::testing::PrintToString(os.Args);
    ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
        << ::testing::PrintToString(os.Args);
  }
}

}  // namespace
}  // namespace zentrel
