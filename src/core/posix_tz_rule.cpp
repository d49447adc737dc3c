#include "core/posix_tz_rule.h"

#include <algorithm>
#include <chrono>

#include "core/text_cursor.h"
#include "core/time_units.h"

namespace zentrel {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
/// Moments are taken to at most this far from the epoch (about 28,000 years) before their
/// year is computed: <chrono>'s years end at 32767, and nothing beyond means a civil time.
constexpr std::int64_t kRuleSecondsLimit = 900'000'000'000;
/// The rule tzcode assumes for a TZ text with daylight time but no rule of its own.
constexpr std::string_view kDefaultRule = ",M3.2.0,M11.1.0";

std::int64_t Clamp(std::int64_t seconds) {
  return std::clamp(seconds, -kRuleSecondsLimit, kRuleSecondsLimit);
}

std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  using namespace std::chrono;
  return sys_days{year_month_day{std::chrono::year{static_cast<int>(year)}, std::chrono::month{month},
                                 std::chrono::day{day}}}
      .time_since_epoch()
      .count();
}

std::int64_t YearOfDays(std::int64_t days) {
  using namespace std::chrono;
  return static_cast<int>(year_month_day{sys_days{std::chrono::days{days}}}.year());
}

bool IsLeap(std::int64_t year) {
  return std::chrono::year{static_cast<int>(year)}.is_leap();
}

/// The cursor with the readers of a TZ rule's names and offsets.
class TReader : public TTextCursor {
 public:
  using TTextCursor::TTextCursor;
  /// A zone abbreviation: three or more letters, or "<...>" of letters, digits, "+" and "-".
  std::optional<std::string> Name() {
    const std::size_t start = at_;
    if (Take('<')) {
      while (IsAlnum(Peek()) || Peek() == '+' || Peek() == '-') ++at_;
      const std::size_t length = at_ - start - 1;
      if (!Take('>') || length < 3) return std::nullopt;
      return std::string(text_.substr(start + 1, length));
    }
    while (IsAlpha(Peek())) ++at_;
    if (at_ - start < 3) return std::nullopt;
    return std::string(text_.substr(start, at_ - start));
  }
  /// [+|-]hh[:mm[:ss]] as seconds, hours at most maxHours.
  std::optional<std::int32_t> Duration(int maxHours) {
    const bool negative = Take('-');
    if (!negative) Take('+');
    auto hours = Number(3);
    if (!hours || *hours > maxHours) return std::nullopt;
    std::int32_t seconds = *hours * 3600;
    if (Take(':')) {
      auto minutes = Number(2);
      if (!minutes || *minutes > 59) return std::nullopt;
      seconds += *minutes * 60;
      if (Take(':')) {
        auto secs = Number(2);
        if (!secs || *secs > 59) return std::nullopt;
        seconds += *secs;
      }
    }
    return negative ? -seconds : seconds;
  }

 private:
  static bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsAlnum(char c) { return IsAlpha(c) || IsDigit(c); }
};

/// ",day[/time]" of a rule.
std::optional<TRuleDay> ReadRuleDay(TReader& reader) {
  if (!reader.Take(',')) return std::nullopt;
  TRuleDay day;
  if (reader.Take('M')) {
    day.Kind = TRuleDay::TKind::MonthWeekDay;
    auto month = reader.Number(2);
    if (!month || *month < 1 || *month > 12 || !reader.Take('.')) return std::nullopt;
    auto week = reader.Number(1);
    if (!week || *week < 1 || *week > 5 || !reader.Take('.')) return std::nullopt;
    auto weekday = reader.Number(1);
    if (!weekday || *weekday > 6) return std::nullopt;
    day.Month = *month;
    day.Week = *week;
    day.Weekday = *weekday;
  } else {
    const bool julian = reader.Take('J');
    auto number = reader.Number(3);
    if (!number || *number > 365 || (julian && *number < 1)) return std::nullopt;
    day.Kind = julian ? TRuleDay::TKind::JulianNoLeap : TRuleDay::TKind::ZeroBased;
    day.Day = *number;
  }
  if (reader.Take('/')) {
    auto time = reader.Duration(167);
    if (!time) return std::nullopt;
    day.Time = *time;
  }
  return day;
}

