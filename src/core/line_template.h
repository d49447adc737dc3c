// Texts with places for the parts of a line: "{}" stands for the whole line, "{1}", "{2}",
// ... for its fields, the parts between tabs. A brace that opens no place ("{x}", "{0}",
// a "{" never closed) is text like any other.
//
//   TLineTemplate t = TLineTemplate::Compile("{2} {1}");
//   TLineFields line;
//   line.Set("10:30\t12/25/2024", t.LargestField());
//   t.Fill(line, out);       // out == "12/25/2024 10:30"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

/// A line, cut at its tabs as far as the templates filled from it need.
class TLineFields {
 public:
  /// Takes the line (which must outlive its use here) and finds its first `fields` fields.
  void Set(std::string_view line, std::uint32_t fields);
  std::string_view Line() const { return line_; }
  /// How many fields the line has, counted up to the number Set was asked for.
  std::uint32_t Count() const { return static_cast<std::uint32_t>(fields_.size()); }
  /// Field n (1 for the first); n must be 1 to Count().
  std::string_view Field(std::uint32_t n) const { return fields_[n - 1]; }

 private:
  std::string_view line_;
  std::vector<std::string_view> fields_;
};

class TLineTemplate {
 public:
  /// The template of a text; one without places fills to the text itself.
  static TLineTemplate Compile(std::string_view text);

  bool HasPlaces() const { return hasPlaces_; }
  /// The highest field number of its places; 0 when it names no field.
  std::uint32_t LargestField() const { return largestField_; }
  /// The text with every place filled from the line, into out (its room reused). False
  /// when a place names a field past the line's last; out is then incomplete.
  bool Fill(const TLineFields& line, std::string& out) const;

 private:
  struct TPiece {
    std::size_t From = 0, Length = 0;  ///< text to copy, within text_ (offsets: copies stay valid)
    std::uint32_t Field = 0;   ///< after it, this field; 0 for the whole line
    bool Place = false;        ///< whether a place follows the text
  };
  std::string text_;
  std::vector<TPiece> pieces_;
  bool hasPlaces_ = false;
  std::uint32_t largestField_ = 0;
};

}  // namespace zentrel
