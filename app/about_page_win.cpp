// The About page: the product and its version, the maker's web address, the framework's About
// dialog and Quit.
#include <windows.h>

#include "app/plant_dialog_pages_win.h"
#include "app/plant_dialog_state_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/windows/link_label_win.h"
#include "resources/plant_dialog_ids.h"

namespace plantapp {
namespace {

// One page exists at a time; the label lives with the process, as the About dialog's do.
CLinkLabel& WebLink() {
  static CLinkLabel link;
  return link;
}

void SetProductFont(HWND page, HFONT font, BOOL redraw) {
  SendDlgItemMessageA(page, IDC_PRODUCT_VERSION, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void OnInitDialog(HWND page) {
  const HFONT font = SetUpPage(page);
  PlantDialogHost& host = *DialogState().host;
  ShowPlantIcon(page, IDC_PLANT_ICON, host);
  ShowPlantIcon(page, IDC_PLANT_ICON_2, host);
  SetDlgItemTextF(page, IDC_PRODUCT_VERSION, "%s V%d.%d.%d", gApp.productName, gApp.version[0], gApp.version[1],
                  gApp.version[2]);
  SetProductFont(page, font, FALSE);
  (void)WebLink().Attach(page, IDC_WEB_LINK, host.WebAddress());
}

}  // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return FALSE;  // the dialog keeps the focus
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ABOUT_BUTTON) {
        DialogState().host->ShowAboutDialog(page);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_QUIT_BUTTON) {
        PostMessageA(page, WM_QUIT, 0, 0);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      WebLink().Detach();
      return FALSE;
    case zrf::WM_ZRF_DPICHANGED:
      SetProductFont(page, FollowPageDpi(page, wParam), TRUE);
      return TRUE;
  }
  return FALSE;
}

}  // namespace plantapp
