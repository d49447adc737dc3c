// The option table and its syntax check; app/run_plan.h reads a checked command line.
//
// Short options are letters after one "-" (several may run together: "-qd"), long options
// names after "--" (with "=value" for their argument). Options match without regard to
// case. Code names an option by its TOptionId, so a letter or name exists in one place
// only: kOptionTable.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

enum class TOptionId {
  Question,  ///< -? and --??; the long form also asks for the verbose help
  Help,
  Help2,
  Quiet,
  Verbose,
  Output,
  DaysPrior,
  DaysAfter,
  Format,
  Date,
  Selected,
  DayOfWeek,
  DayOfYear,
  DaysBetween,
  Time,
  TimeBetween,
  ExtendedFormat,
  LeapYear,
  MonthEnd,
  Current,
  Random,
  TimePrior,
  TimeAfter,
  ConvertTime,
  ConvertDays,
  UseHours,
  UseMinutes,
  UseSeconds,
  CompareOld,
  CompareNew,
  SearchFor,
  Heading,
  ZeroAll,
  ZeroThis,
  ScriptVariables,
  NoSymbols,
  Info,
  VersionOnly,
  ErrorDelay,
  AudibleError,
  DebugMode,
  // Added later; each has its line in the help's last section.
  Version,
  Utc,
  UnixTime,
  BusinessDays,
  Sequence,
  Step,
  Holidays,
};

/// What an option takes after it. For a letter, only Required is checked: a value after an
/// optional one is skipped by the check, which skips any other non-option too.
enum class TArgKind { None, Required, Optional };

struct TOptionRow {
  TOptionId Id;
  char Letter;            ///< lower case; '\0' for an option with a long name only
  std::string_view Name;  ///< as the help screen spells it, matched without regard to case
  TArgKind Argument;
  /// For the options added after the help's text was fixed: the option as the help's last
  /// section writes it, what it does, and an example run (after the program's name).
  /// Empty for every other option.
  std::string_view Usage = {};
  std::string_view Help = {};
  std::string_view Example = {};
};

/// Every option, in the order of TOptionId.
inline constexpr TOptionRow kOptionTable[] = {
    {TOptionId::Question, '?', "??", TArgKind::None},
    {TOptionId::Help, 'h', "help", TArgKind::None},
    {TOptionId::Help2, '\0', "help2", TArgKind::None},
    {TOptionId::Quiet, 'q', "quiet", TArgKind::None},
    {TOptionId::Verbose, 'v', "verbose", TArgKind::None},
    {TOptionId::Output, 'o', "output", TArgKind::Required},
    {TOptionId::DaysPrior, 'p', "days-prior", TArgKind::Required},
    {TOptionId::DaysAfter, 'a', "days-after", TArgKind::Required},
    {TOptionId::Format, 'f', "format", TArgKind::Optional},
    {TOptionId::Date, 'd', "date", TArgKind::Optional},
    {TOptionId::Selected, 's', "selected", TArgKind::Optional},
    {TOptionId::DayOfWeek, 'w', "day-of-week", TArgKind::Optional},
    {TOptionId::DayOfYear, 'y', "day-of-year", TArgKind::Optional},
    {TOptionId::DaysBetween, 'b', "days-between", TArgKind::Required},
    {TOptionId::Time, 't', "time", TArgKind::Optional},
    {TOptionId::TimeBetween, 'n', "time-between", TArgKind::Required},
    {TOptionId::ExtendedFormat, 'e', "extended-format", TArgKind::Required},
    {TOptionId::LeapYear, 'l', "leapyear", TArgKind::Optional},
    // -m passes the check as a switch (optional and none are alike for a letter), yet
    // its value is read: "-m 02/28/2024" tests that date.
    {TOptionId::MonthEnd, 'm', "month-end", TArgKind::Optional},
    {TOptionId::Current, 'c', "current", TArgKind::Required},
    {TOptionId::Random, 'r', "random", TArgKind::Optional},
    {TOptionId::TimePrior, 'x', "time-prior", TArgKind::Required},
    {TOptionId::TimeAfter, 'z', "time-after", TArgKind::Required},
    {TOptionId::ConvertTime, 'k', "convert-time", TArgKind::Required},
    {TOptionId::ConvertDays, 'u', "convert-days", TArgKind::Required},
    {TOptionId::UseHours, '\0', "use-hours", TArgKind::None},
    {TOptionId::UseMinutes, '\0', "use-minutes", TArgKind::None},
    {TOptionId::UseSeconds, '\0', "use-seconds", TArgKind::None},
    {TOptionId::CompareOld, '\0', "compareold", TArgKind::Required},
    {TOptionId::CompareNew, '\0', "comparenew", TArgKind::Required},
    {TOptionId::SearchFor, '\0', "searchfor", TArgKind::Required},
    {TOptionId::Heading, '\0', "heading", TArgKind::Required},
    {TOptionId::ZeroAll, '\0', "zeroall", TArgKind::None},
    {TOptionId::ZeroThis, '\0', "zerothis", TArgKind::None},
    {TOptionId::ScriptVariables, '\0', "script-variables", TArgKind::None},
    {TOptionId::NoSymbols, '\0', "no-symbols", TArgKind::None},
    {TOptionId::Info, 'i', "info", TArgKind::None},
    {TOptionId::VersionOnly, '\0', "version-only", TArgKind::None},
    {TOptionId::ErrorDelay, '\0', "error-delay", TArgKind::None},
    {TOptionId::AudibleError, '\0', "audible-error", TArgKind::None},
    {TOptionId::DebugMode, '\0', "debug-mode", TArgKind::None},
    {TOptionId::Version, '\0', "version", TArgKind::None, "--Version",
     "Display the program's version and licence", "--Version"},
    {TOptionId::Utc, '\0', "utc", TArgKind::None, "--UTC",
     "Read the clock, and dates with a zone or @, in UTC, not local time",
     "-q -s --UTC -f \"yyyy-mm-dd'T'hh:nn:ss'Z'\""},
    {TOptionId::UnixTime, '\0', "unix-time", TArgKind::Optional, "--Unix-Time[=date]",
     "Obtain the seconds since 1970-01-01T00:00:00Z of some date",
     "-q --Unix-Time=2024-12-25T10:30:00Z"},
    {TOptionId::BusinessDays, '\0', "business-days", TArgKind::Required, "--Business-Days=date",
     "Count the business days from the date of -s or -d (or today) to date",
     "-q --Business-Days=12/31/2024 -d 12/01/2024 --Holidays=holidays.txt"},
    {TOptionId::Sequence, '\0', "sequence", TArgKind::Required, "--Sequence=date",
     "List every date from the date of -s or -d (or today) to date, in -f",
     "-q --Sequence=12/31/2024 -d 12/01/2024 -f yyyy-mm-dd"},
    {TOptionId::Step, '\0', "step", TArgKind::Required, "--Step=n[unit]",
     "The step of --Sequence (default 1d)", "-q --Sequence=2025-12-31 -d 2025-01-31 --Step=1m"},
    {TOptionId::Holidays, '\0', "holidays", TArgKind::Required, "--Holidays=file",
     "Dates that are no business days, one a line (# starts a comment)",
     "-q -a 5b -d 12/20/2024 --Holidays=holidays.txt"},
};

/// The row of an option.
constexpr const TOptionRow& OptionRow(TOptionId id) {
  return kOptionTable[static_cast<std::size_t>(id)];
}

/// Checks every parameter against the option table and returns every error found, in the
/// order found (empty when the command line is valid).
std::vector<std::string> ValidateOptions(const std::vector<std::string>& parameters);

}  // namespace zentrel
