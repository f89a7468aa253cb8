// The GUI thread's message loop and what every message passes before it is dispatched: the popup
// menu's keys, resizing borderless windows by their edges, Tab, accelerators, Alt for the menu
// bar and the keys of standard dialogs. Also the wait that keeps the windows alive.
#include <windows.h>

#include "framework/app/accelerator.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/border_resize.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/ui/zrf_window_win.h"

namespace {

constexpr int32_t kMenuEnter = 0;
constexpr int32_t kMenuLeave = 2;
constexpr int32_t kStatusKeyHover = -2;
constexpr char kDialogClass[] = "#32770";

// The borderless resize in progress, or the window whose edge the cursor is over. GUI thread only.
struct BorderResize {
  CZrfWindow* window = nullptr;
  bool resizing = false;
  ResizeGrip grip{};
};
BorderResize gResize;

void SetResizeCursor(int32_t zone) {
  const char* cursor = nullptr;
  switch (zone) {
    case kZoneTopLeft:
    case kZoneBottomRight:
      cursor = IDC_SIZENWSE;
      break;
    case kZoneBottomLeft:
    case kZoneTopRight:
      cursor = IDC_SIZENESW;
      break;
    case kZoneLeft:
    case kZoneRight:
      cursor = IDC_SIZEWE;
      break;
    case kZoneBottom:
    case kZoneTop:
      cursor = IDC_SIZENS;
      break;
    default:
      return;
  }
  SetCursor(LoadCursorA(nullptr, cursor));
}

bool IsMouseDown(UINT message) {
  return message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN ||
         message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsKeyDown(UINT key) { return GetKeyState(static_cast<int>(key)) < 0; }

// The framework window at the screen point, or the one that holds the window there.
CZrfWindow* FrameworkWindowAt(POINT point) {
  for (HWND window = WindowFromPoint(point); window != nullptr; window = GetParent(window)) {
    if (CZrfWindow* object = gApp.FindWindowByHwnd(window)) return object;
  }
  return nullptr;
}

ZrfRect ScreenRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// The mouse over a borderless framework window: true when the message was used.
bool TrackBorderResize(const MSG& message) {
  switch (message.message) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE: {
      if (gResize.resizing) {
        SetResizeCursor(gResize.grip.zone);
        const ZrfRect r =
            ResizedRect(ScreenRectOf(gResize.window->window), gResize.grip, message.pt.x, message.pt.y);
        gResize.window->SetRect({r.left, r.top, r.right, r.bottom}, false);
        return true;
      }
      gResize.window = nullptr;
      CZrfWindow* window = FrameworkWindowAt(message.pt);
      if (window == nullptr || (window->flags & zrf::kWindowBorderless) == 0 ||
          (window->flags & zrf::kWindowSizeLocked) != 0) {
        return false;
      }
      const ZrfRect rect = ScreenRectOf(window->window);
      POINT client = message.pt;
      ScreenToClient(window->window, &client);
      const int32_t zone = ResizeZoneAt(client.x, client.y, rect.Width(), rect.Height());
      if (zone == kZoneNone) return false;
      gResize.window = window;
      gResize.grip = GripOf(zone, rect, message.pt.x, message.pt.y);
      SetResizeCursor(zone);
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN:
      if (gResize.window == nullptr) return false;
      SetCapture(gResize.window->window);
      gResize.resizing = true;
      SetResizeCursor(gResize.grip.zone);
      return true;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
      if (!gResize.resizing) return false;
      ReleaseCapture();
      gResize.resizing = false;
      return true;
    default:
      return false;
  }
}

// Tab and the accelerators: true when the key was used.
bool HandleKeyDown(const MSG& message, HWND foreground) {
  const auto key = static_cast<UINT>(message.wParam);
  if (key == VK_TAB) {
    CZrfWindow* window = gApp.FindWindowByIndex(gApp.menuWindowIndex);
    return window != nullptr && window->CycleFocus(IsKeyDown(VK_SHIFT) ? -1 : 1);
  }
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || gApp.acceleratorsOn == 0) return false;

  uint16_t indexes[64];
  const int32_t count = gApp.windows.count < 64 ? gApp.windows.count : 64;
  for (int32_t i = 0; i < count; ++i) indexes[i] = (*gApp.windows.GetAt(i))->index;
  const CZrfWindow* foregroundWindow = gApp.FindWindowByHwnd(foreground);
  const AcceleratorWindows windows{indexes, count,
                                   foregroundWindow != nullptr ? foregroundWindow->index : -1};
  const KeyModifiers down{IsKeyDown(VK_SHIFT), IsKeyDown(VK_CONTROL), IsKeyDown(VK_MENU)};
  const AcceleratorMatch match =
      MatchAccelerator(gApp.accelerators, static_cast<uint16_t>(key), down, windows, gApp.commands);
  if (!match.taken) return false;
  if (match.send && foreground != nullptr) {
    SendMessageA(foreground, zrf::WM_ZRF_COMMAND, (kAcceleratorCommandCode << 16) | match.commandId,
                 reinterpret_cast<LPARAM>(GetFocus()));
  }
  return true;
}

// While no popup is open: true when the message was used.
bool PreTranslateWindows(const MSG& message, HWND foreground) {
  if (TrackBorderResize(message)) return true;
  if (message.message == WM_KEYDOWN) return HandleKeyDown(message, foreground);
  if (message.message == WM_SYSKEYUP && message.wParam == VK_MENU) return gApp.MenuMode(kMenuEnter) == 0;
  return false;
}

// The popup menus are UI items (menu items and popups); until they exist no popup window can be
// open, and a key only goes on when there is no popup object.
HWND PopupWindowOf(const CUIItem* popup) {
  (void)popup;
  return nullptr;
}

bool PopupKeyDown(UINT key) {
  (void)key;
  // Enter, Alt, Esc and the arrows act on the open popup's items; every other key is swallowed.
  return gApp.openPopup != nullptr;
}

// While a popup is open: true when the message was used.
bool PreTranslatePopup(const MSG& message) {
  if (IsMouseDown(message.message)) {
    if (!IsCursorOverWindow(PopupWindowOf(gApp.openPopup))) gApp.ClosePopup(nullptr);
    return false;
  }
  if (message.message == WM_KEYDOWN) return PopupKeyDown(static_cast<UINT>(message.wParam));
  if (message.message == WM_SYSKEYUP) {
    if (message.wParam == VK_MENU) gApp.MenuMode(kMenuLeave);
    return true;
  }
  return false;
}

// The outermost standard dialog the window belongs to. A dialog may hold dialogs of its own (the
// plant dialog's pages): keyboard navigation, Enter and Escape belong to the outermost one, which
// holds the OK and Cancel buttons and leads Tab through every page.
HWND DialogAncestor(HWND window) {
  HWND desktop = GetDesktopWindow();
  HWND dialog = nullptr;
  for (; window != nullptr && window != desktop; window = GetAncestor(window, GA_PARENT)) {
    char name[16] = "";
    if (GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, kDialogClass) == 0) dialog = window;
  }
  return dialog;
}

}  // namespace

