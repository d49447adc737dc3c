#include "perf/timing_compare.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "perf/compare_test_files.h"

namespace zentrel {
namespace {

struct UnreadableFiles : TestFiles {
  std::unique_ptr<platform::TFileView> ViewWholeFile(const std::string&) override {
    return nullptr;
  }
};

TEST(CompareTimingFiles, IdenticalFilesAreUnchangedEverywhere) {
  const std::string file = Entry("01", "00:00:01.000", "A") + Entry("02", "00:00:02.500", "B");
  const Report report = Compare(file, file);
  EXPECT_EQ(report.ExitCode, 0);
  EXPECT_EQ(report.Err, "");
  const std::vector<std::string> expected = {
      "SECTION [#01]",
      " OLD:       0:01.000 - A",
      " NEW:       0:01.000 - A",
      "            0:00.000 UNCHGD vs previous run       =                             [- 00:00.000] =",
      "",
      "SECTION [#02]",
      " OLD:       0:02.500 - B",
      " NEW:       0:02.500 - B",
      "            0:00.000 UNCHGD vs previous run       =                             [- 00:00.000] =",
      "",
      std::string(80, '~'),
      "TOTAL DURATION FOR ALL SECTIONS [CALCULATED]",
      std::string(80, '~'),
      " OLD:       0:03.500 - *** AGGREGATE JOB TIME ***",
      " NEW:       0:03.500 - *** AGGREGATE JOB TIME ***",
      "            0:00.000 UNCHGD vs previous run       =",
      "",
      kTotals,
      " TOTAL OVERALL SECTIONS ....    2",
      " MISALIGNED SECTIONS .......    0",
      kTotals,
      " TOTAL FASTER SECTIONS .....    0\t[- 00:00.000] (max)",
      " TOTAL UNCHGD SECTIONS .....    2",
      " TOTAL SLOWER SECTIONS .....    0\t[+ 00:00.000] (max)",
      std::string(80, '~'),
      "",
  };
  EXPECT_EQ(report.Lines, expected);
}

TEST(CompareTimingFiles, ClassifiesWithMarkersArrowsAndTheRunningDifference) {
  const std::string oldFile = Entry("01", "01:20:29.730", "A") + Entry("02", "00:00:05.000", "B") +
                              Entry("03", "00:00:01.999", "C");
  const std::string newFile = Entry("01", "01:20:28.480", "A") + Entry("02", "00:00:06.000", "B") +
                              Entry("03", "00:00:01.000", "C");
  const Report report = Compare(oldFile, newFile);
  ASSERT_GE(report.Lines.size(), 30u);
  // 1.250 s faster; 1.000 s slower reaches the first threshold; 0.999 s faster does not.
  EXPECT_EQ(report.Lines[3],
            "            0:01.250 FASTER vs previous run       +++                           "
            "[- 00:01.250] \xC2\xAB");
  EXPECT_EQ(report.Lines[8],
            "            0:01.000 SLOWER vs previous run       ---                           "
            "[- 00:00.250] \xC2\xBB");
  EXPECT_EQ(report.Lines[13],
            "            0:00.999 FASTER vs previous run       +                             "
            "[- 00:01.249] \xC2\xAB");
  // The aggregate position compares the computed totals, with no running part.
  EXPECT_EQ(report.Lines[18], " OLD:    1:20:36.729 - *** AGGREGATE JOB TIME ***");
  EXPECT_EQ(report.Lines[19], " NEW:    1:20:35.480 - *** AGGREGATE JOB TIME ***");
  EXPECT_EQ(report.Lines[20], "            0:01.249 FASTER vs previous run       +++");
  EXPECT_EQ(report.Lines[23], " TOTAL OVERALL SECTIONS ....    3");
  EXPECT_EQ(report.Lines[26], " TOTAL FASTER SECTIONS .....    2\t[- 00:01.250] (max)");
  EXPECT_EQ(report.Lines[27], " TOTAL UNCHGD SECTIONS .....    0");
  EXPECT_EQ(report.Lines[28], " TOTAL SLOWER SECTIONS .....    1\t[+ 00:01.000] (max)");
}

TEST(CompareTimingFiles, MarkerGrowsByTwoForEveryDefaultThreshold) {
  // Differences just at each default threshold: 1 s, 10 s, 30 s, 1, 10, 30 min, 1, 2, 4 h.
  const char* times[] = {"00:00:01.000", "00:00:10.000", "00:00:30.000",
                         "00:01:00.000", "00:10:00.000", "00:30:00.000",
                         "01:00:00.000", "02:00:00.000", "04:00:00.000"};
  std::string oldFile, newFile;
  for (int i = 0; i < 9; ++i) {
    oldFile += Entry(std::to_string(i), "00:00:00.000", "S");
    newFile += Entry(std::to_string(i), times[i], "S");
  }
  const Report report = Compare(oldFile, newFile);
  for (int i = 0; i < 9; ++i) {
    const std::string& line = report.Lines[static_cast<std::size_t>(5 * i + 3)];
    const std::size_t start = line.find("run       ") + 10;
    EXPECT_EQ(line.substr(start, line.find(' ', start) - start), std::string(3 + 2 * i, '-'))
        << times[i];
  }
}

TEST(CompareTimingFiles, ThresholdsAreTheVariablesValue) {
  const std::string oldFile = Entry("01", "00:00:00.000", "A") + Entry("02", "00:00:00.000", "B");
  const std::string newFile = Entry("01", "00:00:04.999", "A") + Entry("02", "01:00:00.000", "B");
  TestFiles files;
  files.Thresholds = "5";
  const Report report = Compare(files, oldFile, newFile);
  EXPECT_NE(report.Lines[3].find("run       -      "), std::string::npos);
  EXPECT_NE(report.Lines[8].find("run       ---    "), std::string::npos);
  EXPECT_EQ(report.ExitCode, 0);

  TestFiles empty;  // an empty value means the default list
  empty.Thresholds = "";
  EXPECT_NE(Compare(empty, oldFile, newFile).Lines[8].find("run       ---------------   "),
            std::string::npos);
}

TEST(CompareTimingFiles, ThresholdThatIsNoNumberStopsAtTheFirstDifferingSection) {
  const std::string oldFile = Entry("01", "00:00:01.000", "A") + Entry("02", "00:00:01.000", "B");
  const std::string newFile = Entry("01", "00:00:01.000", "A") + Entry("02", "00:00:02.000", "B");
  TestFiles files;
  files.Thresholds = "1 ten";
  const Report report = Compare(files, oldFile, newFile);
  EXPECT_EQ(report.ExitCode, 71);
  EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n");
  // The unchanged first section is printed whole, the second up to its time lines.
  ASSERT_EQ(report.Lines.size(), 8u);
  EXPECT_EQ(report.Lines[5], "SECTION [#02]");
  EXPECT_EQ(report.Lines[7], " NEW:       0:02.000 - B");

  // Files without any difference never read the thresholds.
  TestFiles same;
  same.Thresholds = "x";
  EXPECT_EQ(Compare(same, oldFile, oldFile).ExitCode, 0);
  // Sections shown alike whose totals differ (times of 2^31 days show as more hours than a
  // field holds, which read back as 0): the aggregate block stops after its time lines.
  TestFiles aggregate;
  aggregate.Thresholds = "x";
  const Report stopped = Compare(aggregate,
                                 Entry("01", "2147483647:00:00:00.000", "A") +
                                     Entry("02", "-2147483646:00:00:00.000", "B"),
                                 Entry("01", "0:00.000", "A") + Entry("02", "0:00.000", "B"));
  EXPECT_EQ(stopped.ExitCode, 71);
  ASSERT_EQ(stopped.Lines.size(), 10u + 5);
  EXPECT_EQ(stopped.Lines[13], " OLD:   24:00:00.000 - *** AGGREGATE JOB TIME ***");
  EXPECT_EQ(stopped.Lines[14], " NEW:       0:00.000 - *** AGGREGATE JOB TIME ***");
}

TEST(CompareTimingFiles, ShorterNewFileShowsMissingSectionsAsZero) {
  std::string oldFile, newFile;
  for (int i = 1; i <= 5; ++i) {
    oldFile += Entry(std::to_string(40 + i), "00:00:02.000", "S" + std::to_string(i));
    if (i <= 3) newFile += Entry(std::to_string(40 + i), "00:00:01.000", "S" + std::to_string(i));
  }
  const Report report = Compare(oldFile, newFile, "");
  ASSERT_EQ(report.Lines.size(), 5u * 5 + 7 + 9);
  EXPECT_EQ(report.Lines[0], "SECTION [#41]");   // an empty heading shows NEW's section id
  EXPECT_EQ(report.Lines[15], "SECTION [#43]");
  EXPECT_EQ(report.Lines[20], "SECTION [#43]");  // kept from NEW's last section
  EXPECT_EQ(report.Lines[22], " NEW:       0:00.000 - n/a");
  EXPECT_EQ(report.Lines[23].substr(0, 36), "            0:02.000 FASTER vs previ");
  EXPECT_EQ(report.Lines[29], " NEW:       0:03.000 - *** AGGREGATE JOB TIME ***");
  EXPECT_EQ(report.Lines[33], " TOTAL OVERALL SECTIONS ....    5");
  EXPECT_EQ(report.Lines[34], " MISALIGNED SECTIONS .......    2");
  EXPECT_EQ(report.Lines[36], " TOTAL FASTER SECTIONS .....    5\t[- 00:02.000] (max)");

  // Whole tasks of 2,048 positions past the end of the shorter file, on either side.
  std::string longFile;
  for (int i = 1; i <= 4100; ++i) longFile += Entry(std::to_string(i), "00:00:01.000", "L");
  const std::string shortFile = Entry("1", "00:00:01.000", "L");
  for (const auto& [oldText, newText] :
       {std::pair{longFile, shortFile}, std::pair{shortFile, longFile}}) {
    const Report uneven = Compare(oldText, newText, "%d");
    EXPECT_EQ(uneven.ExitCode, 0);
    EXPECT_EQ(uneven.Lines[5 * 4099], "4100");
    EXPECT_NE(uneven.Out.find(" MISALIGNED SECTIONS ....... 4099"), std::string::npos);
  }
}

TEST(CompareTimingFiles, MaximaKeepTheFirstOfEqualDifferences) {
  const std::string oldFile = Entry("01", "00:00:03.000", "A") + Entry("02", "00:00:05.000", "B") +
                              Entry("03", "00:00:05.000", "C");
  const std::string newFile = Entry("01", "00:00:01.000", "A") + Entry("02", "00:00:03.000", "X") +
                              Entry("03", "00:00:07.000", "C");
  const Report report = Compare(oldFile, newFile);
  EXPECT_EQ(report.Lines[report.Lines.size() - 7], " MISALIGNED SECTIONS .......    1");
  EXPECT_EQ(report.Lines[report.Lines.size() - 5],
            " TOTAL FASTER SECTIONS .....    2\t[- 00:02.000] (max)");
  EXPECT_EQ(report.Lines[report.Lines.size() - 3],
            " TOTAL SLOWER SECTIONS .....    1\t[+ 00:02.000] (max)");
}

TEST(CompareTimingFiles, UnusualTimesGiveTheSameReportAsPlainOnes) {
  // "hh:nn:ss.zzz.0" reads as hh:nn:ss.zzz but is no plain time, so it takes the general
  // duration operations instead of the fast path; the report must not change.
  std::string plainOld, plainNew, unusualOld, unusualNew;
  const char* olds[] = {"00:00:01.000", "01:20:29.730", "00:10:00.000", "00:00:00.000"};
  const char* news[] = {"00:00:01.000", "01:20:28.480", "02:10:00.001", "00:00:00.005"};
  for (int i = 0; i < 4; ++i) {
    const std::string id = std::to_string(i);
    plainOld += Entry(id, olds[i], "N" + id);
    plainNew += Entry(id, news[i], "N" + id);
    unusualOld += Entry(id, std::string(olds[i]) + ".0", "N" + id);
    unusualNew += Entry(id, std::string(news[i]) + ".0", "N" + id);
  }
  const Report plain = Compare(plainOld, plainNew);
  EXPECT_EQ(Compare(unusualOld, unusualNew).Out, plain.Out);
  EXPECT_EQ(Compare(unusualOld, plainNew).Out, plain.Out);
}

TEST(CompareTimingFiles, InvalidTimeFieldsFollowTheZeroMode) {
  const std::string oldFile = Entry("01", "01:2x:29.730", "A");
  const std::string newFile = Entry("01", "01:00:29.730", "A");
  TestFiles zeroThis, zeroAll;
  EXPECT_EQ(Compare(zeroThis, oldFile, newFile).Lines[1], " OLD:    1:00:29.730 - A");
  const Report all = Compare(zeroAll, oldFile, newFile, "%d", "\\--- [#", TZeroMode::ZeroAll);
  EXPECT_EQ(all.Lines[1], " OLD:       0:00.000 - A");
  EXPECT_EQ(all.Lines[8], " OLD:       0:00.000 - *** AGGREGATE JOB TIME ***");
}

TEST(CompareTimingFiles, HeadingThatCannotBeFilledFailsBeforeAnyOutput) {
  const std::string file = Entry("01", "00:00:01.000", "A");
  for (const std::string heading : {"SECTION %s", "%n", "%d of %d", "100%"}) {
    const Report report = Compare(file, file, heading);
    EXPECT_EQ(report.ExitCode, 71) << heading;
    EXPECT_EQ(report.Out, "") << heading;
    EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n") << heading;
  }
  EXPECT_EQ(Compare(file, file, "STEP").Lines[0], "STEP");
  EXPECT_EQ(Compare(file, file, "[%3d] 100%%").Lines[0], "[  1] 100%");
}

TEST(CompareTimingFiles, MissingFilesAndEmptyListsEndWithTheirOwnCodes) {
  TestFiles files;
  platform::FakePlatform console;
  TChannels channels(console);
  files.Files["old.txt"] = Entry("01", "00:00:01.000", "A");
  for (const auto& [oldName, newName] : {std::pair{"", "new.txt"}, {"gone.txt", ""},
                                         {"old.txt", "gone.txt"}}) {
    const TCompareOutcome outcome =
        CompareTimingFiles(files, channels.Out, channels.Err, Request(oldName, newName));
    EXPECT_EQ(ToInt(outcome.Code), 71) << oldName << " " << newName;
  }
  channels.Flush();
  EXPECT_EQ(console.Err,
            "ERROR: No Filename was Supplied for OLD Performance Input File!\n"
            "ERROR: Could Not Open OLD Performance Input File!\n"
            " \"gone.txt\": no such file\n"
            "ERROR: Could Not Open NEW Performance Input File!\n"
            " \"gone.txt\": no such file\n");
  EXPECT_EQ(console.Out, "");

  const std::string good = Entry("01", "00:00:01.000", "A");
  TestFiles fresh;
  Report report = Compare(fresh, good, good, "%d", "");  // an empty search text keeps nothing
  EXPECT_EQ(report.ExitCode, 75);
  EXPECT_EQ(report.Err, "ERROR: OLD Source File Has Invalid Data!\n");
  report = Compare(good, "no entries\n\\--- [#ZZ] 00:00:01.000 - LAST\n");
  EXPECT_EQ(report.ExitCode, 75);
  EXPECT_EQ(report.Err, "ERROR: NEW Source File Has Invalid Data!\n");
  EXPECT_EQ(report.Out, "");
}

TEST(CompareTimingFiles, TenMegabyteLineShowsItsNameCut) {
  const std::string huge = Entry("01", "00:00:01.000", std::string(10'000'000, 'N'));
  const Report report = Compare(huge, huge);
  EXPECT_EQ(report.ExitCode, 0);
  EXPECT_EQ(report.Lines[1], " OLD:       0:01.000 - " + std::string(253, 'N'));
}

TEST(CompareTimingFiles, UnreadableFileIsAFailureOfTheComparison) {
  UnreadableFiles files;
  const Report report =
      Compare(files, Entry("01", "00:00:01.000", "A"), Entry("01", "00:00:01.000", "A"));
  EXPECT_EQ(report.ExitCode, 71);
  EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n");
  EXPECT_EQ(report.Out, "");
}

TEST(CompareTimingFiles, TotalsTooLargeForMillisecondsFailInsteadOfOverflowing) {
  std::string file;  // each section about 5,500 years; sixty of them exceed 64 bits of ms
  for (int i = 0; i < 60; ++i) file += Entry(std::to_string(i), "2000000000:00:00:00.000", "S");
  const Report report = Compare(file, file);
  EXPECT_EQ(report.ExitCode, 71);
  EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n");
  EXPECT_EQ(report.Out.find("TOTAL OVERALL"), std::string::npos);

  // Totals of opposite signs that each fit, 25 sections of nearly 2^31 days: their
  // difference passes 64 bits at section 25, which is not shown.
  std::string slow, fast;
  for (int i = 1; i <= 25; ++i) {
    slow += Entry(std::to_string(i), "2147483647:00:00:00.000", "S");
    fast += Entry(std::to_string(i), "-2147483648:00:00:00.000", "S");
  }
  const Report apart = Compare(slow, fast);
  EXPECT_EQ(apart.ExitCode, 71);
  EXPECT_EQ(apart.Err, "ERROR: One or More Input Files May Be Use!\n");
  ASSERT_EQ(apart.Lines.size(), 24u * 5);
  EXPECT_EQ(apart.Lines[24 * 5 - 5], "SECTION [#24]");
}

}  // namespace
}  // namespace zentrel
