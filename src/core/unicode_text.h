// Reading regional texts in UTF-8 as people type them: code points, simple case folding
// (so "ös" is "ÖS" and "오후" is itself), the blanks a locale puts inside its texts
// (no-break and narrow no-break spaces), and the invisible marks of writing direction.
// The program's own option and format names keep their ASCII-only matching (text.h), so
// no locale's letters (Turkish dotless i) can change how they match.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel {

/// The code point at i, moving i past it; a byte that starts no valid UTF-8 sequence is
/// taken alone, as the code point of its value.
char32_t NextCodePoint(std::string_view text, std::size_t& i);

/// Unicode simple case folding for the scripts regional texts are written in (Latin,
/// Greek, Cyrillic, Armenian, fullwidth Latin); every other code point is its own fold.
char32_t FoldCase(char32_t c);

/// A blank as locales write them: space, tab, no-break, narrow no-break and thin spaces.
bool IsBlankLike(char32_t c);

/// The text without the left-to-right, right-to-left and Arabic letter marks and the
/// direction embeddings and isolates, which some locales put around separators.
std::string WithoutDirectionMarks(std::string_view text);

/// Where marker ends when it is found at `at` in text, compared folded and with blanks
/// (IsBlankLike) left out on both sides: "p. m." is found in "p.m." and "P.M.". Nothing
/// when it is not there or is empty.
std::optional<std::size_t> MatchFolded(std::string_view text, std::size_t at,
                                       std::string_view marker);

}  // namespace zentrel
