#include "perf/timing_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/text.h"
#include "perf/line_words.h"

namespace zentrel {
namespace {

using line_words::BlankMask;
using line_words::ByteMask;
using line_words::FourOrMore;
using line_words::kWindow;
using line_words::SkipBlanks;
using line_words::SkipWord;

constexpr std::string_view kAggregateId = "[#ZZ]";
constexpr std::string_view kAggregateName = "- *** AGGREGATE JOB TIME ***";

/// UpperAscii of one character, inlined: the filter folds every byte it compares.
inline char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

/// A pattern found without regard to ASCII case. The search runs memchr over one
/// character of the pattern, preferably one that is no letter (so it needs no folding) and
/// is rare in timing files, and compares the whole pattern only where that one occurs.
class TFoldedPattern {
 public:
  explicit TFoldedPattern(std::string_view pattern) : upper_(UpperAscii(pattern)) {
    constexpr std::string_view kCommon = " -0123456789:.";
    int bestRank = 3;  // 0: rare non-letter, 1: common non-letter, 2: letter
    for (std::size_t i = 0; i < upper_.size(); ++i) {
      const char c = upper_[i];
      const int rank = (c >= 'A' && c <= 'Z') ? 2 : kCommon.find(c) != kCommon.npos ? 1 : 0;
      if (rank < bestRank) {
        bestRank = rank;
        anchor_ = i;
      }
    }
    anchorIsLetter_ = bestRank == 2;
    if (upper_.size() <= sizeof(word_)) {
      // Each byte as compared: a letter with its case bit set, on both sides.
      char bytes[sizeof(word_)] = {}, caseBits[sizeof(word_)] = {}, mask[sizeof(word_)] = {};
      for (std::size_t i = 0; i < upper_.size(); ++i) {
        const bool letter = upper_[i] >= 'A' && upper_[i] <= 'Z';
        caseBits[i] = letter ? 0x20 : 0;
        bytes[i] = static_cast<char>(upper_[i] | caseBits[i]);
        mask[i] = static_cast<char>(0xFF);
      }
      std::memcpy(&word_, bytes, sizeof word_);
      std::memcpy(&caseBits_, caseBits, sizeof caseBits_);
      std::memcpy(&mask_, mask, sizeof mask_);
    }
  }

  bool Empty() const { return upper_.empty(); }

  bool FoundIn(std::string_view text) const {
    const std::size_t size = upper_.size();
    if (size == 0 || size > text.size()) return false;
    const char* data = text.data();
    const char anchor = upper_[anchor_];
    // Candidate anchor positions lie in [anchor_, last].
    const std::size_t last = text.size() - size + anchor_;
    std::size_t i = anchor_;
    if (!anchorIsLetter_ && text.size() >= kWindow) {
      // The first 64 bytes at once: most lines hold the pattern there, if at all.
      std::uint64_t candidates = ByteMask(data, anchor) & (~std::uint64_t{0} << anchor_);
      while (candidates != 0) {
        const std::size_t at = static_cast<std::size_t>(__builtin_ctzll(candidates));
        if (at > last) return false;
        if (MatchesAt(data + at - anchor_, text.size() - (at - anchor_))) return true;
        candidates &= candidates - 1;
      }
      i = std::max(i, kWindow);
    }
    while (i <= last) {
      if (anchorIsLetter_) {
        if (Fold(data[i]) != anchor) {
          ++i;
          continue;
        }
      } else {
        const void* hit = std::memchr(data + i, anchor, last - i + 1);
        if (hit == nullptr) return false;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
      }
      if (MatchesAt(data + i - anchor_, text.size() - (i - anchor_))) return true;
      ++i;
    }
    return false;
  }

  /// True when the pattern begins at start, which has available bytes after it (at least
  /// the pattern's size). A pattern of up to 8 bytes is compared in one word when 8 bytes
  /// are there to read.
  bool MatchesAt(const char* start, std::size_t available) const {
    if (upper_.size() <= sizeof(word_) && available >= sizeof(word_)) {
      std::uint64_t text = 0;
      std::memcpy(&text, start, sizeof text);
      return ((text | caseBits_) & mask_) == word_;
    }
    std::size_t k = 0;
    while (k < upper_.size() && Fold(start[k]) == upper_[k]) ++k;
    return k == upper_.size();
  }

