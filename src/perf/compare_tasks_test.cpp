// The comparison on one thread and on two: large files give the same report either way,
// and a failure on either thread ends it where the failing position stands.
#include "perf/compare_tasks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <thread>

#include "perf/compare_test_files.h"

namespace zentrel {
namespace {

/// Views NEW as a file whose checks fail where a case says: from a given call on, made on
/// the main thread or on another, Intact() answers false (the file shrank) or throws
/// std::bad_alloc; and viewing NEW on another thread may throw std::bad_alloc.
struct FaultyFiles : TestFiles {
  enum class TFault { None, Shrinks, Throws };
  TFault Fault = TFault::None;
  bool OnHelper = false;  ///< the fault is on threads other than the main one
  int FromCall = 1;       ///< the fault's first call, counted on its threads
  bool ViewFailsOnHelper = false;
  std::thread::id Main = std::this_thread::get_id();
  std::atomic<int> MainCalls{0}, HelperCalls{0};

  FaultyFiles() = default;
  /// A file that shrinks while it is viewed: intact only the first intactAnswers times the
  /// main thread asks.
  explicit FaultyFiles(int intactAnswers)
      : Fault(TFault::Shrinks), FromCall(intactAnswers + 1) {}

  struct View : platform::TFileView {
    View(std::string bytes, FaultyFiles& owner) : Contents(std::move(bytes)), Owner(owner) {
      bytes_ = Contents;
    }
    bool Intact() const override {
      const bool onHelper = std::this_thread::get_id() != Owner.Main;
      const int call = ++(onHelper ? Owner.HelperCalls : Owner.MainCalls);
      if (Owner.Fault == TFault::None || onHelper != Owner.OnHelper || call < Owner.FromCall) {
        return true;
      }
      if (Owner.Fault == TFault::Throws) throw std::bad_alloc();
      return false;
    }
    std::string Contents;
    FaultyFiles& Owner;
  };
  std::unique_ptr<platform::TFileView> ViewWholeFile(const std::string& path) override {
    if (path != "new.txt") return TestFiles::ViewWholeFile(path);
    if (ViewFailsOnHelper && std::this_thread::get_id() != Main) throw std::bad_alloc();
    return std::make_unique<View>(Files.at(path), *this);
  }
};

TEST(CompareTimingFiles, FileThatShrinksWhileReadFailsTheComparison) {
  const std::string file = Entry("01", "00:00:01.000", "A") + Entry("02", "00:00:02.000", "B");
  FaultyFiles before(0);  // already shrunk once loaded: nothing is written
  const Report early = Compare(before, file, file);
  EXPECT_EQ(early.ExitCode, 71);
  EXPECT_EQ(early.Err, "ERROR: One or More Input Files May Be Use!\n");
  EXPECT_EQ(early.Out, "");

  FaultyFiles during(2);  // intact after loading and after section 1 only
  const Report partial = Compare(during, file, file);
  EXPECT_EQ(partial.ExitCode, 71);
  EXPECT_EQ(partial.Err, "ERROR: One or More Input Files May Be Use!\n");
  EXPECT_EQ(partial.Lines.size(), 5u);  // section 1 whole; section 2 read zeros: not shown
  EXPECT_EQ(partial.Lines[0], "SECTION [#01]");

  FaultyFiles last(3);  // shrunk after the last section: everything but the totals
  const Report late = Compare(last, file, file);
  EXPECT_EQ(late.ExitCode, 71);
  EXPECT_NE(late.Out.find("SECTION [#02]"), std::string::npos);
  EXPECT_NE(late.Out.find("AGGREGATE"), std::string::npos);
  EXPECT_EQ(late.Out.find("TOTAL OVERALL"), std::string::npos);
}

TEST(CompareTimingFiles, LargeFilesLoadedSideBySideGiveTheWholeReport) {
  // Over 4 MiB each, so the two files' lines are kept on two threads.
  std::string oldFile, newFile;
  constexpr int kSections = 70'000;
  for (int i = 1; i <= kSections; ++i) {
    const std::string id = std::to_string(i);
    oldFile += Entry(id, "00:00:01.000", "SECTION " + id + " OF A LARGE NIGHTLY RUN ---------");
    newFile += Entry(id, i % 2 ? "00:00:02.000" : "00:00:01.000",
                     "SECTION " + id + " OF A LARGE NIGHTLY RUN ---------");
  }
  ASSERT_GT(oldFile.size(), 4u << 20);
  const Report report = Compare(oldFile, newFile, "%d");
  ASSERT_EQ(report.ExitCode, 0);
  EXPECT_EQ(report.Lines[0], "1");
  EXPECT_EQ(report.Lines[5 * (kSections - 1)], "70000");
  EXPECT_EQ(report.Lines[5 * (kSections - 1) + 2],
            " NEW:       0:01.000 - SECTION 70000 OF A LARGE NIGHTLY RUN ---------");
  const std::string totals = report.Out.substr(report.Out.find(kTotals));
  EXPECT_NE(totals.find(" TOTAL OVERALL SECTIONS .... 70000"), std::string::npos) << totals;
  EXPECT_NE(totals.find(" MISALIGNED SECTIONS .......    0"), std::string::npos) << totals;
  EXPECT_NE(totals.find(" TOTAL SLOWER SECTIONS ..... 35000"), std::string::npos) << totals;
  EXPECT_NE(totals.find(" TOTAL UNCHGD SECTIONS ..... 35000"), std::string::npos) << totals;
}

// Files of over 2 MiB each: NEW is loaded on a thread of its own and the positions are
// compared on two, which take turns at the tasks of 2,048 positions. The report is the
// same without threads, and a failure on either thread, part way through a task or by an
// exception, ends it where the failing position stands with the failure line, no totals.

TEST(CompareTimingFiles, FailuresOnEitherThreadEndTheReportWhereTheyStand) {
  constexpr int kSections = 32'000;
  constexpr std::size_t kTask = 2048;
  std::string oldFile, newFile;
  for (int i = 1; i <= kSections; ++i) {
    const std::string id = std::to_string(i);
    oldFile += Entry(id, "00:00:01.000", "SECTION " + id + " OF A LARGE NIGHTLY RUN");
    newFile += Entry(id, i % 3 ? "00:00:02.000" : "00:00:00.500",
                     "SECTION " + id + " OF A LARGE NIGHTLY RUN");
  }
  ASSERT_GT(oldFile.size(), 2u << 20);
  TestFiles plain;
  const Report whole = Compare(plain, oldFile, newFile, "%d");
  ASSERT_EQ(whole.ExitCode, 0);
  /// The report's first positions, five lines each.
  auto positions = [&](std::size_t count) {
    std::size_t end = 0;
    for (std::size_t line = 0; line < 5 * count; ++line) end = whole.Out.find('\n', end) + 1;
    return whole.Out.substr(0, end);
  };
  using F = FaultyFiles::TFault;
  const struct {
    const char* What;
    int Threads;  ///< threads to be had; -1 for any number
    F Fault;
    bool OnHelper;
    int FromCall;
    bool ViewFailsOnHelper;
    std::size_t Shown;  ///< positions shown; SIZE_MAX: the whole report
  } cases[] = {
      {"no thread to be had", 0, F::None, false, 1, false, SIZE_MAX},
      {"a thread to load, none to compare", 1, F::None, false, 1, false, SIZE_MAX},
      // The main thread's first call is the check after loading; then one per position.
      {"shrinks on the main thread", -1, F::Shrinks, false, 2 + 100, false, 100},
      {"shrinks on the second thread", -1, F::Shrinks, true, 1 + 100, false, kTask + 100},
      {"throws on the main thread", -1, F::Throws, false, 2 + 100, false, 0},
      {"NEW fails to load on its thread", -1, F::None, false, 1, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    FaultyFiles files;
    files.ThreadsLeft = c.Threads;
    files.Fault = c.Fault;
    files.OnHelper = c.OnHelper;
    files.FromCall = c.FromCall;
    files.ViewFailsOnHelper = c.ViewFailsOnHelper;
    const Report report = Compare(files, oldFile, newFile, "%d");
    if (c.Shown == SIZE_MAX) {
      EXPECT_EQ(report.ExitCode, 0);
      EXPECT_TRUE(report.Out == whole.Out);  // not printed: megabytes
      continue;
    }
    EXPECT_EQ(report.ExitCode, 71);
    EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n");
    EXPECT_EQ(report.Out.size(), positions(c.Shown).size());
    EXPECT_TRUE(report.Out == positions(c.Shown));
  }
  // An exception on the second thread stops the report as soon as the main thread learns
  // of it: before the first task went out, or after it.
  FaultyFiles files;
  files.Fault = F::Throws;
  files.OnHelper = true;
  const Report report = Compare(files, oldFile, newFile, "%d");
  EXPECT_EQ(report.ExitCode, 71);
  EXPECT_EQ(report.Err, "ERROR: One or More Input Files May Be Use!\n");
  EXPECT_TRUE(report.Out == positions(0) || report.Out == positions(kTask));
}

}  // namespace
}  // namespace zentrel
