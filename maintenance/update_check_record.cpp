// Defaults, loading, saving and the due rule of the update check's record, and what a finished
// fetch changes in it.
#include "maintenance/update_check_record.h"

#include <cstring>
#include <string>

#include "framework/files/data_file.h"

namespace maintenance {
namespace {

// 10000-01-01 00:00 UTC: later times are damaged, and their year would not fit "%04d".
constexpr int64_t kEndOfYear9999 = 253402300800;

int64_t StartOfDay(int64_t time) {
  return time - ((time % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
}

// The proleptic Gregorian date of a day counted from 1970-01-01, in 400-year eras of 146097 days
// that start on 1 March, so the leap day falls at an era-year's end (H. Hinnant's civil_from_days).
CivilDate CivilDateOfDay(int64_t days) {
  days += 719468;  // days from 0000-03-01 to 1970-01-01
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  CivilDate date;
  date.day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  date.month = static_cast<int32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  date.year = static_cast<int32_t>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
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

bool IsUpdateCheckDue(const UpdateCheckRecord& record, int64_t localNow) {
  if (record.autoCheck == 0) return false;
  // localNow - lastCheckTime could overflow for a damaged time; localNow - span cannot (span < 2^48).
  const int64_t span = static_cast<int64_t>(record.intervalDays) * kSecondsPerDay;
  return record.lastCheckTime < localNow - span;
}

UpdateCheckOutcome ApplyFetchedVersion(UpdateCheckRecord* record, bool fetched, std::string_view body,
                                       const ProgramVersion& running, int64_t localNow, bool dialogShown) {
  UpdateCheckOutcome outcome;
  if (!fetched) return outcome;
  const std::string text(body.substr(0, body.find('\0')));
  ProgramVersion version;
  if (!ParseProgramVersion(text.c_str(), &version)) {
    outcome.statusPiece = kUpdateStatusFormatError;
    return outcome;
  }
  const bool newer = IsNewerVersion(version, running);
  // Versions, not replies, are compared: a server that adds a line break, or changes one, offers
  // nothing new.
  ProgramVersion seen;
  const bool seenBefore = ParseProgramVersion(record->lastVersion, &seen) && seen == version;
  outcome.openDialog = newer && !dialogShown && !seenBefore;
  outcome.statusPiece = newer ? kUpdateStatusNewer : kUpdateStatusNotNewer;
  outcome.save = true;
  record->newerAvailable = newer ? 1 : 0;
  record->lastCheckTime = StartOfDay(localNow);
  // The version alone is kept: whatever followed it in the reply (a line break, a suffix) is no
  // part of it, and a control character would show as a box. It is far shorter than the field.
  const std::string stored = ProgramVersionText(version);
  std::memset(record->lastVersion, 0, sizeof record->lastVersion);
  std::memcpy(record->lastVersion, stored.data(), stored.size());
  return outcome;
}

bool LastCheckDate(int64_t lastCheckTime, CivilDate* date) {
  if (lastCheckTime <= 0 || lastCheckTime >= kEndOfYear9999) return false;
  *date = CivilDateOfDay(lastCheckTime / kSecondsPerDay);
  return true;
}

}  // namespace maintenance
