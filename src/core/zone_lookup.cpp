#include "core/zone_lookup.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/conversion_error.h"
#include "core/embedded_zones.h"
#include "core/tzif.h"

namespace zentrel {
namespace {

/// The longest name looked up: well beyond any in the database.
constexpr std::size_t kMaxNameLength = 255;

std::optional<int> TwoDigits(std::string_view text) {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
    return std::nullopt;
  }
  return (text[0] - '0') * 10 + (text[1] - '0');
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '/' || c == '_' || c == '-' || c == '+' || c == '.';
}

std::optional<TZoneRules> EmbeddedRules(std::string_view name) {
  std::size_t low = 0, high = EmbeddedZoneCount();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const TEmbeddedZone zone = EmbeddedZoneAt(middle);
    if (zone.Name == name) return ReadTzif(zone.Data);
    if (zone.Name < name) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ReadFixedOffset(std::string_view text) {
  if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  const std::string_view hoursText = text.substr(1, 2);
  std::string_view minutesText = text.substr(3);
  if (!minutesText.empty() && minutesText[0] == ':' && minutesText.size() == 3) {
    minutesText.remove_prefix(1);
  }
  const auto hours = TwoDigits(hoursText);
  const auto minutes = minutesText.empty() ? std::optional<int>(0) : TwoDigits(minutesText);
  if (!hours || !minutes) return std::nullopt;
  if (*hours > 23 || *minutes > 59) throw ConversionError("Invalid time zone offset");
  const std::int32_t seconds = (*hours * 60 + *minutes) * 60;
  return text[0] == '-' ? -seconds : seconds;
}

bool IsSafeZoneName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  if (!std::all_of(name.begin(), name.end(), IsNameCharacter)) return false;
  // Every component non-empty and neither "." nor "..": no absolute path, no way up.
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = end + 1;
  }
  return true;
}

std::optional<TTimeZone> FindZone(std::string_view name, platform::Platform& os) {
  if (name == "UTC") return TTimeZone::Utc();
  if (const auto offset = ReadFixedOffset(name)) return TTimeZone::Fixed(*offset);
  if (!IsSafeZoneName(name)) return std::nullopt;
  std::optional<TZoneRules> rules;
  if (const auto file = os.ReadZoneFile(std::string(name))) rules = ReadTzif(*file);
  if (!rules) rules = EmbeddedRules(name);
  if (!rules) return std::nullopt;
  return TTimeZone::Named(std::string(name),
                          std::make_shared<const TZoneRules>(std::move(*rules)));
}

}  // namespace zentrel
