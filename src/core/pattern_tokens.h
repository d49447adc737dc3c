// The tokens of the -f pattern language, as the renderer writes dates with them and the
// input patterns read dates with them: runs of a letter, AM/PM markers, separators,
// brackets and literal text.
#pragma once

#include <cstddef>
#include <string_view>

namespace zentrel {

/// What a token of a pattern is.
enum class TTokenKind {
  Literal,     ///< Text copied as it stands (quoted text, other characters, other letters).
  DateSep,
  TimeSep,
  OpenBracket,
  CloseBracket,
  Day,         ///< run of d
  Month,       ///< run of m
  Year,        ///< run of y
  Hour,        ///< run of h
  Minute,      ///< run of n
  Second,      ///< run of s
  Millisecond, ///< run of z
  TimeText,    ///< run of t
  DateTimeText,///< run of c
  AmPmLetters, ///< am/pm in any case
  AmPmShort,   ///< a/p in any case
  AmPmRegional,///< ampm
  EraYear,     ///< run of e: the year without leading zeros
  EraName,     ///< run of g: the Gregorian era name
};

/// One token: its kind, and the text it was read from.
struct TPatternToken {
  TTokenKind Kind;
  std::size_t Count;        ///< letters in the run
  std::string_view Text;    ///< the token's own characters (or the literal text)
  bool Letter;              ///< a letter token, which ends an hour-then-minutes context
};

/// Reads the token that starts at i and moves i past it; throws ConversionError for an "a"
/// that starts no AM/PM token. Tokens are read on the fly, so a pattern costs no allocation.
TPatternToken NextPatternToken(std::string_view pattern, std::size_t& i);

}  // namespace zentrel
