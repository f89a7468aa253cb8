// The archive settings of the process, the due check, the archive run and its thread.
#include "maintenance/scheduled_archive_win.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "framework/app/zrf_app_win.h"
#include "framework/base/path_backslash.h"
#include "framework/files/folders_win.h"
#include "maintenance/archive_clock.h"
#include "maintenance/archive_prune.h"
#include "maintenance/config_transfer_win.h"
#include "maintenance/path_tokens_win.h"

namespace {

// The GUI thread (dialog, due checks) and an archive thread share the settings: every access
// goes through a copy taken or stored under this lock, so neither sees half of a change.
std::mutex gSettingsLock;
ArchiveSettingsRecord gSettings = [] {
  ArchiveSettingsRecord record{};
  ApplyArchiveDefaults(&record);
  return record;
}();

// Claimed by test-and-set, so a run started by the dialog and one started by a due check never
// overlap, and only the run that claimed it releases it.
std::atomic<bool> gRunning{false};
std::atomic<HWND> gArchiveDialog{nullptr};

bool ClaimRun() { return !gRunning.exchange(true); }
void ReleaseRun() { gRunning.store(false); }

// The folder template of `settings` expanded; false when it is empty or does not expand.
bool ExpandArchiveFolder(const ArchiveSettingsRecord& settings, char* folder, size_t size) {
  return settings.folderTemplate[0] != '\0' && ExpandPathTokens(settings.folderTemplate, folder, size) &&
         folder[0] != '\0';
}

// One run; the caller holds the claim.
int32_t RunArchive() {
  const ArchiveSettingsRecord settings = ArchiveSettings();
  if (settings.folderTemplate[0] == '\0') return kArchiveNoFolder;
  char folder[MAX_PATH];
  if (!ExpandArchiveFolder(settings, folder, sizeof folder)) return kArchiveFailed;
  // Without its separator the folder would run into the archive's name.
  AddTrailingBackslash(folder, sizeof folder);
  if (folder[std::strlen(folder) - 1] != '\\') return kArchiveFailed;
  (void)CreateFolderPath(folder, true);  // a folder that cannot be made fails the write below
  char name[MAX_PATH];
  if (!ExpandPathTokens(settings.nameTemplate, name, sizeof name)) return kArchiveFailed;
  char path[MAX_PATH];
  const int length = std::snprintf(path, sizeof path, "%s%s.%s", folder, name, kConfigArchiveType);
  if (length < 0 || length >= static_cast<int>(sizeof path)) return kArchiveFailed;
  // Writes that a kill or a power cut ended leave archive-sized temporary files, and after a
  // hundred of them the name could not be written at all: they go before the next write.
  (void)RemoveStaleTemporaries(folder, gApp.productName, ArchiveClockNow());
  if (TransferConfiguration(gArchiveDialog.load(), ConfigTransferMode::ArchiveTo, path) !=
      TransferResult::Done) {
    return kArchiveFailed;
  }
  {
    std::lock_guard<std::mutex> lock(gSettingsLock);
    gSettings.lastArchiveTime = ArchiveDay(ArchiveClockNow());
    DataFileStore store = gApp.DataFiles();
    (void)SaveArchiveSettingsRecord(store, gSettings);
  }
  (void)PruneArchives(folder, gApp.productName, settings.keepCount);
  return kArchiveWritten;
}

}  // namespace

ArchiveSettingsRecord ArchiveSettings() {
  std::lock_guard<std::mutex> lock(gSettingsLock);
  return gSettings;
}

void LoadArchiveSettings() {
  std::lock_guard<std::mutex> lock(gSettingsLock);
  DataFileStore store = gApp.DataFiles();
  LoadArchiveSettingsRecord(store, &gSettings);
}

void SetArchiveSettings(const ArchiveSettingsRecord& settings) {
  std::lock_guard<std::mutex> lock(gSettingsLock);
  gSettings = settings;
}

bool SaveArchiveSettings(const ArchiveSettingsRecord& settings) {
  std::lock_guard<std::mutex> lock(gSettingsLock);
  gSettings = settings;
  DataFileStore store = gApp.DataFiles();
  return SaveArchiveSettingsRecord(store, gSettings);
}

bool ScheduledArchiveFolder(char* folder, size_t size) {
  // Read aside: the start-up asks before the pending archive may bring other settings, and the
  // process's settings are loaded by the due check that follows.
  ArchiveSettingsRecord settings;
  DataFileStore store = gApp.DataFiles();
  LoadArchiveSettingsRecord(store, &settings);
  return ExpandArchiveFolder(settings, folder, size);
}

void ArchiveConfigIfDue() {
  LoadArchiveSettings();
  StartArchiveIfDue();
}

void StartArchiveIfDue() {
  if (!IsArchiveDue(ArchiveSettings(), ArchiveClockNow()) || !ClaimRun()) return;
  HANDLE thread = CreateThread(nullptr, 0, ArchiveConfigThread, nullptr, 0, nullptr);
  if (thread == nullptr) {
    ReleaseRun();
    return;
  }
  CloseHandle(thread);
}

DWORD WINAPI ArchiveConfigThread(LPVOID) {
  const int32_t result = RunArchive();
  ReleaseRun();
  return static_cast<DWORD>(result);
}

int32_t ArchiveConfigNow() {
  if (!ClaimRun()) return kArchiveBusy;
  const int32_t result = RunArchive();
  ReleaseRun();
  return result;
}

bool IsArchiveRunning() { return gRunning.load(); }

void SetArchiveDialog(HWND dialog) { gArchiveDialog.store(dialog); }
