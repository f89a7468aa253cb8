// The window procedure of every UI item: hover with the leave notice, drag-out, press with
// capture and double clicks found by time, the click on release, and painting. The application's
// item events (item_events_win.cpp) decide what each of them means.
//
// Any call out of here (to the owner, to the application) may destroy the item: an owner may drop
// it, closing a popup destroys its entries. After such a call the item is looked up again from the
// window and nothing of it is touched when it is gone.
#include <cstdint>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/items/item_flags.h"
#include "framework/items/mouse_buttons.h"
#include "framework/items/ui_item_win.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

static_assert(kKeyStateLeft == MK_LBUTTON && kKeyStateRight == MK_RBUTTON && kKeyStateMiddle == MK_MBUTTON,
              "the key-state bits are Windows' own");

// lParam of a move or release that the framework makes itself (keyboard menu mode).
constexpr LPARAM kSyntheticMouse = -1;

uint32_t OwnButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return kButtonLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return kButtonRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return kButtonMiddle;
    default:
      return 0;
  }
}

bool IsEnabled(const CUIItem* item) { return (item->CommandFlags() & kItemEnabled) != 0; }

bool StillThere(HWND window, const CUIItem* item) { return ItemFromWindow(window) == item; }

void OnMouseMove(HWND window, CUIItem* item, LPARAM lParam) {
  if (!IsEnabled(item) || item->draggingOut != 0) return;
  const uint32_t param = static_cast<uint32_t>(lParam);
  if (param == item->lastMouseParam) return;
  if (lParam != kSyntheticMouse) item->lastMouseParam = param;
  if (gApp.hoveredItem != item) {
    if (CUIItem* previous = gApp.hoveredItem; previous != nullptr && previous->hwnd != nullptr)
      SendMessageA(previous->hwnd, WM_MOUSELEAVE, 0, 0);
    gApp.hoveredItem = item;
    if (lParam != kSyntheticMouse && IsCursorOverWindow(window)) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
    }
    gApp.OnItemHoverEnter(item);
    if (!StillThere(window, item)) return;
  }
  if ((item->CommandFlags() & kItemDragOut) != 0 && !IsCursorOverWindow(window) && gApp.pressedItem == item) {
    item->draggingOut = 1;
    SendMessageA(item->owner, zrf::WM_ZRF_DRAGOUT, item->commandId, 0);
    if (!StillThere(window, item)) return;
    ReleaseCapture();
    item->draggingOut = 0;
    PostMessageA(window, WM_MOUSELEAVE, 0, 0);
  }
  gApp.OnItemMouseMove(item);
  if (StillThere(window, item)) item->OnCursorMoved();
}

void OnButtonDown(HWND window, CUIItem* item, UINT message, WPARAM wParam) {
  if (!IsEnabled(item)) return;
  const uint32_t buttons = GetMouseButtonMask(message, wParam);
  gApp.pressedItem = item;
  gApp.OnItemPressed(item, buttons);
  SetCapture(window);
  const uint64_t now = GetTickCount64();
  gApp.lastPressTick = now;
  const int32_t slot = ButtonSlot(OwnButtonOf(message));
  const uint64_t previous = gApp.buttonPressTicks[slot];
  gApp.buttonPressTicks[slot] = now;
  if (IsDoubleClick(previous, now, gApp.doubleClickTime)) gApp.OnItemDoubleClick(item, buttons);
}

void OnButtonUp(HWND window, CUIItem* item, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsEnabled(item)) return;
  ReleaseCapture();
  if (!StillThere(window, item)) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool overPressed = gApp.pressedItem != nullptr && WindowFromPoint(cursor) == gApp.pressedItem->hwnd;
  gApp.pressedItem = nullptr;
  // Last: the click may destroy the item.
  if (overPressed || lParam == kSyntheticMouse) gApp.OnItemClicked(item, GetMouseButtonMask(message, wParam));
}

void OnMouseLeave(CUIItem* item) {
  gApp.OnItemHoverLeave(item);
  // The next move, even at the same point, is an entry again.
  item->lastMouseParam = 0;
  if (IsEnabled(item) && item->draggingOut == 0 && gApp.hoveredItem == item) gApp.hoveredItem = nullptr;
}

void OnPaint(HWND window, CUIItem* item) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  item->Paint(dc, client);
  EndPaint(window, &paint);
}

}  // namespace

CUIItem* ItemFromWindow(HWND window) {
  return window != nullptr ? reinterpret_cast<CUIItem*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

uint32_t GetMouseButtonMask(UINT message, WPARAM wParam) {
  return MouseButtonMask(OwnButtonOf(message), static_cast<uint32_t>(wParam));
}

LRESULT CALLBACK UIItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  CUIItem* item = ItemFromWindow(window);
  if (item == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (item->messageHook != nullptr) {
    item->messageHook(window, message, wParam, lParam, item);
    item = ItemFromWindow(window);
    if (item == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_MOVE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_SIZE:
      item->OnSize();
      break;
    case WM_PAINT:
      OnPaint(window, item);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
      if (CZrfWindow* frame = gApp.OwnerWindow(window)) frame->lastFocus = reinterpret_cast<HWND>(wParam);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(window, item, lParam);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      OnButtonDown(window, item, message, wParam);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      OnButtonUp(window, item, message, wParam, lParam);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(item);
      break;
    case WM_DESTROY:
      item->OnWindowDestroyed();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterUIItemClass(HINSTANCE instance) {
  WNDCLASSA itemClass{};
  itemClass.lpfnWndProc = UIItemWndProc;
  itemClass.hInstance = instance;
  itemClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  itemClass.lpszClassName = kUIItemClass;
  if (RegisterClassA(&itemClass) != 0) return true;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
