// Time zones on arbitrary bytes: zone names, TZif files and POSIX TZ rules. Nothing may
// read out of bounds, loop or throw anything but ConversionError, and what is accepted
// must hold together: the name of a zone found is a safe path, a UTC or an offset, an
// offset stays within 26 hours, and a wall-clock reading taken to a moment and back is
// shown within two such offsets of itself.
//
// Input layout: the first byte picks what the rest is (0: a zone name, 1: a TZif file, 2:
// a TZ rule); for a file or a rule, the next 8 bytes are a count of milliseconds (big-endian,
// signed) that gives the moment and the wall-clock reading tried.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/conversion_error.h"
#include "core/machine_date_time.h"
#include "core/time_zone.h"
#include "core/tzif.h"
#include "core/zone_lookup.h"
#include "platform/fake_platform.h"

namespace {

using namespace zentrel;

void Check(bool holds) {
  if (!holds) std::abort();
}

/// The moment and the reading of the 8 bytes, both kept within the calendar.
std::int64_t Millis(std::string_view& rest) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8 && !rest.empty(); ++i) {
    value = value << 8 | static_cast<unsigned char>(rest.front());
    rest.remove_prefix(1);
  }
  constexpr std::int64_t kSpan = 315'537'811'200'000;  // years 1 to 9999
  return static_cast<std::int64_t>(value % kSpan) - 62'135'596'800'000;
}

void Exercise(const TTimeZone& zone, std::int64_t ms) {
  const TMoment moment = TMoment::FromUnixMs(ms);
  const TZoneOffset offset = zone.OffsetAt(moment);
  Check(offset.Seconds > -26 * 3600 && offset.Seconds < 26 * 3600);
  try {
    (void)zone.Show(moment);
  } catch (const ConversionError&) {
  }
  try {
    const TDateTimeValue wall = FromUnixMilliseconds(ms);
    const TMoment back = zone.MomentOf(wall);
    const std::int64_t shown = UnixMilliseconds(zone.WallClockOf(back));
    Check(shown - ms < 52 * 3600 * 1000LL && ms - shown < 52 * 3600 * 1000LL);
  } catch (const ConversionError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 3) {
    case 0: {
      platform::FakePlatform os;
      try {
        if (const auto zone = FindZone(rest, os)) {
          Check(zone->Kind() != TTimeZone::TKind::Named || IsSafeZoneName(rest));
          Exercise(*zone, 0);
        }
      } catch (const ConversionError&) {
      }
      break;
    }
    case 1: {
      const std::int64_t ms = Millis(rest);
      if (auto rules = ReadTzif(rest)) {
        const auto shared = std::make_shared<const TZoneRules>(std::move(*rules));
        Exercise(TTimeZone::Named("fuzz", shared), ms);
      }
      break;
    }
    default: {
      const std::int64_t ms = Millis(rest);
      if (const auto rule = TPosixTzRule::Parse(rest)) {
        const auto changes = rule->TransitionsBetween(ms / 1000 - 400 * 86400, ms / 1000);
        for (std::size_t i = 1; i < changes.size(); ++i) Check(changes[i - 1].At < changes[i].At);
        (void)rule->TypeAt(ms / 1000);
      }
      break;
    }
  }
  return 0;
}
