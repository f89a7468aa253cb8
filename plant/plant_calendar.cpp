// Day of the year of the simulated clock; see plant_calendar.h.
#include "plant/plant_calendar.h"

#include "plant/local_time.h"

namespace plant {
namespace {

// Civil date in UTC from days since 1970-01-01 (proleptic Gregorian), for the rare moment the
// runtime cannot convert to local time.
void UtcYearAndDay(int64_t seconds, int32_t* year, int32_t* dayOfYear) {
  int64_t days = seconds / 86400;
  int32_t y = 1970;
  for (;;) {
    const int64_t yearDays = IsLeapYear(y) ? 366 : 365;
    if (days < yearDays) {
      break;
    }
    days -= yearDays;
    ++y;
  }
  *year = y;
  *dayOfYear = static_cast<int32_t>(days);
}

}  // namespace

int32_t FoldedDayOfYear(int64_t secondsSince1970) {
  int32_t year = 1970;
  int32_t day = 0;
  if (!LocalYearAndDay(secondsSince1970, &year, &day)) {
    UtcYearAndDay(secondsSince1970, &year, &day);
  }
  return FoldLeapDay(year, day);
}

}  // namespace plant