 private:
  std::string upper_;
  std::size_t anchor_ = 0;
  bool anchorIsLetter_ = true;
  std::uint64_t word_ = 0, caseBits_ = 0, mask_ = 0;  ///< a pattern of up to 8 bytes
};

/// True when the line has at least four words (runs of characters other than blank).
bool HasFourWords(std::string_view line) {
  if (line.size() >= kWindow) {
    const std::uint64_t words = ~BlankMask(line.data());
    if (FourOrMore(words & ~(words << 1))) return true;
  }
  const char* p = line.data();
  const char* end = p + line.size();
  for (int word = 0; word < 3; ++word) p = SkipWord(SkipBlanks(p, end), end);
  return SkipBlanks(p, end) < end;
}

/// The line filter. Each test alone removes a line, so the order in which lines are
/// tested does not change what is kept. The two aggregate markers are looked for only in
/// lines that may hold a 'Z', 'z' (for "[#ZZ]") or '*' (for the name), which the line finder
/// tells: timing files rarely carry these, so most lines skip both searches.
class TLineFilter {
 public:
  explicit TLineFilter(std::string_view searchText) : key_(searchText) {}

  bool Keep(std::string_view line, bool mayHoldMarkers) const {
    if (key_.Empty() || !key_.FoundIn(line)) return false;
    if (mayHoldMarkers && (aggregateId_.FoundIn(line) || aggregateName_.FoundIn(line))) {
      return false;
    }
    return HasFourWords(line);
  }

 private:
  TFoldedPattern key_;
  TFoldedPattern aggregateId_{kAggregateId};
  TFoldedPattern aggregateName_{kAggregateName};
};

/// The line feeds among the 64 bytes at p, and the bytes a line is looked at more closely
/// for: a CR line end, and the letters of the aggregate markers the filter must find ('Z',
/// 'z', '*'). One bit each, bit i for p[i].
inline void LineByteMasks(const char* p, std::uint64_t& newlines, std::uint64_t& rares) {
#if defined(__SSE2__)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  const __m128i star = _mm_set1_epi8('*');
  const __m128i lowerBit = _mm_set1_epi8(0x20);
  const __m128i lowerZ = _mm_set1_epi8('z');
  newlines = 0;
  rares = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const __m128i rare = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, carriageReturn), _mm_cmpeq_epi8(bytes, star)),
        _mm_cmpeq_epi8(_mm_or_si128(bytes, lowerBit), lowerZ));
    const auto lines = static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed)));
    const auto rareBits = static_cast<std::uint16_t>(_mm_movemask_epi8(rare));
    newlines |= std::uint64_t{lines} << (16 * i);
    rares |= std::uint64_t{rareBits} << (16 * i);
  }
#else
  newlines = ByteMask(p, '\n');
  rares = ByteMask(p, '\r') | ByteMask(p, 'Z') | ByteMask(p, 'z') | ByteMask(p, '*');
#endif
}

/// Finds the line feeds of a text in order, 64 bytes at a time: a line of some tens of
/// bytes then costs a mask or two instead of a call. It also tells whether the bytes
/// before the line feed found may hold one of the rare bytes (LineByteMasks).
class TNewlineFinder {
 public:
  explicit TNewlineFinder(const char* end) : end_(end) {}

  struct THit {
    const char* Newline;  ///< nullptr when none follows
    bool MayHoldRare;     ///< [p, Newline) holds a rare byte, or was not looked at
  };

