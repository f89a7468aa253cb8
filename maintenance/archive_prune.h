// Pruning old configuration archives: the archives of this product in the archive folder, newest
// first by creation time, and the deletion of all but the newest few; and the temporary files
// that archive writes cut short by a kill or a power cut left behind.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/base/zrf_array.h"

/// One archive of the prune list: its full path and creation time (FILETIME, low half first).
struct ArchiveRow {
  char path[260];
  uint32_t createdLow;
  uint32_t createdHigh;
};
static_assert(sizeof(ArchiveRow) == 268);
static_assert(offsetof(ArchiveRow, createdLow) == 260);

/// Inserts `row` into `list`, which stays sorted by creation time, newest first; a row goes after
/// those as new as it. Returns its position, or -1 when there was no memory (list unchanged).
int32_t InsertArchiveByTime(CZrfArray<ArchiveRow>& list, const ArchiveRow& row);

/// Deletes all but the `keepCount` newest archives of the product in `folder` (a path ending in
/// its separator): files matching "*.BrambeckConfig" whose names hold `productName` without
/// regard to case. Files of other products, names without the product name and folders are
/// never touched. A count below 1 keeps one. Returns the number of files deleted.
int32_t PruneArchives(const char* folder, const char* productName, int32_t keepCount);

/// Seconds: a temporary file not written to for a day belongs to no archive write still under way.
constexpr int64_t kStaleTemporaryAge = 24 * 60 * 60;

/// Deletes the temporary files of this product's archives in `folder` (a path ending in its
/// separator) last written a day or more before `now` (seconds since 1970, UTC): names that the
/// zip writer gives an archive "*.BrambeckConfig" holding `productName` without regard to case
/// until it is complete (IsWriterTemporaryName). No other file is touched. Returns the number
/// deleted.
int32_t RemoveStaleTemporaries(const char* folder, const char* productName, int64_t now);
