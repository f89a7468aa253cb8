// The welcome dialog.
#include "app/welcome_dialog_win.h"

#include <mutex>

#include "app/plant_data_lock.h"
#include "app/plant_dialog_state_win.h"
#include "framework/app/notice_gate.h"
#include "framework/app/zrf_app_win.h"
#include "resources/plant_dialog_ids.h"

namespace plantapp {
namespace {

void SetNameFont(HWND dialog, HFONT font, BOOL redraw) {
  SendDlgItemMessageA(dialog, IDC_WELCOME_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

}  // namespace

HWND ShowWelcome(PlantDialogHost& host) {
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    if (host.Plant().Record().flags & plant::kDialogShown) return nullptr;
  }
  HWND dialog = CreateDialogParamA(FrameworkModule(), MAKEINTRESOURCEA(IDD_WELCOME), host.PlantWindow(),
                                   WelcomeDialogProc, reinterpret_cast<LPARAM>(&host));
  if (dialog != nullptr) ShowWindow(dialog, SW_SHOW);
  host.RegisterAutostart();
  return dialog;
}

INT_PTR CALLBACK WelcomeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto& host = *reinterpret_cast<PlantDialogHost*>(lParam);
      const HFONT font = gApp.InitDialog(dialog);
      ShowPlantIcon(dialog, IDC_PLANT_ICON, host);
      SetDlgItemTextA(dialog, IDC_WELCOME_NAME, host.PlantName());
      SetNameFont(dialog, font, FALSE);
      // An update notice that comes meanwhile would stand over the welcome and hide it.
      ProcessNoticeGate().Hold();
      return TRUE;
    }
    case WM_DESTROY:
      ProcessNoticeGate().Release();
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      DestroyWindow(dialog);
      return TRUE;
    case WM_DPICHANGED:
      SetNameFont(dialog, gApp.UpdateDialogDpi(dialog, LOWORD(wParam)), TRUE);
      return TRUE;
  }
  return FALSE;
}

}  // namespace plantapp
