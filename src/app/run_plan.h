// The run plan: the command line read once, by one pass driven by the option table, into a
// value that every action reads and none changes.
//
// The pass checks the syntax and matches the options at once. The checks: options match
// without regard to case; letters run together ("-qd") pass the check but match no option;
// a letter that takes a value must end its run and, when required, have one; a long option
// must say "=value" exactly when it takes one. The matches: "--x", "-name" and "--name"
// match as well as "-x"; the last matching parameter wins, and one matching the letter wins
// over one matching the name; a value follows "=" in "--name=value", else it is the next
// parameter unless that begins with "-" (so a long option without "=" never takes one).
//
// Values are held as typed and converted by the plan when an action asks for them, each
// by the kind its option row gives, so a value no action reads is never converted
// ("-q -l 02/29/2024 -p abc" answers TRUE). A value that does not convert throws
// TNamedConversionError, which carries the line of the error screen naming it.
//
// Besides what was typed, the plan holds what the run decides from it before any action:
// the output mode, the duration unit and zero mode, the resolved extended format and the
// warning about an unknown one, and the first parameter nothing reads.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "core/conversion_error.h"
#include "core/date_format.h"
#include "core/date_input.h"
#include "core/time_zone.h"
#include "core/line_template.h"
#include "core/run_context.h"
#include "core/run_settings.h"
#include "core/time_units.h"
#include "dates/calendar_steps.h"

namespace zentrel {

/// The extended format of durations when -e names none, and the one an unknown name gets.
inline constexpr std::string_view kDefaultExtendedFormat = "## hr:min:sec.ms";
inline constexpr std::string_view kFallbackExtendedFormat = "days hours mins secs.ms";

/// A value that did not convert, with the line of the error screen that names it.
class TNamedConversionError : public ConversionError {
 public:
  TNamedConversionError(const ConversionError& cause, std::string line)
      : ConversionError(cause), Line(std::move(line)) {}
  std::string Line;
};

class TRunPlan {
 public:
  /// The plan of the command line: its syntax errors, if any, and its options.
  explicit TRunPlan(std::vector<std::string> parameters);

  /// Every syntax error, in the order found; empty for a valid command line. Nothing but
  /// the matches (Has, Verbose) may be used from a plan with errors.
  const std::vector<std::string>& Errors() const { return errors_; }

  /// True when some parameter matches the option's letter or its name.
  bool Has(TOptionId id) const { return Found(id).Index >= 0; }
  /// True when some parameter matches the option's name.
  bool HasName(TOptionId id) const { return found_[Index(id)].ByName >= 0; }
  /// The option's value as typed; empty when it has none or is not given. In a per-line
  /// view (ReadPlacesFrom), a value with places is the text filled for the current line.
  /// Counts the option as read.
  const std::string& Text(TOptionId id) const {
    read_[Index(id)] = true;
    const TFound& found = Found(id);
    return lineTexts_ != nullptr && found.Template.HasPlaces() ? (*lineTexts_)[Index(id)]
                                                                : found.Value;
  }
  /// Whether an action asked for the option's value: of this plan, or of a per-line copy
  /// whose reads were noted; a value with places ({}) is read by the lines it is made of.
  bool WasRead(TOptionId id) const { return read_[Index(id)] || Template(id).HasPlaces(); }
  /// Counts what a copy of the plan read as read here.
  void NoteReadsOf(const TRunPlan& copy) const {
    for (std::size_t i = 0; i < read_.size(); ++i) read_[i] = read_[i] || copy.read_[i];
  }
  /// The parameters the option was given by: its own and the one after it that is its
  /// value, if any. Empty when the option is not given.
  std::vector<std::size_t> ParametersOf(TOptionId id) const;
  /// The parameters that are neither an option nor the value after one, in order, but for
  /// the words the run reads by itself ("\s" of -o, "/?").
  const std::vector<std::size_t>& LooseParameters() const { return loose_; }
  /// Whether the first parameter is a loose one: a date the report may take.
  bool FirstIsLoose() const { return !loose_.empty() && loose_.front() == 0; }
  /// The parameter the value belongs to, as typed and without "=value" ("-D", "--Date").
  const std::string& Spelling(TOptionId id) const { return Found(id).Spelling; }
  /// Every parameter as typed, in order.
  const std::vector<std::string>& Parameters() const { return parameters_; }

