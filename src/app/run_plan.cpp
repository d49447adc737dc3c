#include "app/run_plan.h"

#include <algorithm>

#include "core/date_input.h"
#include "core/input_pattern.h"
#include "core/integer_conversion.h"
#include "core/text.h"
#include "core/zone_lookup.h"
#include "durations/duration.h"
#include "durations/duration_format.h"

namespace zentrel {
namespace {

using Id = TOptionId;

constexpr std::string_view kInvalidFormatWarning = " -- Invalid Time Format Selected: \"";

constexpr bool TableInIdOrder() {
  std::size_t next = 0;
  for (const TOptionRow& row : kOptionTable) {
    if (static_cast<std::size_t>(row.Id) != next++) return false;
  }
  return next == std::size(kOptionTable);
}
static_assert(TableInIdOrder(), "kOptionTable must hold every option in the order of TOptionId");

/// The row of a long option name, or nullptr when the table has no such name.
const TOptionRow* FindLong(std::string_view name) {
  for (const TOptionRow& row : kOptionTable) {
    if (SameText(row.Name, name)) return &row;
  }
  return nullptr;
}

/// The row of a letter (lower case), or nullptr when no option has it.
const TOptionRow* FindLetter(char letter) {
  if (letter == '\0') return nullptr;
  for (const TOptionRow& row : kOptionTable) {
    if (row.Letter == letter) return &row;
  }
  return nullptr;
}

/// What a parameter that begins with "-" names: the text after one "-", or after "--" up
/// to any "=". Empty for "-" alone.
std::string_view NameOf(const std::string& param) {
  if (param.size() < 2) return {};
  std::string_view body = std::string_view(param).substr(1);
  if (body[0] == '-') {
    body.remove_prefix(1);
    body = body.substr(0, body.find('='));
  }
  return body;
}

/// Whether the parameter after a run of letters is the run's value: it is when the run
/// takes one, the parameter is not empty and it is no option.
bool IsValue(const std::string& next) { return !next.empty() && next[0] != '-'; }

/// The edits (a letter added, dropped, changed, or two swapped) that turn a into b, ASCII
/// case aside.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> before(b.size() + 1), row(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same = LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]);
      current[j] = std::min({row[j] + 1, current[j - 1] + 1, row[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && LowerAscii(a[i - 1]) == LowerAscii(b[j - 2]) &&
          LowerAscii(a[i - 2]) == LowerAscii(b[j - 1])) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
    }
    before.swap(row);
    row.swap(current);
  }
  return row[b.size()];
}

/// The long option nearest to a name that is none: the only one it begins (three letters
/// or more), else the one within two edits (one for a short name); nullptr when none is
/// near or two are as near.
const TOptionRow* NearestOption(std::string_view name) {
  const TOptionRow* prefixed = nullptr;
  int begun = 0;
  for (const TOptionRow& row : kOptionTable) {
    if (name.size() >= 3 && row.Name.size() > name.size() &&
        SameText(row.Name.substr(0, name.size()), name)) {
      prefixed = &row;
      ++begun;
    }
  }
  if (begun == 1) return prefixed;
  if (begun > 1 || name.empty()) return nullptr;
  const std::size_t limit = name.size() <= 4 ? 1 : 2;
  const TOptionRow* nearest = nullptr;
  std::size_t best = limit + 1;
  bool tie = false;
  for (const TOptionRow& row : kOptionTable) {
    // A name of two letters ("in") is within one edit of too many typos to be offered,
    // and would tie with the name a typo was meant as ("ino" for "info").
    if (row.Name.size() < 3) continue;
    const std::size_t distance = EditDistance(name, row.Name);
    if (distance < best) {
      best = distance;
      nearest = &row;
      tie = false;
    } else if (distance == best) {
      tie = true;
    }
  }
  return tie ? nullptr : nearest;
}

std::string InvalidOption(std::size_t position, std::string_view text) {
  return "Invalid option at position " + std::to_string(position) + ": \"" + EscapeForEcho(text) +
         "\"";
}
std::string NeedsArgument(std::size_t position, std::string_view name) {
  return "Option at position " + std::to_string(position) + " needs an argument : " +
         std::string(name);
}
std::string NoArgumentAllowed(std::size_t position, std::string_view name) {
  return "Option at position " + std::to_string(position) + " does not allow an argument: " +
         std::string(name);
}

}  // namespace

