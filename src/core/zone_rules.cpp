#include "core/zone_rules.h"

#include <algorithm>
#include <utility>

namespace zentrel {

TZoneRules::TZoneRules(std::vector<std::int64_t> times,
                       std::vector<std::uint8_t> typeOfTransition,
                       std::vector<TLocalType> types, std::optional<TPosixTzRule> footer)
    : times_(std::move(times)),
      typeOfTransition_(std::move(typeOfTransition)),
      types_(std::move(types)),
      footer_(std::move(footer)) {}

const TLocalType& TZoneRules::TypeAt(std::int64_t unixSeconds) const {
  if (times_.empty()) return footer_ ? footer_->TypeAt(unixSeconds) : types_.front();
  if (footer_ && unixSeconds > times_.back()) return footer_->TypeAt(unixSeconds);
  const auto after = std::upper_bound(times_.begin(), times_.end(), unixSeconds);
  if (after == times_.begin()) return types_.front();
  return types_[typeOfTransition_[static_cast<std::size_t>(after - times_.begin() - 1)]];
}

std::vector<TZoneTransition> TZoneRules::TransitionsBetween(std::int64_t from,
                                                            std::int64_t to) const {
  std::vector<TZoneTransition> transitions;
  if (from > to) return transitions;
  if (times_.empty()) {
    if (footer_) transitions = footer_->TransitionsBetween(from, to);
    return transitions;
  }
  auto at = std::lower_bound(times_.begin(), times_.end(), from);
  for (; at != times_.end() && *at <= to; ++at) {
    const auto i = static_cast<std::size_t>(at - times_.begin());
    const TLocalType& before = i == 0 ? types_.front() : types_[typeOfTransition_[i - 1]];
    const TLocalType& after = types_[typeOfTransition_[i]];
    if (!(before == after)) transitions.push_back({*at, before, after});
  }
  if (footer_ && to > times_.back()) {
    for (TZoneTransition& change :
         footer_->TransitionsBetween(std::max(from, times_.back() + 1), to)) {
      transitions.push_back(std::move(change));
    }
  }
  return transitions;
}

}  // namespace zentrel
