// The update check for the program in gApp: the process's update-check record, the due check that
// the start-up and the control window's daily job call, and the check thread that asks the update
// server of the install record for the current version and shows the "Update Check" dialog once
// per new version. The dialog itself is update_check_dialog_win.h's.
#pragma once

#include <windows.h>

#include <cstdint>

#include "maintenance/update_check_record.h"

/// Results of StartUpdateCheck.
constexpr int32_t kUpdateCheckStarted = 0;
constexpr int32_t kUpdateCheckStillRunning = 1;  ///< a running check did not stop within 5 s
constexpr int32_t kUpdateCheckNotStarted = 3;    ///< the thread could not be created

/// A copy of the process's record as last loaded, saved or changed by a check.
maintenance::UpdateCheckRecord UpdateCheckSettings();

/// Reads "(ZRF)UpdateCheck" of the data folder into the process's record with its defaults.
void LoadUpdateCheckSettings();

/// Writes `record` and reads it back with its defaults, so a failed write leaves the stored values
/// in force.
void SaveUpdateCheckSettings(const maintenance::UpdateCheckRecord& record);

/// The start-up's and the daily job's entry: loads the record and starts a check when one is due.
void CheckForUpdateIfDue();

/// As CheckForUpdateIfDue on the record as it stands, without loading it. True when a check
/// thread was started.
bool StartUpdateCheckIfDue();

/// Starts a check thread. A running check is cancelled first and waited for (up to 5 s, handling
/// the messages other threads send to this one meanwhile, so a check that is updating this
/// thread's dialog can finish). kUpdateCheckStarted, kUpdateCheckStillRunning or
/// kUpdateCheckNotStarted (the dialog, when shown, then says so). At process exit a running check
/// is cancelled and waited for (up to 5 s) before the application object goes.
int32_t StartUpdateCheck();

/// The check thread: fetches the update-check address of the install record, records what came
/// back and, for a newer version not seen before, opens the dialog without owner on this thread;
/// such a check first waits while the process's notice gate is held (notice_gate.h), and counts
/// as done only then (a cancel meanwhile records nothing).
/// It marks the check finished once the record is saved, and then serves the dialog it opened
/// until the dialog is destroyed. The parameter is not read; always 0.
DWORD WINAPI UpdateCheckThread(LPVOID parameter);

/// True from StartUpdateCheck until the check thread has saved what it found.
bool IsUpdateCheckRunning();

/// Raises the cancel flag: a fetch in progress stops at its next wait.
void CancelUpdateCheck();

/// The shown update-check dialog (modal or the thread's), or null.
HWND UpdateCheckDialog();
/// Remembers the shown dialog.
void SetUpdateCheckDialog(HWND dialog);
/// Forgets `dialog` when it is the one remembered.
void ForgetUpdateCheckDialog(HWND dialog);
