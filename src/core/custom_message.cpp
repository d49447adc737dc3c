#include "core/custom_message.h"

#include "core/line_end.h"
#include "core/text.h"

namespace zentrel {
namespace {

// While the tokens are resolved, the message is a string of units: a unit below 256 is a
// byte of the message, the units above stand for what the resolution has placed. The placed
// units never equal a byte, so no byte the user typed can be mistaken for one of them.
using TUnits = std::u16string;
constexpr char16_t kBackslash = 0x100;  ///< a literal "\\", kept out of the token search
constexpr char16_t kEnd = 0x101;        ///< the end of the typed message (see dividers)
constexpr char16_t kValue = 0x102;      ///< where the value goes

/// Processed in this order; a divider is its character repeated kDividerWidth times.
constexpr std::string_view kDividerChars = "-=_*~@#:;.,|/";
constexpr size_t kDividerWidth = 79;

TUnits Units(std::string_view text) {
  TUnits units;
  units.reserve(text.size());
  for (char c : text) units.push_back(static_cast<unsigned char>(c));
  return units;
}

char16_t Folded(char16_t unit) {
  return unit >= 'a' && unit <= 'z' ? static_cast<char16_t>(unit - 'a' + 'A') : unit;
}

/// Position of the first match of pattern at or after from, bytes compared without regard
/// to ASCII case; placed units match only themselves.
size_t Find(const TUnits& units, const TUnits& pattern, size_t from) {
  if (pattern.empty() || pattern.size() > units.size()) return TUnits::npos;
  for (size_t i = from; i + pattern.size() <= units.size(); ++i) {
    size_t k = 0;
    while (k < pattern.size() && Folded(units[i + k]) == Folded(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return TUnits::npos;
}

bool Contains(const TUnits& units, const TUnits& pattern) {
  return Find(units, pattern, 0) != TUnits::npos;
}

/// Every match replaced (or only the first), the search resuming after each replacement.
TUnits Replace(const TUnits& units, const TUnits& pattern, const TUnits& replacement,
               bool firstOnly = false) {
  if (pattern.empty()) return units;
  TUnits result;
  size_t pos = 0;
  for (size_t match = Find(units, pattern, pos); match != TUnits::npos;
       match = Find(units, pattern, pos)) {
    result.append(units, pos, match - pos);
    result.append(replacement);
    pos = match + pattern.size();
    if (firstOnly) break;
  }
  result.append(units, pos);
  return result;
}

size_t Count(const TUnits& units, const TUnits& pattern) {
  size_t count = 0;
  for (size_t pos = Find(units, pattern, 0); pos != TUnits::npos;
       pos = Find(units, pattern, pos + pattern.size())) {
    ++count;
  }
  return count;
}

bool EndsWith(const TUnits& units, size_t end, const TUnits& suffix) {
  return end >= suffix.size() && units.compare(end - suffix.size(), suffix.size(), suffix) == 0;
}

/// Replaces a divider token that only line breaks (at most maxBreaks of them, as many as the
/// message had "\n" tokens) separate from the end: the token becomes the divider line, the
/// line breaks stay and the end is consumed, so the message does not end with an empty line.
TUnits ReplaceDividerBeforeEnd(const TUnits& message, const TUnits& token, const TUnits& line,
                               size_t maxBreaks) {
  const TUnits lineEnd = Units(kLineEnd);
  TUnits result;
  size_t copied = 0;
  for (size_t mark = message.find(kEnd); mark != TUnits::npos;
       mark = message.find(kEnd, mark + 1)) {
    size_t start = mark;
    size_t breaks = 0;
    while (breaks <= maxBreaks && EndsWith(message, start, lineEnd)) {
      start -= lineEnd.size();
      ++breaks;
    }
    if (breaks > maxBreaks || start < copied || !EndsWith(message, start, token)) continue;
    start -= token.size();
    result.append(message, copied, start - copied);
    result.append(line);
    for (size_t i = 0; i < breaks; ++i) result.append(lineEnd);
    copied = mark + 1;
  }
  result.append(message, copied);
  return result;
}

}  // namespace

void TCustomMessage::AppendText(std::string_view text) {
  if (text.empty()) return;
  if (pieces_.empty() || pieces_.back().IsValue) pieces_.push_back({});
  pieces_.back().Text.append(text);
}

void TCustomMessage::AppendValue() { pieces_.push_back({true, {}}); }

std::string TCustomMessage::Render(std::string_view value) const {
  std::string out;
  for (const TPiece& piece : pieces_) out.append(piece.IsValue ? value : piece.Text);
  return out;
}

TCustomMessage PrepareCustomMessage(std::string_view text,
                                    const std::vector<std::string>& parameters) {
  // Literal backslashes are set aside first, so that "\\v" and "\\z " are no tokens and a
  // message ending in a lone backslash still gets its value appended.
  TUnits message = Replace(Units(text), u"\\\\", TUnits(1, kBackslash));

  const bool spaced = Contains(message, u"\\z ");
  const TUnits spacer = spaced ? u" " : u"";
  if (spaced) message += u' ';

  const TUnits valueToken = u"\\v" + spacer;
  const bool hasValueToken = Contains(message, valueToken);
  bool suppressed = false;
  if (!hasValueToken) {
    for (const std::string& parameter : parameters) {
      if (SameText(parameter, "\\s")) suppressed = true;
    }
  }
  if (!hasValueToken && !suppressed) message += valueToken;
  message += kEnd;

  const size_t lineBreaks = Count(message, u"\\n" + spacer);

  message = Replace(message, u"\\t" + spacer, u"\t");
  message = Replace(message, u"\\q" + spacer, u"\"");
  message = Replace(message, u"\\n" + spacer, Units(kLineEnd));
  // Only the first "\z " is removed. Its removal can close the text around it up into a
  // new token, which the replacements below then resolve.
  message = Replace(message, u"\\z ", u"", true);
  if (suppressed) {
    message = Replace(message, u"\\s ", u"", true);
  } else {
    message = Replace(message, valueToken, TUnits(1, kValue));
  }

  for (char divider : kDividerChars) {
    const TUnits token = u"\\" + TUnits(1, static_cast<char16_t>(divider)) + spacer;
    if (!Contains(message, token)) continue;
    const TUnits line(kDividerWidth, static_cast<char16_t>(divider));
    message = ReplaceDividerBeforeEnd(message, token, line, lineBreaks);
    message = Replace(message, token, line + Units(kLineEnd));
  }

  TCustomMessage prepared;
  std::string run;
  for (char16_t unit : message) {
    if (unit == kValue) {
      prepared.AppendText(run);
      run.clear();
      prepared.AppendValue();
    } else if (unit == kBackslash) {
      run += '\\';
    } else if (unit != kEnd) {
      run += static_cast<char>(unit);
    }
  }
  prepared.AppendText(run);
  return prepared;
}

}  // namespace zentrel
