// The update-check dialog.
#include "maintenance/update_check_dialog_win.h"

#include <cstdint>
#include <cstdio>

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

// Left empty until a check has run: a zero time has no date worth showing.
void ShowLastCheck(HWND dialog, int64_t lastCheckTime) {
  maintenance::CivilDate date;
  if (!maintenance::LastCheckDate(lastCheckTime, &date)) {
    SetDlgItemTextA(dialog, IDC_UPDATE_STATUS, "");
    return;
  }
  SetDlgItemTextF(dialog, IDC_UPDATE_STATUS,
                  gApp.strings.Text(maintenance::kUpdateCheckStrings, maintenance::kUpdateStatusLastCheck),
                  date.day, date.month, date.year);
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
  SetDlgItemTextA(dialog, IDC_UPDATE_INSTALLED,
                  maintenance::ProgramVersionText({gApp.version[0], gApp.version[1], gApp.version[2]}).c_str());
  const UpdateCheckRecord record = UpdateCheckSettings();
  SetCheck(dialog, IDC_UPDATE_AUTOMATIC, record.autoCheck ? BST_CHECKED : BST_UNCHECKED);
  EnableInterval(dialog, record.autoCheck != 0);
  SetDlgItemNumber(dialog, IDC_UPDATE_INTERVAL, record.intervalDays);
  // A record from before the version was cut from the reply may still hold its line break.
  SetDlgItemTextA(dialog, IDC_UPDATE_AVAILABLE, maintenance::VersionTextOf(record.lastVersion).c_str());
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
