#include "framework/windows/zrf_window_win.h"

#include <cstring>
#include <new>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/ui/tray_notify_win.h"
#include "framework/ui/window_transparency_win.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/color_swatch_win.h"
#include "framework/windows/show_frame_window_win.h"

namespace {

constexpr uint16_t kReadyStringId = 0xF004;
constexpr int32_t kStatusKeyHover = -2;
constexpr int32_t kStatusKeySecond = -3;

CZrfWindow* ObjectOf(HWND hwnd) {
  return reinterpret_cast<CZrfWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void RegisterClasses(HICON icon) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ZrfWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kZrfWindowClass;
  RegisterClassA(&windowClass);  // an existing class stays registered

  WNDCLASSA busyClass{};
  busyClass.lpfnWndProc = DefWindowProcA;
  busyClass.hInstance = GetModuleHandleA(nullptr);
  busyClass.hCursor = LoadCursorA(nullptr, IDC_WAIT);
  busyClass.lpszClassName = kZrfBusyClass;
  RegisterClassA(&busyClass);
}

std::vector<zrf::Rect> MonitorRects() {
  BuildMonitorTable();
  const MonitorTable& table = gMonitorTables[kCurrentMonitors];
  std::vector<zrf::Rect> rects;
  for (int32_t i = 0; i < table.count && i < kMaxMonitors; ++i) {
    const ZrfRect& r = table.entries[i].monitor;
    rects.push_back({r.left, r.top, r.right, r.bottom});
  }
  return rects;
}

void SetUIFontFor(int32_t dpi) { gApp.style.SetUIFont(gApp.settings.fontFace, gApp.settings.fontSize, dpi); }

BOOL CALLBACK CollectTabStopChildProc(HWND child, LPARAM list) {
  const auto style = static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE));
  if ((style & WS_TABSTOP) != 0 && IsWindowVisible(child) && IsWindowEnabled(child)) {
    reinterpret_cast<CZrfArray<HWND>*>(list)->Add(child);
  }
  return TRUE;
}

// Calls `action` for every bar of the window, or only the floating ones.
template <typename Action>
void ForBarsOf(const CZrfWindow& object, bool floatingOnly, Action action) {
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    CBar* bar = *gApp.bars.GetAt(i);
    if (bar->windowIndex != object.index || (floatingOnly && !bar->IsFloating())) continue;
    action(*bar);
  }
}

