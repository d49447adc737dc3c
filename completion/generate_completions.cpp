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
#include "core/embedded_zones.h"
#include "durations/duration_format.h"

namespace {

using zentrel::TArgKind;
using zentrel::TOptionRow;
using zentrel::TValueKind;

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

/// The long names of the options whose value is of the kind, each between before and
/// after, joined by between: "compareold|holidays", "--compareold= --holidays=".
std::string LongNames(TValueKind kind, std::string_view between, std::string_view before,
                      std::string_view after) {
  std::string names;
  for (const TOptionRow& row : zentrel::kOptionTable) {
    if (row.Value != kind) continue;
    if (!names.empty()) names += between;
    names += std::string(before) + std::string(row.Name) + std::string(after);
  }
  return names;
}

/// The letters of the options whose value is of the kind: "pa", or "-p -a".
std::string Letters(TValueKind kind, std::string_view between, std::string_view before) {
  std::string letters;
  for (const TOptionRow& row : zentrel::kOptionTable) {
    if (row.Value != kind || row.Letter == '\0') continue;
    if (!letters.empty()) letters += between;
    letters += std::string(before) + row.Letter;
  }
  return letters;
}

/// The names of the zones built into the program, one a line, each in single quotes.
std::string ZoneNames(std::string_view indent, std::string_view continuation) {
  std::string names = std::string(indent) + "'UTC'";
  for (std::size_t i = 0; i < zentrel::EmbeddedZoneCount(); ++i) {
    const std::string_view name = zentrel::EmbeddedZoneAt(i).Name;
    if (name == "UTC") continue;
    names += std::string(continuation) + "\n" + std::string(indent) + "'" + std::string(name) + "'";
  }
  return names;
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
  // What follows an option comes from its kind in the table: files, counts with a unit,
  // zone names.
  Replace(text, "@FILE_OPTIONS@", LongNames(TValueKind::File, "|", "", ""));
  Replace(text, "@STEP_OPTIONS@", LongNames(TValueKind::Step, "|", "", ""));
  Replace(text, "@STEP_LETTERS@", Letters(TValueKind::Step, "", ""));
  Replace(text, "@FILE_CASES@", LongNames(TValueKind::File, " ", "--", "="));
  Replace(text, "@STEP_CASES@", LongNames(TValueKind::Step, " ", "--", "="));
  Replace(text, "@STEP_LETTER_CASES@", Letters(TValueKind::Step, " ", "-"));
  Replace(text, "@STEP_LETTER_ALTS@", Letters(TValueKind::Step, "|", "-"));
  Replace(text, "@ZONE_OPTIONS@", LongNames(TValueKind::Zone, "|", "", ""));
  Replace(text, "@ZONE_CASES@", LongNames(TValueKind::Zone, " ", "--", "="));
  if (shell == "bash") {
    Replace(text, "@OPTIONS@", Words());
    Replace(text, "@FORMATS@", QuotedNames("  ", ""));
    Replace(text, "@ZONES@", ZoneNames("  ", ""));
  } else if (shell == "zsh") {
    Replace(text, "@OPTIONS@", Words());
    Replace(text, "@FORMATS@", QuotedNames("    ", ""));
    Replace(text, "@ZONES@", ZoneNames("    ", ""));
  } else if (shell == "fish") {
    Replace(text, "@OPTIONS@", FishList());
    Replace(text, "@SHORT_VALUES@", ShortValues());
    Replace(text, "@FORMATS@", QuotedNames("        ", " \\"));
    Replace(text, "@ZONES@", ZoneNames("        ", " \\"));
  } else {
    std::cerr << "generate_completions: no such shell: " << shell << "\n";
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
