// Applying a pending configuration archive to the data folder: the files its keep list does not
// name are removed, apart from configuration archives and the archive folder, then its entries are
// extracted below the folder. Platform-free; how a file is removed (the recycle bin), where the
// archive folder is and when an archive may be applied are the start-up's (pending_archive_win.h).
#pragma once

#include <cstdint>

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
/// archive (IsConfigArchiveFile) and does not lie below `sparedFolder` (null or empty: none).
/// `out` is emptied first.
void SelectFilesToRemove(const CZrfArray<FileListPath>& all, const CZrfArray<FileListPath>& keep,
                         const char* archivePath, const char* sparedFolder, CZrfArray<FileListPath>* out);

/// How far applying an archive got.
enum class PendingArchiveOutcome {
  NotOpened,       ///< not an archive the reader opens
  NoProductEntry,  ///< no entry named exactly like the product
  NoKeepList,      ///< the product entry is longer than 2599 bytes or cannot be read
  Applied,         ///< files removed and entries extracted (single failures are passed over)
};

/// Removes one file of the data folder; failures are the function's own to ignore.
using RemoveFileFunction = void (*)(void* context, const char* path);

/// Applies the archive at `archivePath` to `dataFolder`: reads the product entry named
/// `productName` as the keep list (patterns separated by ";", up to its first NUL), removes every
/// file below the folder that no keep pattern matches (SelectFilesToRemove, through `remove`), and
/// extracts every other entry to its sanitised name below the folder, never outside it. Files
/// below `archiveFolder` (where the scheduled archives go; null or empty: none) stay when that
/// folder lies below the data folder; the data folder itself or a folder above it cannot spare
/// the whole configuration. Nothing is removed or extracted unless the keep list was read whole.
/// The archive is closed again but not deleted.
PendingArchiveOutcome ApplyPendingArchive(const char* archivePath, const char* dataFolder,
                                          const char* productName, const char* archiveFolder,
                                          RemoveFileFunction remove, void* context);