  /// With --lines: the value as a template of the parts of a line ("{}", "{1}"). Without
  /// --lines a value has no places: "{}" is text like any other.
  const TLineTemplate& Template(TOptionId id) const { return Found(id).Template; }
  /// The texts a per-line view reads: one per option, by TOptionId.
  using TLineTexts = std::array<std::string, std::size(kOptionTable)>;
  /// Makes this plan a per-line view: from now on Text() of a value with places is its
  /// entry in texts, which the line run fills anew for each line; the command line is
  /// not read again.
  void ReadPlacesFrom(const TLineTexts* texts) { lineTexts_ = texts; }
  /// Converts once what every line reads alike, for Pattern and Step to hand out on every
  /// line: a -f pattern and the steps without places. A value that does not convert is
  /// left to fail where an action asks for it.
  void KeepConversions(TRunContext& run);

  /// The first parameter that is neither an option, nor the value after an option that
  /// takes one, nor a word the run reads by itself ("\s" of -o, "/?").
  const std::optional<std::string>& Ignored() const { return ignored_; }

  /// -v, --?? or --help2: the banner's build line, and the help's notes.
  bool Verbose() const { return verbose_; }
  /// "/?" was typed: the help, like -h.
  bool HelpAsked() const { return helpAsked_; }
  /// The output mode of the help, banner and listing stage: quiet with -q.
  TOutputMode FlagMode() const {
    return Has(TOptionId::Quiet) ? TOutputMode::Quiet : TOutputMode::Labelled;
  }
  /// The output mode of the calculations: custom with -o, else as FlagMode.
  TOutputMode Mode() const { return Has(TOptionId::Output) ? TOutputMode::Custom : FlagMode(); }
  TTimeUnits DurationUnit() const { return durationUnit_; }
  TZeroMode ZeroMode() const { return zeroMode_; }
  /// The extended format of durations: -e's name when it is one, the fallback when it is
  /// not, the default without -e.
  const std::string& ExtendedFormat() const { return extendedFormat_; }
  /// The format of -n and -t: -e as typed when it has a value (a name that is no format
  /// renders in the fallback format), else ExtendedFormat.
  const std::string& ExtendedFormatName() const {
    return Text(TOptionId::ExtendedFormat).empty() ? extendedFormat_
                                                   : Text(TOptionId::ExtendedFormat);
  }
  /// The warning line for an -e that names no format; empty when there is none.
  const std::string& ExtendedFormatWarning() const { return extendedFormatWarning_; }

  // The values, converted by the kind of their option when asked for.

