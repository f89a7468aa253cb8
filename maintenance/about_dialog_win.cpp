// The About and configuration dialog.
#include "maintenance/about_dialog_win.h"

#include <cstdint>

#include "framework/app/restart_mode.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/ui/message_box_layout.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/dialog_setup_win.h"
#include "framework/windows/link_label_win.h"
#include "framework/windows/zrf_window_win.h"
#include "maintenance/archive_dialog_win.h"
#include "maintenance/config_transfer_win.h"
#include "maintenance/update_check_dialog_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr uint16_t kProductStrings = 0xF005;  // product line format, maker, maker's web address
constexpr int32_t kPieceProductLine = 0;
constexpr int32_t kPieceMaker = 1;
constexpr int32_t kPieceWebAddress = 2;
constexpr uint16_t kTransferDoneStrings = 0xF00A;
constexpr int32_t kPieceRestored = 0;
constexpr int32_t kPieceBackedUp = 1;
constexpr int32_t kPieceReset = 2;
constexpr uint16_t kRestartStrings = 0xF00B;
constexpr char kHelpTopic[] = "About";
constexpr int kApplicationIconId = 1;

enum LinkIndex { kWebLink, kProgramLink, kDataLink, kLinkCount };

// Process-lifetime labels, attached at each opening and detached when the dialog goes.
CLinkLabel& Link(LinkIndex index) {
  static CLinkLabel links[kLinkCount];
  return links[index];
}

const char* FrameworkText(uint16_t id, int32_t piece) { return gApp.strings.Text(id, piece); }

void SetProductFont(HWND dialog, HFONT font) {
  SendDlgItemMessageA(dialog, IDC_ABOUT_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Initialise(HWND dialog) {
  const HFONT font = gApp.InitDialog(dialog);
  SetWindowTextA(dialog, gApp.productName);
  SetDlgItemTextF(dialog, IDC_ABOUT_PRODUCT, FrameworkText(kProductStrings, kPieceProductLine),
                  gApp.productName, gApp.version[0], gApp.version[1], gApp.version[2]);
  SetProductFont(dialog, font);
  SetDlgItemTextA(dialog, IDC_ABOUT_MAKER, FrameworkText(kProductStrings, kPieceMaker));
  // A link whose control is missing is left out; the dialog goes on without it.
  (void)Link(kWebLink).Attach(dialog, IDC_ABOUT_WEB_LINK, FrameworkText(kProductStrings, kPieceWebAddress));
  (void)Link(kProgramLink).Attach(dialog, IDC_ABOUT_PROGRAM_LINK, gApp.install.installFolder);
  (void)Link(kDataLink).Attach(dialog, IDC_ABOUT_DATA_LINK, gApp.dataFolder);
  if (gApp.windows.count == 0) EnableWindow(GetDlgItem(dialog, IDHELP), FALSE);
}

void DrawIcon(const DRAWITEMSTRUCT& item) {
  const int size = (item.rcItem.bottom - item.rcItem.top) & ~1;
  auto icon = static_cast<HICON>(
      LoadImageA(FrameworkModule(), MAKEINTRESOURCEA(kApplicationIconId), IMAGE_ICON, size, size, LR_SHARED));
  if (icon != nullptr)
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, size, size, 0, nullptr, DI_NORMAL);
}

void BackUp(HWND dialog) {
  gApp.SaveState();
  gApp.SendToMainWindow(zrf::WM_ZRF_SAVEDATA, 0, 0);
  char written[MAX_PATH] = "";
  if (TransferConfiguration(dialog, ConfigTransferMode::Backup, nullptr, written) != TransferResult::Done)
    return;
  // The file dialog may have added a type or been pointed elsewhere: the user learns where it is.
  (void)gApp.MessageDialog(dialog, nullptr, "%s\n%s", zrf::kInformationMessageStyle, 0,
                           FrameworkText(kTransferDoneStrings, kPieceBackedUp), written);
}

// Restore and Reset leave a pending archive that the next start applies: offer that start now.
void ReplaceConfiguration(HWND dialog, ConfigTransferMode mode, int32_t donePiece) {
  if (TransferConfiguration(dialog, mode, nullptr) != TransferResult::Done) return;
  if (gApp.MessageDialog(dialog, nullptr, "%s\n%s", zrf::kOkCancelQuestionStyle, 0,
                         FrameworkText(kTransferDoneStrings, donePiece),
                         FrameworkText(kRestartStrings, 0)) != zrf::kButtonOk) {
    return;
  }
  gApp.RequestRestart(kRestartAsNow, nullptr, 1);
  EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, id);
      break;
    case IDHELP:
      RequestDialogHelp(kHelpTopic);
      break;
    case IDC_ABOUT_BACKUP:
      BackUp(dialog);
      break;
    case IDC_ABOUT_RESTORE:
      ReplaceConfiguration(dialog, ConfigTransferMode::Restore, kPieceRestored);
      break;
    case IDC_ABOUT_RESET:
      ReplaceConfiguration(dialog, ConfigTransferMode::Reset, kPieceReset);
      break;
    case IDC_ABOUT_ARCHIVE:
      (void)gApp.RunModalDialog(dialog, IDD_ARCHIVE_CONFIG, ArchiveConfigDlgProc, 1);
      break;
    case IDC_ABOUT_UPDATE:
      (void)gApp.RunModalDialog(dialog, IDD_UPDATE_CHECK, UpdateCheckDlgProc, kUpdateDialogModal);
      break;
    default:
      break;
  }
}

}  // namespace

void ShowAboutDialog(HWND owner) {
  if (owner == nullptr) owner = gApp.OwnForegroundWindow();
  const CZrfWindow* framework = owner != nullptr ? gApp.FindWindowByHwnd(owner) : nullptr;
  if (framework == nullptr || (framework->flags & zrf::kWindowStaysPut) == 0) {
    (void)gApp.RunModalDialog(owner, IDD_ABOUT, AboutDlgProc, 0);
    return;
  }
  gApp.ChangeModalDepth(true);
  (void)DialogBoxParamA(FrameworkModule(), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDlgProc, 0);
  gApp.ChangeModalDepth(false);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise(dialog);
      return FALSE;  // the set-up has placed the focus
    case WM_DRAWITEM:
      DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_HELP:
      RequestDialogHelp(kHelpTopic);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_DPICHANGED:
      SetProductFont(dialog, gApp.UpdateDialogDpi(dialog, LOWORD(wParam)));
      return TRUE;
    case WM_DESTROY:
      for (int index = 0; index < kLinkCount; ++index) Link(static_cast<LinkIndex>(index)).Detach();
      return FALSE;
    default:
      return FALSE;
  }
}
