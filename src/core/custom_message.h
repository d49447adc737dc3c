// The -o message: the text of the user's message with its escape tokens resolved, kept as
// pieces of text and the places where the value goes. Every byte the user typed that is not
// part of a token comes out as typed, whatever its value.
//
//   "\v" the value          "\t" tab         "\q" double quote     "\n" line end
//   "\\" backslash          "\z " blank-separated tokens: "\v ", "\t ", "\n " ...
//   "\-" "\=" "\_" "\*" "\~" "\@" "\#" "\:" "\;" "\." "\," "\|" "\/"  a divider line
//   "\s" as a parameter of its own: no value is appended
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

/// A prepared -o message: literal text and value places, in order.
class TCustomMessage {
 public:
  /// Adds literal text after the pieces so far.
  void AppendText(std::string_view text);
  /// Adds a place for the value after the pieces so far.
  void AppendValue();
  /// The message with the value in every value place.
  std::string Render(std::string_view value) const;

 private:
  struct TPiece {
    bool IsValue = false;
    std::string Text;  ///< the literal text of a text piece
  };
  std::vector<TPiece> pieces_;
};

/// Prepares the -o message from the text typed. parameters is the whole command line (a
/// parameter that is exactly "\s" switches value suppression on).
TCustomMessage PrepareCustomMessage(std::string_view text,
                                    const std::vector<std::string>& parameters);

}  // namespace zentrel
