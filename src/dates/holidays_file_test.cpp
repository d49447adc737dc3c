#include "dates/holidays_file.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace zentrel {

void PrintTo(const THolidayLine& line, std::ostream* out) {
  *out << line.Number << ": \"" << EscapeForEcho(line.Text) << '"';
}

namespace {

/// The UTF-16 bytes of a text of ASCII and two-byte UTF-8 characters, after its mark.
std::string Utf16(std::string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto unit = static_cast<unsigned char>(text[i]);
    unsigned code = unit;
    if (unit >= 0xC0) code = (unit & 0x1Fu) << 6 | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
    const char high = static_cast<char>(code >> 8), low = static_cast<char>(code & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(ReadHolidayLines, SkipsBlankAndCommentLinesAndCountsEveryLine) {
  const std::vector<THolidayLine> expected = {
      {2, "12/25/2024"}, {5, "2025-01-01 # New Year"}, {7, "D\xc3\xad" "a"}};
  const std::string text =
      "# closings\r\n"
      " \t12/25/2024 \r\n"
      "\r\n"
      "   # indented comment\n"
      "\x01 2025-01-01 # New Year\x1f\n"
      "\n"
      "D\xc3\xad" "a";
  // The same file as each editor saves it.
  for (const std::string& bytes :
       {text, "\xEF\xBB\xBF" + text, Utf16(text, false), Utf16(text, true)}) {
    EXPECT_EQ(ReadHolidayLines(bytes), expected) << EscapeForEcho(bytes);
  }
}

TEST(ReadHolidayLines, EndsWithTheFileWithOrWithoutAFinalLineEnd) {
  EXPECT_EQ(ReadHolidayLines(""), std::vector<THolidayLine>{});
  EXPECT_EQ(ReadHolidayLines("\xEF\xBB\xBF"), std::vector<THolidayLine>{});
  EXPECT_EQ(ReadHolidayLines("\xFF\xFE"), std::vector<THolidayLine>{});
  EXPECT_EQ(ReadHolidayLines("\n\n1/1/2025\n"), (std::vector<THolidayLine>{{3, "1/1/2025"}}));
  // A carriage return alone ends no line.
  EXPECT_EQ(ReadHolidayLines("1/1/2025\r1/2/2025"),
            (std::vector<THolidayLine>{{1, "1/1/2025\r1/2/2025"}}));
}

TEST(HolidaysFileText, ConvertsUtf16PairsAndReplacesWhatDoesNotPair) {
  using namespace std::literals;
  const struct {
    std::string_view Bytes, Text;
  } cases[] = {
      {"\xFF\xFE\x3D\xD8\x00\xDE\x31\x00"sv, "\xF0\x9F\x98\x80" "1"},  // U+1F600, then 1
      {"\xFE\xFF\xD8\x3D\xDE\x00"sv, "\xF0\x9F\x98\x80"},
      {"\xFF\xFE\x00\xD8\x00\xDC"sv, "\xF0\x90\x80\x80"},  // the first and last pairs
      {"\xFF\xFE\xFF\xDB\xFF\xDF", "\xF4\x8F\xBF\xBF"},
      {"\xFF\xFE\xFF\xD7\x00\xE0"sv, "\xED\x9F\xBF\xEE\x80\x80"},  // U+D7FF, U+E000
      // A high surrogate with one byte after it: nothing past the file's end is read.
      {std::string_view("\xFF\xFE\x3D\xD8\x00\xDC", 5), "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xFF\xFE\xAC\x20\xFF\xFF", "\xE2\x82\xAC\xEF\xBF\xBF"},  // U+20AC, U+FFFF
      {"\xFF\xFE\x3D\xD8\x31\x00"sv, "\xEF\xBF\xBD" "1"},  // a high surrogate alone
      {"\xFF\xFE\x3D\xD8", "\xEF\xBF\xBD"},
      {"\xFF\xFE\x00\xDE\x3D\xD8"sv, "\xEF\xBF\xBD\xEF\xBF\xBD"},  // a pair in the wrong order
      {"\xFF\xFE\x31\x00\x32"sv, "1\xEF\xBF\xBD"},  // an odd byte at the end
      {"\xFF\xFE\x00\x00"sv, "\0"sv},
      // Without a mark the bytes are kept: UTF-16 then stays unread, its NULs and all.
      {"1\0/\0"sv, "1\0/\0"sv},
      {"\xEF\xBB\xBF\xEF\xBB\xBF" "1", "\xEF\xBB\xBF" "1"},  // one mark only is dropped
      {"\xC3\xBF\xC3\xBE", "\xC3\xBF\xC3\xBE"},  // the marks' code points in UTF-8
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HolidaysFileText(c.Bytes), c.Text) << EscapeForEcho(c.Bytes);
  }
}

}  // namespace
}  // namespace zentrel
