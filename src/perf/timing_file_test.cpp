#include "perf/timing_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/channels.h"
#include "platform/fake_file_reader.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

/// A file that exists but cannot be read (the tests run as root, so permissions cannot
/// make a real file unreadable).
struct UnreadableFiles : platform::FakeFileReader {
  std::unique_ptr<platform::TFileView> ViewWholeFile(const std::string&) override {
    return nullptr;
  }
};

struct TimingFileTest : ::testing::Test {
  platform::FakeFileReader files;
  platform::FakePlatform console;
  TChannels channels{console};

  std::string Err() {
    channels.Flush();
    return console.Err;
  }
  /// The kept lines of a file with these contents, the synthetic line included.
  std::vector<std::string> Load(const std::string& contents,
                                std::string_view searchText = "\\--- [#") {
    files.Files["t.txt"] = contents;
    TTimingLines lines;
    EXPECT_TRUE(LoadTimingFile(files, "t.txt", searchText, lines));
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.Count(); ++i) kept.emplace_back(lines.Line(i));
    return kept;
  }
};

const std::string kAggregate(kAggregateLine);

TEST_F(TimingFileTest, CheckTimingFileNamesTheMissingOrUnnamedFile) {
  files.Files["old.txt"] = "";
  EXPECT_TRUE(CheckTimingFile(files, channels.Err, "OLD", "old.txt"));
  EXPECT_EQ(Err(), "");
  EXPECT_FALSE(CheckTimingFile(files, channels.Err, "old", ""));
  EXPECT_FALSE(CheckTimingFile(files, channels.Err, "NEW", "missing.txt"));
  EXPECT_EQ(Err(),
            "ERROR: No Filename was Supplied for OLD Performance Input File!\n"
            "ERROR: Could Not Open NEW Performance Input File!\n"
            " \"missing.txt\": no such file\n");
}

TEST_F(TimingFileTest, CheckTimingCountNeedsOneEntryBesidesTheSyntheticLine) {
  EXPECT_TRUE(CheckTimingCount(channels.Err, "OLD", 2));
  EXPECT_FALSE(CheckTimingCount(channels.Err, "new", 1));
  EXPECT_FALSE(CheckTimingCount(channels.Err, "OLD", 0));
  EXPECT_EQ(Err(),
            "ERROR: NEW Source File Has Invalid Data!\n"
            "ERROR: OLD Source File Has Invalid Data!\n");
}

TEST_F(TimingFileTest, EveryLineEndFormEndsALine) {
  const std::string a = "\\--- [#01] 0:01.000 - A";
  const std::string b = "\\--- [#02] 0:02.000 - B";
  const std::string c = "\\--- [#03] 0:03.000 - C";
  const std::vector<std::string> expected{a, b, c, kAggregate};
  EXPECT_EQ(Load(a + "\r\n" + b + "\r\n" + c + "\r\n"), expected);
  EXPECT_EQ(Load(a + "\n" + b + "\n" + c), expected);
  EXPECT_EQ(Load(a + "\r" + b + "\r" + c + "\r"), expected);
  EXPECT_EQ(Load(a + "\r" + b + "\r" + c), expected);  // the last line after a lone CR
  EXPECT_EQ(Load(a + "\r\n" + b + "\r" + c + "\n"), expected);
  // CR CR LF is a line end, an empty line and a line end: the empty line is dropped.
  EXPECT_EQ(Load(a + "\r\r\n" + b + "\n\n\n" + c), expected);
}

TEST_F(TimingFileTest, KeepsOnlyEntryLinesAndEndsWithTheAggregateLine) {
  const std::string kept1 = "\\--- [#01] 0:01.000 - A";
  const std::string kept2 = "prefix \\--- [#02]   0:02.000   -  B  C";  // key anywhere
  const std::string text = "header line without the key\n" + kept1 + "\n" +
                           "\\--- [#zz] 0:09.000 - LAST SECTION\n" +  // [#ZZ], any case
                           "\\--- [#04] 0:04.000 - *** aggregate job time ***\n" +
                           "\\--- [#05] 0:05.000\n" +                 // three words
                           "\\---\t[#06]\t0:06.000\t-\tTABS\n" +      // tabs are not blanks
                           kept2 + "\n";
  EXPECT_EQ(Load(text), (std::vector<std::string>{kept1, kept2, kAggregate}));
}

