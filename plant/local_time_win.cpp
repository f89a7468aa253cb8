// Local calendar date through the Windows C runtime's thread-safe _localtime64_s.
#include "plant/local_time.h"

#include <ctime>

namespace plant {

bool LocalYearAndDay(int64_t seconds, int32_t* year, int32_t* dayOfYear) {
  const __time64_t moment = seconds;
  struct tm local {};
  if (_localtime64_s(&local, &moment) != 0) {
    return false;
  }
  *year = local.tm_year + 1900;
  *dayOfYear = local.tm_yday;
  return true;
}

}  // namespace plant
