// GDI steps of the self-drawn controls.
#include "app/control_paint_win.h"

namespace plantapp {

ZrfRect ClientRectOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return ZrfRect{client.left, client.top, client.right, client.bottom};
}

RECT ToRect(const ZrfRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

void FillRectWith(HDC dc, const ZrfRect& rect, uint32_t colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) return;
  const RECT area = ToRect(rect);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void FillClientRect(HWND window, const ZrfRect& rect, uint32_t colour) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return;
  FillRectWith(dc, rect, colour);
  ReleaseDC(window, dc);
}

}  // namespace plantapp
