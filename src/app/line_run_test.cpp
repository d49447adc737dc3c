// --lines against the program run once per value: the answers must be the same, line for
// line, and a line that does not convert must cost an empty line, never a shift.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/zentrel.h"
#include "core/text.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

struct TOutcome {
  std::string Out, Err;
  int Code = 0;
};

TOutcome RunProgram(std::vector<std::string> args, const std::string& input = {},
             std::size_t piece = 1 << 16) {
  platform::FakePlatform os;
  os.Args = std::move(args);
  os.Stdin = input;
  os.ReadPiece = piece;
  os.Files["holidays.txt"] = "12/25/2024\n";
  TZentrel program(os);
  const int code = program.Run();
  return {os.Out, os.Err, code};
}

/// The command with every "{}" replaced by the value.
std::vector<std::string> Filled(const std::vector<std::string>& command, const std::string& value) {
  std::vector<std::string> args;
  for (const std::string& arg : command) args.push_back(ReplaceText(arg, "{}", value));
  return args;
}

TEST(Lines, AnswersEqualThoseOfOneRunPerValue) {
  const std::vector<std::vector<std::string>> commands = {
      {"-q", "-a", "7", "-d", "{}", "-f", "yyyy-mm-dd"},
      {"-q", "-p", "1m", "-d", "{}"},
      {"-a", "5b", "-d", "{}", "--holidays=holidays.txt"},
      {"-q", "-w", "{}"},
      {"-y", "{}"},
      {"-q", "-l", "{}"},
      {"-q", "-m", "{}"},
      {"-q", "-c", "{}"},
      {"-q", "--unix-time={}"},
      {"-q", "-b", "{}", "-d", "2024-01-01"},
      {"-q", "--business-days={}", "-d", "12/02/2024", "--holidays=holidays.txt"},
      {"-s", "{}", "-f", "dddd d mmmm yyyy hh:nn"},
      {"-o", "at \\v!", "-s", "{}"},
      {"-q", "-x", "1:30", "-t", "{}"},
      {"-z", "{}", "-t", "12/25/2024 10:00"},
      {"-q", "-n", "{}", "-t", "23:00"},
      {"-q", "-k", "{}"},
      {"-k", "{}"},
      {"-q", "-u", "{}"},
      {"-q", "-s", "{}", "--input-format=dd.mm.yyyy hh:nn", "-f", "yyyy-mm-dd hh:nn"},
      {"-q", "--sequence={}", "-d", "12/20/2024", "--step=1y", "-f", "yyyy"},
  };
  const std::vector<std::string> values = {
      "2024-12-25", "12/31/2024", "02/29/2024", "2024-02-30", "10:30", "1:30:15.5",
      "@1735122600", "12/25/2024 23:59:59.999", "01/01/0001", "12/31/9999", "25.12.2024 10:30",
      "abc", "45", " 2024-12-25", "2024-12-25T10:30:00+05:30"};
  for (const auto& command : commands) {
    std::string expected, input;
    int bad = 0;
    for (const std::string& value : values) {
      input += value + "\n";
      const TOutcome one = RunProgram(Filled(command, value));
      if (one.Code == 64) {
        expected += "\n";
        ++bad;
      } else {
        expected += one.Out;
      }
    }
    std::vector<std::string> args = command;
    args.push_back("--lines");
    const TOutcome all = RunProgram(args, input, 7);
    EXPECT_EQ(all.Out, expected) << command[1] << " " << command[2];
    EXPECT_EQ(all.Code, bad > 0 ? 64 : 0) << command[1] << " " << command[2];
    // Every option is read by some line, a value kept for all lines too.
    EXPECT_EQ(all.Err.find("Not used"), std::string::npos) << all.Err;
  }
}

TEST(Lines, AHolidaysFileIsReadOnceUnlessEachLineNamesItsOwn) {
  platform::FakePlatform os;
  os.Files["holidays.txt"] = "12/25/2024\n";
  os.Files["none.txt"] = "";
  os.Args = {"-q", "-a", "1b", "-d", "{}", "--holidays=holidays.txt", "--lines"};
  os.Stdin = "12/24/2024\n12/24/2024\n12/24/2024\n";
  EXPECT_EQ(TZentrel(os).Run(), 0);
  EXPECT_EQ(os.Out, "12/26/2024\n12/26/2024\n12/26/2024\n");
  EXPECT_EQ(os.WholeFileReads, 1);

  platform::FakePlatform named;
  named.Files = os.Files;
  named.Args = {"-q", "-a", "1b", "-d", "{1}", "--holidays={2}", "--lines"};
  named.Stdin = "12/24/2024\tholidays.txt\n12/24/2024\tnone.txt\n12/24/2024\tholidays.txt\n";
  EXPECT_EQ(TZentrel(named).Run(), 0);
  EXPECT_EQ(named.Out, "12/26/2024\n12/25/2024\n12/26/2024\n");
}

