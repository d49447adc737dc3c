#include "perf/timing_file.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace zentrel {
namespace {

constexpr std::string_view kAggregateId = "[#ZZ]";
constexpr std::string_view kAggregateName = "- *** AGGREGATE JOB TIME ***";
constexpr std::string_view kNoIdSection = "[#??]";
constexpr std::string_view kInvalidSection = "[#--] Invalid Entry";
constexpr std::string_view kInvalidTime = "0:00.000";
constexpr std::string_view kInvalidName = "- n/a";
/// How much of a line the name is taken from before it is cut to kTimingFieldMax.
constexpr std::size_t kNameTakeMax = 999;

/// True when upperKey (already upper-cased, not empty) occurs in text, comparing the text
/// upper-cased. The first character is found with memchr where it is not a letter.
bool ContainsUpper(std::string_view text, std::string_view upperKey) {
  if (upperKey.size() > text.size()) return false;
  const char first = upperKey.front();
  const bool firstIsLetter = first >= 'A' && first <= 'Z';
  const char* data = text.data();
  const std::size_t last = text.size() - upperKey.size();  // last possible start
  std::size_t i = 0;
  while (i <= last) {
    if (firstIsLetter) {
      if (UpperAscii(data[i]) != first) {
        ++i;
        continue;
      }
    } else {
      const void* hit = std::memchr(data + i, first, last - i + 1);
      if (hit == nullptr) return false;
      i = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    }
    std::size_t k = 1;
    while (k < upperKey.size() && UpperAscii(data[i + k]) == upperKey[k]) ++k;
    if (k == upperKey.size()) return true;
    ++i;
  }
  return false;
}

/// True when the line has at least four words (runs of characters other than blank).
bool HasFourWords(std::string_view line) {
  int words = 0;
  bool inWord = false;
  for (char c : line) {
    if (c == ' ') {
      inWord = false;
    } else if (!inWord) {
      inWord = true;
      if (++words == 4) return true;
    }
  }
  return false;
}

bool KeepLine(std::string_view line, std::string_view upperKey) {
  // Each test alone removes a line, so the order in which lines are visited does not
  // change what is kept.
  return !upperKey.empty() && ContainsUpper(line, upperKey) &&
         !ContainsUpper(line, kAggregateId) && !ContainsUpper(line, kAggregateName) &&
         HasFourWords(line);
}

std::size_t CountByte(std::string_view text, char c) {
  std::size_t count = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
    if (hit == nullptr) break;
    ++count;
    p = static_cast<const char*>(hit) + 1;
  }
  return count;
}

/// Calls visit for every line of text; CR LF, LF and CR each end a line, and a line end at
/// the very end of the text does not start another (empty) line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* segmentEnd = hit != nullptr ? static_cast<const char*>(hit) : end;
    // A segment up to an LF may still hold CR line ends (CR LF, or CR alone).
    const char* start = p;
    for (;;) {
      const void* cr = std::memchr(start, '\r', static_cast<std::size_t>(segmentEnd - start));
      if (cr == nullptr) {
        if (start < segmentEnd || hit != nullptr) {
          visit(std::string_view(start, static_cast<std::size_t>(segmentEnd - start)));
        }
        break;
      }
      const char* crEnd = static_cast<const char*>(cr);
      visit(std::string_view(start, static_cast<std::size_t>(crEnd - start)));
      start = crEnd + 1;
      if (start == segmentEnd) break;  // CR LF, or a CR at the very end
    }
    p = hit != nullptr ? segmentEnd + 1 : end;
  }
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

/// The text cut to at most max bytes. A cut that would split a UTF-8 sequence is moved to
/// the start of that sequence, so a valid name stays valid; bytes that are not UTF-8 are
/// cut where they stand.
std::string_view CutField(std::string_view text, std::size_t max) {
  if (text.size() <= max) return text;
  std::size_t cut = max;
  std::size_t k = cut;
  while (k > 0 && cut - k < 3 && IsContinuationByte(text[k])) --k;
  if (!IsContinuationByte(text[k])) cut = k;
  return text.substr(0, cut);
}

