// Attributes and times of entries, from their headers.
#include "zip/zip_entry_facts.h"

#include "zip/zip_directory.h"

namespace zip {
namespace {

constexpr uint32_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kDirectory = 0x10, kArchive = 0x20;

bool IsDosLikeHost(uint8_t host) { return host == 0 || host == 7 || host == 11 || host == 14; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

uint32_t EntryAttributes(uint16_t versionMadeBy, uint32_t external, bool nameEndsInSeparator) {
  uint32_t attributes = 0;
  if (IsDosLikeHost(static_cast<uint8_t>(versionMadeBy >> 8))) {
    attributes = external & (kReadOnly | kHidden | kSystem | kDirectory | kArchive);
  } else if ((external >> 16) == 0) {
    // No Unix mode at all (some writers leave it out): nothing says the file is read-only.
    attributes = kArchive | (external & kDirectory);
  } else {
    attributes = kArchive;
    if (external & 0x40000000) attributes |= kDirectory;
    if ((external & 0x00800000) == 0) attributes |= kReadOnly;
  }
  if (nameEndsInSeparator) attributes |= kDirectory;
  return attributes;
}

int64_t FileTimeFromDosDateTime(uint32_t dosDateTime) {
  int year = static_cast<int>(dosDateTime >> 25) + 1980;
  int month = static_cast<int>(dosDateTime >> 21 & 0xF);
  int day = static_cast<int>(dosDateTime >> 16 & 0x1F);
  int hour = static_cast<int>(dosDateTime >> 11 & 0x1F);
  int minute = static_cast<int>(dosDateTime >> 5 & 0x3F);
  int second = static_cast<int>(dosDateTime & 0x1F) * 2;
  bool valid = month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) && hour < 24 &&
               minute < 60 && second < 60;
  if (!valid) return FileTimeFromLocalCalendar(1980, 1, 1, 0, 0, 0);
  return FileTimeFromLocalCalendar(year, month, day, hour, minute, second);
}

void ApplyExtendedTimestamp(const uint8_t* extra, size_t length, ZipEntryInfo* info) {
  constexpr uint16_t kExtendedTimestampId = 0x5455;  // "UT"
  if (length <= 4) return;
  size_t at = 0;
  while (at + 4 < length) {
    uint16_t id = Get16(extra + at);
    size_t dataSize = Get16(extra + at + 2);
    size_t dataStart = at + 4;
    if (id != kExtendedTimestampId) {
      at = dataStart + dataSize;
      continue;
    }
    // Only what lies inside both the field's declared size and the extra field is read.
    size_t available = length - dataStart < dataSize ? length - dataStart : dataSize;
    if (available < 1) return;
    const uint8_t* data = extra + dataStart;
    uint8_t flags = data[0];
    size_t next = 1;
    ZipFileTime* targets[3] = {&info->modifyTime, &info->accessTime, &info->createTime};
    for (int bit = 0; bit < 3; ++bit) {
      if ((flags & (1u << bit)) == 0) continue;
      if (available - next < 4) return;
      *targets[bit] = ToZipFileTime(FileTimeFromUnix(static_cast<int32_t>(Get32(data + next))));
      next += 4;
    }
    return;
  }
}

}  // namespace zip