TEST(Lines, BadLinesAreNamedTheFirstTenThenCounted) {
  std::string input;
  for (int i = 1; i <= 12; ++i) input += "bad" + std::to_string(i) + "\n";
  input += "2024-01-01";
  const TOutcome out = RunProgram({"-q", "-l", "{}", "--lines"}, input);
  EXPECT_EQ(out.Out, std::string(12, '\n') + "TRUE\n");
  EXPECT_EQ(out.Code, 64);
  EXPECT_NE(out.Err.find(" standard input line 10: \"bad10\": -l \"bad10\" is not a date"),
            std::string::npos);
  EXPECT_EQ(out.Err.find("line 11:"), std::string::npos);
  EXPECT_NE(out.Err.find(" standard input: 12 lines did not convert (10 shown)\n"),
            std::string::npos);
}

TEST(Lines, EmptyValuesLongLinesAndMissingFieldsAreBadLines) {
  const std::string longLine(70000, '9');
  const TOutcome out = RunProgram({"-q", "-a", "1", "-d", "{2}", "--lines"},
                                  "x\t2024-01-01\n\n" + longLine + "\nx\t\n" +
                                  std::string(81, 'y') + "\t" + std::string(20, 'z') + "\n");
  EXPECT_EQ(out.Out, "01/02/2024\n\n\n\n\n");
  EXPECT_EQ(out.Code, 64);
  EXPECT_NE(out.Err.find("line 2: \"\": -d \"{2}\": the line has 1 field"), std::string::npos);
  EXPECT_NE(out.Err.find("line 3: \"" + std::string(80, '9') + "...\": longer than 65536 bytes"),
            std::string::npos);
  EXPECT_NE(out.Err.find("line 4: \"x\t\": -d \"{2}\" is empty"), std::string::npos);
  // A bad line is quoted up to 80 bytes.
  EXPECT_NE(out.Err.find("line 5: \"" + std::string(80, 'y') + "...\": -d \"" +
                         std::string(20, 'z') + "\" is not a date"),
            std::string::npos);
}

TEST(Lines, ALabelledAnswerThatFailsLeavesNoLabelBehind) {
  // The label is written before the date is rendered; past 9999 the rendering fails.
  const TOutcome out = RunProgram({"-a", "1", "-d", "{}", "--lines"}, "12/30/9999\n12/31/9999\n");
  EXPECT_EQ(out.Out.substr(out.Out.find('\n') + 1), "\n");
  EXPECT_EQ(out.Code, 64);
}

TEST(Lines, RowsThatAnswerOncePerRunAreRefused) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"-d", "{}"}, {"{}"}, {}, {"-f", "yyyy"}, {"-v"}, {"-h"}, {"--script-variables"},
           {"--compareold=a", "--comparenew=b"}, {"-i"}, {"--version"}}) {
    args.push_back("--lines");
    const TOutcome out = RunProgram(args, "2024-01-01\n");
    EXPECT_EQ(out.Code, 64) << args[0];
    EXPECT_NE((out.Out + out.Err).find("Option --lines answers once per line; "),
              std::string::npos)
        << args[0];
  }
}

TEST(Lines, InputThatCannotBeOpened) {
  const TOutcome out = RunProgram({"-q", "-s", "{}", "--lines=nothing.txt"});
  EXPECT_EQ(out.Code, 71);
  EXPECT_EQ(out.Out, "");
  EXPECT_EQ(out.Err, " \"nothing.txt\": no such file\n");
  // A file an action cannot read ends the run there, and the option counts as used.
  const TOutcome holidays =
      RunProgram({"-q", "-a", "1b", "-d", "{}", "--holidays=none.txt", "--lines"}, "2024-01-01\n");
  EXPECT_EQ(holidays.Code, 71);
  EXPECT_EQ(holidays.Err.find("Not used"), std::string::npos) << holidays.Err;
}

TEST(Lines, AFailingOutputEndsTheRunAsAFailure) {
  platform::FakePlatform os;
  os.Args = {"-q", "-a", "1", "-d", "{}", "--lines"};
  for (int i = 0; i < 100000; ++i) os.Stdin += "2024-01-01\n";
  os.OutFailure = "Broken pipe";
  TZentrel program(os);
  EXPECT_EQ(program.Run(), 72);
  EXPECT_NE(os.Err.find("Unable to write to standard output (Broken pipe)"), std::string::npos);
}

TEST(Lines, WithoutLinesBracesAreText) {
  EXPECT_EQ(RunProgram({"-q", "-o", "{} \\v {1}", "-l", "02/29/2024"}).Out, "{} TRUE {1}\n");
}

}  // namespace
}  // namespace zentrel
