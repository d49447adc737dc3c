// The marker thresholds of the comparison ("@TIME_INCREMENTS", whole seconds): how long the
// marker of a faster or slower section grows, and the markers themselves, made once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/integer_conversion.h"

namespace zentrel {

/// Markers shorter than this many columns are padded with blanks to it.
inline constexpr std::size_t kMarkerColumns = 30;

/// The marker thresholds, in whole seconds and in their given order.
struct TThresholds {
  std::vector<std::int64_t> Seconds;
  bool Valid = true;  ///< false when a word is not a whole number
  /// The markers, one character and two per threshold reached: each side's longest, and
  /// those shorter than kMarkerColumns with blanks up to it, by length.
  struct TMarkers {
    std::string Longest;
    std::vector<std::string> Padded;

    void Build(char c, std::size_t longest) {
      Longest.assign(longest, c);
      for (std::size_t length = 1; length < kMarkerColumns && length <= longest; length += 2) {
        Padded.push_back(std::string(length, c) + std::string(kMarkerColumns - length, ' '));
      }
    }
    /// The marker of the length, followed by blanks up to kMarkerColumns.
    std::string_view PaddedTo(std::size_t length) const {
      return length < kMarkerColumns ? std::string_view(Padded[length / 2])
                                     : std::string_view(Longest).substr(0, length);
    }
    std::string_view Bare(std::size_t length) const {
      return std::string_view(Longest).substr(0, length);
    }
  };
  TMarkers Faster, Slower, Unchanged;

  static TThresholds Read(std::string_view list) {
    TThresholds thresholds;
    std::size_t i = 0;
    while (i < list.size()) {
      while (i < list.size() && list[i] == ' ') ++i;
      const std::size_t start = i;
      while (i < list.size() && list[i] != ' ') ++i;
      if (start == i) break;
      try {
        thresholds.Seconds.push_back(StrToInt32(list.substr(start, i - start)));
      } catch (const ConversionError&) {
        thresholds.Valid = false;
      }
    }
    const std::size_t longest = 1 + 2 * thresholds.Seconds.size();
    thresholds.Faster.Build('+', longest);
    thresholds.Slower.Build('-', longest);
    thresholds.Unchanged.Build('=', 1);
    return thresholds;
  }

  std::size_t LongestMarker() const { return std::max(Faster.Longest.size(), kMarkerColumns); }

  /// One '-' and two more for every threshold reached.
  std::size_t MarkerLength(std::int64_t diffMs) const {
    const std::int64_t diffSeconds = diffMs / 1000;
    std::size_t length = 1;
    for (std::int64_t threshold : Seconds) {
      if (threshold <= diffSeconds) length += 2;
    }
    return length;
  }
};

}  // namespace zentrel
