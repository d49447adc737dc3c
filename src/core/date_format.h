// Rendering of date-time values through a pattern of tokens ("mm/dd/yyyy hh:nn:ss.zzz",
// "mmmm dd, yyyy", a user's -f pattern). Letters are case-insensitive and a run of one
// letter is one token: d/dd/ddd/dddd/ddddd/dddddd, m/mm/mmm/mmmm (minutes after an hour
// token), y/yy/yyyy, h/hh, n/nn, s/ss, z/zzz, t/tt, c, am/pm, a/p, ampm, "/" and ":" as the
// regional separators, quoted text copied, and in interval mode "[" ... "]" for elapsed
// hours, minutes and seconds counted from day 0. The letters reserved for regional calendar
// forms print Gregorian values: "e" the year without leading zeros, "g" the era name "AD";
// "f" is copied like any other letter. Tokens that would expand a regional pattern from
// inside a regional pattern ("ddddd", "t", "c" and the like) print nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <string_view>

#include "core/date_time.h"
#include "core/zoned_format.h"

namespace zentrel {

/// The fixed patterns of the program's own date texts, used whatever the regional settings
/// say: a date, and a moment to the millisecond (the form of every reference moment).
inline constexpr std::string_view kDatePattern = "mm/dd/yyyy";
inline constexpr std::string_view kMomentPattern = "mm/dd/yyyy hh:nn:ss.zzz";

/// The value rendered through the pattern. Throws ConversionError("Illegal character in
/// format string") for an "a" that starts no AM/PM token, and ConversionError when the value
/// lies outside years 1 to 9999.
std::string FormatDateTimeValue(std::string_view pattern, TDateTimeValue value,
                                bool intervalMode, const TFormatSettings& settings);

/// A date pattern checked once, ready to render any value: a user's -f pattern or one of
/// the program's own.
/// A date pattern checked once, ready to render any value: a user's -f pattern or one of
/// the program's own; or one of the forms that carry the display zone's offset (ISO 8601,
/// the date of an e-mail), which write a reading with the offset in force at it there.
class TDatePattern {
 public:
  /// The empty pattern.
  TDatePattern() = default;
  /// The pattern, checked: throws ConversionError("Illegal character in format string")
  /// when it cannot render a date, for an "a" that starts no AM/PM token in it or in a
  /// regional pattern it names. Whether a pattern renders does not depend on the date.
  static TDatePattern Compile(std::string_view text, const TFormatSettings& settings);
  /// One of the program's own patterns, which always render.
  static TDatePattern Fixed(std::string_view text) { return TDatePattern(text); }
  /// ISO 8601 at a precision, with the zone's offset ("Z" in UTC). The zone must outlive
  /// the pattern.
  static TDatePattern Iso8601(TIsoPrecision precision, const TTimeZone& zone);
  /// "Wed, 25 Dec 2024 10:30:00 +0100". The zone must outlive the pattern.
  static TDatePattern RfcEmail(const TTimeZone& zone);

  /// The value rendered through the pattern as FormatDateTimeValue renders it; throws
  /// ConversionError when the value lies outside years 1 to 9999.
  std::string Render(TDateTimeValue value, bool intervalMode,
                     const TFormatSettings& settings) const {
    std::string out;
    RenderTo(out, value, intervalMode, settings);
    return out;
  }
  /// As Render, appended to out (whose room a caller rendering many values reuses). The
  /// pattern's tokens are read once, when it is made.
  void RenderTo(std::string& out, TDateTimeValue value, bool intervalMode,
                const TFormatSettings& settings) const;
  /// As RenderTo, for a reading that stands for the instant given: the zoned forms write
  /// the instant; a pattern writes the reading.
  void RenderTo(std::string& out, TDateTimeValue value, std::optional<TMoment> instant,
                bool intervalMode, const TFormatSettings& settings) const;
  /// The pattern's text; empty for the zoned forms.
  const std::string& Text() const { return text_; }
  bool Empty() const { return text_.empty() && form_ == TForm::Pattern; }

  /// A token of the pattern, by its place in Text() (so a copy stays valid).
  struct TStoredToken {
    std::uint8_t Kind;
    bool Letter;
    std::size_t Count, From, Length;
  };
  /// A step of a pattern made of numbers, separators and literal text only (yyyy-mm-dd,
  /// dd.mm.yyyy hh:nn): what it writes, resolved when the pattern is made.
  struct TNumericStep {
    enum TField : std::uint8_t {
      Text, DateSep, TimeSep, Day, Month, Year, ShortYear, Hour, Minute, Second, Millisecond
    };
    TField Field;
    std::uint8_t Width;           ///< the fewest digits of a number
    std::uint16_t From, Length;   ///< the text's place in Text()
  };

 private:
  explicit TDatePattern(std::string_view text);
  std::string text_;
  /// Shared by copies: a pattern is copied per answer, its tokens never change.
  std::shared_ptr<const std::vector<TStoredToken>> tokens_;
  /// The same pattern as numeric steps, when it has no other token; else none.
  std::shared_ptr<const std::vector<TNumericStep>> numeric_;
  bool twelveHour_ = false;
  enum class TForm { Pattern, Iso8601, RfcEmail };
  TForm form_ = TForm::Pattern;
  TIsoPrecision precision_ = TIsoPrecision::Seconds;
  const TTimeZone* zone_ = nullptr;
};

}  // namespace zentrel
