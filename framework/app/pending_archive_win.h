// Applying a pending configuration archive at start on the real system: only while no other
// instance of the product runs, one start at a time, unlisted files going to the recycle bin.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/app/pending_archive.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/string_table.h"

/// The turn of one start of the product from its pending archive to its control window: a named
/// mutex keyed by the product CRC. Released when it goes.
class StartupTurn {
 public:
  StartupTurn() = default;
  ~StartupTurn() { Release(); }
  StartupTurn(const StartupTurn&) = delete;
  StartupTurn& operator=(const StartupTurn&) = delete;

  /// Waits up to 30 seconds for the turn. True when this start holds it (also when a start that
  /// held it ended without giving it back).
  bool Take(uint32_t productCrc);
  /// Gives the turn back; nothing when it is not held.
  void Release();

 private:
  ScopedHandle mutex_;
  bool held_ = false;
};

/// The start-up's step for "<data folder>\<product>.BrambeckConfig": when it exists, or a restore
/// is under way, and no other instance of the product runs (after up to five seconds for old
/// instances to end, as after a restart), completes an interrupted restore and applies the archive
/// (RestoreAtStart, sparing configuration archives and `archiveFolder`, where the scheduled
/// archives go; null or empty: no such folder). While another instance runs both are left for a
/// later start (Nothing). Requires the startup turn.
RestoreReport ApplyPendingArchiveAtStart(const char* dataFolder, const char* productName,
                                         const char* archiveFolder);

/// True while a restore's swap is under way in "<data folder>\(ZRF)Restore" or was left unfinished
/// there (IsSwapUnderWay): nothing else may write into the data folder then.
bool IsRestoreUnderWay(const char* dataFolder);

/// The message for a restore that failed (IsRestoreFailure): "Error restoring data!" and, on a
/// line of its own, why: the system's text for its error code, or "Configuration file error!" for
/// a damaged archive. Then, when the restore kept files, "Some file(s) were kept here:" and their
/// paths (the first eight). Empty when there is neither.
void FormatRestoreFailure(const CStringTable& strings, const RestoreReport& report, char* text, size_t size);

/// The file operation that moves one file to the recycle bin without asking; failures are ignored.
void MoveToRecycleBin(void* context, const char* path);
