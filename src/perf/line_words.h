// The words of a timing-file line, found 64 bytes at a time where the line allows: words
// are runs of characters other than the blank (code 32 only). The line filter asks whether
// a line has four words, the entry reader where its second to fourth begin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentrel::line_words {

/// The bytes looked at a time.
inline constexpr std::size_t kWindow = 64;

/// Where the byte occurs among the 64 bytes at p, one bit each (bit i for p[i]).
inline std::uint64_t ByteMask(const char* p, char byte) {
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(byte);
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const auto bits = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
    mask |= std::uint64_t{bits} << (16 * i);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < kWindow; ++i) mask |= std::uint64_t{p[i] == byte} << i;
  return mask;
#endif
}

inline const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && *p == ' ') ++p;
  return p;
}

inline const char* SkipWord(const char* p, const char* end) {
  while (p < end && *p != ' ') ++p;
  return p;
}

struct TWordSpans {
  std::string_view Word2, Word3;
  std::size_t Word4 = std::string_view::npos;  ///< position of word 4, npos when none
};

/// The blanks among the 64 bytes at p, one bit each (bit i for p[i]).
inline std::uint64_t BlankMask(const char* p) { return ByteMask(p, ' '); }

/// At least four bits set.
inline bool FourOrMore(std::uint64_t bits) {
  bits &= bits - 1;
  bits &= bits - 1;
  bits &= bits - 1;
  return bits != 0;
}

/// FindWords for a line whose first four words begin, and whose third ends, within its
/// first 64 bytes, read a window at a time instead of byte by byte; false for any other
/// line, which the byte loops take.
inline bool FindWordsInWindow(std::string_view line, TWordSpans& spans) {
  if (line.size() < kWindow) return false;
  const std::uint64_t blanks = BlankMask(line.data());
  const std::uint64_t words = ~blanks;
  std::uint64_t starts = words & ~(words << 1);  // a word byte after a blank or at 0
  std::uint64_t ends = blanks & (words << 1);    // a blank after a word byte
  if (!FourOrMore(starts)) return false;
  std::size_t start[4];
  for (std::size_t& at : start) {
    at = static_cast<std::size_t>(__builtin_ctzll(starts));
    starts &= starts - 1;
  }
  // Word 2 ends at the first blank after its start, word 3 likewise; both lie before the
  // start of word 4, so within the window.
  auto endAfter = [&](std::size_t from) {
    return static_cast<std::size_t>(__builtin_ctzll(ends & (~std::uint64_t{0} << from)));
  };
  const std::size_t end2 = endAfter(start[1]);
  const std::size_t end3 = endAfter(start[2]);
  spans.Word2 = line.substr(start[1], end2 - start[1]);
  spans.Word3 = line.substr(start[2], end3 - start[2]);
  spans.Word4 = start[3];
  return true;
}

inline TWordSpans FindWords(std::string_view line) {
  TWordSpans spans;
  if (FindWordsInWindow(line, spans)) return spans;
  const char* begin = line.data();
  const char* end = begin + line.size();
  const char* p = SkipWord(SkipBlanks(begin, end), end);
  const char* start = SkipBlanks(p, end);
  p = SkipWord(start, end);
  spans.Word2 = std::string_view(start, static_cast<std::size_t>(p - start));
  start = SkipBlanks(p, end);
  p = SkipWord(start, end);
  spans.Word3 = std::string_view(start, static_cast<std::size_t>(p - start));
  start = SkipBlanks(p, end);
  if (start < end) spans.Word4 = static_cast<std::size_t>(start - begin);
  return spans;
}

}  // namespace zentrel::line_words
