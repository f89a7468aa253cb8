// The archive configuration dialog.
#include "maintenance/archive_dialog_win.h"

#include <cstdint>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/shell/file_pickers_win.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/windows/dialog_setup_win.h"
#include "maintenance/path_tokens_win.h"
#include "maintenance/scheduled_archive_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr uint16_t kArchiveStrings = 0xF00F;
constexpr int32_t kPieceFolderPickerTitle = 0;
constexpr int32_t kPieceArchived = 1;
constexpr int32_t kPieceInvalidPath = 2;
constexpr int32_t kPieceInvalidName = 3;
constexpr int32_t kPieceNotArchived = 4;
constexpr uint32_t kInformationStyle = zrf::kInformationMessageStyle;
constexpr uint32_t kErrorStyle = zrf::kErrorMessageStyle;
constexpr int32_t kMaxIntervalDays = 9999;
constexpr int32_t kMaxKeepCount = 999;
constexpr char kHelpTopic[] = "About";

void Show(HWND dialog, int32_t piece, uint32_t style, int32_t focusId) {
  (void)gApp.MessageDialog(dialog, gApp.productName, "%s", style, focusId,
                           gApp.strings.Text(kArchiveStrings, piece));
}

void ShowPreview(HWND dialog, int edit, int preview) {
  char pattern[MAX_PATH];
  char expanded[MAX_PATH];
  GetDlgItemTextA(dialog, edit, pattern, sizeof pattern);
  // A template that does not expand shows what was expanded of it.
  (void)ExpandPathTokens(pattern, expanded, sizeof expanded);
  SetDlgItemTextA(dialog, preview, expanded);
}

// A template is valid when it is not empty and expands whole.
bool IsValidTemplate(const char* pattern) {
  char expanded[MAX_PATH];
  return pattern[0] != '\0' && ExpandPathTokens(pattern, expanded, sizeof expanded);
}

void Initialise(HWND dialog) {
  (void)gApp.InitDialog(dialog);
  LoadArchiveSettings();
  const ArchiveSettingsRecord settings = ArchiveSettings();
  SetCheck(dialog, IDC_ARCHIVE_AUTOMATIC, settings.enabled ? BST_CHECKED : BST_UNCHECKED);
  EnableDialogItems(settings.enabled != 0, dialog, IDC_ARCHIVE_INTERVAL, IDC_ARCHIVE_DAYS_TEXT, 0);
  SetDlgItemNumber(dialog, IDC_ARCHIVE_INTERVAL, settings.intervalDays);
  SetDlgItemNumber(dialog, IDC_ARCHIVE_KEEP, settings.keepCount);
  SetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, settings.folderTemplate);
  SetDlgItemTextA(dialog, IDC_ARCHIVE_NAME, settings.nameTemplate);
  SetArchiveDialog(dialog);
}

void Browse(HWND dialog) {
  char pattern[MAX_PATH];
  char folder[MAX_PATH];
  GetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, pattern, sizeof pattern);
  if (!ExpandPathTokens(pattern, folder, sizeof folder)) folder[0] = '\0';
  if (PickFolder(gApp.strings.Text(kArchiveStrings, kPieceFolderPickerTitle), folder, true) ==
      kFolderPicked) {
    SetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, folder);
  }
}

// The run reads the keep count and folder from the process's settings, which take the dialog's
// values for it (and keep them, as the run saves the settings it recorded its date in).
void ArchiveNow(HWND dialog) {
  ArchiveSettingsRecord settings = ArchiveSettings();
  settings.keepCount = GetDlgItemNumber(dialog, IDC_ARCHIVE_KEEP, 1, kMaxKeepCount, false);
  GetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, settings.folderTemplate, sizeof settings.folderTemplate);
  SetArchiveSettings(settings);
  if (ArchiveConfigNow() == kArchiveWritten) {
    Show(dialog, kPieceArchived, kInformationStyle, 0);
  } else {
    Show(dialog, kPieceNotArchived, kErrorStyle, 0);
  }
}

// Reads, checks and saves the dialog's settings; false (with the dialog staying open) when a
// template is not valid.
bool Accept(HWND dialog) {
  ArchiveSettingsRecord settings = ArchiveSettings();
  settings.enabled = GetCheck(dialog, IDC_ARCHIVE_AUTOMATIC) == BST_CHECKED ? 1 : 0;
  settings.intervalDays = GetDlgItemNumber(dialog, IDC_ARCHIVE_INTERVAL, 1, kMaxIntervalDays, false);
  settings.keepCount = GetDlgItemNumber(dialog, IDC_ARCHIVE_KEEP, 1, kMaxKeepCount, false);
  GetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, settings.folderTemplate, sizeof settings.folderTemplate);
  GetDlgItemTextA(dialog, IDC_ARCHIVE_NAME, settings.nameTemplate, sizeof settings.nameTemplate);
  if (settings.enabled && !IsValidTemplate(settings.folderTemplate)) {
    Show(dialog, kPieceInvalidPath, kErrorStyle, IDC_ARCHIVE_FOLDER);
    return false;
  }
  if (!IsValidTemplate(settings.nameTemplate)) {
    Show(dialog, kPieceInvalidName, kErrorStyle, IDC_ARCHIVE_NAME);
    return false;
  }
  (void)SaveArchiveSettings(settings);
  LoadArchiveSettings();
  StartArchiveIfDue();
  return true;
}

void Close(HWND dialog, int result) {
  SetArchiveDialog(nullptr);
  EndDialog(dialog, result);
}

void OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDC_ARCHIVE_AUTOMATIC:
      if (code == BN_CLICKED) {
        EnableDialogItems(GetCheck(dialog, IDC_ARCHIVE_AUTOMATIC) == BST_CHECKED, dialog,
                          IDC_ARCHIVE_INTERVAL, IDC_ARCHIVE_DAYS_TEXT, 0);
      }
      break;
    case IDC_ARCHIVE_FOLDER:
      if (code == EN_CHANGE) ShowPreview(dialog, IDC_ARCHIVE_FOLDER, IDC_ARCHIVE_FOLDER_PREVIEW);
      break;
    case IDC_ARCHIVE_NAME:
      if (code == EN_CHANGE) ShowPreview(dialog, IDC_ARCHIVE_NAME, IDC_ARCHIVE_NAME_PREVIEW);
      break;
    case IDC_ARCHIVE_BROWSE:
      Browse(dialog);
      break;
    case IDC_ARCHIVE_DEFAULT:
      SetDlgItemTextA(dialog, IDC_ARCHIVE_FOLDER, kDefaultArchiveFolderTemplate);
      SetDlgItemTextA(dialog, IDC_ARCHIVE_NAME, kDefaultArchiveNameTemplate);
      break;
    case IDC_ARCHIVE_NOW:
      ArchiveNow(dialog);
      break;
    case IDOK:
      if (Accept(dialog)) Close(dialog, IDOK);
      break;
    case IDCANCEL:
      Close(dialog, IDCANCEL);
      break;
    case IDHELP:
      RequestDialogHelp(kHelpTopic);
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR CALLBACK ArchiveConfigDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise(dialog);
      return FALSE;  // the set-up has placed the focus
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HELP:
      RequestDialogHelp(kHelpTopic);
      return TRUE;
    case WM_DPICHANGED:
      (void)gApp.UpdateDialogDpi(dialog, LOWORD(wParam));
      return TRUE;
    case WM_DESTROY:
      SetArchiveDialog(nullptr);
      return FALSE;
    default:
      return FALSE;
  }
}
