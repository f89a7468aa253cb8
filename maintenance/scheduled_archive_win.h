// Scheduled configuration archiving for the program in gApp: the process's archive settings, the
// due check that the start-up and the control window's daily job call, and the archive run (write
// the archive, record the day, prune old archives) on a thread of its own or at the user's request.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "maintenance/archive_settings.h"

/// Results of an archive run (ArchiveConfigThread, ArchiveConfigNow).
constexpr int32_t kArchiveWritten = 0;
constexpr int32_t kArchiveNoFolder = 1;  ///< the folder template is empty
constexpr int32_t kArchiveFailed = 2;    ///< a template did not expand, or the archive was not written whole
constexpr int32_t kArchiveBusy = 3;      ///< ArchiveConfigNow only: another run had not finished

/// A copy of the process's archive settings as last loaded, saved or recorded by a run.
ArchiveSettingsRecord ArchiveSettings();

/// Reads "(ZRF)Archive" of the data folder into the process's settings and applies the defaults.
void LoadArchiveSettings();

/// Makes `settings` the process's settings without writing them.
void SetArchiveSettings(const ArchiveSettingsRecord& settings);

/// Makes `settings` the process's settings and writes them. True when the file was replaced.
[[nodiscard]] bool SaveArchiveSettings(const ArchiveSettingsRecord& settings);

/// The folder of the archives as "(ZRF)Archive" of the data folder names it (the defaults for a
/// missing file), its template expanded into `folder` (`size` bytes): the form of the application
/// object's hook (gApp.scheduledArchiveFolder). False when the template does not expand. Leaves
/// the process's settings alone.
bool ScheduledArchiveFolder(char* folder, size_t size);

/// The start-up's and the daily job's entry, in the form of the application object's hook
/// (gApp.archiveConfigIfDue = ArchiveConfigIfDue): loads the settings and, when archiving is on,
/// the interval has passed (archive clock) and no run is going on, starts ArchiveConfigThread.
/// IsArchiveRunning tells right after the call whether it started one.
void ArchiveConfigIfDue();

/// As ArchiveConfigIfDue on the settings as they stand, without loading them: what the archive
/// dialog does after saving.
void StartArchiveIfDue();

/// The archive thread: one run (see ArchiveConfigNow), then it marks the run finished. The
/// parameter is not read. Started only by the due checks, which claim the run first.
DWORD WINAPI ArchiveConfigThread(LPVOID parameter);

/// One run on the calling thread, claiming it first: kArchiveBusy when another run is going on.
/// Otherwise expands the folder template, makes the folder, writes "<folder><name>.BrambeckConfig"
/// (TransferConfiguration, ArchiveTo), records today's date (UTC day of the archive clock) and
/// deletes all but the newest `keepCount` archives of this product there. On any failure nothing
/// is recorded, so the next due check tries again.
int32_t ArchiveConfigNow();

/// True while a run is going on.
bool IsArchiveRunning();

/// The open archive dialog, or null; the archive run's owner window.
void SetArchiveDialog(HWND dialog);
