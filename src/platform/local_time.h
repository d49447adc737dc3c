// A reading of a wall clock: the calendar date and time of day the system hands over, with
// no time zone attached. The platform fills it; core/ turns it into a date-time value.
#pragma once

namespace zentrel::platform {

/// A calendar date and time of day, to the millisecond.
struct TLocalTime {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

}  // namespace zentrel::platform
