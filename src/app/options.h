// The option table: every option's letter, name, what follows it and what kind of value
// that is; app/run_plan.h reads and checks a command line against it.
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
  Zone,
  Iso8601,
  RfcEmail,
  Lines,
  InputFormat,
  WeekNumber,
  CalendarBetween,
  In,
};

/// What an option takes after it. For a letter, only Required is checked: a value after an
/// optional one is skipped by the check, which skips any other non-option too.
enum class TArgKind { None, Required, Optional };

/// What an option's value is: how the run converts it, how the error screen names a value
/// that does not convert, and what the completions offer after the option.
enum class TValueKind {
  None,            ///< a switch
  Date,            ///< a date, with or without a time of day ("12/25/2024", ISO, @N)
  DateOrTime,      ///< a date or a time of day alone
  Time,            ///< a time of day, read as a clock even where it looks like a date
  Duration,        ///< hhh[:nn[:ss]][.zzz]
  Count,           ///< a whole number
  Step,            ///< a count with an optional unit: 10, 2w, 1m, 5b
  Pattern,         ///< a date pattern of -f
  DurationFormat,  ///< one of the named duration formats of -e
  File,            ///< a file name
  Text,            ///< text used as typed
  Zone,            ///< a time zone: UTC, +05:30, Europe/Berlin
  IsoPrecision,    ///< date, minutes, seconds, ms, week or ordinal
  CalendarUnits,   ///< y, m or w: the one unit of a calendar difference
};

struct TOptionRow {
  TOptionId Id;
  char Letter;            ///< lower case; '\0' for an option with a long name only
  std::string_view Name;  ///< as the help screen spells it, matched without regard to case
  TArgKind Argument;
  TValueKind Value;
  /// For the options added after the help's text was fixed: the option as the help's last
  /// section writes it, what it does, and an example run (after the program's name).
  /// Empty for every other option.
  std::string_view Usage = {};
  std::string_view Help = {};
  std::string_view Example = {};
};

