#include "platform/win32/regional_settings.h"

namespace zentrel::platform {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

/// Collects literal characters and writes them quoted when they would otherwise read as
/// tokens of the program's pattern language.
class TLiteralWriter {
 public:
  explicit TLiteralWriter(std::string& out) : out_(out) {}

  void Add(char c) {
    if (IsAsciiLetter(c) || c == '/' || c == ':' || c == '[' || c == ']' || c == '\'') {
      Open('"');
      out_ += c;
    } else if (c == '"') {
      Open('\'');
      out_ += c;
    } else {
      Close();
      out_ += c;
    }
  }
  void Close() {
    if (quote_ != 0) out_ += quote_;
    quote_ = 0;
  }

 private:
  void Open(char quote) {
    if (quote_ == quote) return;
    Close();
    out_ += quote;
    quote_ = quote;
  }
  std::string& out_;
  char quote_ = 0;
};

}  // namespace

std::string TranslateLocalePattern(std::string_view picture, char dateSeparator,
                                   char timeSeparator) {
  std::string out;
  TLiteralWriter literal(out);
  auto token = [&](std::string_view text) {
    literal.Close();
    out += text;
  };
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == '\'') {
      // Quoted literal text; two quotes in a row, inside or outside, stand for one quote.
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        literal.Add('\'');
        i += 2;
        continue;
      }
      size_t k = i + 1;
      while (k < picture.size()) {
        if (picture[k] == '\'') {
          if (k + 1 < picture.size() && picture[k + 1] == '\'') {
            literal.Add('\'');
            k += 2;
            continue;
          }
          ++k;
          break;
        }
        literal.Add(picture[k]);
        ++k;
      }
      i = k;
      continue;
    }
    switch (c) {
      case 'd':
        token(std::string(run > 4 ? 4 : run, 'd'));
        break;
      case 'M':
        token(std::string(run > 4 ? 4 : run, 'm'));
        break;
      case 'y':
        token(run <= 2 ? "yy" : "yyyy");
        break;
      case 'g':
        literal.Close();
        // The era: the program renders no calendar but the Gregorian one, so it is left
        // out, together with one blank next to it.
        if (i + run < picture.size() && picture[i + run] == ' ') {
          ++run;
        } else if (!out.empty() && out.back() == ' ') {
          out.pop_back();
        }
        break;
      case 'h':
      case 'H':
        token(run == 1 ? "h" : "hh");
        break;
      case 'm':
        token(run == 1 ? "n" : "nn");
        break;
      case 's':
        token(run == 1 ? "s" : "ss");
        break;
      case 't':
        token(run == 1 ? "A/P" : "AMPM");
        break;
      default:
        for (size_t k = 0; k < run; ++k) {
          if (c == dateSeparator && c != timeSeparator) {
            token("/");
          } else if (c == timeSeparator && c != dateSeparator) {
            token(":");
          } else {
            literal.Add(c);
          }
        }
        break;
    }
    i += run;
  }
  literal.Close();
  return out;
}

TFormatSettings BuildRegionalSettings(const TLocaleLookup& lookup) {
  TFormatSettings settings;
  auto text = [&](TLocaleItem item, int index, std::string& target) {
    std::optional<std::string> value = lookup(item, index);
    if (value && !value->empty()) target = *value;
  };
  auto separator = [&](TLocaleItem item, char& target) {
    std::optional<std::string> value = lookup(item, 0);
    if (value && value->size() == 1 && static_cast<unsigned char>((*value)[0]) < 0x80 &&
        !IsAsciiLetter((*value)[0])) {
      target = (*value)[0];
    }
  };
  separator(TLocaleItem::DateSeparator, settings.DateSeparator);
  separator(TLocaleItem::TimeSeparator, settings.TimeSeparator);
  separator(TLocaleItem::DecimalSeparator, settings.DecimalSeparator);

  auto pattern = [&](TLocaleItem item, std::string& target) {
    std::optional<std::string> value = lookup(item, 0);
    if (!value || value->empty()) return;
    std::string translated =
        TranslateLocalePattern(*value, settings.DateSeparator, settings.TimeSeparator);
    if (!translated.empty()) target = translated;
  };
  pattern(TLocaleItem::ShortDatePattern, settings.ShortDatePattern);
  pattern(TLocaleItem::LongDatePattern, settings.LongDatePattern);
  pattern(TLocaleItem::ShortTimePattern, settings.ShortTimePattern);
  pattern(TLocaleItem::LongTimePattern, settings.LongTimePattern);

  text(TLocaleItem::AmText, 0, settings.TimeAMString);
  text(TLocaleItem::PmText, 0, settings.TimePMString);
  for (int m = 0; m < 12; ++m) {
    text(TLocaleItem::LongMonthName, m, settings.LongMonthNames[m]);
    // Kept only where the locale has a form of its own after a day.
    std::string genitive;
    text(TLocaleItem::GenitiveMonthName, m, genitive);
    if (genitive != settings.LongMonthNames[m]) settings.GenitiveMonthNames[m] = genitive;
    text(TLocaleItem::ShortMonthName, m, settings.ShortMonthNames[m]);
  }
  for (int d = 0; d < 7; ++d) {
    text(TLocaleItem::LongDayName, d, settings.LongDayNames[d]);
    text(TLocaleItem::ShortDayName, d, settings.ShortDayNames[d]);
  }
  return settings;
}

}  // namespace zentrel::platform
