// Regional settings: the separators, date order, patterns and names with which dates and
// times are parsed and rendered. The defaults are the values every text of the program is
// written for (month/day/year with "/", ":" and "."), used wherever the system offers none.
#pragma once

#include <array>
#include <string>

namespace zentrel {

struct TFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char DecimalSeparator = '.';
  std::string ShortDatePattern = "mm/dd/yyyy";
  std::string LongDatePattern = "dddd, mmmm d, yyyy";
  std::string ShortTimePattern = "h:nn AMPM";
  std::string LongTimePattern = "h:nn:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  /// January first.
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  /// The long names as a date writes them after the day, where the language declines them
  /// (Russian "7 декабря", Polish "7 grudnia"); an empty one is the long name.
  std::array<std::string, 12> GenitiveMonthNames;
  /// Sunday first.
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  /// Two-digit years land in the hundred years starting this many years before now.
  int TwoDigitYearCenturyWindow = 50;
};

}  // namespace zentrel
