#include "core/output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion_error.h"
#include "core/custom_message.h"
#include "core/date_time.h"
#include "core/line_end.h"
#include "platform/fake_platform.h"

namespace zentrel {
namespace {

const std::string kLE(kLineEnd);
const std::string kDashes(79, '-');

/// The message as a printer writes it for the value V (without the printer's line end).
std::string Render(std::string_view text, const std::vector<std::string>& parameters = {}) {
  return PrepareCustomMessage(text, parameters).Render("V");
}

struct OutputTest : ::testing::Test {
  platform::FakePlatform os;
  TRunContext run{os};

  std::string Out() {
    run.Channels.Flush();
    return os.Out;
  }
  void Quiet() { run.RunSettings.Mode = TOutputMode::Quiet; }
  void Custom(std::string_view message) {
    run.RunSettings.Mode = TOutputMode::Custom;
    run.RunSettings.CustomMessage = PrepareCustomMessage(message, {});
  }
};

// --- the three output modes -------------------------------------------------------------

TEST_F(OutputTest, LabelledResultPutsTheValueInColumn59) {
  PrintResult(run, "TRUE", "Leap Year Status [02/29/2024] ");
  std::string expected = " Leap Year Status [02/29/2024] " + std::string(27, '.') + "TRUE" + kLE;
  EXPECT_EQ(Out(), expected);
  EXPECT_EQ(expected.find("TRUE"), 58u);
}

TEST_F(OutputTest, LabelOf57CharactersOrMoreGetsNoDots) {
  PrintResult(run, "1", std::string(57, 'L'));
  PrintResult(run, "2", std::string(60, 'L'));
  PrintResult(run, "3", "");
  EXPECT_EQ(Out(), " " + std::string(57, 'L') + "1" + kLE + " " + std::string(60, 'L') + "2" +
                       kLE + " " + std::string(57, '.') + "3" + kLE);
}

TEST_F(OutputTest, QuietResultIsTheValueAlone) {
  Quiet();
  PrintResult(run, "TRUE", "Leap Year Status ");
  EXPECT_EQ(Out(), "TRUE" + kLE);
}

TEST_F(OutputTest, CustomResultFillsEveryValuePlaceAndKeepsTheMessageForTheNextResult) {
  Custom("[\\v] and [\\v]");
  PrintResult(run, "1", "label");
  PrintResult(run, "2", "label");
  EXPECT_EQ(Out(), "[1] and [1]" + kLE + "[2] and [2]" + kLE);
}

TEST_F(OutputTest, LabelledModeIgnoresAPreparedMessage) {
  Custom("Leap: ");
  run.RunSettings.Mode = TOutputMode::Labelled;
  PrintResult(run, "TRUE", "L ");
  EXPECT_EQ(Out(), " L " + std::string(55, '.') + "TRUE" + kLE);
}

TEST_F(OutputTest, ValuesAreWrittenUntrimmedAndUntruncated) {
  Quiet();
  std::string value = "  " + std::string(100000, 'x') + " \t";
  PrintResult(run, value, "");
  EXPECT_EQ(Out(), value + kLE);
}

TEST_F(OutputTest, CondensedJoinsQuietAndCustomResultsOnOneLine) {
  Quiet();
  WriteCondensableResult(run, "1", "a", true);
  WriteCondensableResult(run, "2", "b", true);
  WriteCondensableResult(run, "3", "c", false);
  EXPECT_EQ(Out(), "1 2 3" + kLE);

  os.Out.clear();
  Custom("<\\v>");
  WriteCondensableResult(run, "1", "a", true);
  WriteCondensableResult(run, "2", "b", false);
  EXPECT_EQ(Out(), "<1> <2>" + kLE);
}

TEST_F(OutputTest, CondensedIsIgnoredWithLabels) {
  WriteCondensableResult(run, "1", "a", true);
  EXPECT_EQ(Out(), " a" + std::string(56, '.') + "1" + kLE);
}

TEST_F(OutputTest, DateResultRendersThePatternInEveryMode) {
  TDateTimeValue moment = CombineDateTime(EncodeDate(2024, 12, 25), EncodeTime(13, 5, 9, 0));
  PrintDateResult(run, "yyyy-mm-dd", "Selected Date ", moment);
  Quiet();
  PrintDateResult(run, "mmm d, yyyy hh:nn", "", moment);
  Custom("On \\v!");
  PrintDateResult(run, "mm/dd/yyyy", "", moment);
  EXPECT_EQ(Out(), " Selected Date " + std::string(43, '.') + "2024-12-25" + kLE +
                       "Dec 25, 2024 13:05" + kLE + "On 12/25/2024!" + kLE);
}

TEST_F(OutputTest, DateResultUsesIntervalModeForElapsedHours) {
  Quiet();
  PrintDateResult(run, "[hh]:nn", "", TDateTimeValue::FromSerial(2.5));  // day 2 at noon: 60 elapsed hours
  EXPECT_EQ(Out(), "60:00" + kLE);
}

TEST_F(OutputTest, FailingPatternLeavesTheLabelAndPropagates) {
  EXPECT_THROW(PrintDateResult(run, "dd a", "Selected Date ", EncodeDate(2024, 12, 25)),
               ConversionError);
  EXPECT_EQ(Out(), " Selected Date " + std::string(43, '.'));

  os.Out.clear();
  Quiet();
  EXPECT_THROW(PrintDateResult(run, "dd a", "", EncodeDate(2024, 12, 25)), ConversionError);
  EXPECT_EQ(Out(), "");
}

TEST_F(OutputTest, ALineWrittenInPlaceIsTakenBackWhenItFails) {
  const auto failing = [](std::string& out) {
    out += "partial";
    throw ConversionError("Invalid date");
  };
  run.Out().WriteLine("before");
  EXPECT_THROW(run.Out().WriteLineFrom(failing), ConversionError);
  run.Out().WriteLineFrom([](std::string& out) { out += "after"; });
  // The buffer holds standard error: the line is made apart, and fails apart.
  run.Err().WriteLine("warning");
  EXPECT_THROW(run.Out().WriteLineFrom(failing), ConversionError);
  run.Out().WriteLineFrom([](std::string& out) { out += "last"; });
  EXPECT_EQ(Out(), "before" + kLE + "after" + kLE + "last" + kLE);
  EXPECT_EQ(os.Err, "warning" + kLE);
}

TEST_F(OutputTest, WarningsBeepAndGoToStandardErrorBeforeTheResultOrTheFailure) {
  Quiet();
  const TWarning clamp{{"first", "second"}, TExitCode::MismatchedParameters};
  TCheckedDateResult checked{{clamp, clamp}, {"", EncodeDate(2024, 12, 25)}, std::nullopt};
  run.Out().Write("before ");
  PrintDateResult(run, TDatePattern::Fixed("yyyy"), checked);
  EXPECT_EQ(Out(), "before 2024" + kLE);
  EXPECT_EQ(os.Beeps, 2);
  EXPECT_EQ(os.Err, "first" + kLE + "second" + kLE + "first" + kLE + "second" + kLE);
  EXPECT_EQ(run.ExitCode, TExitCode::MismatchedParameters);

  checked.Failure = ConversionError("outside");
  EXPECT_THROW(PrintDateResult(run, TDatePattern::Fixed("yyyy"), checked), ConversionError);
  EXPECT_EQ(os.Beeps, 4);
  EXPECT_EQ(Out(), "before 2024" + kLE);
}

// --- the custom-message language ----------------------------------------------------------

TEST(PrepareCustomMessage, ValueGoesAtTheEndUnlessATokenPlacesIt) {
  EXPECT_EQ(Render("Today is "), "Today is V");
  EXPECT_EQ(Render("Today is"), "Today isV");
  EXPECT_EQ(Render("\\v is the date"), "V is the date");
  EXPECT_EQ(Render("[\\v] and [\\V]"), "[V] and [V]");
  EXPECT_EQ(Render(""), "V");
}

TEST(PrepareCustomMessage, EscapeTokensInEitherCase) {
  EXPECT_EQ(Render("a\\tb\\Tc\\v"), "a\tb\tcV");
  EXPECT_EQ(Render("\\qx\\Q\\v"), "\"x\"V");
  EXPECT_EQ(Render("a\\nb\\Nc\\v"), "a" + kLE + "b" + kLE + "cV");
}

TEST(PrepareCustomMessage, UnknownSequencesAndAnyBytesStayAsTyped) {
  EXPECT_EQ(Render("\\x \\y\\"), "\\x \\y\\V");
  const std::string controls("a\x01" "b\x02Quorvane\x02" "c\x03" "d\0e\xff", 19);
  EXPECT_EQ(Render(controls), controls + "V");
  EXPECT_EQ(Render("\x01\\v\x03\\-"), "\x01V\x03" + kDashes);
  EXPECT_EQ(Render("\\s stays\\v"), "\\s staysV");  // not suppressed: no \s parameter
}

TEST(PrepareCustomMessage, LiteralBackslashesAreNoTokens) {
  EXPECT_EQ(Render("a\\\\nb"), "a\\nbV");
  EXPECT_EQ(Render("\\\\\\n\\v"), "\\" + kLE + "V");
  EXPECT_EQ(Render("\\\\-\\v"), "\\-V");
}

TEST(PrepareCustomMessage, ProtectedBackslashesDoNotHideTheValue) {
  // "\\v" is a backslash and a v, not the value token, so the value still goes at the end.
  EXPECT_EQ(Render("a\\\\v"), "a\\vV");
  // A lone backslash at the end does not swallow the appended value token.
  EXPECT_EQ(Render("C:\\"), "C:\\V");
  EXPECT_EQ(Render("C:\\\\"), "C:\\V");
  // "\\z " does not switch on spaced-token mode: "\t" right after still works.
  EXPECT_EQ(Render("\\\\z \\tx"), "\\z \txV");
}

TEST(PrepareCustomMessage, SpacedTokenModeNeedsABlankAfterEveryToken) {
  EXPECT_EQ(Render("\\z Total:\\tvalue\\v"), "Total:\\tvalueV");
  EXPECT_EQ(Render("\\z Total: \\t \\v"), "Total: \tV");
  EXPECT_EQ(Render("\\z Now: \\v"), "Now: V");
  EXPECT_EQ(Render("\\Z Now:"), "Now: V");  // the value token appended with its blank
  EXPECT_EQ(Render("\\z a\\nb \\n c"), "a\\nb " + kLE + "c V");
  EXPECT_EQ(Render("\\z \\z x"), "\\z x V");  // only the first "\z " is deleted
  // Deleting it closes "\V" and the blanks after it up into a value token.
  EXPECT_EQ(Render("\\V\\z  "), "V V");
}

TEST(PrepareCustomMessage, SeparateBackslashSParameterSuppressesTheValue) {
  std::vector<std::string> params{"-l", "-o", "Nothing here", "\\S"};
  EXPECT_EQ(Render("Nothing here", params), "Nothing here");
  EXPECT_EQ(Render("Nothing \\v here", params), "Nothing V here");
  EXPECT_EQ(Render("drop \\s this", params), "drop this");
  // The message itself is the parameter "\s": suppressed, and "\s" without a blank stays.
  EXPECT_EQ(Render("\\s", {"-l", "-o", "\\s"}), "\\s");
  // A parameter merely holding "\s" is no switch.
  EXPECT_EQ(Render("x", {"-o", "x", "\\s "}), "xV");
}

TEST(PrepareCustomMessage, DividerBeforeTheEndHasNoLineEnd) {
  EXPECT_EQ(Render("\\n\\v will be tomorrow's date\\n\\-"),
            kLE + "V will be tomorrow's date" + kLE + kDashes);
  EXPECT_EQ(Render("\\v\\="), "V" + std::string(79, '='));
  // Only line breaks may follow: they stay, the divider gets no line end of its own.
  EXPECT_EQ(Render("\\v\\#\\n\\n"), "V" + std::string(79, '#') + kLE + kLE);
}

TEST(PrepareCustomMessage, DividerInsideTheMessageEndsItsLine) {
  EXPECT_EQ(Render("\\-\\n\\nText"), kDashes + kLE + kLE + kLE + "TextV");
  EXPECT_EQ(Render("\\v\\*x"), "V" + std::string(79, '*') + kLE + "x");
}

TEST(PrepareCustomMessage, EveryDividerCharacter) {
  for (char c : std::string("-=_*~@#:;.,|/")) {
    std::string line(79, c);
    EXPECT_EQ(Render(std::string("a\\") + c + "b"), "a" + line + kLE + "bV") << c;
  }
  EXPECT_EQ(Render("\\v\\-\\="), "V" + kDashes + kLE + std::string(79, '='));
  EXPECT_EQ(Render("\\v\\=\\-"), "V" + std::string(79, '=') + kLE + kDashes);
}

TEST(PrepareCustomMessage, SpacedDividers) {
  EXPECT_EQ(Render("\\z \\v \\- \\n"), "V" + kDashes + kLE);
  EXPECT_EQ(Render("\\z \\-x \\v"), "\\-x V");
}

TEST(PrepareCustomMessage, LongMessagesPrepareQuickly) {
  std::string text;
  for (int i = 0; i < 30000; ++i) text += "\\n";
  text += "\\-\\v";
  std::string rendered = Render(text);
  EXPECT_EQ(rendered.size(), 30000 * kLE.size() + 79 + kLE.size() + 1);
}

}  // namespace
}  // namespace zentrel
