#include "platform/win32/unicode.h"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(Utf8ToUtf16, RoundTripsEveryLengthOfSequence) {
  // Dividers, arrows and symbols of the program's output, and a character beyond U+FFFF.
  std::string text = "a\xc2\xae \xe2\x94\x80\xe2\x86\x92\xe2\x84\xa2 \xf0\x9f\x98\x80";
  std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"a\u00ae \u2500\u2192\u2122 \xD83D\xDE00");
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf8ToUtf16, ReplacesInvalidSequencesByteByByte) {
  EXPECT_EQ(Utf8ToUtf16("\x80x"), u"\uFFFDx");                  // stray continuation
  EXPECT_EQ(Utf8ToUtf16("\xe2\x94"), u"\uFFFD\uFFFD");          // truncated at the end
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");          // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xf4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // > U+10FFFF
  EXPECT_EQ(Utf8ToUtf16("\xe2x\x86"), u"\uFFFDx\uFFFD");
  // Cut at the end of the view: the bytes after it are not the text's.
  EXPECT_EQ(Utf8ToUtf16(std::string_view("a\xe2\x94\x80", 3)), u"a\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16(std::string_view("ab\xe2\x94\x80", 4)), u"ab\uFFFD\uFFFD");
}

TEST(Utf16ToUtf8, ReplacesUnpairedSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xef\xbf\xbd");
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00\xD800x"), "\xef\xbf\xbd\xef\xbf\xbdx");
}

TEST(CompleteUtf8Prefix, HoldsBackOnlyACutSequence) {
  EXPECT_EQ(CompleteUtf8Prefix("ab"), 2u);
  EXPECT_EQ(CompleteUtf8Prefix("a\xe2\x94\x80"), 4u);
  EXPECT_EQ(CompleteUtf8Prefix("a\xe2\x94"), 1u);
  EXPECT_EQ(CompleteUtf8Prefix("a\xe2"), 1u);
  EXPECT_EQ(CompleteUtf8Prefix("a\xf0\x9f\x98"), 1u);
  // Bytes that can never complete are passed on, to be shown as replacements.
  EXPECT_EQ(CompleteUtf8Prefix("a\x80\x80\x80\x80"), 5u);
  EXPECT_EQ(CompleteUtf8Prefix("a\xff"), 2u);
  EXPECT_EQ(CompleteUtf8Prefix(""), 0u);
}

}  // namespace
}  // namespace zentrel::platform
