#include "core/input_pattern.h"

#include <array>
#include <cstdint>

#include "core/conversion_error.h"
#include "core/pattern_tokens.h"
#include "core/text.h"
#include "core/unicode_text.h"

namespace zentrel {
namespace {

constexpr const char* kCannotRead = "Cannot read with this pattern";
constexpr const char* kNoMatch = "Does not match the input format";

/// One step of a pattern: a run of one letter, an AM/PM marker or a piece of literal text.
struct TStep {
  char Letter = 0;         ///< upper case; 0 for literal text, 'A' for an AM/PM marker
  std::size_t Count = 0;   ///< letters in the run
  std::string_view Text;   ///< the literal text, or the marker's form ("am/pm", "a/p", "ampm")
  bool Separator = false;  ///< "/" or ":": the regional separator stands for it
};

/// Reads the step that starts at i (a token as -f reads it) and moves i past it; throws
/// for a token that reads nothing fixed.
TStep NextStep(std::string_view pattern, std::size_t& i) {
  TPatternToken t;
  try {
    t = NextPatternToken(pattern, i);
  } catch (const ConversionError&) {
    throw ConversionError(kCannotRead);  // an "a" that starts no marker
  }
  const auto run = [&](char letter) { return TStep{letter, t.Count, t.Text}; };
  switch (t.Kind) {
    case TTokenKind::DateSep:
    case TTokenKind::TimeSep: return {0, 0, t.Text, true};
    case TTokenKind::Day:
    case TTokenKind::Month:
      if (t.Count > 4) throw ConversionError(kCannotRead);
      return run(t.Kind == TTokenKind::Day ? 'D' : 'M');
    case TTokenKind::Year: return run('Y');
    case TTokenKind::Hour: return run('H');
    case TTokenKind::Minute: return run('N');
    case TTokenKind::Second: return run('S');
    case TTokenKind::Millisecond: return run('Z');
    case TTokenKind::AmPmLetters: return {'A', 0, "am/pm"};
    case TTokenKind::AmPmShort: return {'A', 0, "a/p"};
    case TTokenKind::AmPmRegional: return {'A', 0, "ampm"};
    case TTokenKind::TimeText:
    case TTokenKind::DateTimeText:
    case TTokenKind::EraYear:
    case TTokenKind::EraName: throw ConversionError(kCannotRead);
    case TTokenKind::Literal:
    case TTokenKind::OpenBracket:
    case TTokenKind::CloseBracket: break;  // any other letter stands for itself too
  }
  return {0, 0, t.Text};
}

/// The fields a text gives, before they are checked and put together.
struct TReadFields {
  int Year = -1, Month = -1, Day = -1;
  int Hour = -1, Minute = 0, Second = 0, Millisecond = 0;
  int Half = 0;  ///< 1 for AM, 2 for PM
  bool TwoDigitYear = false;
};

class TReader {
 public:
  TReader(std::string_view text, const TFormatSettings& settings)
      : text_(text), settings_(settings) {}

  /// A run of digits: exactly `least` when least == most, else least to most, greedily.
  int Digits(std::size_t least, std::size_t most) {
    int value = 0;
    std::size_t n = 0;
    while (n < most && at_ < text_.size() && IsDigit(text_[at_])) {
      value = value * 10 + (text_[at_++] - '0');
      ++n;
    }
    if (n < least) throw ConversionError(kNoMatch);
    return value;
  }

  void Literal(std::string_view literal) {
    if (text_.substr(at_, literal.size()) != literal) throw ConversionError(kNoMatch);
    at_ += literal.size();
  }

  /// The index of the longest name of either list found here (folded), moving past it.
  template <std::size_t N>
  int Name(const std::array<std::string, N>& names,
           const std::array<std::string, N>* others = nullptr) {
    int best = -1;
    std::size_t bestEnd = at_;
    for (const auto* list : {&names, others}) {
      for (std::size_t k = 0; list != nullptr && k < N; ++k) {
        const std::optional<std::size_t> end = MatchFolded(text_, at_, (*list)[k]);
        if (end && *end > bestEnd) {
          bestEnd = *end;
          best = static_cast<int>(k);
        }
      }
    }
    if (best < 0) throw ConversionError(kNoMatch);
    at_ = bestEnd;
    return best;
  }

