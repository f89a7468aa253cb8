// The settings of scheduled configuration archiving, stored as the data file "(ZRF)Archive":
// where archives go and what they are called (templates with tokens), how often one is written
// and how many are kept. Stored byte for byte: the layout below is a file format.
#pragma once

#include <cstddef>
#include <cstdint>

class DataFileStore;

constexpr char kArchiveSettingsFileName[] = "(ZRF)Archive";
constexpr char kDefaultArchiveFolderTemplate[] = "%CONFIGDIR%\\Backup";
constexpr char kDefaultArchiveNameTemplate[] = "%PROGRAM%-%YEAR%.%MONTH%.%DAY%";
constexpr int32_t kDefaultArchiveIntervalDays = 14;
constexpr int32_t kDefaultArchiveKeepCount = 30;
constexpr int64_t kSecondsPerDay = 24 * 60 * 60;

/// "(ZRF)Archive", packed, little-endian, 544 bytes:
/// off  size  field
///   0   260  folder template: folder of the archives, with tokens; NUL-terminated
/// 260   260  name template: archive name without extension, with tokens; NUL-terminated
/// 520     8  last archive time: seconds since 1970-01-01 UTC of the last scheduled archive,
///            rounded down to a whole UTC day
/// 528     1  enabled: 1 automatic archiving is on; any other value is off
/// 529     3  padding, 0
/// 532     4  interval in days between archives
/// 536     4  number of archives kept
/// 540     4  padding, 0
#pragma pack(push, 1)
struct ArchiveSettingsRecord {
  char folderTemplate[260];
  char nameTemplate[260];
  int64_t lastArchiveTime;
  uint8_t enabled;
  uint8_t padding1[3];
  int32_t intervalDays;
  int32_t keepCount;
  uint8_t padding2[4];
};
#pragma pack(pop)

static_assert(sizeof(ArchiveSettingsRecord) == 544);
static_assert(offsetof(ArchiveSettingsRecord, folderTemplate) == 0);
static_assert(offsetof(ArchiveSettingsRecord, nameTemplate) == 260);
static_assert(offsetof(ArchiveSettingsRecord, lastArchiveTime) == 520);
static_assert(offsetof(ArchiveSettingsRecord, enabled) == 528);
static_assert(offsetof(ArchiveSettingsRecord, intervalDays) == 532);
static_assert(offsetof(ArchiveSettingsRecord, keepCount) == 536);

/// Makes a record safe and complete: templates NUL-terminated, enabled 0 or 1, an interval below
/// 1 day becomes 14, a count below 1 becomes 30, empty templates become the default ones.
void ApplyArchiveDefaults(ArchiveSettingsRecord* record);

/// Reads "(ZRF)Archive" of the data folder over a zeroed record and applies the defaults; a
/// missing file so gives: off, every 14 days, 30 kept, the default templates.
void LoadArchiveSettingsRecord(DataFileStore& store, ArchiveSettingsRecord* record);

/// Writes the 544 bytes as "(ZRF)Archive" of the data folder. True when the file was replaced.
[[nodiscard]] bool SaveArchiveSettingsRecord(DataFileStore& store, const ArchiveSettingsRecord& record);

/// True when archiving is on and more than the interval has passed since the last archive at
/// `now` (seconds since 1970 UTC). A last archive time later than `now` was recorded under a
/// clock set wrong; it counts as due rather than stopping archiving until that day comes.
bool IsArchiveDue(const ArchiveSettingsRecord& record, int64_t now);

/// `now` rounded down to the start of its UTC day.
int64_t ArchiveDay(int64_t now);
