// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// What an entry's headers say about it, turned into Windows terms: file attributes from the host
// system's attribute bits, and FILETIMEs from the DOS time and the "UT" extra field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zip/zip_reader.h"

namespace zip {

/// Windows attributes of an entry made on host (high byte of version made by) with the external
/// attributes external. DOS-like hosts (0 FAT, 7 Macintosh, 11 NTFS, 14 VFAT) keep their low bits;
/// others carry a Unix mode in the high half: directory from bit 30, read-only when the owner may
/// not write, archive always. A Unix entry without a mode gets archive and the low directory bit.
/// A name ending in a separator is a directory whatever the bits say.
uint32_t EntryAttributes(uint16_t versionMadeBy, uint32_t external, bool nameEndsInSeparator);

/// UTC FILETIME of a DOS date and time (date in the high half) taken as local time. A date that is
/// no calendar date (month 0, day 31 of a short month, hour 24...) is read as 1980-01-01 00:00.
int64_t FileTimeFromDosDateTime(uint32_t dosDateTime);

/// Replaces the times in info by those of the first "UT" field of the local extra field (length
/// bytes), as far as its data holds them. Fields and values that do not fit are ignored.
void ApplyExtendedTimestamp(const uint8_t* extra, size_t length, ZipEntryInfo* info);

/// FILETIME of a signed 32-bit Unix time.
constexpr int64_t FileTimeFromUnix(int32_t seconds) {
  return static_cast<int64_t>(seconds) * 10000000 + 116444736000000000;
}

/// Splits a FILETIME value into its two halves.
inline ZipFileTime ToZipFileTime(int64_t ticks) {
  uint64_t t = static_cast<uint64_t>(ticks);
  return ZipFileTime{static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)};
}
inline int64_t FromZipFileTime(ZipFileTime t) {
  return static_cast<int64_t>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
}

/// UTC FILETIME of a valid local calendar time; the platform's time-zone rules decide the offset.
int64_t FileTimeFromLocalCalendar(int year, int month, int day, int hour, int minute, int second);

}  // namespace zip
