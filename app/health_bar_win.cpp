// The health bar.
#include "app/health_bar_win.h"

#include <commctrl.h>

#include "app/control_paint_win.h"
#include "app/dialog_control_paint.h"

namespace plantapp {
namespace {

void PaintHealth(HWND bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(bar, &paint);
  if (dc == nullptr) return;
  const ZrfRect client = ClientRectOf(bar);
  const int32_t percent = static_cast<int32_t>(GetWindowLongPtrA(bar, GWLP_USERDATA));
  const ZrfRect fill = HealthFill(client, percent);
  FillRectWith(dc, fill, HealthColour(percent));
  FillRectWith(dc, ZrfRect{fill.right, client.top, client.right, client.bottom}, GetSysColor(COLOR_BTNFACE));
  EndPaint(bar, &paint);
}

LRESULT CALLBACK HealthBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_PAINT:
      PaintHealth(bar);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_NCDESTROY:
      RemoveWindowSubclass(bar, HealthBarProc, id);
      break;
  }
  return DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

bool SubclassHealthBar(HWND bar) { return SetWindowSubclass(bar, HealthBarProc, 0, 0) != FALSE; }

void SetHealthBarPercent(HWND bar, int32_t percent) {
  SetWindowLongPtrA(bar, GWLP_USERDATA, percent);
  InvalidateRect(bar, nullptr, FALSE);
}

}  // namespace plantapp