TEST_F(TimingFileTest, MarkersAndLineEndsAreFoundFarIntoALargeFile) {
  // Aggregate markers, a 'Z' in a kept name and CR line ends, each well past the first
  // few kilobytes and among thousands of plain lines.
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    std::string line = "\\--- [#" + std::to_string(i) + "] 0:01.000 - STEP " + std::to_string(i);
    if (i == 700) line += " ZULU *";  // kept: holds Z and '*' but neither marker
    // Long lines: what is looked for lies past their first 64 bytes, read at once.
    if (i == 900) line += std::string(70, '-') + " ZULU *";
    if (i == 1500) line = "\\--- [#zZ] 0:09.000 - LAST";
    if (i == 1600) line = "\\--- [#1600] 0:09.000 - " + std::string(70, '-') + " [#ZZ]";
    if (i == 2200) line = "\\--- [#88] 0:09.000 - *** Aggregate Job Time ***";
    if (i == 2300) line += std::string(70, '-') + " - *** AGGREGATE JOB TIME ***";
    if (i == 2400) line = std::string(80, '-') + " \\--- [#2400] 0:01.000 - KEY FAR IN";
    if (i == 2600 || i == 2601) line += std::string(100, '-');  // CR ends past byte 64
    if (i != 1500 && i != 1600 && i != 2200 && i != 2300) expected.push_back(line);
    text += line + (i >= 2500 ? (i % 2 == 0 ? "\r\n" : "\r") : "\n");
  }
  expected.push_back(kAggregate);
  EXPECT_EQ(Load(text), expected);
}

TEST_F(TimingFileTest, SearchTextMatchesWithoutRegardToCase) {
  const std::string line = "step [#01] 0:01.000 - A";
  EXPECT_EQ(Load(line, "STEP"), (std::vector<std::string>{line, kAggregate}));
  EXPECT_EQ(Load("STEP [#01] 0:01.000 - A", "sTeP").size(), 2u);
  // Only letters fold: '{' is not '[' in another case, nor '@' a '`'.
  EXPECT_EQ(Load("\\--- {#01] 0:01.000 - A").size(), 1u);
  EXPECT_EQ(Load("x`y [#01] 0:01.000 - A", "X@Y").size(), 1u);
  // Patterns of up to 8 bytes and longer, found at the very end of a line too.
  EXPECT_EQ(Load("x [#01] 0:01.000 - A stepstep", "STEPSTEP").size(), 2u);
  EXPECT_EQ(Load("x [#01] 0:01.000 - A stepsteP", "STEPSTEPS").size(), 1u);
  EXPECT_EQ(Load("x [#01] 0:01.000 - A sTep", "step").size(), 2u);
  EXPECT_EQ(Load("x [#01] 0:01.000 - A sTe", "step").size(), 1u);
  // The first and last letters fold too, in patterns compared a word at a time and not.
  EXPECT_EQ(Load("x [#01] 0:01.000 - A az and more", "AZ").size(), 2u);
  EXPECT_EQ(Load("x [#01] 0:01.000 - A azazazaz and more", "AZAZAZAZA").size(), 1u);
  EXPECT_EQ(Load("x [#01] 0:01.000 - A azazazaza and more", "AZAZAZAZA").size(), 2u);
  // The first byte counts where the search begins at a later one ('[' is rarer than 'A').
  EXPECT_EQ(Load("b[#01] 0:01.000 - A", "A[#").size(), 1u);
  EXPECT_EQ(Load("a[#01] 0:01.000 - A", "A[#").size(), 2u);
}

TEST_F(TimingFileTest, EmptySearchTextKeepsNothing) {
  EXPECT_EQ(Load("\\--- [#01] 0:01.000 - A\n", ""), std::vector<std::string>{kAggregate});
}

TEST_F(TimingFileTest, EmptyAndBinaryFilesLoadWithoutEntries) {
  EXPECT_EQ(Load(""), std::vector<std::string>{kAggregate});
  EXPECT_EQ(Load(std::string("\0\0\xff\xfe\n\0", 6)), std::vector<std::string>{kAggregate});
}

TEST_F(TimingFileTest, NulBytesAndInvalidUtf8StayInTheLine) {
  const char bytes[] = "\\--- [#01] 0:01.000 - A\0B\xff\xc3";
  const std::string line(bytes, sizeof bytes - 1);
  EXPECT_EQ(Load(line + "\n"), (std::vector<std::string>{line, kAggregate}));
}

TEST_F(TimingFileTest, UnreadableFileFailsToLoad) {
  UnreadableFiles unreadable;
  unreadable.Files["t.txt"] = "\\--- [#01] 0:01.000 - A\n";
  EXPECT_TRUE(CheckTimingFile(unreadable, channels.Err, "OLD", "t.txt"));
  TTimingLines lines;
  EXPECT_FALSE(LoadTimingFile(unreadable, "t.txt", "\\--- [#", lines));
  EXPECT_EQ(lines.Count(), 0u);
}

