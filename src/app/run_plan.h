// The run plan: a checked command line read once, by one pass driven by the option table,
// into a value that every action reads and none changes.
//
// The lookups keep the program's rules: options match without regard to case; letters run
// together ("-qd") pass the syntax check but match no option; "--x", "-name" and "--name"
// match as well as "-x"; the last matching parameter wins, and one matching the letter wins
// over one matching the name; a value follows "=" in "--name=value", else it is the next
// parameter unless that begins with "-" (so a long option without "=" never takes one).
//
// Besides what was typed, the plan holds what the run decides from it before any action:
// the output mode, the duration unit and zero mode, the resolved extended format and the
// warning about an unknown one, and the first parameter nothing reads.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "core/run_settings.h"
#include "core/time_units.h"

namespace zentrel {

/// The extended format of durations when -e names none, and the one an unknown name gets.
inline constexpr std::string_view kDefaultExtendedFormat = "## hr:min:sec.ms";
inline constexpr std::string_view kFallbackExtendedFormat = "days hours mins secs.ms";

class TRunPlan {
 public:
  /// The plan of parameters that passed ValidateOptions.
  explicit TRunPlan(std::vector<std::string> parameters);

  /// True when some parameter matches the option's letter or its name.
  bool Has(TOptionId id) const { return Found(id).Index >= 0; }
  /// True when some parameter matches the option's name.
  bool HasName(TOptionId id) const { return found_[Index(id)].ByName >= 0; }
  /// The option's value as typed; empty when it has none or is not given.
  const std::string& Value(TOptionId id) const { return Found(id).Value; }
  /// The parameter the value belongs to, as typed and without "=value" ("-D", "--Date").
  const std::string& Spelling(TOptionId id) const { return Found(id).Spelling; }
  /// Every parameter as typed, in order.
  const std::vector<std::string>& Parameters() const { return parameters_; }
  /// The first parameter that is neither an option, nor the value after an option that
  /// takes one, nor a word the run reads by itself ("\s" of -o, "/?").
  const std::optional<std::string>& Ignored() const { return ignored_; }

  /// -v, --?? or --help2: the banner's build line, and the help's notes.
  bool Verbose() const { return verbose_; }
  /// "/?" was typed: the help, like -h.
  bool HelpAsked() const { return helpAsked_; }
  /// The output mode of the help, banner and listing stage: quiet with -q.
  TOutputMode FlagMode() const { return Has(TOptionId::Quiet) ? TOutputMode::Quiet : TOutputMode::Labelled; }
  /// The output mode of the calculations: custom with -o, else as FlagMode.
  TOutputMode Mode() const { return Has(TOptionId::Output) ? TOutputMode::Custom : FlagMode(); }
  TTimeUnits DurationUnit() const { return durationUnit_; }
  TZeroMode ZeroMode() const { return zeroMode_; }
  /// The extended format of durations: -e's name when it is one, the fallback when it is
  /// not, the default without -e.
  const std::string& ExtendedFormat() const { return extendedFormat_; }
  /// The warning line for an -e that names no format; empty when there is none.
  const std::string& ExtendedFormatWarning() const { return extendedFormatWarning_; }

 private:
  struct TFound {
    int ByLetter = -1, ByName = -1;  ///< index of the last parameter matching, or -1
    int Index = -1;                  ///< the one the value comes from: the letter's first
    std::string Value, Spelling;
  };
  static std::size_t Index(TOptionId id) { return static_cast<std::size_t>(id); }
  const TFound& Found(TOptionId id) const { return found_[Index(id)]; }

  std::vector<std::string> parameters_;
  std::array<TFound, std::size(kOptionTable)> found_;
  std::optional<std::string> ignored_;
  bool verbose_ = false;
  bool helpAsked_ = false;
  TTimeUnits durationUnit_ = TTimeUnits::AutoDetect;
  TZeroMode zeroMode_ = TZeroMode::ZeroThis;
  std::string extendedFormat_;
  std::string extendedFormatWarning_;
};

}  // namespace zentrel
