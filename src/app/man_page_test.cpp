// The manual page against the program: every option of the option table, every exit code
// and every duration format name must appear in it, so a new option or code cannot ship
// undocumented. (The completions are generated from the same tables.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/run_plan.h"
#include "core/exit_code.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {


std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Accepted(const std::string& option) {
  const TRunPlan plan({option, "1"});
  for (const std::string& error : plan.Errors()) {
    if (error.rfind("Invalid option", 0) == 0) return false;
  }
  return true;
}

/// Every entry of the option table as written on a command line: "-h", "--days-prior".
std::set<std::string> TableOptions() {
  std::set<std::string> options;
  for (const TOptionRow& row : kOptionTable) {
    if (row.Letter != '\0') options.insert(std::string("-") + row.Letter);
    if (!row.Name.empty()) options.insert("--" + std::string(row.Name));
  }
  return options;
}

std::set<int> ExitCodes() {
  std::set<int> codes;
  for (const TExitCodeRow& row : kExitCodes) codes.insert(static_cast<int>(row.Code));
  return codes;
}

/// The page's text lines with the escapes undone: "\-" is "-", fonts and "\c" vanish.
std::vector<std::string> ManLines() {
  std::istringstream page(ReadText(ZENTREL_MAN_PAGE));
  std::vector<std::string> lines;
  for (std::string line; std::getline(page, line);) {
    line = std::regex_replace(line, std::regex(R"(\\f[BIRP]|\\c)"), "");
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    lines.push_back(std::regex_replace(line, std::regex(R"(\\e)"), "\\"));
  }
  return lines;
}

/// The lines of one section (".SH NAME" up to the next ".SH").
std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.rfind(".SH ", 0) == 0) {
      inside = line == ".SH " + name;
    } else if (inside) {
      section.push_back(line);
    }
  }
  EXPECT_FALSE(section.empty()) << name;
  return section;
}

/// What one set lacks and holds beyond the other, "" when they are equal.
std::string Difference(const std::set<std::string>& wanted, const std::set<std::string>& found) {
  std::string text;
  for (const std::string& word : wanted) {
    if (!found.count(word)) text += " missing \"" + word + "\"";
  }
  for (const std::string& word : found) {
    if (!wanted.count(word)) text += " extra \"" + word + "\"";
  }
  return text;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(ManPage, DescribesEveryOptionAndNoOther) {
  const std::string text = Joined(Section(ManLines(), "OPTIONS"));
  for (const std::string& option : TableOptions()) {
    std::string pattern = std::regex_replace(option, std::regex(R"([?])"), R"(\?)");
    EXPECT_TRUE(std::regex_search(text, std::regex("(^|[^-\\w])" + pattern + "(?![\\w?-])")))
        << option;
  }
  const std::regex longOption(R"(--[a-z?][a-z0-9?-]*)");
  for (std::sregex_iterator it(text.begin(), text.end(), longOption), end; it != end; ++it) {
    EXPECT_TRUE(Accepted(it->str())) << it->str();
  }
}

TEST(ManPage, NamesTheValueOfEachLongOptionByItsKind) {
  // The option table says what follows an option; the page's heading of the option must
  // say the same ("--holidays= file"), so a new option cannot be described with a wrong
  // operand.
  const std::vector<std::string> lines = Section(ManLines(), "OPTIONS");
  for (const TOptionRow& row : kOptionTable) {
    if (row.Letter != '\0' || row.Argument != TArgKind::Required) continue;
    std::string operand;
    switch (row.Value) {
      case TValueKind::File: operand = "file"; break;
      case TValueKind::Date: operand = "date"; break;
      case TValueKind::Zone: operand = "name"; break;
      default: continue;
    }
    const std::string heading = ".BI --" + std::string(row.Name) + "= " + operand;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), heading), 1) << heading;
  }
}

TEST(ManPage, ListsEveryExitCodeAndDurationFormat) {
  const std::vector<std::string> lines = ManLines();
  const std::vector<std::string> status = Section(lines, "EXIT STATUS");
  for (int code : ExitCodes()) {
    EXPECT_EQ(std::count(status.begin(), status.end(), ".B " + std::to_string(code)), 1) << code;
  }
  std::set<std::string> listed;
  const std::regex columns(" {2,}");
  for (const std::string& line : Section(lines, "DURATION FORMATS")) {
    if (line.empty() || line[0] == '.' || line.find("  ") == std::string::npos) continue;
    std::sregex_token_iterator it(line.begin(), line.end(), columns, -1), end;
    for (; it != end; ++it) listed.insert(*it);
  }
  const auto names = DurationFormatNames();
  EXPECT_EQ(Difference({names.begin(), names.end()}, listed), "");
}

}  // namespace
}  // namespace zentrel