TRunPlan::TRunPlan(std::vector<std::string> parameters) : parameters_(std::move(parameters)) {
  Walk();
  if (Has(Id::Lines)) {
    // Only the values that hold places are filled per line; the file's name is no template.
    for (TFound& found : found_) {
      if (&found != &found_[Index(Id::Lines)]) found.Template = TLineTemplate::Compile(found.Value);
    }
  }
  // -? is the help; only --?? also asks for its notes.
  verbose_ = Has(Id::Verbose) || HasName(Id::Question) || Has(Id::Help2);
  if (Has(Id::UseHours)) durationUnit_ = TTimeUnits::Hours;
  if (Has(Id::UseMinutes)) durationUnit_ = TTimeUnits::Minutes;
  if (Has(Id::UseSeconds)) durationUnit_ = TTimeUnits::Seconds;
  if (Has(Id::ZeroAll)) zeroMode_ = TZeroMode::ZeroAll;
  extendedFormat_ = kDefaultExtendedFormat;
  if (Has(Id::ExtendedFormat)) {
    const std::string_view typed = TrimControls(Text(Id::ExtendedFormat));
    if (!typed.empty() && IsDurationFormatName(typed)) {
      extendedFormat_ = typed;
    } else {
      extendedFormat_ = kFallbackExtendedFormat;
      extendedFormatWarning_ = std::string(kInvalidFormatWarning) + EscapeForEcho(typed) + "\"";
    }
  }
}

void TRunPlan::Walk() {
  const std::vector<std::string>& params = parameters_;
  for (std::size_t i = 0; i < params.size(); ++i) {
    const std::string& param = params[i];
    const std::size_t position = i + 1;
    if (param.empty()) continue;  // nothing typed, nothing lost
    if (param[0] != '-') {
      if (param == "/?") {
        helpAsked_ = true;
      } else if (!SameText(param, "\\s")) {
        if (!ignored_) ignored_ = param;
        loose_.push_back(i);
      }
      continue;
    }
    // Every letter and name the parameter spells is a match, whatever the check finds.
    const std::string_view name = NameOf(param);
    for (const TOptionRow& row : kOptionTable) {
      TFound& found = found_[Index(row.Id)];
      if (row.Letter != '\0' && name.size() == 1 && LowerAscii(name[0]) == row.Letter) {
        found.ByLetter = static_cast<int>(i);
      }
      if (!name.empty() && SameText(name, row.Name)) found.ByName = static_cast<int>(i);
    }
    if (param == "-") {
      errors_.push_back(InvalidOption(position, param));
      continue;
    }
    if (param.compare(0, 2, "--") == 0) {
      const bool carriesValue = param.find('=') != std::string::npos;
      const TOptionRow* row = FindLong(name);
      if (row == nullptr) {
        // Named as typed, with the option nearest to it when one is.
        std::string error = InvalidOption(position, std::string_view(param).substr(0, 2 + name.size()));
        if (const TOptionRow* nearest = NearestOption(name)) {
          error += "; did you mean --" + std::string(nearest->Name) + "?";
        }
        errors_.push_back(std::move(error));
      } else if (row->Argument == TArgKind::None && carriesValue) {
        errors_.push_back(NoArgumentAllowed(position, name));
      } else if (row->Argument == TArgKind::Required && !carriesValue) {
        errors_.push_back(NeedsArgument(position, name));
      }
      continue;
    }
    // A run of letters: a letter that takes a value must end it, and the next parameter is
    // its value when it is one.
    const bool nextIsValue = i + 1 < params.size() && IsValue(params[i + 1]);
    bool runTakesValue = false;
    for (std::size_t k = 1; k < param.size(); ++k) {
      const TOptionRow* row = FindLetter(LowerAscii(param[k]));
      if (row == nullptr) {
        // A character of several bytes is one letter that is no option, named whole.
        std::size_t size = 1;
        if (static_cast<unsigned char>(param[k]) >= 0xC0) {
          while (k + size < param.size() &&
                 (static_cast<unsigned char>(param[k + size]) & 0xC0) == 0x80) {
            ++size;
          }
        }
        errors_.push_back(InvalidOption(position, std::string_view(&param[k], size)));
        k += size - 1;
        continue;
      }
      if (row->Argument == TArgKind::None) continue;
      runTakesValue = true;
      if (row->Argument == TArgKind::Required && (k + 1 != param.size() || !nextIsValue)) {
        errors_.push_back(NeedsArgument(position, std::string_view(&param[k], 1)));
      }
    }
    if (runTakesValue && nextIsValue) {
      ++i;
      helpAsked_ = helpAsked_ || params[i] == "/?";  // "/?" asks for the help wherever it is
    }
  }

  for (TFound& found : found_) {
    found.Index = found.ByLetter >= 0 ? found.ByLetter : found.ByName;
    if (found.Index < 0) continue;
    const std::string& param = params[static_cast<std::size_t>(found.Index)];
    found.Spelling = param.substr(0, param.find('='));
    const std::size_t next = static_cast<std::size_t>(found.Index) + 1;
    if (param.compare(0, 2, "--") == 0) {
      const std::size_t equals = param.find('=');
      if (equals != std::string::npos) found.Value = param.substr(equals + 1);
    } else if (next < params.size() && IsValue(params[next])) {
      found.Value = params[next];
    }
  }
}

