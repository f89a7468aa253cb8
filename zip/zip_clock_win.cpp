// The present time on Windows.
#include "zip/zip_clock.h"

#include <windows.h>

namespace zip {

EntryTimes CurrentEntryTimes() {
  EntryTimes times;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  times.accessUnix = times.modifyUnix = times.createUnix = UnixSecondsFromFileTime(ticks);
  SYSTEMTIME local;
  GetLocalTime(&local);
  times.dosDateTime = PackDosDateTime(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
  return times;
}

}  // namespace zip
