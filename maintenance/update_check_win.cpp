// The update check's process state, its due check, its start and its thread.
#include "maintenance/update_check_win.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

#include "framework/app/notice_gate.h"
#include "framework/app/zrf_app_win.h"
#include "maintenance/http_client.h"
#include "maintenance/update_check_dialog_win.h"
#include "resources/resource_ids.h"

namespace {

using maintenance::UpdateCheckRecord;

// The GUI thread (dialog, due checks) and a check thread share the record: every access goes
// through a copy taken or stored under this lock.
std::mutex gRecordLock;
UpdateCheckRecord gRecord = [] {
  UpdateCheckRecord record{};
  maintenance::ApplyUpdateCheckDefaults(&record);
  return record;
}();

// Claimed by StartUpdateCheck with an exchange, so two starters on different threads (a daily
// job and "Check now!" in the thread's own dialog) never run two checks.
std::atomic<bool> gRunning{false};
std::atomic<uint8_t> gCancel{0};
std::atomic<HWND> gDialog{nullptr};

constexpr ULONGLONG kStopWaitMilliseconds = 5000;
constexpr DWORD kStopPollMilliseconds = 10;

// Now on the local clock, as seconds since 1970 as if local time were UTC: a check's day is then
// the user's date of it, whatever the time zone.
int64_t LocalNow() {
  const __time64_t now = _time64(nullptr);
  struct tm local {};
  if (_localtime64_s(&local, &now) != 0) return static_cast<int64_t>(now);
  const __time64_t asUtc = _mkgmtime64(&local);
  return asUtc == -1 ? static_cast<int64_t>(now) : static_cast<int64_t>(asUtc);
}

maintenance::ProgramVersion RunningVersion() { return {gApp.version[0], gApp.version[1], gApp.version[2]}; }

const char* StatusText(int32_t piece) { return gApp.strings.Text(maintenance::kUpdateCheckStrings, piece); }

void ShowStatus(int32_t piece) {
  if (HWND dialog = gDialog.load()) SetDlgItemTextA(dialog, IDC_UPDATE_STATUS, StatusText(piece));
}

// The fetched version, its status and whether it can be downloaded, in the shown dialog.
void ShowResult(const UpdateCheckRecord& record, int32_t piece) {
  HWND dialog = gDialog.load();
  if (dialog == nullptr) return;
  SetDlgItemTextA(dialog, IDC_UPDATE_AVAILABLE, record.lastVersion);
  SetDlgItemTextA(dialog, IDC_UPDATE_STATUS, StatusText(piece));
  EnableWindow(GetDlgItem(dialog, IDC_UPDATE_DOWNLOAD), record.newerAvailable != 0);
}

// Stops a running check at its next wait, and a check whose notice waits for its turn at once.
void RaiseCancel() {
  gCancel.store(1);
  ProcessNoticeGate().Wake();
}

// Waits about `milliseconds`, handling what other threads send to this one meanwhile: a check
// thread that is updating a dialog of this thread waits for exactly that.
void WaitHandlingSentMessages(DWORD milliseconds) {
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

// True when this starter claimed the check; false when a running check did not stop in time.
bool ClaimCheck() {
  const ULONGLONG start = GetTickCount64();
  while (gRunning.exchange(true)) {
    if (GetTickCount64() - start >= kStopWaitMilliseconds) return false;
    RaiseCancel();
    WaitHandlingSentMessages(kStopPollMilliseconds);
  }
  return true;
}

// Registered with atexit by the first start, so it runs before the application object that a
// check reads is destroyed: a program that quits while a check waits for a slow server would
// otherwise have that check wake up among destroyed objects.
void StopCheckAtExit() {
  RaiseCancel();
  const ULONGLONG start = GetTickCount64();
  while (gRunning.load() && GetTickCount64() - start < kStopWaitMilliseconds) Sleep(kStopPollMilliseconds);
}

// What the update server answers: the body up to its first NUL, or false.
bool FetchVersion(std::string* body) {
  maintenance::CHttpClient client;
  client.SetCancelFlag(&gCancel);
  if (client.Get(gApp.install.updateCheckAddress, nullptr, nullptr, nullptr, 0) !=
      maintenance::HttpResult::Ok)
    return false;
  const CZrfArray<uint8_t>& response = client.response();
  if (response.count > 0) body->assign(reinterpret_cast<const char*>(response.data), size_t(response.count));
  return true;
}

// Whether the fetched text would open this thread's own dialog, as the record stands.
bool WouldOpenDialog(const std::string& body) {
  std::lock_guard<std::mutex> lock(gRecordLock);
  UpdateCheckRecord copy = gRecord;
  return maintenance::ApplyFetchedVersion(&copy, true, body, RunningVersion(), LocalNow(), gDialog.load() != nullptr)
      .openDialog;
}

HWND OpenDialogOnThisThread() {
  HWND dialog = CreateDialogParamA(FrameworkModule(), MAKEINTRESOURCEA(IDD_UPDATE_CHECK), nullptr,
                                   UpdateCheckDlgProc, kUpdateDialogModeless);
  if (dialog == nullptr) return nullptr;
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  return dialog;
}

// The message loop of the dialog this thread opened, until the dialog is destroyed (its
// WM_DESTROY posts this thread a message, so a destruction from inside GetMessageA ends it too).
void ServeDialog(HWND dialog) {
  MSG message;
  while (IsWindow(dialog) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

UpdateCheckRecord UpdateCheckSettings() {
  std::lock_guard<std::mutex> lock(gRecordLock);
  return gRecord;
}

void LoadUpdateCheckSettings() {
  std::lock_guard<std::mutex> lock(gRecordLock);
  DataFileStore store = gApp.DataFiles();
  maintenance::LoadUpdateCheckRecord(store, &gRecord);
}

void SaveUpdateCheckSettings(const UpdateCheckRecord& record) {
  std::lock_guard<std::mutex> lock(gRecordLock);
  DataFileStore store = gApp.DataFiles();
  (void)maintenance::SaveUpdateCheckRecord(store, record);
  maintenance::LoadUpdateCheckRecord(store, &gRecord);
}

void CheckForUpdateIfDue() {
  LoadUpdateCheckSettings();
  (void)StartUpdateCheckIfDue();
}

bool StartUpdateCheckIfDue() {
  if (!maintenance::IsUpdateCheckDue(UpdateCheckSettings(), LocalNow())) return false;
  return StartUpdateCheck() == kUpdateCheckStarted;
}

int32_t StartUpdateCheck() {
  static std::once_flag stopAtExit;
  std::call_once(stopAtExit, [] { std::atexit(StopCheckAtExit); });
  if (!ClaimCheck()) return kUpdateCheckStillRunning;
  gCancel.store(0);
  HANDLE thread = CreateThread(nullptr, 0, UpdateCheckThread, nullptr, 0, nullptr);
  if (thread == nullptr) {
    gRunning.store(false);
    ShowStatus(maintenance::kUpdateStatusNotStarted);
    return kUpdateCheckNotStarted;
  }
  CloseHandle(thread);
  return kUpdateCheckStarted;
}

DWORD WINAPI UpdateCheckThread(LPVOID) {
  LoadUpdateCheckSettings();
  ShowStatus(maintenance::kUpdateStatusChecking);
  std::string body;
  bool fetched = FetchVersion(&body);
  // A notice waits while a dialog that must stay in front holds the gate (a plant's welcome), and
  // the check counts as done only once it can be shown: a check cancelled meanwhile saves nothing,
  // so the next one finds the version new again.
  if (fetched && WouldOpenDialog(body)) fetched = ProcessNoticeGate().WaitForTurn(gCancel);
  maintenance::UpdateCheckOutcome outcome;
  UpdateCheckRecord record;
  {
    std::lock_guard<std::mutex> lock(gRecordLock);
    outcome = maintenance::ApplyFetchedVersion(&gRecord, fetched, body, RunningVersion(), LocalNow(),
                                               gDialog.load() != nullptr);
    record = gRecord;
  }
  HWND opened = outcome.openDialog ? OpenDialogOnThisThread() : nullptr;
  if (outcome.save) {
    ShowResult(record, outcome.statusPiece);
    std::lock_guard<std::mutex> lock(gRecordLock);
    DataFileStore store = gApp.DataFiles();
    (void)maintenance::SaveUpdateCheckRecord(store, gRecord);
  } else {
    ShowStatus(outcome.statusPiece);
  }
  // Finished before serving the dialog: "Check now!" in it starts the next check from this very
  // thread, and a check that waited for this one would wait as long as the dialog stays open.
  gRunning.store(false);
  if (opened != nullptr) ServeDialog(opened);
  return 0;
}

bool IsUpdateCheckRunning() { return gRunning.load(); }

void CancelUpdateCheck() { RaiseCancel(); }

HWND UpdateCheckDialog() { return gDialog.load(); }

void SetUpdateCheckDialog(HWND dialog) { gDialog.store(dialog); }

void ForgetUpdateCheckDialog(HWND dialog) {
  HWND expected = dialog;
  gDialog.compare_exchange_strong(expected, nullptr);
}
