#include "core/line_template.h"

#include "core/text.h"

namespace zentrel {
namespace {

/// Field numbers beyond this are text: no line of the allowed length has so many fields.
constexpr std::uint32_t kMostFields = 65536;

/// The place that starts at a "{": true, with its field (0 for the line) and its length.
bool PlaceAt(std::string_view text, std::size_t at, std::uint32_t& field, std::size_t& length) {
  std::size_t i = at + 1;
  std::uint32_t number = 0;
  while (i < text.size() && IsDigit(text[i])) {
    number = number * 10 + static_cast<std::uint32_t>(text[i] - '0');
    if (number > kMostFields) return false;
    ++i;
  }
  if (i == text.size() || text[i] != '}') return false;
  if (i > at + 1 && number == 0) return false;  // "{0}": fields count from one
  field = number;
  length = i + 1 - at;
  return true;
}

}  // namespace

void TLineFields::Set(std::string_view line, std::uint32_t fields) {
  line_ = line;
  fields_.clear();
  std::size_t start = 0;
  while (fields_.size() < fields) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields_.push_back(line.substr(start));
      break;
    }
    fields_.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

TLineTemplate TLineTemplate::Compile(std::string_view text) {
  TLineTemplate result;
  result.text_ = text;
  const std::string_view own = text;
  std::size_t copied = 0;
  for (std::size_t at = own.find('{'); at != std::string_view::npos; at = own.find('{', at + 1)) {
    std::uint32_t field = 0;
    std::size_t length = 0;
    if (!PlaceAt(own, at, field, length)) continue;
    result.pieces_.push_back({copied, at - copied, field, true});
    result.hasPlaces_ = true;
    if (field > result.largestField_) result.largestField_ = field;
    copied = at + length;
    at = copied - 1;
  }
  result.pieces_.push_back({copied, own.size() - copied, 0, false});
  return result;
}

bool TLineTemplate::Fill(const TLineFields& line, std::string& out) const {
  out.clear();
  for (const TPiece& piece : pieces_) {
    if (piece.Length != 0) out.append(text_, piece.From, piece.Length);
    if (!piece.Place) continue;
    if (piece.Field == 0) {
      out.append(line.Line());
    } else if (piece.Field <= line.Count()) {
      out.append(line.Field(piece.Field));
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace zentrel
