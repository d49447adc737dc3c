#include "platform/win32/command_line.h"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

using TArgs = std::vector<std::string>;

TEST(SplitCommandLine, BlanksAndTabsSeparateOutsideQuotesOnly) {
  EXPECT_EQ(SplitCommandLine(u"zentrel.exe -p 10\t-d  12/25/2024 "),
            (TArgs{"zentrel.exe", "-p", "10", "-d", "12/25/2024"}));
  EXPECT_EQ(SplitCommandLine(u"z -o \"Value: $v\" x\"y z\"w"),
            (TArgs{"z", "-o", "Value: $v", "xy zw"}));
  EXPECT_EQ(SplitCommandLine(u"z \"\" \"\""), (TArgs{"z", "", ""}));
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
  // The cases Windows users quote for: 2n backslashes + quote, 2n+1 + quote, plain runs.
  EXPECT_EQ(SplitCommandLine(u"z \"ab\\\"c\" \"\\\\\" d"), (TArgs{"z", "ab\"c", "\\", "d"}));
  EXPECT_EQ(SplitCommandLine(u"z a\\\\\\b d\"e f\"g h"), (TArgs{"z", "a\\\\\\b", "de fg", "h"}));
  EXPECT_EQ(SplitCommandLine(u"z a\\\\\\\"b c d"), (TArgs{"z", "a\\\"b", "c", "d"}));
  EXPECT_EQ(SplitCommandLine(u"z a\\\\\\\\\"b c\" d e"), (TArgs{"z", "a\\\\b c", "d", "e"}));
  EXPECT_EQ(SplitCommandLine(u"z C:\\dir\\ \"C:\\my dir\\\\\""),
            (TArgs{"z", "C:\\dir\\", "C:\\my dir\\"}));
  EXPECT_EQ(SplitCommandLine(u"z trailing\\"), (TArgs{"z", "trailing\\"}));
}

TEST(SplitCommandLine, TwoQuotesInsideAQuotedPartGiveOneQuote) {
  EXPECT_EQ(SplitCommandLine(u"z a\"b\"\" c d"), (TArgs{"z", "ab\" c d"}));
  EXPECT_EQ(SplitCommandLine(u"z \"\"\"\""), (TArgs{"z", "\""}));
  EXPECT_EQ(SplitCommandLine(u"z \"unterminated quote"), (TArgs{"z", "unterminated quote"}));
}

TEST(SplitCommandLine, TheProgramNameTakesNoBackslashEscapes) {
  EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\z\\\" -h"),
            (TArgs{"C:\\Program Files\\z\\", "-h"}));
  EXPECT_EQ(SplitCommandLine(u"C:\\tools\\zentrel.exe"), (TArgs{"C:\\tools\\zentrel.exe"}));
  EXPECT_EQ(SplitCommandLine(u""), (TArgs{""}));
}

TEST(SplitCommandLine, ConvertsToUtf8) {
  // e-acute, a CJK ideograph and U+1F600 as a surrogate pair; a lone surrogate is replaced.
  std::u16string line = u"z \u00e9t\u00e9 \u65e5 \xD83D\xDE00 x\xDC00";
  EXPECT_EQ(SplitCommandLine(line),
            (TArgs{"z", "\xc3\xa9t\xc3\xa9", "\xe6\x97\xa5", "\xf0\x9f\x98\x80",
                   "x\xef\xbf\xbd"}));
}

}  // namespace
}  // namespace zentrel::platform
