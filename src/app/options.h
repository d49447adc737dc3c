// The option table, its syntax check, and the lookups every action is chosen by.
//
// Short options are letters after one "-" (several may run together: "-qd"), long options
// names after "--" (with "=value" for their argument). Options match without regard to
// case, and the last matching parameter wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

/// Checks every parameter against the option table and returns every error found, in the
/// order found (empty when the command line is valid).
std::vector<std::string> ValidateOptions(const std::vector<std::string>& parameters);

/// The lookups on one command line.
class TOptions {
 public:
  explicit TOptions(const std::vector<std::string>& parameters) : params_(parameters) {}

  /// True when some parameter matches the letter or the name.
  bool Present(std::string_view letter, std::string_view name) const;
  /// True when some parameter matches the name.
  bool Present(std::string_view name) const;
  /// The value of the last parameter matching the letter, else of the last matching the
  /// name: after its "=" when written with "--", else the next parameter unless that begins
  /// with "-". Empty when there is none.
  std::string Value(std::string_view letter, std::string_view name) const;
  std::string Value(std::string_view name) const;

  const std::vector<std::string>& Parameters() const { return params_; }

 private:
  /// Index of the last parameter matching name, or -1.
  int LastMatch(std::string_view name) const;
  std::string ValueAt(int index) const;

  const std::vector<std::string>& params_;
};

}  // namespace zentrel
