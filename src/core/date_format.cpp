#include "core/date_format.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/conversion_error.h"
#include "core/pattern_tokens.h"
#include "core/text.h"
#include "core/value_format.h"

namespace zentrel {

namespace {

/// The parts of the value every token draws on, split once per rendering.
struct TValueParts {
  TDateParts Date;
  TTimeParts Time;
  int WeekDay = 1;          ///< Sunday 1 to Saturday 7.
  std::int64_t WholeDays;   ///< |date part|, for elapsed totals in interval mode.
};


/// Writes value (0 to 99) in two digits at p; returns the end.
char* PutTwoDigits(char* p, int value) {
  static constexpr char kPairs[] =
      "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
      "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
      "888990919293949596979899";
  p[0] = kPairs[2 * value];
  p[1] = kPairs[2 * value + 1];
  return p + 2;
}

/// Writes value (0 to 9999) in at least width digits at p; returns the end.
char* PutNumber(char* p, int value, std::size_t width) {
  // The usual fields a pair at a time: a day, a month, a year of four digits.
  if (width == 2 && value < 100) return PutTwoDigits(p, value);
  if (width == 4 && value >= 1000) return PutTwoDigits(PutTwoDigits(p, value / 100), value % 100);
  std::size_t count = value >= 1000 ? 4 : value >= 100 ? 3 : value >= 10 ? 2 : 1;
  if (count < width) count = width;
  for (std::size_t i = count; i > 0; --i) {
    p[i - 1] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return p + count;
}

class TRenderer {
 public:
  /// Renders at the end of out.
  TRenderer(std::string& target, const TValueParts& parts, bool intervalMode,
            const TFormatSettings& settings)
      : out(target), parts_(parts), intervalMode_(intervalMode), settings_(settings) {}

  /// Renders one pattern; depth 1 is a regional pattern reached through another one, in
  /// which the tokens that would expand a further pattern print nothing.
  void Render(std::string_view pattern, int depth) {
    // First pass: an AM/PM token anywhere switches the hours to the 12-hour clock, and an
    // illegal "a" fails the rendering before anything is written.
    bool twelveHour = false;
    const bool mayHoldAmPm = pattern.find_first_of("aA") != std::string_view::npos;
    for (std::size_t i = 0; mayHoldAmPm && i < pattern.size();) {
      TTokenKind kind = NextPatternToken(pattern, i).Kind;
      if (kind == TTokenKind::AmPmLetters || kind == TTokenKind::AmPmShort ||
          kind == TTokenKind::AmPmRegional) {
        twelveHour = true;
      }
    }
    TState state{twelveHour};
    for (std::size_t i = 0; i < pattern.size();) Emit(NextPatternToken(pattern, i), depth, state);
  }

  /// Renders the tokens of a pattern read once (at depth 0).
  void Render(std::string_view pattern, const std::vector<TDatePattern::TStoredToken>& tokens,
              bool twelveHour) {
    TState state{twelveHour};
    for (const TDatePattern::TStoredToken& stored : tokens) {
      const TPatternToken t{static_cast<TTokenKind>(stored.Kind), stored.Count,
                     pattern.substr(stored.From, stored.Length), stored.Letter};
      Emit(t, 0, state);
    }
  }

  /// What a rendering carries from one token to the next.
  struct TState {
    bool TwelveHour = false;
    bool InBrackets = false;
    bool AfterHour = false;
    bool AfterDay = false;  // a day number came before: a long month name is genitive
  };

  void Emit(const TPatternToken& t, int depth, TState& state) {
    const bool twelveHour = state.TwelveHour;
    bool& inBrackets = state.InBrackets;
    bool& afterHour = state.AfterHour;
    bool& afterDay = state.AfterDay;
    bool elapsed = intervalMode_ && inBrackets;
    switch (t.Kind) {
      case TTokenKind::Literal: Put(t.Text); break;
      case TTokenKind::DateSep: Put(settings_.DateSeparator); break;
      case TTokenKind::TimeSep: Put(settings_.TimeSeparator); break;
      case TTokenKind::OpenBracket:
        if (intervalMode_) inBrackets = true; else Put('[');
        break;
      case TTokenKind::CloseBracket:
        if (intervalMode_) inBrackets = false; else Put(']');
        break;
      case TTokenKind::Day: RenderDay(t.Count, depth); break;
      case TTokenKind::Month:
        if (afterHour && t.Count <= 2) {
          RenderMinute(t.Count, elapsed);
        } else if (t.Count <= 2) {
          PutField(parts_.Date.Month, t.Count);
        } else {
          const std::size_t month = static_cast<std::size_t>(parts_.Date.Month - 1);
          const std::string& genitive = settings_.GenitiveMonthNames[month];
          Put(t.Count == 3                      ? settings_.ShortMonthNames[month]
              : afterDay && !genitive.empty() ? genitive
                                              : settings_.LongMonthNames[month]);
        }
        break;
      case TTokenKind::Year:
        if (t.Count <= 2) {
          PutField(parts_.Date.Year % 100, 2);
        } else {
          PutField(parts_.Date.Year, 4);
        }
        break;
      case TTokenKind::Hour: {
        std::int64_t hour = parts_.Time.Hour;
        if (elapsed) {
          PutInteger(parts_.WholeDays * 24 + hour);
        } else {
          if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
          PutField(static_cast<int>(hour), t.Count == 1 ? 1 : 2);
        }
        break;
      }
      case TTokenKind::Minute: RenderMinute(t.Count, elapsed); break;
      case TTokenKind::Second:
        if (elapsed) {
          PutInteger(TotalMinutes() * 60 + parts_.Time.Second);
        } else {
          PutField(parts_.Time.Second, t.Count == 1 ? 1 : 2);
        }
        break;
      case TTokenKind::Millisecond:
        PutField(parts_.Time.Millisecond, t.Count == 1 ? 1 : 3);
        break;
      case TTokenKind::TimeText:
        if (depth == 0) {
          Render(t.Count == 1 ? settings_.ShortTimePattern : settings_.LongTimePattern, 1);
        }
        break;
      case TTokenKind::DateTimeText:
        if (depth == 0) {
          Render(settings_.ShortDatePattern, 1);
          if (parts_.Time.Hour != 0 || parts_.Time.Minute != 0 || parts_.Time.Second != 0 ||
              parts_.Time.Millisecond != 0) {
            Put(' ');
            Render(settings_.LongTimePattern, 1);
          }
        }
        break;
      case TTokenKind::AmPmLetters: {
        bool pm = parts_.Time.Hour >= 12;
        Put(t.Text[pm ? 3 : 0]);
        Put(t.Text[pm ? 4 : 1]);
        break;
      }
      case TTokenKind::AmPmShort:
        Put(t.Text[parts_.Time.Hour >= 12 ? 2 : 0]);
        break;
      case TTokenKind::AmPmRegional:
        Put(parts_.Time.Hour >= 12 ? settings_.TimePMString : settings_.TimeAMString);
        break;
      case TTokenKind::EraYear: PutInteger(parts_.Date.Year); break;
      case TTokenKind::EraName: Put("AD"); break;
    }
    if (t.Letter) afterHour = t.Kind == TTokenKind::Hour;
    if (t.Kind == TTokenKind::Day && t.Count <= 2) afterDay = true;
  }

  /// Hands what waits in the renderer's own buffer to out; call before reading out.
  void Finish() {
    out.append(pending_, used_);
    used_ = 0;
  }

  std::string& out;

 private:
  // Text collects in a small buffer of the renderer's own and goes to out in one piece:
  // most renderings are a few short fields, each of which would otherwise be an append.
  void Put(char c) {
    if (used_ == sizeof(pending_)) Finish();
    pending_[used_++] = c;
  }
  void Put(std::string_view text) {
    if (text.size() > sizeof(pending_) - used_) {
      Finish();
      if (text.size() > sizeof(pending_)) {
        out.append(text);
        return;
      }
    }
    std::memcpy(pending_ + used_, text.data(), text.size());
    used_ += text.size();
  }
  /// A field of a date or time (0 to 9999) in at least `digits` digits (at most 4), as
  /// AppendInteger(out, value, 0, digits) writes it.
  void PutField(int value, std::size_t digits) {
    if (sizeof(pending_) - used_ < 4) Finish();
    used_ = static_cast<std::size_t>(PutNumber(pending_ + used_, value, digits) - pending_);
  }
  void PutInteger(std::int64_t value) {
    Finish();
    AppendInteger(out, value);
  }

  char pending_[64];
  std::size_t used_ = 0;
  std::int64_t TotalMinutes() const {
    return (parts_.WholeDays * 24 + parts_.Time.Hour) * 60 + parts_.Time.Minute;
  }

  void RenderMinute(std::size_t count, bool elapsed) {
    if (elapsed) {
      PutInteger(TotalMinutes());
    } else {
      PutField(parts_.Time.Minute, count == 1 ? 1 : 2);
    }
  }

  void RenderDay(std::size_t count, int depth) {
    switch (count) {
      case 1:
      case 2: PutField(parts_.Date.Day, count); break;
      case 3: Put(settings_.ShortDayNames[parts_.WeekDay - 1]); break;
      case 4: Put(settings_.LongDayNames[parts_.WeekDay - 1]); break;
      case 5:
        if (depth == 0) Render(settings_.ShortDatePattern, 1);
        break;
      default:
        if (depth == 0) Render(settings_.LongDatePattern, 1);
        break;
    }
  }

  const TValueParts& parts_;
  bool intervalMode_;
  const TFormatSettings& settings_;
};

}  // namespace

namespace {

TValueParts PartsOf(TDateTimeValue value) {
  TValueParts parts;
  const std::int64_t day = DecodeDateTime(value, parts.Date, parts.Time);
  // Day 0 was a Saturday (7); the week repeats on both sides of it.
  parts.WeekDay = static_cast<int>(((day % 7) + 13) % 7) + 1;
  parts.WholeDays = day < 0 ? -day : day;
  return parts;
}

}  // namespace

using TNumericStep = TDatePattern::TNumericStep;

/// The longest text a numeric pattern may write, so that it is written into a buffer of
/// this size with no further check.
constexpr std::size_t kNumericBytes = 128;

/// The pattern's tokens as numeric steps, resolved as TRenderer resolves them outside
/// brackets (m after an hour is minutes); none when a token is anything else (a name, a
/// regional pattern, am/pm, a bracket, an era) or the text could exceed kNumericBytes.
std::shared_ptr<const std::vector<TNumericStep>> NumericSteps(
    const std::vector<TDatePattern::TStoredToken>& tokens) {
  auto steps = std::make_shared<std::vector<TNumericStep>>();
  const auto Number = [](TNumericStep::TField field, std::uint8_t width) {
    return TNumericStep{field, width, 0, 0};
  };
  std::size_t longest = 0;
  bool afterHour = false;
  for (const TDatePattern::TStoredToken& t : tokens) {
    const std::uint8_t digits = t.Count == 1 ? 1 : 2;
    TNumericStep step{TNumericStep::Text, 0, static_cast<std::uint16_t>(t.From),
                      static_cast<std::uint16_t>(t.Length)};
    switch (static_cast<TTokenKind>(t.Kind)) {
      case TTokenKind::Literal: break;
      case TTokenKind::DateSep: step.Field = TNumericStep::DateSep; break;
      case TTokenKind::TimeSep: step.Field = TNumericStep::TimeSep; break;
      case TTokenKind::Day:
        if (t.Count > 2) return nullptr;
        step = Number(TNumericStep::Day, digits);
        break;
      case TTokenKind::Month:
        if (t.Count > 2) return nullptr;
        step = Number(afterHour ? TNumericStep::Minute : TNumericStep::Month, digits);
        break;
      case TTokenKind::Year:
        step = t.Count <= 2 ? Number(TNumericStep::ShortYear, 2)
                            : Number(TNumericStep::Year, 4);
        break;
      case TTokenKind::Hour: step = Number(TNumericStep::Hour, digits); break;
      case TTokenKind::Minute: step = Number(TNumericStep::Minute, digits); break;
      case TTokenKind::Second: step = Number(TNumericStep::Second, digits); break;
      case TTokenKind::Millisecond:
        step = Number(TNumericStep::Millisecond, static_cast<std::uint8_t>(t.Count == 1 ? 1 : 3));
        break;
      default: return nullptr;
    }
    longest += step.Field == TNumericStep::Text ? t.Length : 4;
    if (longest > kNumericBytes) return nullptr;
    if (t.Letter) afterHour = t.Kind == static_cast<std::uint8_t>(TTokenKind::Hour);
    steps->push_back(step);
  }
  return steps;
}

std::string FormatDateTimeValue(std::string_view pattern, TDateTimeValue value,
                                bool intervalMode, const TFormatSettings& settings) {
  const TValueParts parts = PartsOf(value);
  std::string out;
  TRenderer renderer(out, parts, intervalMode, settings);
  renderer.Render(pattern, 0);
  renderer.Finish();
  return out;
}

TDatePattern::TDatePattern(std::string_view text) : text_(text) {
  const std::string_view own = text_;
  auto tokens = std::make_shared<std::vector<TStoredToken>>();
  for (std::size_t i = 0; i < own.size();) {
    const TPatternToken t = NextPatternToken(own, i);
    tokens->push_back({static_cast<std::uint8_t>(t.Kind), t.Letter, t.Count,
                       static_cast<std::size_t>(t.Text.data() - own.data()), t.Text.size()});
    twelveHour_ = twelveHour_ || t.Kind == TTokenKind::AmPmLetters || t.Kind == TTokenKind::AmPmShort ||
                  t.Kind == TTokenKind::AmPmRegional;
  }
  numeric_ = NumericSteps(*tokens);
  tokens_ = std::move(tokens);
}

TDatePattern TDatePattern::Compile(std::string_view text, const TFormatSettings& settings) {
  // Only a token that is no token fails, so one rendering of any date tells.
  FormatDateTimeValue(text, TDateTimeValue(), false, settings);
  return TDatePattern(text);
}

TDatePattern TDatePattern::Iso8601(TIsoPrecision precision, const TTimeZone& zone) {
  TDatePattern pattern;
  pattern.form_ = TForm::Iso8601;
  pattern.precision_ = precision;
  pattern.zone_ = &zone;
  return pattern;
}

TDatePattern TDatePattern::RfcEmail(const TTimeZone& zone) {
  TDatePattern pattern;
  pattern.form_ = TForm::RfcEmail;
  pattern.zone_ = &zone;
  return pattern;
}

void TDatePattern::RenderTo(std::string& out, TDateTimeValue value, bool intervalMode,
                            const TFormatSettings& settings) const {
  RenderTo(out, value, std::nullopt, intervalMode, settings);
}

void TDatePattern::RenderTo(std::string& out, TDateTimeValue value,
                            std::optional<TMoment> instant, bool intervalMode,
                            const TFormatSettings& settings) const {
  if (form_ != TForm::Pattern) {
    // The instant, or the reading as the moment it is in the zone, shown there with its
    // offset (so a reading the clocks skipped shows as the moment it is taken for).
    const TZonedDateTime shown = zone_->Show(instant ? *instant : zone_->MomentOf(value));
    out += form_ == TForm::Iso8601 ? FormatIso8601(shown, precision_) : FormatRfcEmail(shown);
    return;
  }
  if (numeric_) {
    TDateParts date;
    TTimeParts time;
    DecodeDateTime(value, date, time);
    char text[kNumericBytes];
    char* p = text;
    for (const TNumericStep& step : *numeric_) {
      switch (step.Field) {
        case TNumericStep::Text:  // mostly a character or two: no call for them
          for (std::size_t i = 0; i < step.Length; ++i) *p++ = text_[step.From + i];
          break;
        case TNumericStep::DateSep: *p++ = settings.DateSeparator; break;
        case TNumericStep::TimeSep: *p++ = settings.TimeSeparator; break;
        case TNumericStep::Day: p = PutNumber(p, date.Day, step.Width); break;
        case TNumericStep::Month: p = PutNumber(p, date.Month, step.Width); break;
        case TNumericStep::Year: p = PutNumber(p, date.Year, step.Width); break;
        case TNumericStep::ShortYear: p = PutNumber(p, date.Year % 100, step.Width); break;
        case TNumericStep::Hour: p = PutNumber(p, time.Hour, step.Width); break;
        case TNumericStep::Minute: p = PutNumber(p, time.Minute, step.Width); break;
        case TNumericStep::Second: p = PutNumber(p, time.Second, step.Width); break;
        case TNumericStep::Millisecond: p = PutNumber(p, time.Millisecond, step.Width); break;
      }
    }
    out.append(text, static_cast<std::size_t>(p - text));
    return;
  }
  const TValueParts parts = PartsOf(value);
  TRenderer renderer(out, parts, intervalMode, settings);
  static const std::vector<TStoredToken> kNone;
  renderer.Render(text_, tokens_ ? *tokens_ : kNone, twelveHour_);
  renderer.Finish();
}

}  // namespace zentrel
