// The update-check dialog.
#include "maintenance/update_check_dialog_win.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "framework/app/zrf_app_win.h"
#include "framework/shell/shell_open_win.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/windows/dialog_setup_win.h"
#include "maintenance/update_check_win.h"
#include "resources/resource_ids.h"

namespace {

using maintenance::UpdateCheckRecord;

constexpr int32_t kMaxIntervalDays = 9999;
constexpr char kHelpTopic[] = "About";

bool IsModal(HWND dialog) { return GetWindowLongPtrA(dialog, DWLP_USER) == kUpdateDialogModal; }

void SetValueFonts(HWND dialog, HFONT font) {
  for (int item = IDC_UPDATE_INSTALLED; item <= IDC_UPDATE_STATUS; ++item)
    SendDlgItemMessageA(dialog, item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void ShowLastCheck(HWND dialog, int64_t lastCheckTime) {
  const time_t time = static_cast<time_t>(lastCheckTime);
  struct tm local {};
  // A damaged time that has no date shows the first day of the clock.
  if (localtime_s(&local, &time) != 0) {
    const time_t start = 0;
    (void)localtime_s(&local, &start);
  }
  SetDlgItemTextF(dialog, IDC_UPDATE_STATUS,
                  gApp.strings.Text(maintenance::kUpdateCheckStrings, maintenance::kUpdateStatusLastCheck),
                  local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

void EnableInterval(HWND dialog, bool enable) {
  EnableDialogItems(enable, dialog, IDC_UPDATE_INTERVAL, IDC_UPDATE_DAYS_TEXT, 0);
}

void Initialise(HWND dialog, LPARAM mode) {
  SetWindowLongPtrA(dialog, DWLP_USER, mode);
  SetValueFonts(dialog, gApp.InitDialog(dialog));
  char title[2 * MAX_PATH];
  std::snprintf(title, sizeof title, "%s %s", gApp.productName,
                gApp.strings.Text(maintenance::kUpdateCheckStrings, maintenance::kUpdateTitlePiece));
  SetWindowTextA(dialog, title);
  SetDlgItemTextF(dialog, IDC_UPDATE_INSTALLED, "%d.%d.%d", gApp.version[0], gApp.version[1],
                  gApp.version[2]);
  const UpdateCheckRecord record = UpdateCheckSettings();
  SetCheck(dialog, IDC_UPDATE_AUTOMATIC, record.autoCheck ? BST_CHECKED : BST_UNCHECKED);
  EnableInterval(dialog, record.autoCheck != 0);
  SetDlgItemNumber(dialog, IDC_UPDATE_INTERVAL, record.intervalDays);
  SetDlgItemTextA(dialog, IDC_UPDATE_AVAILABLE, record.lastVersion);
  EnableWindow(GetDlgItem(dialog, IDC_UPDATE_DOWNLOAD), record.newerAvailable != 0);
  ShowLastCheck(dialog, record.lastCheckTime);
}

// The thread's dialog is destroyed (EndDialog would only hide it, and its thread would serve it
// for ever); the message posted wakes that thread's loop, which then sees it gone.
void Close(HWND dialog, int result) {
  CancelUpdateCheck();
  ForgetUpdateCheckDialog(dialog);
  if (IsModal(dialog)) {
    EndDialog(dialog, result);
    return;
  }
  DestroyWindow(dialog);
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Accept(HWND dialog) {
  UpdateCheckRecord record = UpdateCheckSettings();
  record.autoCheck = GetCheck(dialog, IDC_UPDATE_AUTOMATIC) == BST_CHECKED ? 1 : 0;
  record.intervalDays = GetDlgItemNumber(dialog, IDC_UPDATE_INTERVAL, maintenance::kMinUpdateIntervalDays,
                                         kMaxIntervalDays, false);
  SaveUpdateCheckSettings(record);
  Close(dialog, IDOK);
  (void)StartUpdateCheckIfDue();
}

void OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDC_UPDATE_AUTOMATIC:
      if (code == BN_CLICKED) EnableInterval(dialog, GetCheck(dialog, IDC_UPDATE_AUTOMATIC) == BST_CHECKED);
      break;
    case IDC_UPDATE_NOW:
      (void)StartUpdateCheck();
      break;
    case IDC_UPDATE_DOWNLOAD:
      (void)ShellOpen(gApp.install.downloadAddress, nullptr, nullptr, nullptr, SW_SHOWNORMAL);
      break;
    case IDHELP:
      RequestDialogHelp(kHelpTopic);
      break;
    case IDOK:
      Accept(dialog);
      break;
    case IDCANCEL:
      Close(dialog, IDCANCEL);
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR CALLBACK UpdateCheckDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise(dialog, lParam);
      return FALSE;  // the set-up has placed the focus
    case WM_SHOWWINDOW:
      if (wParam != FALSE) SetUpdateCheckDialog(dialog);
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HELP:
      RequestDialogHelp(kHelpTopic);
      return TRUE;
    case WM_DPICHANGED:
      SetValueFonts(dialog, gApp.UpdateDialogDpi(dialog, LOWORD(wParam)));
      return TRUE;
    case WM_DESTROY:
      ForgetUpdateCheckDialog(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}
