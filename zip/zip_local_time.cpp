// Local calendar time to UTC with the C library's time-zone rules (TZ).
#include "zip/zip_entry_facts.h"

#include <time.h>


namespace zip {

int64_t FileTimeFromLocalCalendar(int year, int month, int day, int hour, int minute, int second) {
  struct tm local {};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  time_t utc = mktime(&local);
  return static_cast<int64_t>(utc) * 10000000 + 116444736000000000;
}

}  // namespace zip
