// Internal to plant_calendar.cpp; callers use plant_calendar.h. The local calendar date of a
// moment through the platform's C runtime (local_time.cpp on POSIX, local_time_win.cpp on Windows).
#pragma once

#include <cstdint>

namespace plant {

/// The local-time year and 0-based day of the year of seconds since 1970-01-01 00:00 UTC. False
/// when the runtime cannot convert it; then both outputs are unchanged.
[[nodiscard]] bool LocalYearAndDay(int64_t seconds, int32_t* year, int32_t* dayOfYear);

}  // namespace plant
