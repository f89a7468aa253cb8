// Local calendar date through POSIX localtime_r.
#include "plant/local_time.h"

#include <ctime>

namespace plant {

bool LocalYearAndDay(int64_t seconds, int32_t* year, int32_t* dayOfYear) {
  const time_t moment = static_cast<time_t>(seconds);
  struct tm local {};
  if (localtime_r(&moment, &local) == nullptr) {
    return false;
  }
  *year = local.tm_year + 1900;
  *dayOfYear = local.tm_yday;
  return true;
}

}  // namespace plant