  /// The first line feed at p or after it.
  THit Next(const char* p) {
    bool rare = false;
    for (;;) {
      if (block_ != nullptr && p >= block_ && p < block_ + kWindow) {
        const std::uint64_t from = ~std::uint64_t{0} << static_cast<unsigned>(p - block_);
        const std::uint64_t after = newlines_ & from;
        if (after != 0) {
          const unsigned at = static_cast<unsigned>(__builtin_ctzll(after));
          rare = rare || (rares_ & from & ((std::uint64_t{1} << at) - 1)) != 0;
          return {block_ + at, rare};
        }
        rare = rare || (rares_ & from) != 0;
        p = block_ + kWindow;
      }
      if (end_ - p < static_cast<std::ptrdiff_t>(kWindow)) {
        block_ = nullptr;
        return {static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end_ - p))),
                true};
      }
      block_ = p;
      // The text is read once, straight from memory: ask for it well ahead, as the
      // processor's own look-ahead stops at every page.
      __builtin_prefetch(p + kPrefetchAhead);
      LineByteMasks(p, newlines_, rares_);
    }
  }

 private:
  static constexpr std::size_t kPrefetchAhead = 4096;
  const char* end_;
  const char* block_ = nullptr;
  std::uint64_t newlines_ = 0, rares_ = 0;
};

/// Roughly how many lines the text holds, from the line ends in its first 64 KiB; used
/// only to size the array of line places once.
std::size_t EstimateLines(std::string_view text) {
  const std::string_view sample = text.substr(0, 1 << 16);
  std::size_t ends = 0;
  for (char c : sample) ends += (c == '\n' || c == '\r') ? 1 : 0;
  if (ends == 0 || sample.size() == text.size()) return ends + 1;
  // Ten per cent more than the sample's rate; integer arithmetic cannot overflow here, as
  // ends is at most 65536.
  return text.size() / sample.size() * ends * 11 / 10 + ends + 16;
}

/// Calls visit(line, mayHoldRare) for every line of text until it returns false; CR LF, LF
/// and CR each end a line, and a line end at the very end of the text does not start
/// another (empty) line. mayHoldRare is false when the line holds none of the bytes of
/// LineByteMasks. Begun at the start of any line, it finds the lines that follow as from the
/// text's start.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  const char* p = text.data();
  const char* end = p + text.size();
  TNewlineFinder newlines(end);
  while (p < end) {
    const TNewlineFinder::THit hit = newlines.Next(p);
    const char* segmentEnd = hit.Newline != nullptr ? hit.Newline : end;
    const std::size_t size = static_cast<std::size_t>(segmentEnd - p);
    if (!hit.MayHoldRare || std::memchr(p, '\r', size) == nullptr) {
      if (!visit(std::string_view(p, size), hit.MayHoldRare)) return;
      p = hit.Newline != nullptr ? segmentEnd + 1 : end;
      continue;
    }
    // A segment up to an LF that holds CR line ends (CR LF, or CR alone).
    const char* start = p;
    for (;;) {
      const void* cr = std::memchr(start, '\r', static_cast<std::size_t>(segmentEnd - start));
      if (cr == nullptr) {
        if (start < segmentEnd || hit.Newline != nullptr) {
          if (!visit(std::string_view(start, static_cast<std::size_t>(segmentEnd - start)), true)) {
            return;
          }
        }
        break;
      }
      const char* crEnd = static_cast<const char*>(cr);
      if (!visit(std::string_view(start, static_cast<std::size_t>(crEnd - start)), true)) return;
      start = crEnd + 1;
      if (start == segmentEnd) break;  // CR LF, or a CR at the very end
    }
    p = hit.Newline != nullptr ? segmentEnd + 1 : end;
  }
}

}  // namespace

void TTimingLines::Clear() {
  std::vector<std::size_t>().swap(checkpoints_);
  std::vector<TPlace>().swap(places_);
  kept_ = false;
  keptCount_ = 0;
  file_.reset();
}

bool CheckTimingFile(platform::FileReader& files, TTextWriter& err, std::string_view label,
                     const std::string& fileName) {
  const std::string heading = " Performance Input File!";
  if (fileName.empty()) {
    err.WriteLine("ERROR: No Filename was Supplied for " + UpperAscii(label) + heading);
    return false;
  }
  const std::optional<std::string> problem = files.WholeReadProblem(fileName);
  if (!problem) return true;
  err.WriteLine("ERROR: Could Not Open " + UpperAscii(label) + heading);
  err.WriteLine(" \"" + fileName + "\": " + *problem);
  return false;
}

