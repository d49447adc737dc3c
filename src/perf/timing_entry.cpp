#include "perf/timing_entry.h"

#include <algorithm>

#include "perf/line_words.h"

namespace zentrel {
namespace {

using line_words::FindWords;
using line_words::TWordSpans;

constexpr std::string_view kNoIdSection = "[#??]";
constexpr std::string_view kInvalidSection = "[#--] Invalid Entry";
/// How much of a line the name is taken from before it is cut to kTimingFieldMax.
constexpr std::size_t kNameTakeMax = 999;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

/// The text cut to at most max bytes. A cut that would split a UTF-8 sequence is moved to
/// the start of that sequence, so a valid name stays valid; bytes that are not UTF-8 are
/// cut where they stand.
std::string_view CutLongField(std::string_view text, std::size_t max) {
  std::size_t cut = max;
  std::size_t k = cut;
  while (k > 0 && cut - k < 3 && IsContinuationByte(text[k])) --k;
  if (!IsContinuationByte(text[k])) cut = k;
  return text.substr(0, cut);
}

inline std::string_view CutField(std::string_view text, std::size_t max) {
  return text.size() <= max ? text : CutLongField(text, max);
}

}  // namespace

void SplitTimingLine(std::string_view line, TTimingEntryView& entry, std::string& scratch) {
  const TWordSpans words = FindWords(line);
  const std::string_view name =
      words.Word4 == std::string_view::npos ? std::string_view()
                                            : line.substr(words.Word4, kNameTakeMax);
  if (std::find(words.Word2.begin(), words.Word2.end(), ':') != words.Word2.end()) {
    // No section id: word 2 is the time, and what followed it (from word 4 on) the name.
    entry.SectionId = kNoIdSection;
    entry.TimeText = CutField(words.Word2, kTimingFieldMax);
    scratch.assign("- ");
    scratch.append(CutField(name, kTimingFieldMax));
    entry.Name = CutField(scratch, kTimingFieldMax);
  } else {
    entry.SectionId = CutField(words.Word2, kTimingFieldMax);
    entry.TimeText = CutField(words.Word3, kTimingFieldMax);
    entry.Name = CutField(name, kTimingFieldMax);
  }
  if (words.Word4 == std::string_view::npos || entry.Name.empty() || entry.Name.front() != '-') {
    entry.SectionId = kInvalidSection;
    entry.TimeText = kZeroTime;
    entry.Name = kNoName;
  }
}

void SplitTimingLine(std::string_view line, TTimingEntry& entry) {
  TTimingEntryView view;
  std::string scratch;
  SplitTimingLine(line, view, scratch);
  entry.SectionId.assign(view.SectionId);
  entry.TimeText.assign(view.TimeText);
  entry.Name.assign(view.Name);
}

TTimingEntry ParseTimingLine(std::string_view line, TDurationRec& total, bool accumulate,
                             TZeroMode zeroMode) {
  TTimingEntry entry;
  SplitTimingLine(line, entry);
  if (accumulate) total = AddDurations(total, ParseDuration(entry.TimeText, zeroMode));
  return entry;
}

}  // namespace zentrel
