#include "app/options.h"
#include "app/run_plan.h"

#include <gtest/gtest.h>

namespace zentrel {
namespace {

using Params = std::vector<std::string>;

/// The syntax errors of the command line.
std::vector<std::string> ValidateOptions(Params params) { return TRunPlan(std::move(params)).Errors(); }

TEST(SyntaxCheck, AcceptsValidCommandLines) {
  for (const Params& params : std::vector<Params>{
           {},
           {"12/25/2024", "extra"},
           {"-p", "10", "-d", "12/25/2024", "-f", "yyyy-mm-dd"},
           {"-QD"},
           {"-m", "02/28/2024"},
           {"--current="},
           {"--date", "12/25/2024"},
           {"--CompareOld=a", "--comparenew=b", "--ZeroAll"},
           {"-fd", "yyyy"},
           {"/?"},
           {""},
       }) {
    EXPECT_TRUE(ValidateOptions(params).empty()) << ::testing::PrintToString(params);
  }
}

TEST(SyntaxCheck, ReportsEveryErrorWithItsOnePosition) {
  EXPECT_EQ(ValidateOptions({"-c"}),
            (std::vector<std::string>{"Option at position 1 needs an argument : c"}));
  EXPECT_EQ(ValidateOptions({"-q", "-", "--bogus=1", "-g", "--quiet=x", "--days-prior"}),
            (std::vector<std::string>{
                "Invalid option at position 2: \"-\"",
                "Invalid option at position 3: \"--bogus\"",
                "Invalid option at position 4: \"g\"",
                "Option at position 5 does not allow an argument: quiet",
                "Option at position 6 needs an argument : days-prior",
            }));
}

TEST(SyntaxCheck, ARequiredLetterMustEndItsRunAndHaveAValue) {
  EXPECT_EQ(ValidateOptions({"-pq", "5"}),
            (std::vector<std::string>{"Option at position 1 needs an argument : p"}));
  EXPECT_EQ(ValidateOptions({"-p", "-q"}),
            (std::vector<std::string>{"Option at position 1 needs an argument : p"}));
  EXPECT_EQ(ValidateOptions({"-p", ""}),
            (std::vector<std::string>{"Option at position 1 needs an argument : p"}));
  // The value of a run is skipped by the check even when it looks like garbage.
  EXPECT_TRUE(ValidateOptions({"-p", "abc"}).empty());
}

TEST(SyntaxCheck, AnUnknownLongOptionIsNamedAsTypedWithTheNearestOne) {
  const struct {
    const char* Typed;
    const char* Error;
  } cases[] = {
      {"--days-prio=5", "\"--days-prio\"; did you mean --days-prior?"},
      {"--Dayz-After", "\"--Dayz-After\"; did you mean --days-after?"},   // case aside
      {"--sequnece=1", "\"--sequnece\"; did you mean --sequence?"},     // two letters swapped
      {"--hol", "\"--hol\"; did you mean --holidays?"},                // the one it begins
      {"--dat", "\"--dat\"; did you mean --date?"},
      {"--time-b", "\"--time-b\"; did you mean --time-between?"},
      {"--ti", "\"--ti\""},                 // too short to guess
      {"--use", "\"--use\""},               // begins three options
      {"--versio", "\"--versio\""},         // begins two, though one edit from one
      {"--uct", "\"--uct\"; did you mean --utc?"},  // two letters swapped: one edit
      {"--bogus", "\"--bogus\""},
      {"--zeroal", "\"--zeroal\"; did you mean --zeroall?"},
      {"--ino", "\"--ino\"; did you mean --info?"},  // "in" is never offered
      {"--i", "\"--i\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidateOptions({c.Typed}),
              (std::vector<std::string>{std::string("Invalid option at position 1: ") + c.Error}))
        << c.Typed;
  }
}

TEST(SyntaxCheck, ALetterOfSeveralBytesIsNamedWholeAndControlsEscaped) {
  EXPECT_EQ(ValidateOptions({"-1\xEF\xBC\x91"}),
            (std::vector<std::string>{"Invalid option at position 1: \"1\"",
                                      "Invalid option at position 1: \"\xEF\xBC\x91\""}));
  EXPECT_EQ(ValidateOptions({"-\x01"}),
            (std::vector<std::string>{"Invalid option at position 1: \"\\x01\""}));
  EXPECT_EQ(ValidateOptions({"--da\xFFte"}),
            (std::vector<std::string>{
                "Invalid option at position 1: \"--da\\xFFte\"; did you mean --date?"}));
}

TEST(SyntaxCheck, EmptyAndOddLongNames) {
  EXPECT_EQ(ValidateOptions({"--"}),
            (std::vector<std::string>{"Invalid option at position 1: \"--\""}));
  EXPECT_EQ(ValidateOptions({"--="}),
            (std::vector<std::string>{"Invalid option at position 1: \"--\""}));
  EXPECT_EQ(ValidateOptions({"- "}),
            (std::vector<std::string>{"Invalid option at position 1: \" \""}));
  EXPECT_EQ(ValidateOptions({"-:"}),
            (std::vector<std::string>{"Invalid option at position 1: \":\""}));
}

TEST(RunPlan, MatchesLetterOrNameWithoutRegardToCase) {
  Params params{"-Q", "--VERBOSE", "-quiet", "--x=1"};
  TRunPlan options(params);
  EXPECT_TRUE(options.Has(TOptionId::Quiet));
  EXPECT_TRUE(options.Has(TOptionId::Verbose));
  EXPECT_TRUE(options.Has(TOptionId::TimePrior));
  EXPECT_FALSE(options.Has(TOptionId::Date));
  // -? is the help; only the long spelling --?? (or -??) also asks for its notes.
  Params letter{"-?"}, name{"-??"};
  EXPECT_TRUE(TRunPlan(letter).Has(TOptionId::Question));
  EXPECT_FALSE(TRunPlan(letter).HasName(TOptionId::Question));
  EXPECT_TRUE(TRunPlan(name).HasName(TOptionId::Question));
}

TEST(RunPlan, LettersRunTogetherMatchNeitherLetter) {
  Params params{"-qd"};
  TRunPlan options(params);
  EXPECT_FALSE(options.Has(TOptionId::Quiet));
  EXPECT_FALSE(options.Has(TOptionId::Date));
}

TEST(RunPlan, LastMatchWinsAndLetterBeatsName) {
  Params params{"-d", "01/01/2020", "--date=02/02/2020", "-d", "03/03/2020"};
  TRunPlan options(params);
  EXPECT_EQ(options.Text(TOptionId::Date), "03/03/2020");
  Params named{"--date=02/02/2020", "--date=04/04/2020"};
  EXPECT_EQ(TRunPlan(named).Text(TOptionId::Date), "04/04/2020");
}

TEST(RunPlan, ValueForms) {
  Params params{"--format", "yyyy", "-p", "-q", "--heading=A=B", "--searchfor="};
  TRunPlan options(params);
  EXPECT_EQ(options.Text(TOptionId::Format), "");  // a long option never takes the next one
  EXPECT_EQ(options.Text(TOptionId::DaysPrior), "");
  EXPECT_EQ(options.Text(TOptionId::Heading), "A=B");
  EXPECT_TRUE(options.Has(TOptionId::SearchFor));
  EXPECT_EQ(options.Text(TOptionId::SearchFor), "");
  Params monthEnd{"-m", "02/28/2024"};
  EXPECT_EQ(TRunPlan(monthEnd).Text(TOptionId::MonthEnd), "02/28/2024");
}

TEST(RunPlan, SpellingIsTheParameterTheValueComesFrom) {
  Params params{"--DATE=1", "-D", "2", "--days-prior=x"};
  TRunPlan options(params);
  EXPECT_EQ(options.Spelling(TOptionId::Date), "-D");  // the letter beats the name
  EXPECT_EQ(options.Spelling(TOptionId::DaysPrior), "--days-prior");
  EXPECT_EQ(options.Spelling(TOptionId::Selected), "");
}

TEST(RunPlan, IgnoredIsTheFirstParameterNothingReads) {
  struct TCase {
    Params Parameters;
    std::optional<std::string> Ignored;
  };
  for (const TCase& c : std::vector<TCase>{
           {{"-w", "12/06/2026"}, std::nullopt},
           {{"-m", "02/28/2024", "-q"}, std::nullopt},  // -m reads the next parameter
           {{"-fd", "yyyy"}, std::nullopt},             // a run with a value letter
           {{"-q", "-o", "msg", "\\S", "/?"}, std::nullopt},
           {{"-w", ""}, std::nullopt},
           {{"", "-w"}, std::nullopt},
           {{"--day-of-week", "12/06/2026"}, "12/06/2026"},  // a long option takes none
           {{"-q", "12/06/2026", "-w"}, "12/06/2026"},
           {{"-w", "a", "b", "c"}, "b"},
           {{"-p", "1", "--date=x", "y"}, "y"},
       }) {
    Params params = c.Parameters;
    EXPECT_EQ(TRunPlan(params).Ignored(), c.Ignored) << ::testing::PrintToString(params);
  }
}

TEST(RunPlan, DecidesTheSettingsOnce) {
  Params plain{"-w"};
  const TRunPlan none(plain);
  EXPECT_EQ(none.Mode(), TOutputMode::Labelled);
  EXPECT_EQ(none.DurationUnit(), TTimeUnits::AutoDetect);
  EXPECT_EQ(none.ZeroMode(), TZeroMode::ZeroThis);
  EXPECT_EQ(none.ExtendedFormat(), kDefaultExtendedFormat);
  EXPECT_FALSE(none.Verbose());

  Params params{"-q", "-o", "m", "--use-hours", "--use-seconds", "--zeroall", "--zerothis",
                "-e", " hr:min\t", "--??", "/?"};
  const TRunPlan plan(params);
  EXPECT_EQ(plan.FlagMode(), TOutputMode::Quiet);
  EXPECT_EQ(plan.Mode(), TOutputMode::Custom);       // -o wins over -q
  EXPECT_EQ(plan.DurationUnit(), TTimeUnits::Seconds);  // the last of the table's order
  EXPECT_EQ(plan.ZeroMode(), TZeroMode::ZeroAll);
  EXPECT_EQ(plan.ExtendedFormat(), "hr:min");         // trimmed of controls
  EXPECT_EQ(plan.ExtendedFormatWarning(), "");
  EXPECT_TRUE(plan.Verbose());
  EXPECT_TRUE(plan.HelpAsked());

  Params unknown{"-e", "bogus"};
  EXPECT_EQ(TRunPlan(unknown).ExtendedFormat(), kFallbackExtendedFormat);
  EXPECT_EQ(TRunPlan(unknown).ExtendedFormatWarning(),
            " -- Invalid Time Format Selected: \"bogus\"");
  Params empty{"--extended-format="};
  EXPECT_EQ(TRunPlan(empty).ExtendedFormatWarning(), " -- Invalid Time Format Selected: \"\"");
}

}  // namespace
}  // namespace zentrel