std::vector<std::size_t> TRunPlan::ParametersOf(TOptionId id) const {
  const TFound& found = Found(id);
  if (found.Index < 0) return {};
  const std::size_t at = static_cast<std::size_t>(found.Index);
  const bool valueAfter = OptionRow(id).Argument != TArgKind::None &&
                          parameters_[at].compare(0, 2, "--") != 0 &&
                          at + 1 < parameters_.size() && IsValue(parameters_[at + 1]);
  if (valueAfter) return {at, at + 1};
  return {at};
}

void TRunPlan::Refuse(TOptionId id, std::string_view why) const {
  throw TNamedConversionError(ConversionError(std::string(why)),
                              " " + EscapeForEcho(Spelling(id)) + " \"" + EscapeForEcho(Text(id)) + "\" " +
                                  std::string(why));
}

TNamedConversionError TRunPlan::Named(const ConversionError& cause,
                                      std::optional<TOptionId> id, std::string_view text,
                                      TRunContext& run) const {
  const TFormatSettings& fs = run.Format;
  std::string what;
  const TValueKind kind = id ? OptionRow(*id).Value : TValueKind::Date;
  const bool patterned = Has(Id::InputFormat) && id != Id::InputFormat &&
                         (kind == TValueKind::Date || kind == TValueKind::DateOrTime ||
                          kind == TValueKind::Time);
  switch (patterned ? TValueKind::None : kind) {
    case TValueKind::None:
      what = (kind == TValueKind::Time ? "a time (" : "a date (") + Text(Id::InputFormat) + ")";
      break;
    case TValueKind::DateOrTime:
      what = "a date or time (" + RegionalDatePatternText(fs) + " " + RegionalClockPatternText(fs) + ")";
      break;
    case TValueKind::Time: what = "a time (" + RegionalClockPatternText(fs) + ")"; break;
    case TValueKind::Duration:
      what = "a duration (" + RegionalClockPatternText(fs) + fs.DecimalSeparator + "zzz)";
      break;
    case TValueKind::Count: what = "a whole number"; break;
    case TValueKind::Step: what = "a count (n, or n and a unit: d, w, m, y or b)"; break;
    case TValueKind::Pattern: what = "a date pattern"; break;
    default: what = "a date (" + RegionalDatePatternText(fs) + ")"; break;
  }
  std::string line = " ";
  if (id) line += EscapeForEcho(Spelling(*id)) + " ";
  line += "\"" + EscapeForEcho(text) + "\" is not " + what;
  return TNamedConversionError(cause, std::move(line));
}

std::optional<TTypedDateTime> TRunPlan::Typed(TOptionId id, TRunContext& run,
                                              TTrim trim) const {
  const bool clock = OptionRow(id).Value == TValueKind::Time;
  const std::string_view text =
      trim == TTrim::Yes || clock ? TrimControls(Text(id)) : std::string_view(Text(id));
  if (text.empty()) return std::nullopt;
  try {
    if (Has(Id::InputFormat)) {
      CheckInputFormat(run);
      return TTypedDateTime::Reading(
          ReadWithPattern(Text(Id::InputFormat), text, run.Format, run.CurrentDateTime()));
    }
    // A clock is read as a time even where the locale separates dates and times alike.
    return clock ? ReadTypedDateTime(PadClockFields(text, 3, run.Format), run,
                                     TAmbiguousText::Time)
                 : ReadTypedDateTime(text, run);
  } catch (const TNamedConversionError&) {
    throw;  // the input format's own failure
  } catch (const ConversionError& error) {
    throw Named(error, id, text, run);
  }
}