void OnModalDepth(CZrfWindow& object, int32_t depth) {
  ForBarsOf(object, true, [depth](CBar& bar) { bar.SetBusy(depth > 0); });
  if (depth > 0) {
    if (object.busyOverlay != nullptr) return;
    RECT client;
    GetClientRect(object.window, &client);
    object.busyOverlay =
        CreateWindowExA(WS_EX_TRANSPARENT, kZrfBusyClass, "", WS_CHILD, 0, 0, client.right, client.bottom,
                        object.window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (object.busyOverlay != nullptr) {
      SetWindowPos(object.busyOverlay, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
    }
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  } else if (object.busyOverlay != nullptr) {
    DestroyWindow(object.busyOverlay);
    object.busyOverlay = nullptr;
  }
}

void OnMove(CZrfWindow& object) {
  if (IsZoomed(object.window)) {
    object.flags |= zrf::kWindowMaximized;
  } else {
    object.flags &= ~uint32_t{zrf::kWindowMaximized};
  }
  if (IsZoomed(object.window) || IsIconic(object.window) || object.restyling) return;
  RECT r;
  GetWindowRect(object.window, &r);
  if ((object.flags & zrf::kWindowPositionLocked) == 0) {
    const LONG width = object.normalRect.right - object.normalRect.left;
    const LONG height = object.normalRect.bottom - object.normalRect.top;
    object.normalRect = {r.left, r.top, r.left + width, r.top + height};
  }
  if ((object.flags & zrf::kWindowSizeLocked) == 0) {
    object.normalRect.right = object.normalRect.left + (r.right - r.left);
    object.normalRect.bottom = object.normalRect.top + (r.bottom - r.top);
  }
}

int32_t ClientHeight(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r.bottom;
}

int32_t ClientWidth(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r.right;
}

void OnSize(CZrfWindow& object, WPARAM wParam, LPARAM lParam) {
  const int32_t w = LOWORD(lParam);
  const int32_t h = HIWORD(lParam);
  if (object.dockBays.count == 4) {
    CDockBay* const* bays = object.dockBays.GetAt(0);
    bays[kBaySideTop]->Place(0, 0, w, h);
    bays[kBaySideBottom]->Place(0, h, w, h);
    const int32_t t = ClientHeight(bays[kBaySideTop]->hwnd);
    const int32_t b = ClientHeight(bays[kBaySideBottom]->hwnd);
    bays[kBaySideLeft]->Place(0, t, w, h - b - t);
    bays[kBaySideRight]->Place(w, t, w, h - b - t);
    const int32_t l = ClientWidth(bays[kBaySideLeft]->hwnd);
    const int32_t r = ClientWidth(bays[kBaySideRight]->hwnd);
    object.clientRect = {l, t, w - r, h - b};
    SendMessageA(object.window, zrf::WM_ZRF_LAYOUTCLIENT, wParam, lParam);
  }
  if (object.busyOverlay != nullptr) {
    SetWindowPos(object.busyOverlay, nullptr, 0, 0, w, h,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  OnMove(object);
}

void OnActivate(CZrfWindow& object, HWND hwnd, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) {
    gApp.menuWindowIndex = object.index;
    SetFocus(object.lastFocus != nullptr && IsWindow(object.lastFocus) ? object.lastFocus : hwnd);
  } else {
    if (gApp.menuWindowIndex == object.index && gApp.popupOpen == 0) gApp.menuWindowIndex = kNoWindowIndex;
    object.lastFocus = GetFocus();
  }
  gApp.RepaintFrames();
}

// Each bar keeps its size in pixels at the new DPI.
void ScaleBars(CZrfWindow& object, int32_t oldDpi, int32_t newDpi) {
  if (oldDpi <= 0 || oldDpi == newDpi) return;
  ForBarsOf(object, false, [&](CBar& bar) {
    bar.length = static_cast<uint16_t>(MulDiv(bar.length, newDpi, oldDpi));
    bar.thickness = static_cast<uint16_t>(MulDiv(bar.thickness, newDpi, oldDpi));
    bar.LayoutItems(bar.length, bar.thickness, true);
  });
}

}  // namespace

CZrfWindow::CZrfWindow() = default;

CZrfWindow::~CZrfWindow() {
  if (trayIcon != nullptr) {
    // The notification area would keep showing the icon of a window that is gone.
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = index;
    (void)TrayNotify(NIM_DELETE, &data);
    DestroyIcon(trayIcon);
  }
  for (int32_t i = 0; i < dockBays.count; ++i) delete *dockBays.GetAt(i);
  dockBays.Clear();
  statusMutex.Close();
  if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  window = nullptr;
}

int32_t CZrfWindow::Create(uint16_t newIndex, WNDPROC procedure, const char* title, uint16_t iconId,
                           uint32_t newFlags, int32_t x, int32_t y, int32_t cx, int32_t cy) {
  index = newIndex;
  flags = newFlags;
  HICON icon = LoadIconA(FrameworkModule(), MAKEINTRESOURCEA(iconId));
  RegisterClasses(icon);

  RECT m{};
  MonitorFromPointRect(0, 0, &m, kCurrentMonitors, kMonitorRect);
  zrf::WindowPlacement place =
      zrf::DefaultPlacement(index, {m.left, m.top, m.right, m.bottom}, x, y, cx, cy, flags);
  if (gApp.IsSameVersion()) {
    zrf::WindowPlacementRecord record{};
    if (ReadDataFile(kPlacementFileName, index, &record, sizeof record, kDataFolderLocation) ==
        sizeof record) {
      const std::vector<zrf::Rect> monitors = MonitorRects();
      if (zrf::IsPlacementOnMonitors(record, monitors)) place = zrf::UnpackPlacement(record);
    }
  }
  normalRect = {place.x, place.y, place.x + place.cx, place.y + place.cy};
  lastRect = normalRect;
  flags = place.flags;
  transparency = place.transparency;
  ghost = place.ghost;

  const zrf::WindowStyles styles = zrf::GetStyles(flags);
  window = CreateWindowExA(styles.exStyle, kZrfWindowClass, title != nullptr ? title : "", styles.style,
                           place.x, place.y, place.cx, place.cy, gApp.controlWindow, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return ZRF_ERR_CREATE;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (procedure != nullptr && procedure != ZrfWindowProc) {
    gApp.previousWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    CREATESTRUCTA empty{};
    SendMessageA(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&empty));
  }
  SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));

  for (int32_t side = kBaySideTop; side <= kBaySideRight; ++side) {
    if (AddDockBay(side) != side) return ZRF_ERR_CREATE;
  }
  statusMutex = ScopedHandle(CreateMutexA(nullptr, FALSE, nullptr));
  if (!statusMutex.IsValid()) return ZRF_ERR_CREATE;

  const char* ready = gApp.strings.Text(kReadyStringId, 0);
  SetStatusText(kStatusKeySecond, ready);
  SetStatusText(kStatusKeyHover, ready);
  SetWindowTransparency(window, transparency, ghost);
  return ZRF_OK;
}