  /// Whether blanks and controls around a date-time are dropped before it is read.
  enum class TTrim { No, Yes };
  /// The date-time of a Date, DateOrTime or Time option, or nullopt when its value is empty
  /// (after trimming, if asked). A Time value is read as a clock even where it has the
  /// three fields of a date, and always trimmed.
  std::optional<TDateTimeValue> DateTime(TOptionId id, TRunContext& run,
                                         TTrim trim = TTrim::No) const;
  /// DateTime, or fallback for an empty value.
  TDateTimeValue DateTimeOr(TOptionId id, TRunContext& run, TDateTimeValue fallback,
                            TTrim trim = TTrim::No) const {
    return DateTime(id, run, trim).value_or(fallback);
  }
  /// What the value of a Date, DateOrTime or Time option names, a reading or a moment, or
  /// nullopt when its value is empty (after trimming, if asked).
  std::optional<TTypedDateTime> Typed(TOptionId id, TRunContext& run,
                                      TTrim trim = TTrim::No) const;
  /// What a value read by Typed shows in the display zone, or fallback for none; a moment
  /// that shows outside years 1 to 9999 there fails as the option's value.
  TDateTimeValue Shown(TOptionId id, TRunContext& run, const std::optional<TTypedDateTime>& typed,
                       TDateTimeValue fallback) const {
    if (!typed) return fallback;
    return Converted(id, run, [&] { return typed->WallIn(run.Zone); });
  }
  /// -s when it has a value, else -d when it has one, else nullopt.
  std::optional<TOptionId> SelectedOption() const;
  /// The display zone: --zone's, UTC for --utc, else the machine's (nullopt). A name that
  /// is no zone fails as a value of --zone that does not convert.
  std::optional<TTimeZone> DisplayZone(platform::Platform& os) const;
  /// The date of -s, else of -d, else nullopt (a value of either that is empty counts as
  /// not given).
  std::optional<TDateTimeValue> SelectedDate(TRunContext& run) const;
  /// The first parameter as the date of the report; counts it as read.
  TDateTimeValue FirstParameterDate(TRunContext& run) const;
  /// Whether FirstParameterDate was asked for.
  bool FirstWasRead() const { return firstRead_; }
  /// Fails as a value of the option that cannot be used, the error screen's line naming
  /// the option and its value and saying why: ' -a "9999y" gives a date outside ...'.
  [[noreturn]] void Refuse(TOptionId id, std::string_view why) const;
  /// The whole number of a Count option.
  std::int32_t Count(TOptionId id, TRunContext& run) const;
  /// The step of a Step option.
  TStep Step(TOptionId id, TRunContext& run) const;
  /// Throws as DateTime does for an --input-format pattern that cannot read dates.
  void CheckInputFormat(TRunContext& run) const;
  /// The pattern of a date answer: --iso-8601's or --rfc-email's zoned form, else the -f
  /// pattern compiled, else fallback. Valid until the next call (a kept pattern for as long
  /// as the plan): a run over many lines hands out the same one, uncopied.
  const TDatePattern& Pattern(TRunContext& run, std::string_view fallback) const;
  /// Runs convert on a value of the option as it is, naming the option in the failure.
  template <class TConvert>
  auto Converted(TOptionId id, TRunContext& run, TConvert convert) const
      -> decltype(convert()) {
    try {
      return convert();
    } catch (const TNamedConversionError&) {
      throw;
    } catch (const ConversionError& error) {
      throw Named(error, id, Text(id), run);
    }
  }

 private:
  struct TFound {
    int ByLetter = -1, ByName = -1;  ///< index of the last parameter matching, or -1
    int Index = -1;                  ///< the one the value comes from: the letter's first
    std::string Value, Spelling;
    TLineTemplate Template;  ///< with --lines only
  };
  static std::size_t Index(TOptionId id) { return static_cast<std::size_t>(id); }
  const TFound& Found(TOptionId id) const { return found_[Index(id)]; }
  /// The pattern Pattern hands out, made anew.
  TDatePattern MakePattern(TRunContext& run, std::string_view fallback) const;
  void Walk();
  /// The failure, named after the option (none: the first parameter) and its kind.
  TNamedConversionError Named(const ConversionError& cause, std::optional<TOptionId> id,
                              std::string_view text, TRunContext& run) const;

  std::vector<std::string> parameters_;
  std::vector<std::string> errors_;
  std::array<TFound, std::size(kOptionTable)> found_;
  std::optional<std::string> ignored_;
  std::vector<std::size_t> loose_;
  mutable std::array<bool, std::size(kOptionTable)> read_{};
  mutable bool firstRead_ = false;
  bool verbose_ = false;
  bool helpAsked_ = false;
  TTimeUnits durationUnit_ = TTimeUnits::AutoDetect;
  TZeroMode zeroMode_ = TZeroMode::ZeroThis;
  std::string extendedFormat_;
  std::string extendedFormatWarning_;
  const TLineTexts* lineTexts_ = nullptr;
  std::optional<TDatePattern> keptPattern_;
  mutable std::optional<TDatePattern> madePattern_;  ///< what Pattern made last
  std::vector<std::pair<TOptionId, TStep>> keptSteps_;
};

}  // namespace zentrel