bool ReadTimingFile(platform::FileReader& files, const std::string& fileName,
                    TTimingLines& lines) {
  lines.Clear();
  lines.file_ = files.ViewWholeFile(fileName);
  return lines.file_ != nullptr;
}

void KeepTimingLines(TTimingLines& lines, std::string_view searchText, std::size_t placeLimit) {
  const std::string_view text = lines.file_ == nullptr ? std::string_view() : lines.file_->Bytes();
  lines.searchText_.assign(searchText);
  lines.checkpoints_.clear();
  lines.places_.clear();
  // A kept line has four words, so at least eight bytes with its line end.
  lines.places_.reserve(std::min(EstimateLines(text), text.size() / 8 + 1));
  bool placed = true;  // every line's place fits in 32 bits from its checkpoint
  std::size_t base = 0;
  std::size_t count = 0;
  const TLineFilter filter(searchText);
  ForEachLine(text, [&](std::string_view line, bool mayHoldRare) {
    if (!filter.Keep(line, mayHoldRare)) return true;
    const std::size_t offset = static_cast<std::size_t>(line.data() - text.data());
    if (count % TTimingLines::kCheckpointEvery == 0) {
      lines.checkpoints_.push_back(offset);
      base = offset;
    }
    if (placed && offset - base <= placeLimit && line.size() <= placeLimit) {
      lines.places_.push_back({static_cast<std::uint32_t>(offset - base),
                               static_cast<std::uint32_t>(line.size())});
    } else if (placed) {
      placed = false;  // found again by reading from the checkpoints instead
      std::vector<TTimingLines::TPlace>().swap(lines.places_);
    }
    ++count;
    return true;
  });
  lines.keptCount_ = count;
  lines.kept_ = true;
}

std::size_t TTimingLines::ReadLines(std::size_t first, std::span<std::string_view> out) const {
  if (!kept_ || first > keptCount_ || out.empty()) return 0;
  std::size_t filled = 0;
  const std::string_view text = file_->Bytes();
  if (first < keptCount_ && places_.size() == keptCount_) {
    const std::size_t wanted = std::min(out.size(), keptCount_ - first);
    for (; filled < wanted; ++filled) {
      const std::size_t index = first + filled;
      const TPlace place = places_[index];
      out[filled] = text.substr(checkpoints_[index / kCheckpointEvery] + place.Offset, place.Size);
    }
  } else if (first < keptCount_) {
    const std::size_t checkpoint = first / kCheckpointEvery;
    std::size_t skip = first - checkpoint * kCheckpointEvery;
    const std::string_view rest = text.substr(checkpoints_[checkpoint]);
    const TLineFilter filter(searchText_);
    ForEachLine(rest, [&](std::string_view line, bool mayHoldRare) {
      if (!filter.Keep(line, mayHoldRare)) return true;
      if (skip > 0) {
        --skip;
        return true;
      }
      out[filled++] = line;
      return filled < out.size() && first + filled < keptCount_;
    });
  }
  if (filled < out.size() && first + filled == keptCount_) out[filled++] = kAggregateLine;
  return filled;
}

std::string_view TTimingLines::Line(std::size_t index) const {
  std::string_view line;
  return ReadLines(index, std::span(&line, 1)) == 1 ? line : std::string_view();
}

bool LoadTimingFile(platform::FileReader& files, const std::string& fileName,
                    std::string_view searchText, TTimingLines& lines) {
  if (!ReadTimingFile(files, fileName, lines)) return false;
  KeepTimingLines(lines, searchText);
  return true;
}

bool CheckTimingCount(TTextWriter& err, std::string_view label, std::size_t count) {
  if (count > 1) return true;
  err.WriteLine("ERROR: " + UpperAscii(label) + " Source File Has Invalid Data!");
  return false;
}

}  // namespace zentrel
