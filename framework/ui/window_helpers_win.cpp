// Placement and lookup helpers for framework windows.
#include "framework/ui/window_helpers_win.h"

#include <cstring>

#include "framework/ui/monitor_table_win.h"
#include "framework/ui/window_geometry.h"

namespace {

constexpr char kPhantomClass[] = "ZRFPhantom";

struct PhantomSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK FindPhantomWindowProc(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<PhantomSearch*>(data);
  char className[64];
  if (GetClassNameA(window, className, sizeof className) == 0 || lstrcmpiA(className, kPhantomClass) != 0)
    return TRUE;
  char title[260];
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(title, search->title) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

void CenterWindowInParent(HWND window, RECT* rect, HWND parent) {
  if (parent == nullptr) parent = GetParent(window);
  if (parent == nullptr) parent = GetDesktopWindow();
  RECT parentRect = {};
  GetWindowRect(parent, &parentRect);
  RECT work = {};
  MonitorFromPointRect(parentRect.left, parentRect.top, &work, kCurrentMonitors, kWorkArea);
  RECT windowRect = {};
  if (rect != nullptr)
    windowRect = *rect;
  else
    GetWindowRect(window, &windowRect);
  int32_t width = windowRect.right - windowRect.left;
  int32_t height = windowRect.bottom - windowRect.top;
  ZrfPoint at = CenterPosition({parentRect.left, parentRect.top, parentRect.right, parentRect.bottom}, width,
                               height, {work.left, work.top, work.right, work.bottom});
  if (rect == nullptr) {
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    return;
  }
  rect->left = at.x;
  rect->top = at.y;
}

bool KeepTopmostWithParent(HWND window) {
  HWND parent = GetParent(window);
  if (parent == nullptr || (GetWindowLongPtrA(parent, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return false;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return true;
}

bool IsCursorOverWindow(HWND window) {
  POINT cursor;
  return GetCursorPos(&cursor) && WindowFromPoint(cursor) == window;
}

HWND FindPhantomWindow(const char* title) {
  if (title == nullptr) return nullptr;
  // The search state travels with the enumeration, so concurrent searches cannot mix results.
  PhantomSearch search = {title, nullptr};
  EnumWindows(FindPhantomWindowProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void InvalidateGrownArea(HWND window, int32_t newWidth, int32_t newHeight, int32_t* oldWidth,
                         int32_t* oldHeight) {
  ZrfRect strips[2];
  int32_t count = GrownAreaStrips(*oldWidth, *oldHeight, newWidth, newHeight, strips);
  for (int32_t i = 0; i < count; ++i) {
    RECT strip = {strips[i].left, strips[i].top, strips[i].right, strips[i].bottom};
    InvalidateRect(window, &strip, TRUE);
  }
  *oldWidth = newWidth;
  *oldHeight = newHeight;
}
