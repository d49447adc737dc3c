// The holidays-file reader on arbitrary bytes (any encoding, a byte-order mark or not), and
// the escaping of what a message quotes from it. The lines must come in file order, each a
// trimmed value that is neither blank nor a comment and never spans a line end; a file with
// a UTF-16 mark must come out as valid UTF-8; an escaped line must hold no control byte,
// be valid UTF-8, and stay as it is when escaped again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "dates/holidays_file.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

bool IsControl(unsigned char c) { return c <= 0x20; }

/// Well-formed UTF-8 by the byte ranges of the Unicode standard.
bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = [&](std::size_t at) -> unsigned {
      return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
    };
    const unsigned first = byte(i);
    std::size_t length = 0;
    if (first < 0x80) {
      length = 1;
    } else if (first >= 0xC2 && first <= 0xDF) {
      length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
      length = 3;
    } else if (first >= 0xF0 && first <= 0xF4) {
      length = 4;
    }
    if (length == 0) return false;
    const unsigned low = first == 0xE0 ? 0xA0 : first == 0xF0 ? 0x90 : 0x80;
    const unsigned high = first == 0xED ? 0x9F : first == 0xF4 ? 0x8F : 0xBF;
    if (length > 1 && (byte(i + 1) < low || byte(i + 1) > high)) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentrel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string text = HolidaysFileText(bytes);
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) Check(ValidUtf8(text));

  std::int64_t previous = 0;
  for (const THolidayLine& line : ReadHolidayLines(bytes)) {
    Check(line.Number > previous);
    previous = line.Number;
    Check(!line.Text.empty() && line.Text.front() != '#');
    Check(!IsControl(static_cast<unsigned char>(line.Text.front())) &&
          !IsControl(static_cast<unsigned char>(line.Text.back())));
    Check(line.Text.find('\n') == std::string::npos);

    const std::string echo = EscapeForEcho(line.Text);
    for (char c : echo) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    Check(ValidUtf8(echo));
    Check(EscapeForEcho(echo) == echo);
  }
  return 0;
}
