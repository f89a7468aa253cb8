// The present time on POSIX systems.
#include "zip/zip_clock.h"

#include <time.h>

namespace zip {

EntryTimes CurrentEntryTimes() {
  EntryTimes times;
  time_t now = time(nullptr);
  times.accessUnix = times.modifyUnix = times.createUnix = static_cast<int64_t>(now);
  struct tm local {};
  if (localtime_r(&now, &local) != nullptr) {
    times.dosDateTime = PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                        local.tm_min, local.tm_sec);
  }
  return times;
}

}  // namespace zip