std::optional<TDateTimeValue> TRunPlan::DateTime(TOptionId id, TRunContext& run,
                                                 TTrim trim) const {
  const std::optional<TTypedDateTime> typed = Typed(id, run, trim);
  if (!typed) return std::nullopt;
  return Shown(id, run, typed, {});
}

std::optional<TOptionId> TRunPlan::SelectedOption() const {
  for (TOptionId id : {Id::Selected, Id::Date}) {
    if (!Text(id).empty()) return id;
  }
  return std::nullopt;
}

std::optional<TDateTimeValue> TRunPlan::SelectedDate(TRunContext& run) const {
  const std::optional<TOptionId> id = SelectedOption();
  if (!id) return std::nullopt;
  return DateTime(*id, run);
}

std::optional<TTimeZone> TRunPlan::DisplayZone(platform::Platform& os) const {
  if (Has(Id::Zone)) {
    const std::string& name = Text(Id::Zone);
    std::optional<TTimeZone> zone;
    try {
      zone = FindZone(TrimBlanks(name), os);
    } catch (const ConversionError&) {
      // An offset beyond any zone's, named below as any other name that is no zone.
    }
    if (!zone) Refuse(Id::Zone, "is not a time zone (UTC, +hh:mm or a name such as Europe/Berlin)");
    return zone;
  }
  if (Has(Id::Utc)) return TTimeZone::Utc();
  return std::nullopt;
}

TDateTimeValue TRunPlan::FirstParameterDate(TRunContext& run) const {
  const std::string& text = parameters_.at(0);
  firstRead_ = true;
  try {
    if (Has(Id::InputFormat)) {
      CheckInputFormat(run);
      return ReadWithPattern(Text(Id::InputFormat), text, run.Format, run.CurrentDateTime());
    }
    return ReadDateTimeText(text, run);
  } catch (const TNamedConversionError&) {
    throw;
  } catch (const ConversionError& error) {
    throw Named(error, std::nullopt, text, run);
  }
}

std::int32_t TRunPlan::Count(TOptionId id, TRunContext& run) const {
  return Converted(id, run, [&] { return StrToInt32(Text(id)); });
}

TStep TRunPlan::Step(TOptionId id, TRunContext& run) const {
  for (const auto& [kept, step] : keptSteps_) {
    if (kept != id) continue;
    read_[Index(id)] = true;
    return step;
  }
  const std::optional<TStep> step = ReadStep(Text(id));
  if (!step) throw Named(ConversionError("Invalid step"), id, Text(id), run);
  return *step;
}

void TRunPlan::CheckInputFormat(TRunContext& run) const {
  Converted(Id::InputFormat, run, [&] { CheckInputPattern(Text(Id::InputFormat)); });
}

void TRunPlan::KeepConversions(TRunContext& run) {
  for (const TOptionRow& row : kOptionTable) {
    if (row.Value != TValueKind::Step || Template(row.Id).HasPlaces()) continue;
    // Not kept when it does not convert: the action that asks for it gets the failure.
    if (const std::optional<TStep> step = ReadStep(Found(row.Id).Value)) {
      keptSteps_.emplace_back(row.Id, *step);
    }
  }
  if (Text(Id::Format).empty() || Template(Id::Format).HasPlaces()) return;
  try {
    keptPattern_ = TDatePattern::Compile(Text(Id::Format), run.Format);
  } catch (const ConversionError&) {
    // Not kept: the action that asks for it gets the failure, named after -f.
  }
}

const TDatePattern& TRunPlan::Pattern(TRunContext& run, std::string_view fallback) const {
  if (keptPattern_ && !Has(Id::Iso8601) && !Has(Id::RfcEmail)) return *keptPattern_;
  return madePattern_.emplace(MakePattern(run, fallback));
}

TDatePattern TRunPlan::MakePattern(TRunContext& run, std::string_view fallback) const {
  if (Has(Id::Iso8601)) {
    const std::string& name = Text(Id::Iso8601);
    const std::optional<TIsoPrecision> precision =
        name.empty() ? TIsoPrecision::Date : IsoPrecisionNamed(name);
    if (!precision) Refuse(Id::Iso8601, "is not a precision (date, minutes, seconds, ms, week or ordinal)");
    return TDatePattern::Iso8601(*precision, run.Zone);
  }
  if (Has(Id::RfcEmail)) return TDatePattern::RfcEmail(run.Zone);
  if (Text(Id::Format).empty()) return TDatePattern::Fixed(fallback);
  return Converted(Id::Format, run,
                   [&] { return TDatePattern::Compile(Text(Id::Format), run.Format); });
}

}  // namespace zentrel
