#include "core/pattern_tokens.h"

#include "core/conversion_error.h"
#include "core/text.h"

namespace zentrel {
namespace {

constexpr const char* kIllegalCharacter = "Illegal character in format string";

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() && SameText(text.substr(at, prefix.size()), prefix);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

TPatternToken NextPatternToken(std::string_view pattern, std::size_t& i) {
  char c = pattern[i];
  if (c == '"' || c == '\'') {
    std::size_t close = pattern.find(c, i + 1);
    std::size_t end = close == std::string_view::npos ? pattern.size() : close;
    TPatternToken token{TTokenKind::Literal, 0, pattern.substr(i + 1, end - i - 1), false};
    i = close == std::string_view::npos ? end : end + 1;
    return token;
  }
  if (!IsLetter(c)) {
    TTokenKind kind = c == '/'   ? TTokenKind::DateSep
                      : c == ':' ? TTokenKind::TimeSep
                      : c == '[' ? TTokenKind::OpenBracket
                      : c == ']' ? TTokenKind::CloseBracket
                                 : TTokenKind::Literal;
    return {kind, 1, pattern.substr(i++, 1), false};
  }
  char u = UpperAscii(c);
  if (u == 'A') {
    static constexpr struct {
      std::string_view Text;
      TTokenKind Kind;
    } kAmPmForms[] = {{"am/pm", TTokenKind::AmPmLetters}, {"a/p", TTokenKind::AmPmShort},
                      {"ampm", TTokenKind::AmPmRegional}};
    for (const auto& form : kAmPmForms) {
      if (StartsWithNoCase(pattern, i, form.Text)) {
        TPatternToken token{form.Kind, form.Text.size(), pattern.substr(i, form.Text.size()), true};
        i += form.Text.size();
        return token;
      }
    }
    throw ConversionError(kIllegalCharacter);
  }
  std::size_t end = i + 1;
  while (end < pattern.size() && UpperAscii(pattern[end]) == u) ++end;
  std::size_t count = end - i;
  TTokenKind kind = TTokenKind::Literal;
  switch (u) {
    case 'D': kind = TTokenKind::Day; break;
    case 'M': kind = TTokenKind::Month; break;
    case 'Y': kind = TTokenKind::Year; break;
    case 'H': kind = TTokenKind::Hour; break;
    case 'N': kind = TTokenKind::Minute; break;
    case 'S': kind = TTokenKind::Second; break;
    case 'Z': kind = TTokenKind::Millisecond; break;
    case 'T': kind = TTokenKind::TimeText; break;
    case 'C': kind = TTokenKind::DateTimeText; break;
    case 'E': kind = TTokenKind::EraYear; break;
    case 'G': kind = TTokenKind::EraName; break;
    default: break;
  }
  TPatternToken token{kind, count, pattern.substr(i, count), true};
  i = end;
  return token;
}

}  // namespace zentrel
