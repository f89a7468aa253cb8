// Support of the value items; see value_item_support_win.h.
#include "framework/items/value_item_support_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/items/item_flags.h"
#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

namespace {

constexpr WORD kEyedropperCursor = 50105;

}  // namespace

void NotifyValueChanged(const CUIItem* item, LPARAM lParam) {
  SendMessageA(item->owner, zrf::WM_ZRF_COMMAND, item->commandId, lParam);
}

void NotifyWhenReleasedOutside(const CUIItem* item, UINT message, POINT screenPoint) {
  const bool released = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (released && IsOutside(item->hwnd, screenPoint)) NotifyValueChanged(item, 0);
}

void RepaintNow(const CUIItem* item) {
  if (item->hwnd != nullptr) RedrawWindow(item->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

POINT ScreenPointOf(HWND window, LPARAM lParam) {
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(window, nullptr, &point, 1);
  return point;
}

bool IsOutside(HWND window, POINT screenPoint) {
  RECT rect;
  return !GetWindowRect(window, &rect) || !PtInRect(&rect, screenPoint);
}

uint32_t ScreenPixelAt(POINT point) {
  ScopedWindowDc screen(nullptr);
  if (screen.Get() == nullptr) return kInvalidScreenPixel;
  return GetPixel(screen.Get(), point.x, point.y);
}

void ShowEyedropper() {
  HCURSOR cursor = LoadCursorA(FrameworkModule(), MAKEINTRESOURCEA(kEyedropperCursor));
  if (cursor == nullptr) cursor = LoadCursorA(nullptr, IDC_CROSS);
  SetCursor(cursor);
}

void SetsOwnDrag(CUIItem* item) { gApp.SetItemState(item, kItemOwnDrag, 0); }
