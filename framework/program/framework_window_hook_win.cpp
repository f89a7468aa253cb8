#include "framework/program/framework_window_hook_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/window_menu.h"
#include "framework/windows/zrf_window_win.h"

bool FrameworkWindowMessage(CZrfWindow* window, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case zrf::WM_ZRF_WINDOWMENU:
      window->BuildWindowMenu();
      (void)gApp.ShowPopupMenu(zrf::kWindowMenuCommand, nullptr, window->window);
      *result = 0;
      return true;
    case WM_ACTIVATEAPP:
      if (wParam == FALSE && gApp.openPopup != nullptr) gApp.ClosePopup(nullptr);
      return false;
    default:
      return false;
  }
}

void RedrawItemsOfCommand(uint16_t id) { gApp.RedrawCommandItems(id); }