void CZrfWindow::Layout() {
  RECT client;
  GetClientRect(window, &client);
  for (int pass = 0; pass < 2; ++pass) {
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
}

void CZrfWindow::Show(int showCommand, int32_t scope) {
  if (scope != -1 && window != nullptr) {
    if (showCommand != 0) Layout();
    if (showCommand == SW_SHOW && IsIconic(window)) showCommand = SW_SHOWNORMAL;
    (void)ShowFrameWindow(this, showCommand);
    if (showCommand == SW_SHOW || showCommand == SW_SHOWNORMAL) SetForegroundWindow(window);
  }
  // The bars show without taking the activation: the window shown is the one to work in.
  const int barCommand = showCommand == SW_HIDE || showCommand == SW_MINIMIZE ? showCommand : SW_SHOWNA;
  ForBarsOf(*this, true, [barCommand](CBar& bar) {
    (void)ShowFrameWindow(&bar, (bar.barFlags & kBarShown) != 0 ? barCommand : SW_HIDE);
  });
}

void CZrfWindow::Move(int32_t x, int32_t y, int32_t cx, int32_t cy, bool show) {
  if (cx == -1) {
    Layout();
    return;
  }
  const uint32_t locks = flags & (zrf::kWindowPositionLocked | zrf::kWindowSizeLocked);
  flags &= ~locks;
  SetWindowPos(window, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : 0));
  flags |= locks;
  lastRect = normalRect;
}

void CZrfWindow::SetRect(const RECT& rect, bool show) {
  Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, show);
}

bool CZrfWindow::SavePlacement() const {
  zrf::WindowPlacement place;
  place.x = normalRect.left;
  place.y = normalRect.top;
  place.cx = normalRect.right - normalRect.left;
  place.cy = normalRect.bottom - normalRect.top;
  place.flags = flags;
  place.transparency = transparency;
  place.ghost = ghost;
  const zrf::WindowPlacementRecord record = zrf::PackPlacement(place);
  return WriteDataFile(kPlacementFileName, index, &record, sizeof record, kDataFolderLocation) ==
         sizeof record;
}

void CZrfWindow::ApplyStyles() {
  restyling = true;
  const bool visible = IsWindowVisible(window) != FALSE;
  if (visible) (void)ShowFrameWindow(this, SW_HIDE);
  const zrf::WindowStyles styles = zrf::GetStyles(flags);
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(styles.style));
  SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle));
  SendMessageA(window, zrf::WM_ZRF_STYLECHANGED, styles.style, styles.exStyle);
  SetWindowTransparency(window, transparency, ghost);
  if (visible) (void)ShowFrameWindow(this, (flags & zrf::kWindowMaximized) != 0 ? SW_MAXIMIZE : SW_SHOW);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  restyling = false;
}

void CZrfWindow::ToggleTaskbarButton() {
  flags ^= zrf::kWindowTaskbarButton;
  ApplyStyles();
}

void CZrfWindow::SetCaptionStyle(uint32_t captionStyle) {
  constexpr uint32_t kCaptionBits = zrf::kWindowNoCaption | zrf::kWindowSmallCaption | zrf::kWindowBorderless;
  flags = (flags & ~kCaptionBits) | (captionStyle & kCaptionBits);
  ApplyStyles();
}

void CZrfWindow::SetTransparency(int32_t percent) {
  transparency = percent;
  ApplyTransparency();
}

