#include "dates/holidays_file.h"

#include "core/text.h"

namespace zentrel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  const auto unitAt = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  std::string text;
  text.reserve(bytes.size() / 2);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = unitAt(i);
    if (isHigh(unit) && i + 3 < bytes.size() && isLow(unitAt(i + 2))) {
      AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00));
      i += 2;
    } else {
      AppendUtf8(text, isHigh(unit) || isLow(unit) ? kReplacement : unit);
    }
  }
  if (i < bytes.size()) AppendUtf8(text, kReplacement);
  return text;
}

}  // namespace

std::string HolidaysFileText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return std::string(bytes.substr(kUtf8Mark.size()));
  if (bytes.starts_with(kUtf16LittleMark)) {
    return Utf16ToUtf8(bytes.substr(kUtf16LittleMark.size()), false);
  }
  if (bytes.starts_with(kUtf16BigMark)) {
    return Utf16ToUtf8(bytes.substr(kUtf16BigMark.size()), true);
  }
  return std::string(bytes);
}

std::vector<THolidayLine> ReadHolidayLines(std::string_view bytes) {
  const std::string text = HolidaysFileText(bytes);
  std::vector<THolidayLine> lines;
  std::string_view rest = text;
  for (std::int64_t number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    line = TrimBlanks(TrimControls(line));
    if (line.empty() || line.front() == '#') continue;
    lines.push_back({number, std::string(line)});
  }
  return lines;
}

}  // namespace zentrel