/// The plain reading of what the loader keeps: lines split at CR LF, LF and CR, each kept
/// when it holds the key and neither aggregate marker (ASCII letters matched in any case)
/// and at least four words between blanks.
std::vector<std::string> ReferenceKept(const std::string& text, const std::string& key) {
  auto fold = [](std::string s) {
    for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return s;
  };
  auto holds = [&](const std::string& line, const std::string& part) {
    return fold(line).find(fold(part)) != std::string::npos;
  };
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (i < text.size() || !line.empty()) lines.push_back(line);
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    line.clear();
  }
  std::vector<std::string> kept;
  for (const std::string& l : lines) {
    int words = 0;
    for (std::size_t i = 0; i < l.size(); ++i) words += l[i] != ' ' && (i == 0 || l[i - 1] == ' ');
    if (!key.empty() && holds(l, key) && !holds(l, "[#ZZ]") &&
        !holds(l, "- *** AGGREGATE JOB TIME ***") && words >= 4) {
      kept.push_back(l);
    }
  }
  kept.emplace_back(kAggregateLine);
  return kept;
}

TEST_F(TimingFileTest, KeepsWhatAPlainLineSplitterKeepsReadFromAnyLineOn) {
  // Texts of entries, markers, line ends and the bytes that need a closer look (CR, Z, z,
  // '*'), at every offset of the 64-byte windows the finder reads; each loaded as it is and
  // with every line's place too far to keep, so that lines are found again from the full
  // offsets, and read both ways from several starts in chunks of several sizes.
  const std::vector<std::string> bits{"Z", "z", "*", "[#zZ]", "- *** aggregate job time ***",
                                      "\r", "\r\n", "step ", "- B C", " ", "\\--- [#"};
  const std::vector<std::string> ends{"\n", "\n", "\r\n", "\r", ""};
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    // Lines of an entry, or not, among bits, padded to move them across the windows.
    std::string text;
    const std::size_t size = round < 50 ? 400 + random() % 600 : 40000;
    while (text.size() < size) {
      if (random() % 3 == 0) text += bits[random() % bits.size()];
      if (random() % 4 != 0) text += "\\--- [#01] 0:01.000 - A";
      if (random() % 3 == 0) text += bits[random() % bits.size()];
      if (random() % 3 == 0) text += std::string(random() % 64, 'y');
      text += ends[random() % ends.size()];
    }
    const std::string key = round % 3 == 0 ? "STEP" : "\\--- [#";
    const std::vector<std::string> expected = ReferenceKept(text, key);
    EXPECT_EQ(Load(text, key), expected) << "round " << round;
    for (std::size_t limit : {std::size_t{UINT32_MAX}, std::size_t{0}, std::size_t{40}}) {
      TTimingLines lines;
      ASSERT_TRUE(ReadTimingFile(files, "t.txt", lines));
      KeepTimingLines(lines, key, limit);
      ASSERT_EQ(lines.Count(), expected.size());
      for (std::size_t chunk : {1u, 3u, 2049u}) {
        for (std::size_t first = 0; first <= lines.Count(); first += 1 + first / 2) {
          // One view more than asked for: what the reader writes past its count shows.
          std::vector<std::string_view> out(chunk + 1, "unwritten");
          const std::size_t read = lines.ReadLines(first, std::span(out.data(), chunk));
          ASSERT_EQ(read, std::min(chunk, expected.size() - std::min(first, expected.size())));
          for (std::size_t i = 0; i < read; ++i) ASSERT_EQ(out[i], expected[first + i]);
          ASSERT_EQ(out[chunk], "unwritten");
        }
      }
    }
  }
}

TEST(SplitTimingLine, ReadsTheThreeFieldsOfAnEntry) {
  TTimingEntry entry;
  SplitTimingLine("\\--- [#47]        01:20:29.730         - ONE EXAMPLE SECTION", entry);
  EXPECT_EQ(entry.SectionId, "[#47]");
  EXPECT_EQ(entry.TimeText, "01:20:29.730");
  EXPECT_EQ(entry.Name, "- ONE EXAMPLE SECTION");
  // The name runs to the end of the line, blanks and tabs included.
  SplitTimingLine("  \\--- [#1] 1.000 -\tA  B ", entry);
  EXPECT_EQ(entry.SectionId, "[#1]");
  EXPECT_EQ(entry.Name, "-\tA  B ");
}

