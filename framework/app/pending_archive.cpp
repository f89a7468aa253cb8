// The keep list of a pending configuration archive, the staging of its entries and their swap.
#include "framework/app/pending_archive.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/base/text_search.h"
#include "framework/files/data_folders.h"
#include "framework/files/file_moves.h"
#include "framework/files/folder_reader.h"
#include "framework/files/system_error.h"
#include "zip/zip_reader.h"

namespace {

// The part of `path` after `folder` and its separator, with the platform's separators.
std::string RelativePath(const char* folder, const char* path) {
  std::string relative = path + std::strlen(folder) + 1;
  for (char& c : relative) {
    if (c == '/' || c == '\\') c = kPathSeparator;
  }
  return relative;
}

// The staging folder of a restore, which lies beside the pending archive.
std::string StagingFolderBeside(const char* archivePath) {
  std::string staging = archivePath;
  const size_t separator = staging.find_last_of("/\\");
  staging.erase(separator == std::string::npos ? 0 : separator + 1);
  staging += kRestoreFolderName;
  return staging;
}

bool HoldsPath(const std::vector<std::string>& paths, const std::string& path) {
  for (const std::string& held : paths) {
    if (IsSameFolder(held.c_str(), path.c_str())) return true;
  }
  return false;
}

// Extracts every entry but the product entry below the staging folder and lists it in
// `manifest`. Entries that would land in the staging folder itself or on the archive are
// passed over: placing them would overwrite what the restore works with.
RestoreReport StageEntries(zip::ZipHandle* archive, int32_t productIndex, const RestorePaths& paths,
                           RestoreManifest* manifest) {
  const RestoreReport damaged{PendingArchiveOutcome::Damaged, 0};
  zip::ZipEntryInfo summary{};
  if (zip::ZipReaderSetBaseDir(archive, paths.newFiles.c_str()) != zip::ZipResult::Ok ||
      zip::ZipReaderGetEntry(archive, -1, &summary) != zip::ZipResult::Ok) {
    return damaged;
  }
  for (int32_t index = 0; index < summary.index; ++index) {
    if (index == productIndex) continue;
    zip::ZipEntryInfo info{};
    // The reader's names are sanitised: relative, never climbing out of the base folder.
    if (zip::ZipReaderGetEntry(archive, index, &info) != zip::ZipResult::Ok) return damaged;
    if ((info.attributes & kEntryDirectory) != 0) continue;
    const std::string target = paths.dataFolder + kPathSeparator + info.name;
    if (IsBelowFolder(target.c_str(), paths.staging.c_str()) ||
        IsSameFolder(target.c_str(), paths.archive.c_str()))
      continue;
    switch (zip::ZipReaderExtractToFile(archive, index, info.name)) {
      case zip::ZipResult::Ok:
        break;
      case zip::ZipResult::FlateFailed:
      case zip::ZipResult::BadPassword:
        return damaged;
      default:
        // Taken at once: the reader has only removed its half-written file since.
        return {PendingArchiveOutcome::NotWritten, SystemErrorCode()};
    }
    manifest->newFiles.push_back(RelativePath(paths.dataFolder.c_str(), target.c_str()));
  }
  return {PendingArchiveOutcome::Applied, 0};
}

// Lists in `manifest` the files that go: the unlisted ones and those an entry replaces. A
// read-only file that an entry would replace fails the restore, as it fails extraction.
RestoreReport ListOldFiles(const RestorePaths& paths, const char* keepList, const char* sparedFolder,
                           RestoreManifest* manifest) {
  const char* dataFolder = paths.dataFolder.c_str();
  // "%s": the keep list comes from the archive and must never act as a format.
  CFileList keep(dataFolder, "%s", keepList);
  CFileList all(dataFolder, "*.*");
  CZrfArray<FileListPath> doomed;
  SelectFilesToRemove(all.files, keep.files, paths.archive.c_str(), sparedFolder, &doomed);
  for (int32_t i = 0; i < doomed.count; ++i)
    manifest->oldFiles.push_back(RelativePath(dataFolder, doomed.GetAt(i)->text));
  for (const std::string& relative : manifest->newFiles) {
    const std::string target = paths.dataFolder + kPathSeparator + relative;
    if (!IsExistingFile(target.c_str())) continue;
    if (IsReadOnlyFile(target.c_str())) return {PendingArchiveOutcome::NotReplaced, AccessDeniedCode()};
    if (!HoldsPath(manifest->oldFiles, relative)) manifest->oldFiles.push_back(relative);
  }
  return {PendingArchiveOutcome::Applied, 0};
}

// Completed and Undone are the ends a restore is meant to reach; Undone only after a failure.
RestoreReport FromSwap(SwapReport swap) {
  RestoreReport report{PendingArchiveOutcome::NotReplaced, swap.systemError, std::move(swap.kept)};
  if (swap.outcome == SwapOutcome::Completed) report.outcome = PendingArchiveOutcome::Applied;
  if (swap.outcome == SwapOutcome::Salvaged) report.outcome = PendingArchiveOutcome::Damaged;
  return report;
}

RestoreReport StageAndSwap(zip::ZipHandle* archive, int32_t productIndex, const char* keepList,
                           const RestorePaths& paths, const char* sparedFolder, RemoveFileFunction recycle,
                           void* context) {
  uint32_t error = 0;
  if (!BeginStaging(paths, &error)) {
    (void)zip::ZipReaderClose(archive);
    return {PendingArchiveOutcome::NotWritten, error};
  }
  RestoreManifest manifest;
  RestoreReport report = StageEntries(archive, productIndex, paths, &manifest);
  // Closed before the swap, which deletes the archive at its end.
  (void)zip::ZipReaderClose(archive);
  if (report.outcome == PendingArchiveOutcome::Applied)
    report = ListOldFiles(paths, keepList, sparedFolder, &manifest);
  if (report.outcome == PendingArchiveOutcome::Applied && !CommitSwap(paths, manifest, &error))
    report = {PendingArchiveOutcome::NotWritten, error};
  if (report.outcome != PendingArchiveOutcome::Applied) {
    DiscardStaging(paths, &report.kept);
    return report;
  }
  return FromSwap(RunSwap(paths, recycle, context));
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
  const std::string staging = StagingFolderBeside(archivePath);
  for (int32_t i = 0; i < all.count; ++i) {
    const FileListPath& path = *all.GetAt(i);
    // The archive is still being read; removing it now would lose what is to be applied.
    if (FileListHolds(keep, path.text) || IsSameFolder(path.text, archivePath)) continue;
    // Archives are the user's history, often of other products too, and the one being restored
    // may be one of them: a restore or reset must never cost the others.
    if (IsConfigArchiveFile(path.text) || IsBelowFolder(path.text, sparedFolder)) continue;
    if (IsBelowFolder(path.text, staging.c_str())) continue;
    (void)out->Add(path);
  }
}

bool IsWorthRetrying(PendingArchiveOutcome outcome) {
  return outcome == PendingArchiveOutcome::NotWritten || outcome == PendingArchiveOutcome::NotReplaced;
}

bool IsRestoreFailure(PendingArchiveOutcome outcome) {
  return outcome == PendingArchiveOutcome::Damaged || IsWorthRetrying(outcome);
}

RestoreReport ApplyPendingArchive(const char* archivePath, const char* dataFolder, const char* productName,
                                  const char* archiveFolder, RemoveFileFunction recycle, void* context) {
  // An archive folder that is the data folder, or above it, would spare the very configuration
  // the archive replaces; there the type of the archives alone keeps them.
  const char* sparedFolder = IsBelowFolder(archiveFolder, dataFolder) ? archiveFolder : nullptr;
  zip::ZipHandle* archive = zip::ZipReaderOpen(archivePath, nullptr);
  if (archive == nullptr) return {PendingArchiveOutcome::NotOpened, 0};
  int32_t productIndex = -1;
  if (zip::ZipReaderFindEntry(archive, productName, 0, &productIndex, nullptr) != zip::ZipResult::Ok) {
    (void)zip::ZipReaderClose(archive);
    return {PendingArchiveOutcome::NoProductEntry, 0};
  }
  // Zero-filled and read short of its last byte, the text always ends within the buffer: the
  // reader neither counts nor terminates what it extracts.
  char keepList[kKeepListSize] = {};
  if (zip::ZipReaderExtractToMemory(archive, productIndex, keepList, kKeepListSize - 1) !=
      zip::ZipResult::Ok) {
    (void)zip::ZipReaderClose(archive);
    return {PendingArchiveOutcome::NoKeepList, 0};
  }
  return StageAndSwap(archive, productIndex, keepList, MakeRestorePaths(dataFolder, archivePath),
                      sparedFolder, recycle, context);
}

RestoreReport RestoreAtStart(const char* archivePath, const char* dataFolder, const char* productName,
                             const char* archiveFolder, RemoveFileFunction recycle, void* context) {
  SwapReport resumed = RunSwap(MakeRestorePaths(dataFolder, archivePath), recycle, context);
  // Stuck: neither forward nor back, and applying the archive over it would mix the two.
  // Salvaged: the user hears of it once; the archive is applied afresh by the next start.
  if (resumed.outcome == SwapOutcome::Completed || resumed.outcome == SwapOutcome::Stuck ||
      resumed.outcome == SwapOutcome::Salvaged)
    return FromSwap(std::move(resumed));
  RestoreReport report{PendingArchiveOutcome::Nothing, 0, std::move(resumed.kept)};
  if (!IsExistingFile(archivePath)) return report;
  RestoreReport applied =
      ApplyPendingArchive(archivePath, dataFolder, productName, archiveFolder, recycle, context);
  if (applied.outcome != PendingArchiveOutcome::Applied && !IsWorthRetrying(applied.outcome))
    (void)RemoveFileAnyway(archivePath);
  // Set aside by the undone swap, a file may since have gone to the bin like any other.
  for (const std::string& path : report.kept) {
    if (IsExistingFile(path.c_str())) applied.kept.push_back(path);
  }
  return applied;
}
