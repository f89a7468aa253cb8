// Bars: their thickness, item layout, docking and floating, busy overlay and placement file, and
// the application's bar list.
#include "framework/windows/bar_win.h"

#include <algorithm>
#include <array>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/bar_item_layout.h"
#include "framework/ui/bar_placement.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/window_transparency_win.h"
#include "framework/windows/dock_bay_win.h"
#include "framework/windows/show_frame_window_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr DWORD kDockedStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFloatingStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME;

zrf::BarOrientation OrientationOf(int32_t side) {
  if (side == kBarFloating) return zrf::kBarFloating;
  return IsVerticalSide(side) ? zrf::kBarColumn : zrf::kBarRow;
}

uint16_t Clamp16(int32_t value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

}  // namespace

CBar::~CBar() {
  if (gApp.barItemsHook != nullptr) gApp.barItemsHook->destroy(*this);
  items.Clear();
  if (busyWindow != nullptr) DestroyWindow(busyWindow);
  busyWindow = nullptr;
  if (hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
  hwnd = nullptr;
}

int32_t CBar::GetThickness() {
  std::vector<zrf::BarItem> sizes;
  if (gApp.barItemsHook != nullptr) sizes = gApp.barItemsHook->sizes(*this);
  const bool resizable = (barFlags & kBarResizable) != 0;
  const zrf::BarThickness t = zrf::ThicknessOfBar(sizes, IsVerticalSide(side), resizable, thickness);
  if (t.empty) length = zrf::kEmptyBarLength;
  minThickness = Clamp16(t.minThickness);
  thickness = Clamp16(t.thickness);
  return thickness;
}

void CBar::LayoutItems(int32_t newLength, int32_t newThickness, bool force) {
  if (hwnd != nullptr) SendMessageA(hwnd, WM_PAINT, kBarMeasurePaint, 0);
  if (!force && EqualRect(&inner, &lastInner)) return;
  if (items.count == 0 || gApp.barItemsHook == nullptr) {
    length = Clamp16(newLength);
    thickness = Clamp16(newThickness);
    return;
  }
  const zrf::BarOrientation orientation = OrientationOf(side);
  std::vector<zrf::BarItem> laid = gApp.barItemsHook->measure(*this, orientation);
  const zrf::BarItemsResult result =
      zrf::LayoutBarItems(laid, orientation, {inner.left, inner.top, inner.right, inner.bottom}, itemSpacing);
  gApp.barItemsHook->place(*this, laid);
  if (orientation != zrf::kBarFloating) {
    length = preferredLength = Clamp16(result.length);
    minLength = Clamp16(result.minLength);
  }
  overflowIds = result.overflowIds;
  if (!EqualRect(&inner, &lastInner)) {
    lastInner = inner;
    if (hwnd != nullptr) InvalidateRect(hwnd, nullptr, TRUE);
  }
}

void CBar::Dock(uint16_t newBayId, int32_t newX, int32_t newY, int32_t newLength, int32_t newThickness, bool apply) {
  CDockBay* bay = gApp.FindDockBay(newBayId);
  const bool floating = bay == nullptr;
  DWORD style = floating ? kFloatingStyle : kDockedStyle;
  if (floating && (barFlags & kBarSystemMenu) != 0) style |= WS_SYSMENU;
  if (apply) {
    (void)ShowFrameWindow(this, SW_HIDE);
    side = floating ? kBarFloating : bay->side;
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
    SetParent(hwnd, floating ? nullptr : bay->hwnd);
    LayoutItems(newLength, newThickness, true);
    const CZrfWindow* frame = frameWindow != nullptr ? frameWindow : gApp.FindWindowByIndex(windowIndex);
    if (floating && frame != nullptr) {
      SetWindowTransparency(hwnd, frame->transparency, frame->ghost);
    } else {
      SetWindowTransparency(hwnd, 0, false);
    }
  }
  // Length runs along the bay and thickness across it; a floating bar lies like a top bay's.
  const bool upright = IsVerticalSide(side);
  int32_t width = upright ? newThickness : newLength;
  int32_t height = upright ? newLength : newThickness;
  int32_t left = upright ? newY : newX;
  int32_t top = upright ? newX : newY;
  if (floating) {
    RECT r{0, 0, width, height};
    AdjustWindowRectDpi(&r, style, FALSE, WS_EX_TOOLWINDOW, static_cast<UINT>(DpiForWindow(hwnd)));
    width = r.right - r.left;
    height = r.bottom - r.top;
    left = newX;
    top = newY;
  }
  SetWindowPos(hwnd, nullptr, left, top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | ((barFlags & kBarShown) != 0 ? SWP_SHOWWINDOW : 0));
  x = static_cast<int16_t>(std::clamp(newX, -32768, 32767));
  y = static_cast<int16_t>(std::clamp(newY, -32768, 32767));
  length = Clamp16(newLength);
  thickness = Clamp16(newThickness);
  bayId = newBayId;
  if (!apply) return;
  // The items follow the new size, and the bays of the window make room for a bar that came or
  // went.
  LayoutItems(newLength, newThickness, false);
  if (CZrfWindow* frame = gApp.FindWindowByIndex(windowIndex)) frame->Layout();
}

bool CBar::SaveState() const {
  zrf::BarPlacement placement;
  placement.x = x;
  placement.y = y;
  placement.length = length;
  placement.thickness = thickness;
  placement.windowIndex = windowIndex;
  placement.bayId = bayId;
  placement.band = band;
  placement.flags = barFlags;
  std::array<uint8_t, zrf::kBarPlacementSize> bytes{};
  zrf::PackBarPlacement(placement, bytes);
  return WriteDataFile(zrf::kBarPlacementFileName, barId, bytes.data(), static_cast<uint32_t>(bytes.size()),
                       kDataFolderLocation) == bytes.size();
}

void CBar::SetBusy(bool on) {
  if (!on) {
    if (busyWindow != nullptr) DestroyWindow(busyWindow);
    busyWindow = nullptr;
    return;
  }
  if (busyWindow != nullptr || hwnd == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  busyWindow = CreateWindowExA(WS_EX_TRANSPARENT, kZrfBusyClass, "", WS_CHILD, 0, 0, client.right, client.bottom,
                               hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (busyWindow != nullptr) {
    SetWindowPos(busyWindow, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
  }
}

CBar* CZrfApp::FindBar(uint16_t barId) const {
  for (int32_t i = 0; i < bars.count; ++i) {
    if ((*bars.GetAt(i))->barId == barId) return *bars.GetAt(i);
  }
  return nullptr;
}

CDockBay* CZrfApp::FindDockBay(uint16_t bayId) const {
  for (int32_t i = 0; i < windows.count; ++i) {
    const CZrfWindow* window = *windows.GetAt(i);
    for (int32_t b = 0; b < window->dockBays.count; ++b) {
      CDockBay* bay = *window->dockBays.GetAt(b);
      if (bay->bayId == bayId) return bay;
    }
  }
  return nullptr;
}

void CZrfApp::ShowBar(CBar* bar, bool show) {
  if (show) {
    bar->barFlags |= kBarShown;
  } else {
    bar->barFlags &= static_cast<uint16_t>(~kBarShown);
  }
  (void)ShowFrameWindow(bar, show ? SW_SHOWNA : SW_HIDE);
  for (int32_t i = 0; i < windows.count; ++i) (*windows.GetAt(i))->Layout();
  if (CZrfWindow* owner = FindWindowByIndex(bar->windowIndex)) {
    SendMessageA(owner->window, zrf::WM_ZRF_BARSHOWN, show ? 1 : 0, reinterpret_cast<LPARAM>(bar));
  }
}