TEST(SplitTimingLine, FindsTheWordsWhereverTheyLieInALongLine) {
  // Words 2 to 4 moved across the first 64 bytes of the line, which are read at once.
  for (std::size_t lead = 0; lead < 72; lead += 3) {
    for (std::size_t gap : {1, 5, 30}) {
      const std::string id = "[#" + std::to_string(lead) + "]";
      const std::string name = "- NAME\t" + std::string(lead % 7 * 10, 'x');
      const std::string blanks(gap, ' ');
      const std::string line =
          std::string(lead, ' ') + "\\---" + blanks + id + blanks + "0:01.000" + blanks + name;
      TTimingEntry entry;
      SplitTimingLine(line, entry);
      EXPECT_EQ(entry.SectionId, id) << line;
      EXPECT_EQ(entry.TimeText, "0:01.000") << line;
      EXPECT_EQ(entry.Name, name) << line;
    }
  }
}

TEST(SplitTimingLine, LineWithoutSectionIdTakesWordTwoAsTheTime) {
  TTimingEntry entry;
  SplitTimingLine("\\--- 01:20:29.730 - STEP", entry);
  EXPECT_EQ(entry.SectionId, "[#??]");
  EXPECT_EQ(entry.TimeText, "01:20:29.730");
  EXPECT_EQ(entry.Name, "- STEP");
}

TEST(SplitTimingLine, NameWithoutLeadingHyphenOrMissingWordIsAnInvalidEntry) {
  const std::vector<std::string> lines = {
      "\\--- [#47] 01:20:29.730 ONE EXAMPLE", "\\--- [#47] 01:20:29.730", "\\--- [#47]", "",
      "\\--- [#47]\t01:20:29.730" + std::string(70, ' ')};  // long, still three words
  for (const std::string& line : lines) {
    TTimingEntry entry{"x", "y", "z"};
    SplitTimingLine(line, entry);
    EXPECT_EQ(entry.SectionId, "[#--] Invalid Entry") << line;
    EXPECT_EQ(entry.TimeText, "0:00.000") << line;
    EXPECT_EQ(entry.Name, "- n/a") << line;
  }
}

TEST(SplitTimingLine, FieldsAreCutAt255BytesWithoutSplittingACharacter) {
  TTimingEntry entry;
  const std::string longName = "- " + std::string(10'000'000, 'N');
  SplitTimingLine("\\--- [#01] 0:01.000 " + longName, entry);
  EXPECT_EQ(entry.Name, longName.substr(0, 255));

  // U+00E9 is two bytes: a cut after byte 255 would split the one at bytes 254 and 255.
  const std::string accented = "- " + std::string(252, 'a') + "\xc3\xa9" + "zz";
  SplitTimingLine("\\--- [#01] 0:01.000 " + accented, entry);
  EXPECT_EQ(entry.Name, accented.substr(0, 254));

  const std::string longId(300, '#');
  SplitTimingLine("\\--- " + longId + " " + longId + " - A", entry);
  EXPECT_EQ(entry.SectionId, longId.substr(0, 255));
  EXPECT_EQ(entry.TimeText, longId.substr(0, 255));

  // The name of a line without section id is prefixed, then cut again.
  SplitTimingLine("\\--- 0:01.000 - " + std::string(300, 'x'), entry);
  EXPECT_EQ(entry.Name.size(), 255u);
  EXPECT_EQ(entry.Name.substr(0, 3), "- x");
}

TEST(ParseTimingLine, AccumulatesTheTimeUnderTheZeroMode) {
  TDurationRec total = DurationFromMs(1'000);
  TTimingEntry entry =
      ParseTimingLine("\\--- [#47] 01:20:29.730 - A", total, true, TZeroMode::ZeroThis);
  EXPECT_EQ(entry.SectionId, "[#47]");
  EXPECT_EQ(total.TotalMilliseconds(), 1'000 + 4'829'730);

  // A letter in the minutes: that field reads 0, or the whole time does under ZeroAll.
  total = {};
  ParseTimingLine("\\--- [#48] 01:2x:29.730 - B", total, true, TZeroMode::ZeroThis);
  EXPECT_EQ(total.TotalMilliseconds(), 3'629'730);
  total = {};
  ParseTimingLine("\\--- [#48] 01:2x:29.730 - B", total, true, TZeroMode::ZeroAll);
  EXPECT_EQ(total.TotalMilliseconds(), 0);

  // Invalid entries add their replacement time, zero; without accumulate nothing is added.
  total = DurationFromMs(5);
  ParseTimingLine("\\--- [#49] 0:09.000 NAME", total, true, TZeroMode::ZeroThis);
  ParseTimingLine("\\--- [#50] 0:09.000 - C", total, false, TZeroMode::ZeroThis);
  EXPECT_EQ(total.TotalMilliseconds(), 5);
}

}  // namespace
}  // namespace zentrel
