// Defaults, loading, saving and the due rule of the update check's record, and what a finished
// fetch changes in it.
#include "maintenance/update_check_record.h"

#include <cstring>
#include <string>

#include "framework/files/data_file.h"

namespace maintenance {
namespace {

int64_t StartOfUtcDay(int64_t time) {
  return time - ((time % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
}

}  // namespace

void ApplyUpdateCheckDefaults(UpdateCheckRecord* record) {
  record->lastVersion[kUpdateCheckVersionSize - 1] = '\0';
  if (record->intervalDays == 0) record->autoCheck = 1;
  if (record->intervalDays <= kMinUpdateIntervalDays) record->intervalDays = kMinUpdateIntervalDays;
}

void LoadUpdateCheckRecord(DataFileStore& store, UpdateCheckRecord* record) {
  std::memset(record, 0, sizeof *record);
  (void)store.ReadDataFile(kUpdateCheckFileName, kNoFileNumber, record, sizeof *record, kDataFolderLocation);
  ApplyUpdateCheckDefaults(record);
}

bool SaveUpdateCheckRecord(DataFileStore& store, const UpdateCheckRecord& record) {
  return store.WriteDataFile(kUpdateCheckFileName, kNoFileNumber, &record, sizeof record,
                             kDataFolderLocation) == sizeof record;
}

bool IsUpdateCheckDue(const UpdateCheckRecord& record, int64_t now) {
  if (record.autoCheck == 0) return false;
  // now - lastCheckTime could overflow for a damaged time; now - span cannot (span < 2^48).
  const int64_t span = static_cast<int64_t>(record.intervalDays) * kSecondsPerDay;
  return record.lastCheckTime < now - span;
}

UpdateCheckOutcome ApplyFetchedVersion(UpdateCheckRecord* record, bool fetched, std::string_view body,
                                       const ProgramVersion& running, int64_t now, bool dialogShown) {
  UpdateCheckOutcome outcome;
  if (!fetched) return outcome;
  const std::string text(body.substr(0, body.find('\0')));
  ProgramVersion version;
  if (!ParseProgramVersion(text.c_str(), &version)) {
    outcome.statusPiece = kUpdateStatusFormatError;
    return outcome;
  }
  const bool newer = IsNewerVersion(version, running);
  // Compared as it will be stored: a text longer than the record holds would otherwise differ from
  // its own stored copy every time and open the dialog on every check.
  const std::string stored = text.substr(0, kUpdateCheckVersionSize - 1);
  outcome.openDialog = newer && !dialogShown && stored != record->lastVersion;
  outcome.statusPiece = newer ? kUpdateStatusNewer : kUpdateStatusNotNewer;
  outcome.save = true;
  record->newerAvailable = newer ? 1 : 0;
  record->lastCheckTime = StartOfUtcDay(now);
  std::memset(record->lastVersion, 0, sizeof record->lastVersion);
  std::memcpy(record->lastVersion, stored.data(), stored.size());
  return outcome;
}

}  // namespace maintenance
