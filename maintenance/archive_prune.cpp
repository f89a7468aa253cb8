// Pruning of configuration archives.
#include "maintenance/archive_prune.h"

#include <cstdio>
#include <cstring>

#include "framework/base/text_search.h"
#include "maintenance/config_archive.h"
#include "maintenance/file_scan.h"
#include "zip/zip_writer.h"

namespace {

// 100-nanosecond intervals from 1601 to 1970, the start of FILETIME to the start of Unix time.
constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ull;

uint64_t FileTimeOfUnixSeconds(int64_t seconds) {
  return seconds <= 0 ? kUnixEpochInFileTime
                      : kUnixEpochInFileTime + static_cast<uint64_t>(seconds) * 10000000ull;
}

uint64_t CreatedOf(const ArchiveRow& row) {
  return (static_cast<uint64_t>(row.createdHigh) << 32) | row.createdLow;
}

}  // namespace

int32_t InsertArchiveByTime(CZrfArray<ArchiveRow>& list, const ArchiveRow& row) {
  const uint64_t created = CreatedOf(row);
  int32_t low = 0, high = list.count;  // rows before `low` are at least as new as `row`
  while (low < high) {
    const int32_t middle = low + (high - low) / 2;
    if (CreatedOf(*list.GetAt(middle)) >= created) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return list.Insert(&row, low, 1);
}

int32_t PruneArchives(const char* folder, const char* productName, int32_t keepCount) {
  CZrfArray<ArchiveRow> list;
  CFileScan scan("%s*.%s", folder, kConfigArchiveType);
  while (scan.FindNext()) {
    if ((scan.found.attributes & kEntryDirectory) != 0) continue;
    if (FindTextNoCase(scan.found.name, productName) == nullptr) continue;
    const char* path = scan.GetFilePath();
    if (path[0] == '\0') continue;
    ArchiveRow row{};
    std::memcpy(row.path, path, std::strlen(path) + 1);
    row.createdLow = static_cast<uint32_t>(scan.found.creationTime);
    row.createdHigh = static_cast<uint32_t>(scan.found.creationTime >> 32);
    (void)InsertArchiveByTime(list, row);
  }
  (void)scan.Close();
  int32_t deleted = 0;
  for (int32_t i = keepCount < 1 ? 1 : keepCount; i < list.count; ++i) {
    if (std::remove(list.GetAt(i)->path) == 0) ++deleted;
  }
  return deleted;
}

int32_t RemoveStaleTemporaries(const char* folder, const char* productName, int64_t now) {
  const uint64_t staleBefore = FileTimeOfUnixSeconds(now - kStaleTemporaryAge);
  char ending[32];
  std::snprintf(ending, sizeof ending, ".%s", kConfigArchiveType);
  int32_t deleted = 0;
  CFileScan scan("%s*_tmp", folder);
  while (scan.FindNext()) {
    const FolderEntry& found = scan.found;
    if ((found.attributes & kEntryDirectory) != 0 || !zip::IsWriterTemporaryName(found.name, ending))
      continue;
    if (FindTextNoCase(found.name, productName) == nullptr || found.lastWriteTime > staleBefore) continue;
    const char* path = scan.GetFilePath();
    if (path[0] != '\0' && std::remove(path) == 0) ++deleted;
  }
  (void)scan.Close();
  return deleted;
}
