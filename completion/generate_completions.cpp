// Writes a shell completion of zentrel from its template, filling in the options of the
// option table and the names of the duration formats, so that a new option or format
// cannot be missing from any completion.
// usage: generate_completions <bash|zsh|fish> <template> <output>
// In the template, @OPTIONS@ and @FORMATS@ are replaced by the lists in that shell's form,
// and in fish's @SHORT_VALUES@ by the short options that take a value.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "app/options.h"
#include "durations/duration_format.h"

namespace {

using zentrel::TArgKind;
using zentrel::TOptionRow;

void Replace(std::string& text, std::string_view token, const std::string& with) {
  for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token)) {
    text.replace(at, token.size(), with);
  }
}

/// '-x' and '--name' (with "=" when a value must follow), as typed on a command line, in
/// single quotes so that no shell takes "-?" for a pattern.
std::string Words() {
  std::string words;
  std::size_t column = 0;
  auto add = [&](const std::string& word) {
    const std::string quoted = "'" + word + "'";
    if (column > 0 && column + quoted.size() + 1 > 90) {
      words += "\n";
      column = 0;
    }
    words += (column == 0 ? "  " : " ") + quoted;
    column += quoted.size() + (column == 0 ? 2 : 1);
  };
  for (const TOptionRow& row : zentrel::kOptionTable) {
    if (row.Letter != '\0') add(std::string("-") + row.Letter);
  }
  for (const TOptionRow& row : zentrel::kOptionTable) {
    add("--" + std::string(row.Name) + (row.Argument == TArgKind::Required ? "=" : ""));
  }
  return words;
}

/// Each format name in single quotes (no name holds one), one a line.
std::string QuotedNames(std::string_view indent, std::string_view between) {
  std::string names;
  const auto all = zentrel::DurationFormatNames();
  for (std::size_t i = 0; i < all.size(); ++i) {
    names += std::string(indent) + "'" + std::string(all[i]) + "'";
    if (i + 1 < all.size()) names += std::string(between);
    names += "\n";
  }
  names.pop_back();
  return names;
}

/// The words of Words() as the lines of a fish list, each line but the last continued.
std::string FishList() {
  std::string list;
  for (char c : Words()) list += c == '\n' ? std::string(" \\\n") : std::string(1, c);
  return list;
}

/// The short options that take the next word as their value, as "-x", blank-separated.
std::string ShortValues() {
  std::string letters;
  for (const TOptionRow& row : zentrel::kOptionTable) {
    if (row.Letter == '\0' || row.Argument != TArgKind::Required) continue;
    letters += std::string(letters.empty() ? "" : " ") + "'-" + row.Letter + "'";
  }
  return letters;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: generate_completions <bash|zsh|fish> <template> <output>\n";
    return 2;
  }
  const std::string shell = argv[1];
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::cerr << "generate_completions: cannot read " << argv[2] << "\n";
    return 1;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (shell == "bash") {
    Replace(text, "@OPTIONS@", Words());
    Replace(text, "@FORMATS@", QuotedNames("  ", ""));
  } else if (shell == "zsh") {
    Replace(text, "@OPTIONS@", Words());
    Replace(text, "@FORMATS@", QuotedNames("    ", ""));
  } else if (shell == "fish") {
    Replace(text, "@OPTIONS@", FishList());
    Replace(text, "@SHORT_VALUES@", ShortValues());
    Replace(text, "@FORMATS@", QuotedNames("        ", " \\"));
  } else {
    std::cerr << "generate_completions: no such shell: " << shell << "\n";
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
