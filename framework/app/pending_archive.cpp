// The keep list and the extraction of a pending configuration archive.
#include "framework/app/pending_archive.h"

#include <cstdio>
#include <cstring>

#include "framework/base/text_search.h"
#include "framework/files/data_folders.h"
#include "framework/files/folder_reader.h"
#include "zip/zip_reader.h"

namespace {

void RemoveUnlistedFiles(const char* archivePath, const char* dataFolder, const char* keepList,
                         const char* sparedFolder, RemoveFileFunction remove, void* context) {
  // "%s": the keep list comes from the archive and must never act as a format.
  CFileList keep(dataFolder, "%s", keepList);
  CFileList all(dataFolder, "*.*");
  CZrfArray<FileListPath> doomed;
  SelectFilesToRemove(all.files, keep.files, archivePath, sparedFolder, &doomed);
  for (int32_t i = 0; i < doomed.count; ++i) remove(context, doomed.GetAt(i)->text);
}

void ExtractEntries(zip::ZipHandle* archive, const char* dataFolder, int32_t productIndex) {
  if (zip::ZipReaderSetBaseDir(archive, dataFolder) != zip::ZipResult::Ok) return;
  zip::ZipEntryInfo summary{};
  if (zip::ZipReaderGetEntry(archive, -1, &summary) != zip::ZipResult::Ok) return;
  for (int32_t index = 0; index < summary.index; ++index) {
    if (index == productIndex) continue;
    zip::ZipEntryInfo info{};
    // The reader's names are sanitised: relative, never climbing out of the base folder.
    if (zip::ZipReaderGetEntry(archive, index, &info) != zip::ZipResult::Ok) continue;
    (void)zip::ZipReaderExtractToFile(archive, index, info.name);
  }
}

}  // namespace

bool PendingArchivePath(const char* dataFolder, const char* productName, char (&path)[260]) {
  const int length = std::snprintf(path, sizeof path, "%s%c%s.%s", dataFolder, kPathSeparator, productName,
                                   kConfigArchiveType);
  if (length >= 0 && length < static_cast<int>(sizeof path)) return true;
  path[0] = '\0';
  return false;
}

bool IsConfigArchiveFile(const char* path) {
  const char* type = EndsWithNoCase(path, kConfigArchiveType);
  return type != nullptr && type != path && type[-1] == '.';
}

void SelectFilesToRemove(const CZrfArray<FileListPath>& all, const CZrfArray<FileListPath>& keep,
                         const char* archivePath, const char* sparedFolder, CZrfArray<FileListPath>* out) {
  out->count = 0;
  for (int32_t i = 0; i < all.count; ++i) {
    const FileListPath& path = *all.GetAt(i);
    // The archive is still being read; removing it now would lose what is to be applied.
    if (FileListHolds(keep, path.text) || IsSameFolder(path.text, archivePath)) continue;
    // Archives are the user's history, often of other products too, and the one being restored
    // may be one of them: a restore or reset must never cost the others.
    if (IsConfigArchiveFile(path.text) || IsBelowFolder(path.text, sparedFolder)) continue;
    (void)out->Add(path);
  }
}

PendingArchiveOutcome ApplyPendingArchive(const char* archivePath, const char* dataFolder,
                                          const char* productName, const char* archiveFolder,
                                          RemoveFileFunction remove, void* context) {
  // An archive folder that is the data folder, or above it, would spare the very configuration
  // the archive replaces; there the type of the archives alone keeps them.
  const char* sparedFolder = IsBelowFolder(archiveFolder, dataFolder) ? archiveFolder : nullptr;
  zip::ZipHandle* archive = zip::ZipReaderOpen(archivePath, nullptr);
  if (archive == nullptr) return PendingArchiveOutcome::NotOpened;
  PendingArchiveOutcome outcome = PendingArchiveOutcome::NoProductEntry;
  int32_t productIndex = -1;
  if (zip::ZipReaderFindEntry(archive, productName, 0, &productIndex, nullptr) == zip::ZipResult::Ok) {
    // Zero-filled and read short of its last byte, the text always ends within the buffer: the
    // reader neither counts nor terminates what it extracts.
    char keepList[kKeepListSize] = {};
    outcome = PendingArchiveOutcome::NoKeepList;
    if (zip::ZipReaderExtractToMemory(archive, productIndex, keepList, kKeepListSize - 1) ==
        zip::ZipResult::Ok) {
      RemoveUnlistedFiles(archivePath, dataFolder, keepList, sparedFolder, remove, context);
      ExtractEntries(archive, dataFolder, productIndex);
      outcome = PendingArchiveOutcome::Applied;
    }
  }
  (void)zip::ZipReaderClose(archive);
  return outcome;
}
