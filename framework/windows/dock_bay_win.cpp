// Dock bays: their window, bands, splitters, size grip and the layout of their bars.
#include "framework/windows/dock_bay_win.h"

#include <algorithm>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr char kDockBayClass[] = "ZRFAppDockBay";
constexpr int32_t kBayBackground = 35;

CDockBay* BayOf(HWND window) { return reinterpret_cast<CDockBay*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

bool IsDockedIn(const CBar* bar, const CDockBay& bay) {
  return bar->bayId == bay.bayId && bar->side != kBarFloating;
}

// The band's start across the bay, its splitter included.
int32_t BandStart(const zrf::BandList& bands, int32_t band) {
  int32_t start = 0;
  for (int32_t i = 0; i < band; ++i) start += zrf::BandExtent(bands[i]);
  return start;
}

void PaintBay(CDockBay& bay, HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  bay.PaintBackground(dc, 0, 0);
  for (int32_t band = 0; band < kMaxBands && bay.bands[band] != 0; ++band) {
    if (bay.bands[band] > 0) continue;
    const int32_t start = BandStart(bay.bands, band);
    const int32_t at = IsFarSide(bay.side) ? start : start + zrf::BandExtent(bay.bands[band]) - kSplitterSize;
    const RECT splitter = bay.vertical != 0 ? RECT{at, 0, at + kSplitterSize, client.bottom}
                                            : RECT{0, at, client.right, at + kSplitterSize};
    gApp.style.DrawSplitter(dc, splitter, nullptr, bay.vertical != 0);
  }
  if (bay.grip == 1) {
    const RECT square{client.right - bay.gripSize, client.bottom - bay.gripSize, client.right, client.bottom};
    gApp.style.DrawSizeGrip(dc, square);
  }
  EndPaint(window, &paint);
}

bool InGrip(const CDockBay& bay, HWND window, POINT screen) {
  const CZrfWindow* frame = gApp.FindWindowByIndex(bay.windowIndex);
  if (bay.grip != 1 || frame == nullptr || (frame->flags & zrf::kWindowBorderless) != 0) return false;
  RECT client;
  GetClientRect(window, &client);
  ScreenToClient(window, &screen);
  return screen.x >= client.right - bay.gripSize && screen.y >= client.bottom - bay.gripSize &&
         screen.x < client.right && screen.y < client.bottom;
}

void StartDrag(CDockBay& bay, HWND window, LPARAM lParam) {
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const int32_t band = bay.HitTestSplitter(&point);
  if (band < 0) return;
  bay.dragBand = band;
  GetCursorPos(&bay.dragStart);
  bay.dragStartThickness = -bay.bands[band] - kSplitterSize;
  SetCapture(window);
}

// The band follows the cursor: its resizable bars take the new thickness, never below the
// largest minimum of the band's bars, and the window lays its bays out again.
void Drag(CDockBay& bay) {
  POINT cursor;
  GetCursorPos(&cursor);
  const int32_t delta = bay.vertical != 0 ? cursor.x - bay.dragStart.x : cursor.y - bay.dragStart.y;
  int32_t minimum = 0;
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    const CBar* bar = *gApp.bars.GetAt(i);
    if (IsDockedIn(bar, bay) && bar->band == bay.dragBand) minimum = std::max<int32_t>(minimum, bar->minThickness);
  }
  const int32_t thickness = zrf::DraggedThickness(bay.dragStartThickness, delta, bay.side, minimum);
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    CBar* bar = *gApp.bars.GetAt(i);
    if (IsDockedIn(bar, bay) && bar->band == bay.dragBand && (bar->barFlags & kBarResizable) != 0)
      bar->thickness = static_cast<uint16_t>(thickness);
  }
  if (CZrfWindow* frame = gApp.FindWindowByIndex(bay.windowIndex)) frame->Move(0, 0, -1, 0, false);
  InvalidateRect(bay.hwnd, nullptr, TRUE);
}