int32_t CZrfApp::Run() {
  loopRunning = 1;
  int32_t exitCode = -1;
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int32_t>(message.wParam);
      break;
    }
    // -1: the queue itself failed; asking again would fail again at once, for ever.
    if (got == -1) break;
    PreTranslateMessage(&message);
  }
  loopRunning = 0;
  return exitCode;
}

void CZrfApp::PreTranslateMessage(MSG* message) {
  HWND foreground = OwnForegroundWindow();
  const bool used = popupOpen != 0 ? PreTranslatePopup(*message) : PreTranslateWindows(*message, foreground);
  if (used) return;
  HWND dialog = DialogAncestor(message->hwnd);
  if (dialog != nullptr && IsDialogMessageA(dialog, message)) return;
  TranslateMessage(message);
  DispatchMessageA(message);
}

bool CZrfApp::PumpWait(uint32_t milliseconds) {
  if (controlWindow == nullptr || GetWindowThreadProcessId(controlWindow, nullptr) != GetCurrentThreadId()) {
    Sleep(milliseconds);
    return true;
  }
  // A WM_QUIT taken at any time during the wait is kept, not only the last message: a timer or
  // a paint after it must not make the loop that follows miss the end of the program.
  bool quit = false;
  WPARAM quitCode = 0;
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      PreTranslateMessage(&message);
    }
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed >= milliseconds) break;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds - elapsed), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
  if (!quit) return true;
  PostQuitMessage(static_cast<int>(quitCode));
  return false;
}

int32_t CZrfApp::MenuMode(int32_t action) {
  if (action == kMenuEnter) menuBarEntries.count = 0;
  if (menuBarEntries.count == 0) {
    CZrfWindow* window = FindWindowByIndex(menuWindowIndex);
    if (window == nullptr) {
      if (action == kMenuLeave) ClosePopup(nullptr);
      return 1;
    }
    SendMessageA(window->window, zrf::WM_ZRF_MENUMODE, 0, 0);
    // The menu items of the window's bars that belong to its menu bar join the entries here; a
    // window without bars has none.
  }
  if (menuBarEntries.count > 0 || action == kMenuLeave) ClosePopup(nullptr);
  if (action == kMenuLeave) menuBarEntries.count = 0;
  // With entries, the chosen one opens its popup below it (the menu items' part).
  return 0;
}

CUIItem* CZrfApp::ClosePopup(CUIItem* item) {
  // A popup item's parent holds its popup; popups are the menu items' (none can be open yet).
  if (item != nullptr) return nullptr;
  menuItem = nullptr;
  popupOpen = 0;
  openPopup = nullptr;
  if (CZrfWindow* window = FindWindowByIndex(menuWindowIndex))
    window->SetStatusText(kStatusKeyHover, nullptr);
  return nullptr;
}
