// Writes a shell completion of zentrel from its template, filling in the options of the
// option table and the names of the duration formats, so that a new option or format
// cannot be missing from any completion.
// usage: generate_completions <bash|zsh|fish> <template> <output>
// In the template, @OPTIONS@ and @FORMATS@ are replaced by the lists in that shell's form,
// and @FILE_OPTIONS@ by the long names of the options that take a file ("a|b").
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "app/options.h"
#include "durations/duration_format.h"

namespace {

using zentrel::TArgKind;
using zentrel::TOptionId;
using zentrel::TOptionRow;
using zentrel::TValueKind;

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

std::string FishOptions() {
  std::string lines;
  for (const TOptionRow& row : zentrel::kOptionTable) {
    std::string line = "complete -c zentrel";
    if (row.Letter != '\0') line += std::string(" -s '") + row.Letter + "'";
    line += " -l '" + std::string(row.Name) + "'";
    if (row.Id == TOptionId::ExtendedFormat) {
      line += " -x -a '(__zentrel_formats)'";
    } else if (row.Value == TValueKind::File) {
      line += " -r -F";
    } else if (row.Argument == TArgKind::Required) {
      line += " -r";
    }
    lines += line + "\n";
  }
  lines.pop_back();
  return lines;
}

/// The long names of the options that take a file, as an alternation: "a|b|c".
std::string FileOptions() {
  std::string names;
  for (const TOptionRow& row : zentrel::kOptionTable) {
    if (row.Value != TValueKind::File) continue;
    if (!names.empty()) names += "|";
    names += row.Name;
  }
  return names;
}

void Replace(std::string& text, std::string_view token, const std::string& with) {
  for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token)) {
    text.replace(at, token.size(), with);
  }
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
    Replace(text, "@FILE_OPTIONS@", FileOptions());
  } else if (shell == "zsh") {
    Replace(text, "@OPTIONS@", Words());
    Replace(text, "@FORMATS@", QuotedNames("    ", ""));
    Replace(text, "@FILE_OPTIONS@", FileOptions());
  } else if (shell == "fish") {
    Replace(text, "@OPTIONS@", FishOptions());
    Replace(text, "@FORMATS@", QuotedNames("        ", " \\"));
  } else {
    std::cerr << "generate_completions: no such shell: " << shell << "\n";
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
