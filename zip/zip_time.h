// Time stamps of zip entries: Unix seconds for the "UT" extra field and the packed DOS date and time
// of the headers, with the conversions that do not depend on the platform.
#pragma once

#include <cstdint>

namespace zip {

/// The times an entry carries.
struct EntryTimes {
  int64_t accessUnix = 0;  ///< seconds since 1970-01-01 UTC
  int64_t modifyUnix = 0;
  int64_t createUnix = 0;
  uint32_t dosDateTime = 0;  ///< last write in local time: DOS date in the high half, time in the low
};

/// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr int64_t kFileTimeUnixEpoch = 116444736000000000;

/// Unix seconds of a Windows FILETIME value, truncated toward zero.
constexpr int64_t UnixSecondsFromFileTime(int64_t fileTime) { return (fileTime - kFileTimeUnixEpoch) / 10000000; }

/// Packs a local calendar time into DOS form: date (year - 1980) << 9 | month << 5 | day in the high
/// half, time hour << 11 | minute << 5 | second / 2 in the low half. Years outside 1980..2107 are
/// clamped to the nearest end of that range (the DOS date cannot hold them).
uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace zip
