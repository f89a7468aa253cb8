// Local calendar time to UTC with Windows' time-zone rules, as DosDateTimeToFileTime and
// LocalFileTimeToFileTime would give it.
#include "zip/zip_entry_facts.h"

#include <windows.h>


namespace zip {

int64_t FileTimeFromLocalCalendar(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  local.wSecond = static_cast<WORD>(second);
  FILETIME localTime{};
  FILETIME utc{};
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) return 0;
  return static_cast<int64_t>(static_cast<uint64_t>(utc.dwHighDateTime) << 32 | utc.dwLowDateTime);
}

}  // namespace zip
