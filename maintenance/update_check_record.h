// The update check's record, stored as the data file "(ZRF)UpdateCheck", with its defaults, the
// rule for when a check is due, and what one finished fetch changes in it. Platform-free: the
// check's thread and dialog build on these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "maintenance/program_version.h"

class DataFileStore;

namespace maintenance {

constexpr char kUpdateCheckFileName[] = "(ZRF)UpdateCheck";
constexpr int32_t kUpdateCheckVersionSize = 260;
constexpr int32_t kMinUpdateIntervalDays = 7;
constexpr int64_t kSecondsPerDay = 86400;

/// "(ZRF)UpdateCheck", little-endian, 280 bytes:
/// off  size  field
///   0   260  lastVersion: the version last fetched from the update server, NUL-terminated
/// 260     4  padding
/// 264     8  lastCheckTime: the day of the last successful check, as seconds since 1970 of its
///            local date at 00:00 UTC (a multiple of 86400); 0: no check yet
/// 272     1  newerAvailable: 1 when the last fetched version is newer than the running program
/// 273     1  autoCheck: 1 when the automatic check is on
/// 274     2  padding
/// 276     4  intervalDays: days between automatic checks
#pragma pack(push, 1)
struct UpdateCheckRecord {
  char lastVersion[kUpdateCheckVersionSize];
  uint8_t padding1[4];
  int64_t lastCheckTime;
  uint8_t newerAvailable;
  uint8_t autoCheck;
  uint8_t padding2[2];
  int32_t intervalDays;
};
#pragma pack(pop)

static_assert(sizeof(UpdateCheckRecord) == 280);
static_assert(offsetof(UpdateCheckRecord, lastVersion) == 0);
static_assert(offsetof(UpdateCheckRecord, lastCheckTime) == 264);
static_assert(offsetof(UpdateCheckRecord, newerAvailable) == 272);
static_assert(offsetof(UpdateCheckRecord, autoCheck) == 273);
static_assert(offsetof(UpdateCheckRecord, intervalDays) == 276);

/// The framework string whose pieces are the update check's texts.
constexpr uint16_t kUpdateCheckStrings = 0xF00C;
/// Status texts of the update check: pieces of kUpdateCheckStrings.
constexpr int32_t kUpdateStatusLastCheck = 0;
constexpr int32_t kUpdateStatusChecking = 1;
constexpr int32_t kUpdateStatusDownloadError = 2;
constexpr int32_t kUpdateStatusFormatError = 3;
constexpr int32_t kUpdateStatusNewer = 4;
constexpr int32_t kUpdateStatusNotNewer = 5;
constexpr int32_t kUpdateStatusNotStarted = 6;
/// Piece of kUpdateCheckStrings that follows the product name in the dialog's title.
constexpr int32_t kUpdateTitlePiece = 11;

/// The rules applied after every load: lastVersion is NUL-terminated; an interval of 0 (a missing
/// or empty file) turns the automatic check on with 7 days; any interval of 7 days or less
/// becomes 7.
void ApplyUpdateCheckDefaults(UpdateCheckRecord* record);

/// Loads the record of the data folder over zeros (a missing file leaves zeros, a shorter one
/// overlays only its own bytes) and applies the defaults.
void LoadUpdateCheckRecord(DataFileStore& store, UpdateCheckRecord* record);

/// Writes the 280 bytes; true when the file was replaced.
[[nodiscard]] bool SaveUpdateCheckRecord(DataFileStore& store, const UpdateCheckRecord& record);

/// Whether an automatic check is due at `localNow` (seconds since 1970 on the local clock, as if
/// local time were UTC): the check is on and more than intervalDays whole days have passed since
/// lastCheckTime (exactly that many is not yet due).
bool IsUpdateCheckDue(const UpdateCheckRecord& record, int64_t localNow);

/// What one finished fetch means.
struct UpdateCheckOutcome {
  int32_t statusPiece = kUpdateStatusDownloadError;  ///< the status text for a shown dialog
  bool save = false;                                 ///< the record changed and is to be saved
  bool openDialog = false;  ///< a newer version whose text differs from the one fetched before
};

/// Applies a finished fetch to the record. A failed fetch or a text that does not begin with a
/// version changes nothing (the next due check tries again). Otherwise newerAvailable is set,
/// lastCheckTime becomes the start of localNow's day (localNow as for IsUpdateCheckDue) and
/// lastVersion the version the text begins with (ProgramVersionText); the dialog is to open when no
/// dialog is shown, the version is newer and differs from the one lastVersion holds.
UpdateCheckOutcome ApplyFetchedVersion(UpdateCheckRecord* record, bool fetched, std::string_view body,
                                       const ProgramVersion& running, int64_t localNow, bool dialogShown);

/// A calendar date; month and day count from 1.
struct CivilDate {
  int32_t year = 1970;
  int32_t month = 1;
  int32_t day = 1;
};

/// The date of the last check, for "Last check: %02d.%02d.%04d" (day, month, year); false when no
/// check has run (lastCheckTime 0, or a damaged time before 1970), which shows no date.
bool LastCheckDate(int64_t lastCheckTime, CivilDate* date);

}  // namespace maintenance