void CZrfWindow::SetGhost(bool on) {
  ghost = on;
  ApplyTransparency();
}

void CZrfWindow::ApplyTransparency() {
  SetWindowTransparency(window, transparency, ghost);
  ForBarsOf(*this, true, [this](CBar& bar) { SetWindowTransparency(bar.hwnd, transparency, ghost); });
}

void CZrfWindow::SetFlag(uint32_t bits, bool on) {
  flags = on ? (flags | bits) : (flags & ~bits);
  Layout();
}

void CZrfWindow::ToggleFlag(uint32_t bits) {
  flags ^= bits;
  Layout();
}

DWORD CZrfWindow::SetStatusText(int32_t key, const char* text) {
  const DWORD wait = WaitForSingleObject(statusMutex.Get(), kStatusMutexTimeout);
  // An abandoned mutex was still handed over to this thread.
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return wait;
  (void)statusTexts.Set(key, text);  // a list that cannot grow keeps its texts
  // A window with a status command shows the text in that command's items: its label points at
  // the list's shown text, a buffer that stays put while the list changes.
  const CommandRecord* status = statusCommand != 0xFFFF ? gApp.commands.Find(statusCommand) : nullptr;
  const uint16_t stringId = status != nullptr ? static_cast<uint16_t>(status->stringId) : 0;
  if (status != nullptr) gApp.strings.SetString(stringId, 0, statusTexts.Shown());
  ReleaseMutex(statusMutex.Get());
  if (status != nullptr && gApp.redrawItemsHook != nullptr) gApp.redrawItemsHook(statusCommand);
  return 0;
}

bool CZrfWindow::ShownStatusText(char* buffer, size_t size) {
  const DWORD wait = WaitForSingleObject(statusMutex.Get(), kStatusMutexTimeout);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return false;
  std::strncpy(buffer, statusTexts.Shown(), size);
  if (size > 0) buffer[size - 1] = '\0';
  ReleaseMutex(statusMutex.Get());
  return true;
}

bool CZrfWindow::CycleFocus(int32_t step) {
  CZrfArray<HWND> list;
  EnumChildWindows(window, CollectTabStopChildProc, reinterpret_cast<LPARAM>(&list));
  if (list.count == 0) return false;
  SendMessageA(window, zrf::WM_ZRF_TABORDER, 0, reinterpret_cast<LPARAM>(&list));
  if (list.count == 0) return false;
  HWND focus = GetFocus();
  int32_t position = -1;
  for (int32_t i = 0; i < list.count; ++i) {
    if (*list.GetAt(i) == focus) position = i;
  }
  int32_t next = 0;
  if (position >= 0) next = ((position + step) % list.count + list.count) % list.count;
  SetFocus(*list.GetAt(next));
  return true;
}

int32_t CZrfWindow::AddDockBay(int32_t side) {
  auto* bay = new (std::nothrow) CDockBay;
  if (bay == nullptr) return -1;
  if (bay->Create(side, index) != ZRF_OK) {
    delete bay;
    return -1;
  }
  const int32_t position = dockBays.Add(bay);
  if (position < 0) delete bay;
  return position;
}

