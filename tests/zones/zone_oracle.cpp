// Checks the program's zones against expectations written by check_zone_oracle.py:
//   Z <name>                the zone of the lines that follow
//   O <unix seconds> <offset seconds>
//   W <wall-clock seconds since 1970> <unix seconds of its moment>
// Each line is checked in the named zone as the system platform finds it (its files on
// Linux, the built-in copy on Windows), in the same zone from the built-in copy, and in the
// machine's zone when TZ names the zone. Prints the number of checks and mismatches per
// source; exits 1 on any mismatch.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "core/machine_date_time.h"
#include "core/time_zone.h"
#include "core/zone_lookup.h"
#include "platform/fake_platform.h"
#include "platform/platform.h"

namespace {

using namespace zentrel;

struct TSource {
  const char* Label;
  std::optional<TTimeZone> Zone;
  int Checks = 0, Mismatches = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zone_oracle <expectations>\n";
    return 2;
  }
  std::ifstream input(argv[1]);
  auto system = platform::MakeSystemPlatform(0, nullptr);
  platform::FakePlatform noFiles;  // no zone files: the built-in copy answers
  const char* tz = std::getenv("TZ");
  TSource sources[] = {{"system lookup", {}}, {"built-in", {}}, {"machine", {}}};
  std::string line;
  while (std::getline(input, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "Z") {
      std::string name;
      fields >> name;
      sources[0].Zone = FindZone(name, *system);
      sources[1].Zone = FindZone(name, noFiles);
      sources[2].Zone.reset();
      if (tz != nullptr && name == tz) sources[2].Zone = TTimeZone::Machine(*system);
      if (!sources[0].Zone || !sources[1].Zone) {
        std::cerr << "zone not found: " << name << "\n";
        return 1;
      }
      continue;
    }
    long long a = 0, b = 0;
    fields >> a >> b;
    for (TSource& source : sources) {
      if (!source.Zone) continue;
      long long got = 0;
      if (kind == "O") {
        got = source.Zone->OffsetAt(TMoment::FromUnixSeconds(a)).Seconds;
      } else {
        got = source.Zone->MomentOf(FromUnixMilliseconds(a * 1000)).UnixSeconds();
      }
      ++source.Checks;
      if (got != b) {
        if (++source.Mismatches <= 20) {
          std::cerr << source.Label << ": " << line << " got " << got << "\n";
        }
      }
    }
  }
  bool ok = true;
  for (const TSource& source : sources) {
    std::cout << source.Label << " " << source.Checks << " checks " << source.Mismatches
              << " mismatches; ";
    ok = ok && source.Mismatches == 0;
  }
  std::cout << "\n";
  return ok ? 0 : 1;
}
