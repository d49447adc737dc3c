#include "core/time_zone.h"

#include <cstdlib>
#include <utility>

#include "core/conversion_error.h"
#include "core/machine_date_time.h"

namespace zentrel {
namespace {

constexpr char kOutOfRange[] = "Invalid date";
constexpr std::int64_t kSecondsPerDay = 86400;
/// Milliseconds of 01/01/0001 00:00 and of 01/01/10000 00:00 since the Unix epoch, widened
/// by two days: a moment beyond them lies outside the calendar in every zone.
constexpr std::int64_t kFirstShownMs = -62'135'596'800'000 - 2 * kSecondsPerDay * 1000;
constexpr std::int64_t kLastShownMs = 253'402'300'800'000 + 2 * kSecondsPerDay * 1000;

}  // namespace

std::string IsoOffsetText(std::int32_t offsetSeconds) {
  const std::int32_t magnitude = std::abs(offsetSeconds);
  const int hours = magnitude / 3600, minutes = magnitude / 60 % 60, seconds = magnitude % 60;
  std::string text(1, offsetSeconds < 0 ? '-' : '+');
  auto two = [&text](int value) {
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
  };
  two(hours);
  text += ':';
  two(minutes);
  if (seconds != 0) {
    text += ':';
    two(seconds);
  }
  return text;
}

TTimeZone TTimeZone::Machine(platform::Platform& os) {
  TTimeZone zone(TKind::Machine, "");
  zone.os_ = &os;
  return zone;
}

TTimeZone TTimeZone::Utc() { return TTimeZone(TKind::Utc, "UTC"); }

TTimeZone TTimeZone::Fixed(std::int32_t offsetSeconds) {
  TTimeZone zone(TKind::Fixed, IsoOffsetText(offsetSeconds));
  zone.fixed_ = offsetSeconds;
  return zone;
}

TTimeZone TTimeZone::Named(std::string name, std::shared_ptr<const TZoneRules> rules) {
  TTimeZone zone(TKind::Named, std::move(name));
  zone.rules_ = std::move(rules);
  return zone;
}

TZoneOffset TTimeZone::OffsetAt(TMoment moment) const {
  switch (kind_) {
    case TKind::Machine:
      return {static_cast<std::int32_t>(os_->LocalOffsetAtUtc(moment.UnixSeconds())), "", false};
    case TKind::Utc:
      return {0, "UTC", false};
    case TKind::Fixed:
      return {fixed_, "", false};
    case TKind::Named:
      break;
  }
  const TLocalType& type = rules_->TypeAt(moment.UnixSeconds());
  return {type.Offset, type.Abbreviation, type.IsDst};
}

TDateTimeValue TTimeZone::WallClockOf(TMoment moment) const {
  return Show(moment).Wall;
}

TZonedDateTime TTimeZone::Show(TMoment moment) const {
  if (moment.UnixMs() < kFirstShownMs || moment.UnixMs() > kLastShownMs) {
    throw ConversionError(kOutOfRange);
  }
  TZonedDateTime shown;
  shown.Offset = OffsetAt(moment);
  shown.Utc = kind_ == TKind::Utc;
  shown.Wall = FromUnixMilliseconds(moment.UnixMs() + std::int64_t{shown.Offset.Seconds} * 1000);
  return shown;
}

TMoment TTimeZone::MomentOf(TDateTimeValue wall) const {
  // The reading as milliseconds since 01/01/1970 00:00 on the wall clock itself.
  const std::int64_t localMs = UnixMilliseconds(wall.RoundedToMs());
  const std::int64_t localSeconds = FloorDiv(localMs, kMsPerSecond);
  const std::int64_t fraction = localMs - localSeconds * kMsPerSecond;
  std::int64_t seconds = localSeconds;
  switch (kind_) {
    case TKind::Machine:
      seconds = MachineMomentSeconds(localSeconds);
      break;
    case TKind::Utc:
      break;
    case TKind::Fixed:
      seconds -= fixed_;
      break;
    case TKind::Named:
      seconds = RulesMomentSeconds(localSeconds);
      break;
  }
  return TMoment::FromUnixMs(seconds * kMsPerSecond + fraction);
}

std::int64_t TTimeZone::RulesMomentSeconds(std::int64_t local) const {
  // Offsets stay within 26 hours, so every moment the reading can have lies within two
  // days of it: the transitions there decide. Between two transitions one offset holds;
  // the reading belongs to the first stretch whose offset puts it inside the stretch.
  const std::vector<TZoneTransition> changes =
      rules_->TransitionsBetween(local - 2 * kSecondsPerDay, local + 2 * kSecondsPerDay);
  if (changes.empty()) return local - rules_->TypeAt(local).Offset;
  for (std::size_t i = 0; i <= changes.size(); ++i) {
    const std::int32_t offset = i == 0 ? changes[0].Before.Offset : changes[i - 1].After.Offset;
    const std::int64_t moment = local - offset;
    const bool afterStart = i == 0 || moment >= changes[i - 1].At;
    const bool beforeEnd = i == changes.size() || moment < changes[i].At;
    if (afterStart && beforeEnd) return moment;
  }
  // In no stretch: the clocks skipped the reading. Read it with the offset before the
  // change that skipped it, which lands it as much after the change as it lay in the gap.
  for (const TZoneTransition& change : changes) {
    if (change.At + change.Before.Offset <= local && local < change.At + change.After.Offset) {
      return local - change.Before.Offset;
    }
  }
  return local - changes[0].Before.Offset;
}

std::int64_t TTimeZone::MachineMomentSeconds(std::int64_t local) const {
  // The system's conversion tells offsets at moments and nothing about its transitions, so
  // the offsets a day either side stand for the two sides of a change near the reading.
  auto offsetAt = [this](std::int64_t seconds) { return os_->LocalOffsetAtUtc(seconds); };
  const std::int64_t before = offsetAt(local - kSecondsPerDay);
  const std::int64_t after = offsetAt(local + kSecondsPerDay);
  const std::int64_t early = local - before, late = local - after;
  const bool earlyHolds = offsetAt(early) == before;
  const bool lateHolds = offsetAt(late) == after;
  if (earlyHolds && lateHolds) return std::min(early, late);
  if (lateHolds) return late;
  // Shown with the earlier offset, or skipped (read with the offset before the gap).
  return early;
}

}  // namespace zentrel
