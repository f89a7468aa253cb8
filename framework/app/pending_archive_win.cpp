// The pending configuration archive at start: the startup turn, the wait for other instances, the
// recycle bin and the message for a restore that failed.
#include "framework/app/pending_archive_win.h"

// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "framework/app/pending_archive.h"
#include "framework/files/system_error.h"
#include "framework/ui/window_helpers_win.h"

namespace {

// Texts of the configuration transfer: piece 1 a damaged archive, piece 2 a failed restore,
// piece 5 the heading of the files a restore kept.
constexpr uint16_t kTransferTexts = 0xF009;
constexpr int32_t kPieceArchiveError = 1;
constexpr int32_t kPieceRestoreError = 2;
constexpr int32_t kPieceKeptFiles = 5;
// Kept files named in the message; a box of more would not fit on the screen.
constexpr size_t kKeptFilesShown = 8;
constexpr DWORD kTurnWait = 30000;          // milliseconds; another start holds it for seconds at most
constexpr DWORD kOtherInstanceWait = 5000;  // milliseconds for old instances to end
constexpr DWORD kOtherInstancePoll = 100;
// FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI.
constexpr FILEOP_FLAGS kRecycleFlags = 0x654;

// True once no control window of the product is left, at most after kOtherInstanceWait.
bool OtherInstancesEnded(const char* productName) {
  const ULONGLONG start = GetTickCount64();
  while (FindPhantomWindow(productName) != nullptr) {
    if (GetTickCount64() - start >= kOtherInstanceWait) return false;
    Sleep(kOtherInstancePoll);
  }
  return true;
}

// The full form of `path` ("." and ".." resolved, "/" turned into "\\"), so that folders named in
// different ways compare; `path` as it is when that fails.
void FullPath(const char* path, char (&full)[MAX_PATH]) {
  const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) std::snprintf(full, MAX_PATH, "%s", path);
}

}  // namespace

bool StartupTurn::Take(uint32_t productCrc) {
  Release();
  char name[64];
  std::snprintf(name, sizeof name, "ZRFStartupTurn%08X", productCrc);
  mutex_ = ScopedHandle(CreateMutexA(nullptr, FALSE, name));
  if (!mutex_.IsValid()) return false;
  const DWORD wait = WaitForSingleObject(mutex_.Get(), kTurnWait);
  held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  return held_;
}

void StartupTurn::Release() {
  if (held_) ReleaseMutex(mutex_.Get());
  held_ = false;
  mutex_.Close();
}

void MoveToRecycleBin(void* context, const char* path) {
  (void)context;
  char from[MAX_PATH + 1] = {};
  const int length = std::snprintf(from, MAX_PATH, "%s", path);
  if (length < 0 || length >= MAX_PATH) return;
  // The buffer is zero-filled, so the path is followed by the second NUL the operation needs.
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from;
  operation.fFlags = kRecycleFlags;
  SHFileOperationA(&operation);
}

RestoreReport ApplyPendingArchiveAtStart(const char* dataFolder, const char* productName,
                                         const char* archiveFolder) {
  // The archive folder comes from a template the user edits ("%CONFIGDIR%\Backup" and the
  // like): both folders in their full form, so the files walked compare with it.
  char folder[MAX_PATH];
  FullPath(dataFolder, folder);
  char spared[MAX_PATH] = "";
  if (archiveFolder != nullptr && archiveFolder[0] != '\0') FullPath(archiveFolder, spared);
  const RestoreReport nothing{PendingArchiveOutcome::Nothing, 0};
  char path[MAX_PATH];
  if (!PendingArchivePath(folder, productName, path)) return nothing;
  const RestorePaths paths = MakeRestorePaths(folder, path);
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesA(paths.staging.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return nothing;
  }
  // Instances still running would write their plant files and settings over what the archive
  // brings; the archive waits for a start that runs alone.
  if (!OtherInstancesEnded(productName)) return nothing;
  return RestoreAtStart(path, folder, productName, spared, MoveToRecycleBin, nullptr);
}

bool IsRestoreUnderWay(const char* dataFolder) {
  char folder[MAX_PATH];
  FullPath(dataFolder, folder);
  return IsSwapUnderWay(MakeRestorePaths(folder, ""));
}

void FormatRestoreFailure(const CStringTable& strings, const RestoreReport& report, char* text, size_t size) {
  text[0] = '\0';
  std::string message;
  if (IsRestoreFailure(report.outcome)) {
    char reason[512] = "";
    if (report.outcome == PendingArchiveOutcome::Damaged) {
      std::snprintf(reason, sizeof reason, "%s", strings.Text(kTransferTexts, kPieceArchiveError));
    } else {
      SystemErrorText(report.systemError, reason, sizeof reason);
    }
    message = strings.Text(kTransferTexts, kPieceRestoreError);
    if (reason[0] != '\0') message += std::string("\n") + reason;
  }
  if (!report.kept.empty()) {
    if (!message.empty()) message += "\n\n";
    message += strings.Text(kTransferTexts, kPieceKeptFiles);
    for (size_t i = 0; i < report.kept.size() && i < kKeptFilesShown; ++i) message += "\n" + report.kept[i];
    if (report.kept.size() > kKeptFilesShown) message += "\n...";
  }
  std::snprintf(text, size, "%s", message.c_str());
}
