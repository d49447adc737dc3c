// The --lines input on arbitrary bytes: the line source, read in pieces of a size the first
// byte picks, must hand out exactly the lines a plain split at LF gives (CR before LF and a
// leading byte-order mark dropped, long lines marked); each line then fills a template of
// places and is read through an input pattern taken from the input's first line, which may
// only answer or throw ConversionError. A date rendered through a pattern of whole fields
// must read back as itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/input_pattern.h"
#include "core/line_source.h"
#include "core/line_template.h"

namespace {

using namespace zentrel;

struct TPieces : platform::TInputStream {
  std::string_view Bytes;
  std::size_t Piece;
  platform::TReadOutcome Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, Piece, Bytes.size()});
    std::memcpy(buffer, Bytes.data(), n);
    Bytes.remove_prefix(n);
    return {n, std::nullopt};
  }
};

/// The lines by a plain split, as "text" or "LONG".
std::vector<std::string> PlainLines(std::string_view input) {
  std::vector<std::string> lines;
  if (input.substr(0, 3) == "\xEF\xBB\xBF") input.remove_prefix(3);
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line.size() > TLineSource::kMaxLineBytes ? "LONG" : std::string(line));
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  TPieces pieces;
  pieces.Bytes = input;
  pieces.Piece = 1 + data[0] * 37u;
  TLineSource source(pieces);
  TInputLine line;
  std::vector<std::string> lines;
  std::string pattern, filled;
  const TFormatSettings settings;
  const TDateTimeValue now = CombineDateTime(EncodeDate(2026, 12, 7), EncodeTime(4, 15, 11, 270));
  TLineFields fields;
  while (source.Next(line)) {
    if (line.TooLong && line.Text.size() != TLineSource::kMaxLineBytes) std::abort();
    lines.push_back(line.TooLong ? "LONG" : std::string(line.Text));
    if (line.Number == 1) pattern = line.Text;
    const TLineTemplate tmpl = TLineTemplate::Compile(pattern);
    fields.Set(line.Text, tmpl.LargestField());
    if (tmpl.Fill(fields, filled) && filled.size() > line.Text.size() * 64 + pattern.size()) {
      std::abort();
    }
    try {
      ReadWithPattern(pattern, line.Text, settings, now);
    } catch (const ConversionError&) {
    }
  }
  if (source.Failure() || lines != PlainLines(input)) std::abort();
  // Round trip of whole fields.
  if (size >= 8) {
    std::uint32_t day = 0, ms = 0;
    std::memcpy(&day, data + 1, 4);
    std::memcpy(&ms, data + 4, 4);
    const TDateTimeValue value = CombineDateTime(
        TDateTimeValue().AddDays(kFirstDayNumber + day % (kLastDayNumber - kFirstDayNumber + 1)),
        TMilliseconds{ms % kMsPerDay});
    for (std::string_view whole : {"yyyy-mm-dd hh:nn:ss.zzz", "yyyymmddhhnnsszzz",
                                   "dd mmmm yyyy hh:nn:ss.zzz", "ddd, dd mmm yyyy h:nn:ss.zzz am/pm"}) {
      const std::string text = FormatDateTimeValue(whole, value, false, settings);
      if (!(ReadWithPattern(whole, text, settings, now) == value)) std::abort();
    }
  }
  return 0;
}