/// Local seconds (the wall clock read as if it were UTC) of the day's change in a year.
std::int64_t LocalSecondsOf(const TRuleDay& rule, std::int64_t year) {
  std::int64_t days = 0;
  switch (rule.Kind) {
    case TRuleDay::TKind::JulianNoLeap:
      days = DaysFromCivil(year, 1, 1) + rule.Day - 1 + (IsLeap(year) && rule.Day >= 60 ? 1 : 0);
      break;
    case TRuleDay::TKind::ZeroBased:
      days = DaysFromCivil(year, 1, 1) + rule.Day;
      break;
    case TRuleDay::TKind::MonthWeekDay: {
      const auto month = static_cast<unsigned>(rule.Month);
      const std::int64_t first = DaysFromCivil(year, month, 1);
      const std::int64_t nextMonth =
          month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
      const std::int64_t firstWeekday = (first % 7 + 11) % 7;  // 1970-01-01 was a Thursday
      days = first + (rule.Weekday - firstWeekday + 7) % 7 + 7 * (rule.Week - 1);
      while (days >= nextMonth) days -= 7;
      break;
    }
  }
  return days * kSecondsPerDay + rule.Time;
}

}  // namespace

std::optional<TPosixTzRule> TPosixTzRule::Parse(std::string_view text) {
  TReader reader(text);
  TPosixTzRule rule;
  auto stdName = reader.Name();
  if (!stdName) return std::nullopt;
  auto stdOffset = reader.Duration(24);
  if (!stdOffset) return std::nullopt;
  rule.standard_ = {-*stdOffset, false, *stdName};
  if (reader.AtEnd()) return rule;

  auto dstName = reader.Name();
  if (!dstName) return std::nullopt;
  std::int32_t dstOffset = rule.standard_.Offset + 3600;
  if (!reader.AtEnd() && reader.Peek() != ',') {
    auto offset = reader.Duration(24);
    if (!offset) return std::nullopt;
    dstOffset = -*offset;
  }
  rule.dst_ = {dstOffset, true, *dstName};
  rule.hasDst_ = true;
  if (reader.AtEnd()) {
    TReader defaults(kDefaultRule);
    rule.start_ = *ReadRuleDay(defaults);
    rule.end_ = *ReadRuleDay(defaults);
    return rule;
  }
  auto start = ReadRuleDay(reader);
  auto end = ReadRuleDay(reader);
  if (!start || !end || !reader.AtEnd()) return std::nullopt;
  rule.start_ = *start;
  rule.end_ = *end;
  return rule;
}

void TPosixTzRule::ChangesOfYears(std::int64_t firstYear, std::int64_t lastYear,
                                  std::vector<TChange>& out) const {
  // The end of daylight time goes first: where it falls on the start of the next (a rule
  // of daylight time all year, "J365/25" then "0/0"), daylight time goes on.
  for (std::int64_t year = firstYear; year <= lastYear; ++year) {
    out.push_back({LocalSecondsOf(end_, year) - dst_.Offset, &standard_});
    out.push_back({LocalSecondsOf(start_, year) - standard_.Offset, &dst_});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const TChange& a, const TChange& b) { return a.At < b.At; });
}

const TLocalType& TPosixTzRule::TypeAt(std::int64_t unixSeconds) const {
  if (!hasDst_) return standard_;
  const std::int64_t at = Clamp(unixSeconds);
  const std::int64_t year = YearOfDays(FloorDiv(at + standard_.Offset, kSecondsPerDay));
  std::vector<TChange> changes;
  ChangesOfYears(year - 1, year + 1, changes);
  const TLocalType* type = &standard_;
  for (const TChange& change : changes) {
    if (change.At > at) break;
    type = change.Type;
  }
  return *type;
}

std::vector<TZoneTransition> TPosixTzRule::TransitionsBetween(std::int64_t from,
                                                              std::int64_t to) const {
  std::vector<TZoneTransition> transitions;
  if (!hasDst_ || from > to) return transitions;
  from = Clamp(from);
  to = Clamp(to);
  std::vector<TChange> changes;
  ChangesOfYears(YearOfDays(FloorDiv(from, kSecondsPerDay)) - 1,
                 YearOfDays(FloorDiv(to, kSecondsPerDay)) + 1, changes);
  const TLocalType* current = &TypeAt(from - 1);
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const TChange& change = changes[i];
    // Of changes at one moment, the last is the one in force.
    if (i + 1 < changes.size() && changes[i + 1].At == change.At) continue;
    if (change.At < from || change.At > to || change.Type == current) continue;
    transitions.push_back({change.At, *current, *change.Type});
    current = change.Type;
  }
  return transitions;
}

}  // namespace zentrel