/// Every option, in the order of TOptionId.
inline constexpr TOptionRow kOptionTable[] = {
    {TOptionId::Question, '?', "??", TArgKind::None, TValueKind::None},
    {TOptionId::Help, 'h', "help", TArgKind::None, TValueKind::None},
    {TOptionId::Help2, '\0', "help2", TArgKind::None, TValueKind::None},
    {TOptionId::Quiet, 'q', "quiet", TArgKind::None, TValueKind::None},
    {TOptionId::Verbose, 'v', "verbose", TArgKind::None, TValueKind::None},
    {TOptionId::Output, 'o', "output", TArgKind::Required, TValueKind::Text},
    {TOptionId::DaysPrior, 'p', "days-prior", TArgKind::Required, TValueKind::Step},
    {TOptionId::DaysAfter, 'a', "days-after", TArgKind::Required, TValueKind::Step},
    {TOptionId::Format, 'f', "format", TArgKind::Optional, TValueKind::Pattern},
    {TOptionId::Date, 'd', "date", TArgKind::Optional, TValueKind::Date},
    {TOptionId::Selected, 's', "selected", TArgKind::Optional, TValueKind::Date},
    {TOptionId::DayOfWeek, 'w', "day-of-week", TArgKind::Optional, TValueKind::Date},
    {TOptionId::DayOfYear, 'y', "day-of-year", TArgKind::Optional, TValueKind::Date},
    {TOptionId::DaysBetween, 'b', "days-between", TArgKind::Required, TValueKind::Date},
    {TOptionId::Time, 't', "time", TArgKind::Optional, TValueKind::DateOrTime},
    {TOptionId::TimeBetween, 'n', "time-between", TArgKind::Required, TValueKind::DateOrTime},
    {TOptionId::ExtendedFormat, 'e', "extended-format", TArgKind::Required, TValueKind::DurationFormat},
    {TOptionId::LeapYear, 'l', "leapyear", TArgKind::Optional, TValueKind::Date},
    // -m passes the check as a switch (optional and none are alike for a letter), yet
    // its value is read: "-m 02/28/2024" tests that date.
    {TOptionId::MonthEnd, 'm', "month-end", TArgKind::Optional, TValueKind::Date},
    {TOptionId::Current, 'c', "current", TArgKind::Required, TValueKind::Date},
    {TOptionId::Random, 'r', "random", TArgKind::Optional, TValueKind::Count},
    {TOptionId::TimePrior, 'x', "time-prior", TArgKind::Required, TValueKind::Duration},
    {TOptionId::TimeAfter, 'z', "time-after", TArgKind::Required, TValueKind::Duration},
    {TOptionId::ConvertTime, 'k', "convert-time", TArgKind::Required, TValueKind::Time},
    {TOptionId::ConvertDays, 'u', "convert-days", TArgKind::Required, TValueKind::Count},
    {TOptionId::UseHours, '\0', "use-hours", TArgKind::None, TValueKind::None},
    {TOptionId::UseMinutes, '\0', "use-minutes", TArgKind::None, TValueKind::None},
    {TOptionId::UseSeconds, '\0', "use-seconds", TArgKind::None, TValueKind::None},
    {TOptionId::CompareOld, '\0', "compareold", TArgKind::Required, TValueKind::File},
    {TOptionId::CompareNew, '\0', "comparenew", TArgKind::Required, TValueKind::File},
    {TOptionId::SearchFor, '\0', "searchfor", TArgKind::Required, TValueKind::Text},
    {TOptionId::Heading, '\0', "heading", TArgKind::Required, TValueKind::Text},
    {TOptionId::ZeroAll, '\0', "zeroall", TArgKind::None, TValueKind::None},
    {TOptionId::ZeroThis, '\0', "zerothis", TArgKind::None, TValueKind::None},
    {TOptionId::ScriptVariables, '\0', "script-variables", TArgKind::None, TValueKind::None},
    {TOptionId::NoSymbols, '\0', "no-symbols", TArgKind::None, TValueKind::None},
    {TOptionId::Info, 'i', "info", TArgKind::None, TValueKind::None},
    {TOptionId::VersionOnly, '\0', "version-only", TArgKind::None, TValueKind::None},
    {TOptionId::ErrorDelay, '\0', "error-delay", TArgKind::None, TValueKind::None},
    {TOptionId::AudibleError, '\0', "audible-error", TArgKind::None, TValueKind::None},
    {TOptionId::DebugMode, '\0', "debug-mode", TArgKind::None, TValueKind::None},
    {TOptionId::Version, '\0', "version", TArgKind::None, TValueKind::None, "--Version",
     "Display the program's version and licence", "--Version"},
    {TOptionId::Utc, '\0', "utc", TArgKind::None, TValueKind::None, "--UTC",
     "Read the clock, and dates with a zone or @, in UTC, not local time",
     "-q -s --UTC -f \"yyyy-mm-dd'T'hh:nn:ss'Z'\""},
    {TOptionId::UnixTime, '\0', "unix-time", TArgKind::Optional, TValueKind::Date, "--Unix-Time[=date]",
     "Obtain the seconds since 1970-01-01T00:00:00Z of some date",
     "-q --Unix-Time=2024-12-25T10:30:00Z"},
    {TOptionId::BusinessDays, '\0', "business-days", TArgKind::Required, TValueKind::Date, "--Business-Days=date",
     "Count the business days from the date of -s or -d (or today) to date",
     "-q --Business-Days=12/31/2024 -d 12/01/2024 --Holidays=holidays.txt"},
    {TOptionId::Sequence, '\0', "sequence", TArgKind::Required, TValueKind::Date, "--Sequence=date",
     "List every date from the date of -s or -d (or today) to date, in -f",
     "-q --Sequence=12/31/2024 -d 12/01/2024 -f yyyy-mm-dd"},
    {TOptionId::Step, '\0', "step", TArgKind::Required, TValueKind::Step, "--Step=n[unit]",
     "The step of --Sequence (default 1d)", "-q --Sequence=2025-12-31 -d 2025-01-31 --Step=1m"},
    {TOptionId::Holidays, '\0', "holidays", TArgKind::Required, TValueKind::File, "--Holidays=file",
     "Dates that are no business days, one a line (# starts a comment)",
     "-q -a 5b -d 12/20/2024 --Holidays=holidays.txt"},
    {TOptionId::Zone, '\0', "zone", TArgKind::Required, TValueKind::Zone, "--Zone=name",
     "Show moments and read times in a zone: UTC, +05:30, Asia/Tokyo",
     "-q -s 2024-12-25T10:30Z --Zone=Asia/Tokyo -f \"yyyy-mm-dd hh:nn\""},
    {TOptionId::Iso8601, '\0', "iso-8601", TArgKind::Optional, TValueKind::IsoPrecision,
     "--ISO-8601[=prec]", "Write date answers in ISO 8601 (date, minutes, seconds, ms, week, ordinal)",
     "-q -s 2024-12-25T10:30Z --Zone=Europe/Berlin --ISO-8601=seconds"},
    {TOptionId::RfcEmail, '\0', "rfc-email", TArgKind::None, TValueKind::None, "--RFC-Email",
     "Write date answers as e-mail dates (Wed, 25 Dec 2024 10:30:00 +0100)",
     "-q -s 2024-12-25T10:30Z --Zone=Europe/Berlin --RFC-Email"},
    {TOptionId::Lines, '\0', "lines", TArgKind::Optional, TValueKind::File, "--Lines[=file]",
     "Answer each line of file or standard input: {} is the line, {1} its first field",
     "-q -a 7 -d {} -f yyyy-mm-dd --Lines=dates.txt"},
    {TOptionId::InputFormat, '\0', "input-format", TArgKind::Required, TValueKind::Pattern,
     "--Input-Format=pattern", "Read dates and times in the layout of a -f pattern",
     "-q -s 25.12.2024 --Input-Format=dd.mm.yyyy -f yyyy-mm-dd"},
    {TOptionId::WeekNumber, '\0', "week-number", TArgKind::Optional, TValueKind::Date,
     "--Week-Number[=date]", "Obtain the ISO 8601 week of some date; the week's year can differ",
     "-q --Week-Number=2024-12-30"},
    {TOptionId::CalendarBetween, '\0', "calendar-between", TArgKind::Required, TValueKind::Date,
     "--Calendar-Between=date",
     "Years, months and days from the date of -s or -d (or today) to date",
     "-q --Calendar-Between=2024-12-25 -d 2000-01-01"},
    {TOptionId::In, '\0', "in", TArgKind::Required, TValueKind::CalendarUnits, "--In=y|m|w",
     "--Calendar-Between in whole years, months or weeks alone",
     "-q --Calendar-Between=2024-12-25 -d 1990-06-15 --In=y"},
};

/// The row of an option.
constexpr const TOptionRow& OptionRow(TOptionId id) {
  return kOptionTable[static_cast<std::size_t>(id)];
}

}  // namespace zentrel
