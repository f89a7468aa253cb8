// Defaults, loading, saving and the due rule of the archive settings.
#include "maintenance/archive_settings.h"

#include <cstring>

#include "framework/files/data_file.h"

void ApplyArchiveDefaults(ArchiveSettingsRecord* record) {
  record->folderTemplate[sizeof record->folderTemplate - 1] = '\0';
  record->nameTemplate[sizeof record->nameTemplate - 1] = '\0';
  record->enabled = record->enabled == 1 ? 1 : 0;
  if (record->intervalDays < 1) record->intervalDays = kDefaultArchiveIntervalDays;
  if (record->keepCount < 1) record->keepCount = kDefaultArchiveKeepCount;
  if (record->folderTemplate[0] == '\0') {
    std::memcpy(record->folderTemplate, kDefaultArchiveFolderTemplate, sizeof kDefaultArchiveFolderTemplate);
  }
  if (record->nameTemplate[0] == '\0') {
    std::memcpy(record->nameTemplate, kDefaultArchiveNameTemplate, sizeof kDefaultArchiveNameTemplate);
  }
}

void LoadArchiveSettingsRecord(DataFileStore& store, ArchiveSettingsRecord* record) {
  std::memset(record, 0, sizeof *record);
  (void)store.ReadDataFile(kArchiveSettingsFileName, kNoFileNumber, record, sizeof *record,
                           kDataFolderLocation);
  ApplyArchiveDefaults(record);
}

bool SaveArchiveSettingsRecord(DataFileStore& store, const ArchiveSettingsRecord& record) {
  return store.WriteDataFile(kArchiveSettingsFileName, kNoFileNumber, &record, sizeof record,
                             kDataFolderLocation) == sizeof record;
}

bool IsArchiveDue(const ArchiveSettingsRecord& record, int64_t now) {
  if (record.enabled != 1) return false;
  if (record.lastArchiveTime > now) return true;
  // A 32-bit day count times 86400 stays below 2^48, and a clock reading minus that cannot wrap;
  // the stored time comes from a file and is only compared, never subtracted.
  const int64_t interval = static_cast<int64_t>(record.intervalDays) * kSecondsPerDay;
  return record.lastArchiveTime < now - interval;
}

int64_t ArchiveDay(int64_t now) {
  const int64_t day = now / kSecondsPerDay * kSecondsPerDay;
  // Division truncates towards zero; a time before 1970 belongs to the day that starts before it.
  return day > now ? day - kSecondsPerDay : day;
}
