#include "framework/ui/dock_bay_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_results.h"
#include "framework/ui/window_styles.h"
#include "framework/ui/zrf_window_win.h"

namespace {

constexpr char kDockBayClass[] = "ZRFAppDockBay";

LRESULT CALLBACK DockBayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

CDockBay::~CDockBay() {
  if (hwnd != nullptr) DestroyWindow(hwnd);
}

int32_t CDockBay::Create(int32_t baySide, uint16_t index) {
  CZrfWindow* owner = gApp.FindWindowByIndex(index);
  if (owner == nullptr || owner->window == nullptr) return ZRF_ERR_CREATE;
  side = baySide;
  windowIndex = index;
  bayId = static_cast<uint16_t>(baySide + index * 256);
  vertical = baySide == kBaySideLeft || baySide == kBaySideRight ? 1 : 0;
  const bool sizable = (owner->flags & zrf::kWindowSizable) != 0;
  grip = sizable && (baySide == kBaySideBottom || baySide == kBaySideRight) ? 0 : -1;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DockBayWndProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kDockBayClass;
  RegisterClassA(&windowClass);  // fails harmlessly when the class exists

  hwnd = CreateWindowExA(0, kDockBayClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CW_USEDEFAULT, 0,
                         CW_USEDEFAULT, 0, owner->window, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (hwnd == nullptr) return ZRF_ERR_CREATE;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return ZRF_OK;
}
