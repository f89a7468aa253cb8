// The plant's calendar: which day of the year the simulated clock stands on, in local time, with
// 29 February folded onto 28 February so that every later day keeps its number of a common year
// and the seasonal curves need only 365 days.
#pragma once

#include <cstdint>

namespace plant {

/// True for leap years of the Gregorian calendar.
[[nodiscard]] constexpr bool IsLeapYear(int32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

/// dayOfYear (0-based) folded: in a leap year every day after 28 February (day 58) moves back by
/// one, so 29 February and 28 February are both 58 and 1 March is 59 in every year.
[[nodiscard]] constexpr int32_t FoldLeapDay(int32_t year, int32_t dayOfYear) {
  return (IsLeapYear(year) && dayOfYear > 58) ? dayOfYear - 1 : dayOfYear;
}

/// The folded day of the year of a moment (seconds since 1970) in the process's local time zone.
[[nodiscard]] int32_t FoldedDayOfYear(int64_t secondsSince1970);

}  // namespace plant