LRESULT CALLBACK DockBayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDockBay* bay = BayOf(window);
  if (bay == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE: {
      bay->gripSize = DpiForWindow(window) / 6;
      const int32_t width = LOWORD(lParam);
      const int32_t height = HIWORD(lParam);
      if (width == bay->lastWidth && height == bay->lastHeight) return 0;
      // With the grip shown, its corner repaints too: the old extent counts a grip less.
      if (bay->grip == 1) {
        bay->lastWidth = std::max(bay->lastWidth - bay->gripSize, 0);
        bay->lastHeight = std::max(bay->lastHeight - bay->gripSize, 0);
      }
      InvalidateGrownArea(window, width, height, &bay->lastWidth, &bay->lastHeight);
      return 0;
    }
    case WM_PAINT:
      PaintBay(*bay, window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      if (bay->dragBand >= 0 || bay->HitTestSplitter(nullptr) >= 0) {
        SetCursor(LoadCursorA(nullptr, bay->vertical != 0 ? IDC_SIZEWE : IDC_SIZENS));
        return 1;
      }
      break;
    case WM_NCHITTEST:
      if (InGrip(*bay, window, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
        return HTBOTTOMRIGHT;
      break;
    case WM_NCLBUTTONDOWN:
      // The grip sizes the framework window, not the bay that shows it.
      if (wParam == HTBOTTOMRIGHT) {
        if (CZrfWindow* frame = gApp.FindWindowByIndex(bay->windowIndex))
          return SendMessageA(frame->window, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, lParam);
      }
      break;
    case WM_LBUTTONDOWN:
      StartDrag(*bay, window, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (bay->dragBand >= 0) Drag(*bay);
      return 0;
    case WM_LBUTTONUP:
      if (bay->dragBand >= 0) ReleaseCapture();
      bay->dragBand = -1;
      return 0;
    case WM_CAPTURECHANGED:
      bay->dragBand = -1;
      return 0;
    case WM_RBUTTONUP:
      if (CZrfWindow* frame = gApp.FindWindowByIndex(bay->windowIndex))
        SendMessageA(frame->window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
      return 0;
    case zrf::WM_ZRF_PAINTBACKGROUND:
      bay->PaintBackground(reinterpret_cast<HDC>(wParam), static_cast<short>(LOWORD(lParam)),
                           static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      bay->hwnd = nullptr;
      break;
    default:
      break;
  }
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
  bayId = BayId(baySide, index);
  vertical = IsVerticalSide(baySide) ? 1 : 0;
  const bool sizable = (owner->flags & zrf::kWindowSizable) != 0;
  grip = sizable && IsFarSide(baySide) ? 0 : -1;

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

void CDockBay::CollectBands() {
  std::vector<zrf::BandMember> members;
  std::vector<CBar*> docked;
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    CBar* bar = *gApp.bars.GetAt(i);
    if (!IsDockedIn(bar, *this)) continue;
    const int32_t thickness = (bar->barFlags & kBarShown) != 0 ? bar->GetThickness() : 0;
    members.push_back({bar->band, bar->barFlags, thickness});
    docked.push_back(bar);
  }
  zrf::CollectBands(members, bands);
  for (size_t i = 0; i < docked.size(); ++i) docked[i]->band = members[i].band;
}

int32_t CDockBay::HitTestSplitter(const POINT* clientPoint) const {
  const CZrfWindow* frame = gApp.FindWindowByIndex(windowIndex);
  if (frame == nullptr || (frame->flags & zrf::kWindowBarSizesLocked) != 0) return -1;
  POINT point{};
  if (clientPoint != nullptr) {
    point = *clientPoint;
  } else {
    GetCursorPos(&point);
    ScreenToClient(hwnd, &point);
  }
  return zrf::HitTestSplitter(bands, side, vertical != 0 ? point.x : point.y);
}

void CDockBay::PaintBackground(HDC dc, int32_t x, int32_t y) const {
  RECT client;
  GetClientRect(hwnd, &client);
  OffsetRect(&client, -x, -y);
  gApp.style.FillRect(dc, client, gApp.style.palette[kBayBackground]);
}

void CDockBay::Place(int32_t x, int32_t y, int32_t cx, int32_t cy) {
  const int32_t thickness = LayoutBars(vertical != 0 ? cy : cx);
  RECT r{};
  switch (side) {
    case kBaySideTop:
      r = {x, y, x + cx, y + thickness};
      break;
    case kBaySideBottom:
      r = {x, y - thickness, x + cx, y};
      break;
    case kBaySideLeft:
      r = {x, y, x + thickness, y + cy};
      break;
    default:
      r = {x - thickness, y, x, y + cy};
      break;
  }
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW | SWP_NOZORDER);
}

int32_t CDockBay::LayoutBars(int32_t length) {
  CollectBands();
  std::vector<zrf::BayMember> members;
  std::vector<CBar*> shown;
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    CBar* bar = *gApp.bars.GetAt(i);
    if (!IsDockedIn(bar, *this) || (bar->barFlags & kBarShown) == 0) continue;
    members.push_back({bar->band, bar->barFlags, bar->x, bar->length, bar->thickness, bar->minLength,
                       bar->preferredLength, {}, 0});
    shown.push_back(bar);
  }
  const CDockBay* bottom = gApp.FindDockBay(BayId(kBaySideBottom, windowIndex));
  const bool barsAtBottom = bottom != nullptr && bottom != this && bottom->bands[0] != 0;
  const zrf::BayResult result = zrf::LayoutBay(members, bands, {side, length, grip, gripSize, barsAtBottom});
  grip = result.grip;
  for (size_t i = 0; i < shown.size(); ++i) {
    CBar* bar = shown[i];
    const ZrfRect& r = members[i].rect;
    SetWindowPos(bar->hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if ((bar->barFlags & kBarFollows) != 0) bar->x = static_cast<int16_t>(members[i].placedX);
    bar->LayoutItems(vertical != 0 ? r.Height() : r.Width(), vertical != 0 ? r.Width() : r.Height(), false);
  }
  return result.thickness;
}
