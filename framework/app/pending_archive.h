// Applying a pending configuration archive to the data folder: its entries take the place of the
// files its keep list does not name, apart from configuration archives and the archive folder,
// all at once or not at all (restore_swap.h). Platform-free; how a file is removed (the recycle
// bin), where the archive folder is and when an archive may be applied are the start-up's
// (pending_archive_win.h).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/restore_swap.h"
#include "framework/base/zrf_array.h"
#include "framework/files/file_list.h"

/// File type (extension without its dot) of configuration archives, the pending one included.
constexpr char kConfigArchiveType[] = "BrambeckConfig";
/// Bytes read of the product entry, the keep list: at most 2599 and a NUL.
constexpr uint32_t kKeepListSize = 2600;

/// The pending archive of a data folder, which the next start applies (a restore or reset leaves
/// it there): "<data folder><separator><product>.BrambeckConfig". False, with `path` empty, when it does not
/// fit in 260 characters.
bool PendingArchivePath(const char* dataFolder, const char* productName, char (&path)[260]);

/// True when the file at the end of `path` is of the configuration archive type: its name ends in
/// ".BrambeckConfig" without regard to case, whichever product or person wrote it.
bool IsConfigArchiveFile(const char* path);

/// The paths of `all` that applying the archive at `archivePath` removes: every one that is not in
/// `keep` (compared without regard to case), is not the archive itself, is no configuration
/// archive (IsConfigArchiveFile) and lies neither below `sparedFolder` (null or empty: none) nor
/// in the restore's staging folder beside the archive. `out` is emptied first.
void SelectFilesToRemove(const CZrfArray<FileListPath>& all, const CZrfArray<FileListPath>& keep,
                         const char* archivePath, const char* sparedFolder, CZrfArray<FileListPath>* out);

/// How applying a pending archive ended. Whatever the outcome, the data folder holds the whole
/// old configuration or the whole new one.
enum class PendingArchiveOutcome {
  Nothing,         ///< no pending archive and no restore under way
  NotOpened,       ///< not an archive the reader opens
  NoProductEntry,  ///< no entry named exactly like the product
  NoKeepList,      ///< the product entry is longer than 2599 bytes or cannot be read
  Applied,         ///< the new configuration is in place and the archive deleted
  Damaged,         ///< an entry, or the record of a restore under way, cannot be read whole
                   ///< (then every file went back to the data folder and the archive stays)
  NotWritten,      ///< an entry or the manifest could not be written (a full disk): nothing changed
  NotReplaced,     ///< a file could not be set aside or replaced (read-only, in use): nothing changed
};

struct RestoreReport {
  RestoreReport() = default;
  RestoreReport(PendingArchiveOutcome outcome, uint32_t systemError, std::vector<std::string> kept = {})
      : outcome(outcome), systemError(systemError), kept(std::move(kept)) {}

  PendingArchiveOutcome outcome = PendingArchiveOutcome::Nothing;
  uint32_t systemError = 0;       ///< the platform's code of the failure behind NotWritten or NotReplaced
  std::vector<std::string> kept;  ///< files the user is told of (SwapReport::kept)
};

/// True for the outcomes that leave the archive for a later start: it could be applied once the
/// disk has room or the file is free again.
bool IsWorthRetrying(PendingArchiveOutcome outcome);

/// True for the outcomes the user must hear of: a restore asked for that did not happen.
bool IsRestoreFailure(PendingArchiveOutcome outcome);

/// Applies the archive at `archivePath` to `dataFolder`: reads the product entry named
/// `productName` as the keep list (patterns separated by ";", up to its first NUL), stages every
/// other entry (under its sanitised name, never outside the folder) and then swaps it in for
/// every file below the folder that no keep pattern matches (SelectFilesToRemove) and every file
/// an entry replaces, as restore_swap.h describes; `recycle` takes the old files at the end.
/// Files below `archiveFolder` (where the scheduled archives go; null or empty: none) stay when
/// that folder lies below the data folder; the data folder itself or a folder above it cannot
/// spare the whole configuration. A file that an entry would replace and that is read-only fails
/// the restore. On Applied the archive is deleted; otherwise it stays.
RestoreReport ApplyPendingArchive(const char* archivePath, const char* dataFolder, const char* productName,
                                  const char* archiveFolder, RemoveFileFunction recycle, void* context);

/// A start's whole step: first completes or undoes a restore an earlier start left under way,
/// then applies the archive at `archivePath` when there is one (ApplyPendingArchive) and deletes
/// it when it can never be applied. A restore whose record is not whole ends the step with
/// Damaged, its archive left for the next start.
RestoreReport RestoreAtStart(const char* archivePath, const char* dataFolder, const char* productName,
                             const char* archiveFolder, RemoveFileFunction recycle, void* context);
