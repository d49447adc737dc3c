#include "platform/win32/command_line.h"

#include "platform/win32/unicode.h"

namespace zentrel::platform {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::string> result;
  size_t i = 0;
  const size_t n = line.size();

  std::u16string word;
  bool quoted = false;
  for (; i < n; ++i) {
    char16_t c = line[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      word += c;
    }
  }
  result.push_back(Utf16ToUtf8(word));

  for (;;) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i >= n) break;
    word.clear();
    quoted = false;
    while (i < n) {
      char16_t c = line[i];
      if (!quoted && IsBlank(c)) break;
      if (c == u'\\') {
        size_t run = 0;
        while (i + run < n && line[i + run] == u'\\') ++run;
        i += run;
        if (i < n && line[i] == u'"') {
          word.append(run / 2, u'\\');
          if (run % 2 == 1) {
            word += u'"';
            ++i;
          }
        } else {
          word.append(run, u'\\');
        }
        continue;
      }
      if (c == u'"') {
        if (quoted && i + 1 < n && line[i + 1] == u'"') {
          word += u'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
        continue;
      }
      word += c;
      ++i;
    }
    result.push_back(Utf16ToUtf8(word));
  }
  return result;
}

}  // namespace zentrel::platform