struct TWordSpans {
  std::string_view Word2, Word3;
  std::size_t Word4 = std::string_view::npos;  ///< position of word 4, npos when none
};

TWordSpans FindWords(std::string_view line) {
  TWordSpans spans;
  std::size_t i = 0;
  const std::size_t n = line.size();
  for (int word = 1; word <= 4; ++word) {
    while (i < n && line[i] == ' ') ++i;
    if (i == n) break;
    const std::size_t start = i;
    if (word == 4) {
      spans.Word4 = start;
      break;
    }
    while (i < n && line[i] != ' ') ++i;
    if (word == 2) spans.Word2 = line.substr(start, i - start);
    if (word == 3) spans.Word3 = line.substr(start, i - start);
  }
  return spans;
}

}  // namespace

void TTimingLines::Clear() {
  std::vector<std::string_view>().swap(lines_);
  std::string().swap(buffer_);
}

bool CheckTimingFile(TRunContext& run, std::string_view label, const std::string& fileName) {
  const char* problem = nullptr;
  if (fileName.empty()) {
    problem = "No Filename was Supplied for ";
  } else if (!run.Os.PathIsFile(fileName)) {
    problem = "Could Not Open ";
  } else {
    return true;
  }
  run.Err().WriteLine(std::string("ERROR: ") + problem + UpperAscii(label) +
                      " Performance Input File!");
  return false;
}

bool LoadTimingFile(TRunContext& run, const std::string& fileName, std::string_view searchText,
                    TTimingLines& lines) {
  lines.Clear();
  if (!run.Os.ReadWholeFile(fileName, lines.buffer_)) {
    lines.Clear();
    return false;
  }
  const std::string upperKey = UpperAscii(searchText);
  const std::string_view text = lines.buffer_;
  // One view per kept line, reserved once: a kept line has four words, so at least eight
  // bytes with its line end, which bounds the count for files of one long line.
  std::size_t estimate = CountByte(text, '\n') + 1;
  if (estimate == 1) estimate = CountByte(text, '\r') + 1;
  lines.lines_.reserve(std::min(estimate, text.size() / 8 + 1) + 1);
  ForEachLine(text, [&](std::string_view line) {
    if (KeepLine(line, upperKey)) lines.lines_.push_back(line);
  });
  lines.lines_.push_back(kAggregateLine);
  return true;
}

bool CheckTimingCount(TRunContext& run, std::string_view label, std::size_t count) {
  if (count > 1) return true;
  run.Err().WriteLine("ERROR: " + UpperAscii(label) + " Source File Has Invalid Data!");
  return false;
}

void SplitTimingLine(std::string_view line, TTimingEntry& entry) {
  const TWordSpans words = FindWords(line);
  const std::string_view name =
      words.Word4 == std::string_view::npos ? std::string_view()
                                            : line.substr(words.Word4, kNameTakeMax);
  if (words.Word2.find(':') != std::string_view::npos) {
    // No section id: word 2 is the time, and what followed it (from word 4 on) the name.
    entry.SectionId.assign(kNoIdSection);
    entry.TimeText.assign(CutField(words.Word2, kTimingFieldMax));
    entry.Name.assign("- ");
    entry.Name.append(CutField(name, kTimingFieldMax));
    entry.Name.resize(CutField(entry.Name, kTimingFieldMax).size());
  } else {
    entry.SectionId.assign(CutField(words.Word2, kTimingFieldMax));
    entry.TimeText.assign(CutField(words.Word3, kTimingFieldMax));
    entry.Name.assign(CutField(name, kTimingFieldMax));
  }
  if (words.Word4 == std::string_view::npos || entry.Name.empty() || entry.Name.front() != '-') {
    entry.SectionId.assign(kInvalidSection);
    entry.TimeText.assign(kInvalidTime);
    entry.Name.assign(kInvalidName);
  }
}

TTimingEntry ParseTimingLine(std::string_view line, TDurationRec& total, bool accumulate,
                             TZeroMode zeroMode) {
  TTimingEntry entry;
  SplitTimingLine(line, entry);
  if (accumulate) total = AddDurations(total, ParseDuration(entry.TimeText, zeroMode));
  return entry;
}

}  // namespace zentrel
