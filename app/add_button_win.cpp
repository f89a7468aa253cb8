// The add-water and add-fertilizer buttons.
#include "app/add_button_win.h"

#include <commctrl.h>

#include "app/dialog_values.h"
#include "app/plant_worker_jobs_win.h"

namespace plantapp {
namespace {

LRESULT CALLBACK AddButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR levelData) {
  // The button does its own part first: pressed look, capture, focus.
  const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetTimer(button, kAddRepeatTimer, kAddRepeatPeriodMs, nullptr);
      SendMessageA(button, WM_TIMER, kAddRepeatTimer, 0);  // a click adds one step at once
      break;
    case WM_TIMER:
      if (wParam == kAddRepeatTimer) {
        double* level = reinterpret_cast<double*>(levelData);
        *level = HoldStep(*level, GetAsyncKeyState(VK_CONTROL) < 0);
        SendMessageA(GetParent(button), kPlantRefreshMessage, 0, 0);
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case WM_DESTROY:
      KillTimer(button, kAddRepeatTimer);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(button, AddButtonProc, id);
      break;
  }
  return result;
}

}  // namespace

bool SubclassAddButton(HWND button, double* level) {
  return SetWindowSubclass(button, AddButtonProc, 0, reinterpret_cast<DWORD_PTR>(level)) != FALSE;
}

}  // namespace plantapp