  /// 1 for the AM marker, 2 for PM, as the step spells them or the regional texts.
  int Marker(std::string_view form) {
    std::string_view am = form == "ampm" ? settings_.TimeAMString : form.substr(0, form.size() / 2);
    std::string_view pm = form == "ampm" ? settings_.TimePMString : form.substr(form.size() / 2 + 1);
    std::optional<std::size_t> end = MatchFolded(text_, at_, am);
    int half = 1;
    if (!end) {
      end = MatchFolded(text_, at_, pm);
      half = 2;
    }
    if (!end) throw ConversionError(kNoMatch);
    at_ = *end;
    return half;
  }

  bool AtEnd() const { return at_ == text_.size(); }

 private:
  std::string_view text_;
  const TFormatSettings& settings_;
  std::size_t at_ = 0;
};

/// The fields of the text read step by step through the pattern; throws when it does not
/// follow the pattern.
TReadFields ReadFields(std::string_view pattern, std::string_view text,
                       const TFormatSettings& settings) {
  TReader reader(text, settings);
  TReadFields fields;
  bool afterHour = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const TStep step = NextStep(pattern, i);
    const bool fixed = step.Count >= 2;
    switch (step.Letter) {
      case 0:
        if (step.Separator) {
          const char separator = step.Text[0] == '/' ? settings.DateSeparator : settings.TimeSeparator;
          reader.Literal(std::string_view(&separator, 1));
        } else {
          reader.Literal(step.Text);
        }
        break;
      case 'A': fields.Half = reader.Marker(step.Text); break;
      case 'D':
        if (step.Count <= 2) {
          fields.Day = reader.Digits(fixed ? 2 : 1, 2);
        } else {
          reader.Name(step.Count == 3 ? settings.ShortDayNames : settings.LongDayNames);
        }
        break;
      case 'M':
        if (afterHour && step.Count <= 2) {
          fields.Minute = reader.Digits(fixed ? 2 : 1, 2);
        } else if (step.Count <= 2) {
          fields.Month = reader.Digits(fixed ? 2 : 1, 2);
        } else if (step.Count == 3) {
          fields.Month = reader.Name(settings.ShortMonthNames) + 1;
        } else {
          // The long name, or the form a date declines it to after the day.
          fields.Month = reader.Name(settings.LongMonthNames, &settings.GenitiveMonthNames) + 1;
        }
        break;
      case 'Y':
        fields.TwoDigitYear = step.Count <= 2;
        fields.Year = reader.Digits(fields.TwoDigitYear ? 2 : 4, fields.TwoDigitYear ? 2 : 4);
        break;
      case 'H': fields.Hour = reader.Digits(fixed ? 2 : 1, 2); break;
      case 'N': fields.Minute = reader.Digits(fixed ? 2 : 1, 2); break;
      case 'S': fields.Second = reader.Digits(fixed ? 2 : 1, 2); break;
      case 'Z':
        fields.Millisecond = step.Count >= 3 ? reader.Digits(3, 3) : reader.Digits(1, 3);
        break;
    }
    if (step.Letter != 0) afterHour = step.Letter == 'H';
  }
  if (!reader.AtEnd()) throw ConversionError(kNoMatch);
  return fields;
}

}  // namespace

void CheckInputPattern(std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size();) NextStep(pattern, i);
}

TDateTimeValue ReadWithPattern(std::string_view pattern, std::string_view text,
                               const TFormatSettings& settings, TDateTimeValue now) {
  const TReadFields f = ReadFields(pattern, TrimBlanks(text), settings);
  const bool dateRead = f.Year >= 0 || f.Month >= 0 || f.Day >= 0;
  TDateTimeValue date = now.DatePart();
  if (dateRead) {
    const TDateParts today = DecodeDate(now);
    int year = f.Year < 0 ? today.Year : f.Year;
    if (f.TwoDigitYear) year = WindowedYear(f.Year, today.Year, settings.TwoDigitYearCenturyWindow);
    const int month = f.Month >= 0 ? f.Month : f.Day >= 0 ? today.Month : 1;
    date = EncodeDate(year, month, f.Day >= 0 ? f.Day : 1);
  }
  int hour = f.Hour < 0 ? 0 : f.Hour;
  if (f.Half != 0) {
    if (hour < 1 || hour > 12) throw ConversionError("Invalid time");
    hour = hour % 12 + (f.Half == 2 ? 12 : 0);
  }
  return CombineDateTime(date, EncodeTime(hour, f.Minute, f.Second, f.Millisecond));
}

}  // namespace zentrel