LRESULT CALLBACK ZrfWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CZrfWindow* object = ObjectOf(hwnd);
  if (message == WM_CREATE) {
    SetUIFontFor(DpiForWindow(hwnd));
    return 0;
  }
  if (object == nullptr) {
    if (message == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {0, 0};
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_SIZE:
      OnSize(*object, wParam, lParam);
      return 0;
    case WM_MOVE:
      OnMove(*object);
      return 0;
    case WM_EXITSIZEMOVE:
      GetWindowRect(hwnd, &object->lastRect);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if ((object->flags & zrf::kWindowPositionLocked) != 0) pos->flags |= SWP_NOMOVE;
      if ((object->flags & zrf::kWindowSizeLocked) != 0) pos->flags |= SWP_NOSIZE;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {object->minTrackSize[0],
                                                               object->minTrackSize[1]};
      return 0;
    case WM_SETCURSOR:
      if ((object->flags & zrf::kWindowSizeLocked) != 0) {
        SetCursor(LoadCursorA(nullptr, object->busyOverlay != nullptr ? IDC_WAIT : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      OnActivate(*object, hwnd, wParam);
      return 0;
    case WM_NCACTIVATE:
      // The caption shows active only on the window whose menu is active, also while a popup
      // menu (a window of its own) is what the system sees as active.
      return DefWindowProcA(hwnd, message, gApp.menuWindowIndex == object->index ? TRUE : FALSE, lParam);
    case WM_SHOWWINDOW:
      object->Show(wParam != 0 ? SW_SHOW : SW_HIDE, -1);
      object->dpi = DpiForWindow(hwnd);
      break;
    case WM_CLOSE:
      object->SavePlacement();
      return 0;
    case WM_DESTROY:
      object->SavePlacement();
      return 0;
    case WM_NCDESTROY:
      object->window = nullptr;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    case WM_HELP:
      if (GetKeyState(VK_CONTROL) >= 0) SendMessageA(hwnd, zrf::WM_ZRF_HELP, wParam, lParam);
      return TRUE;
    case WM_NCRBUTTONDOWN:
      return 0;
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
      SendMessageA(hwnd, zrf::WM_ZRF_WINDOWMENU, 0, 0);
      return 0;
    case WM_DPICHANGED: {
      const int32_t oldDpi = object->dpi;
      object->dpi = LOWORD(wParam) != 0 ? LOWORD(wParam) : 96;
      SetUIFontFor(object->dpi);
      ScaleBars(*object, oldDpi, object->dpi);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      if (suggested != nullptr) {
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case zrf::WM_ZRF_SHOWNORMAL:
      object->Show(SW_SHOWNORMAL, 0);
      return 0;
    case zrf::WM_ZRF_MODALDEPTH:
      OnModalDepth(*object, static_cast<int32_t>(wParam));
      return 0;
    case zrf::WM_ZRF_SETPOPUP:
      object->openPopup = reinterpret_cast<CUIItem*>(lParam);
      return 0;
    case zrf::WM_ZRF_GETPOPUP:
      return reinterpret_cast<LRESULT>(object->openPopup);
    case zrf::WM_ZRF_COMMAND:
      return object->OnCommand(LOWORD(wParam)) ? 1 : 0;
    case zrf::WM_ZRF_DRAWICON:
      return DrawColorSwatch(wParam, lParam);
    default:
      break;
  }
  LRESULT result = 0;
  if (gApp.frameworkWindowHook != nullptr && gApp.frameworkWindowHook(object, message, wParam, lParam, &result))
    return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int32_t CZrfApp::CreateZrfWindow(uint16_t index, WNDPROC procedure, const char* title, uint16_t iconId,
                                 uint32_t flags, int32_t x, int32_t y, int32_t cx, int32_t cy) {
  auto* object = new (std::nothrow) CZrfWindow;
  if (object == nullptr) return -1;
  // Its index is 0xFFFF until created, so it goes last in the list sorted by index.
  const int32_t position = windows.Add(object);
  if (position < 0) {
    delete object;
    return -1;
  }
  if (object->Create(index, procedure, title, iconId, flags, x, y, cx, cy) != ZRF_OK) {
    delete object;
    windows.count = position;
    return -1;
  }
  return position;
}

void CZrfApp::DestroyZrfWindows() {
  while (windows.count > 0) {
    CZrfWindow* object = *windows.GetAt(windows.count - 1);
    delete object;
    windows.count -= 1;
  }
}

CZrfWindow* CZrfApp::FindWindowByHwnd(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (int32_t i = 0; i < windows.count; ++i) {
    if ((*windows.GetAt(i))->window == hwnd) return *windows.GetAt(i);
  }
  return nullptr;
}

CZrfWindow* CZrfApp::FindWindowByIndex(uint16_t index) const {
  for (int32_t i = 0; i < windows.count; ++i) {
    if ((*windows.GetAt(i))->index == index) return *windows.GetAt(i);
  }
  return nullptr;
}

LRESULT CZrfApp::SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  if (windows.count == 0) return -1;
  CZrfWindow* target = *windows.GetAt(0);
  for (int32_t i = windows.count - 1; i >= 1; --i) {
    if (((*windows.GetAt(i))->flags & zrf::kWindowMain) != 0) {
      target = *windows.GetAt(i);
      break;
    }
  }
  return SendMessageA(target->window, message, wParam, lParam);
}
