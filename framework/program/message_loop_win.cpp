// The GUI thread's message loop and what every message passes before it is dispatched: the popup
// menu's keys, resizing borderless windows by their edges, Tab, accelerators, Alt for the menu
// bar and the keys of standard dialogs. Also the wait that keeps the windows alive.
#include <windows.h>

#include <vector>

#include "framework/app/accelerator.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/items/item_flags.h"
#include "framework/items/menu_entries.h"
#include "framework/items/menu_item_win.h"
#include "framework/ui/border_resize.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr int32_t kMenuEnter = 0;
constexpr int32_t kMenuNext = 1;
constexpr int32_t kMenuPrevious = -1;
constexpr int32_t kMenuLeave = 2;
// lParam of the moves, releases and leaves the keyboard sends to menu entries.
constexpr LPARAM kSyntheticMouse = -1;
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

// The open popup menu as a menu item; null when none is open.
CMenu* TopPopup() {
  CUIItem* popup = gApp.openPopup;
  return popup != nullptr && popup->kind == kItemMenu ? static_cast<CMenu*>(popup) : nullptr;
}

// True when the cursor is over the open popups (any window inside them) or over the item that
// opened them: a press there belongs to the menu, any other press ends it.
bool IsCursorOverMenus(const CMenu* top) {
  POINT cursor;
  GetCursorPos(&cursor);
  for (HWND window = WindowFromPoint(cursor); window != nullptr; window = GetParent(window)) {
    if (top != nullptr && window == top->hwnd) return true;
    for (const CMenu* menu = top; menu != nullptr; menu = menu->openSubmenu) {
      if (window == menu->popupWindow) return true;
    }
  }
  return false;
}

CUIItem* ChildAt(const CMenu* popup, int32_t index) {
  return index >= 0 && index < popup->children.count ? *popup->children.GetAt(index) : nullptr;
}

// Moves the highlight onto `item` as the mouse would.
void Highlight(CUIItem* item) {
  if (item != nullptr && item->hwnd != nullptr) SendMessageA(item->hwnd, WM_MOUSEMOVE, 0, kSyntheticMouse);
}

// The popup the keys act on: the open popup, or the deepest cascade open from it while the
// popups above it have no highlighted entry.
CMenu* KeyPopup(CMenu* top) {
  CMenu* popup = top;
  while (gApp.PressedItemIndex(popup) < 0 && popup->openSubmenu != nullptr) popup = popup->openSubmenu;
  return popup;
}

// Left in a cascade: back to the parent popup's entry that opened it.
void StepOutOfCascade(CMenu* popup) {
  auto* parent = static_cast<CMenu*>(popup->parentMenu);
  int32_t index = -1;
  for (int32_t i = 0; i < parent->children.count; ++i) {
    if (*parent->children.GetAt(i) == popup) index = i;
  }
  if (index < 0) index = gApp.NextMenuItem(parent, 0, 1);
  Highlight(ChildAt(parent, index));
}

// Right on an entry that opens a cascade: the cascade opens beside it with its first entry lit.
bool StepIntoCascade(CUIItem* entry) {
  const CommandRecord* command =
      entry != nullptr ? gApp.commands.Find(static_cast<uint16_t>(entry->commandId)) : nullptr;
  if (command == nullptr || command->kind != kItemMenu) return false;
  auto* cascade = static_cast<CMenu*>(entry);
  if (cascade->isOpen == 0) {
    RECT anchor;
    GetWindowRect(cascade->hwnd, &anchor);
    if (cascade->OpenPopup(anchor) != 0) return true;
  }
  Highlight(ChildAt(cascade, gApp.NextMenuItem(cascade, -1, 1)));
  return true;
}

bool PopupKeyDown(UINT key) {
  CMenu* top = TopPopup();
  if (top == nullptr) return false;
  CMenu* popup = KeyPopup(top);
  const int32_t lit = gApp.PressedItemIndex(popup);
  switch (key) {
    case VK_RETURN:
      if (CUIItem* entry = ChildAt(popup, lit)) SendMessageA(entry->hwnd, WM_LBUTTONUP, 0, kSyntheticMouse);
      break;
    case VK_MENU:
      gApp.MenuMode(kMenuLeave);
      break;
    case VK_ESCAPE:
      if (popup == top) {
        gApp.MenuMode(kMenuLeave);
      } else {
        gApp.ClosePopup(popup);
      }
      break;
    case VK_LEFT:
      if (popup != top && popup->parentMenu != nullptr) {
        StepOutOfCascade(popup);
      } else if (popup->popupWindow != nullptr && IsWindowVisible(popup->popupWindow)) {
        gApp.MenuMode(kMenuPrevious);
      }
      break;
    case VK_UP:
    case VK_DOWN:
      Highlight(ChildAt(popup, gApp.NextMenuItem(popup, lit, key == VK_UP ? -1 : 1)));
      break;
    case VK_RIGHT:
      if (!StepIntoCascade(ChildAt(popup, lit)) && popup->popupWindow != nullptr &&
          IsWindowVisible(popup->popupWindow)) {
        gApp.MenuMode(kMenuNext);
      }
      break;
    default:
      break;  // every other key is the menu's and goes nowhere else
  }
  return true;
}

// While a popup is open: true when the message was used.
bool PreTranslatePopup(const MSG& message) {
  if (IsMouseDown(message.message)) {
    if (!IsCursorOverMenus(TopPopup())) gApp.ClosePopup(nullptr);
    return false;
  }
  if (message.message == WM_KEYDOWN) return PopupKeyDown(static_cast<UINT>(message.wParam));
  if (message.message == WM_SYSKEYUP) {
    if (message.wParam == VK_MENU) gApp.MenuMode(kMenuLeave);
    return true;
  }
  return false;
}

// The menu states of the window's menu-bar entries.
std::vector<MenuEntryState> MenuBarStates() {
  std::vector<MenuEntryState> states;
  for (int32_t i = 0; i < gApp.menuBarEntries.count; ++i) {
    const CUIItem* entry = *gApp.menuBarEntries.GetAt(i);
    states.push_back({entry->commandId == kSeparatorCommand, (entry->CommandFlags() & kItemEnabled) != 0,
                      entry->hwnd != nullptr && IsWindowVisible(entry->hwnd)});
  }
  return states;
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

// The dialog sees a key before the dialog manager does: a tabbed dialog turns its page on
// Ctrl+Tab, which the dialog manager would take for Tab, and on Ctrl+Page Down, which would
// otherwise move the slider that has the focus.
bool DialogTakesKey(HWND dialog, MSG* message) {
  return message->message == WM_KEYDOWN &&
         SendMessageA(dialog, zrf::WM_ZRF_DIALOGKEY, 0, reinterpret_cast<LPARAM>(message)) != 0;
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
  if (dialog != nullptr && (DialogTakesKey(dialog, message) || IsDialogMessageA(dialog, message))) return;
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
    for (int32_t b = 0; b < bars.count; ++b) {
      const CBar* bar = *bars.GetAt(b);
      if (bar->windowIndex != window->index) continue;
      for (int32_t i = 0; i < bar->items.count; ++i) {
        CUIItem* item = *bar->items.GetAt(i);
        const CommandRecord* command = commands.Find(static_cast<uint16_t>(item->commandId));
        if (command != nullptr && command->kind == kItemMenu && (item->flags & kItemMenuBarEntry) != 0)
          (void)menuBarEntries.Add(item);
      }
    }
  }
  // The entry whose popup is open, before the popup closes.
  int32_t current = -1;
  for (int32_t i = 0; i < menuBarEntries.count; ++i) {
    CUIItem* entry = *menuBarEntries.GetAt(i);
    if (entry == menuItem || entry == openPopup) current = i;
  }
  if (menuBarEntries.count > 0 || action == kMenuLeave) ClosePopup(nullptr);
  if (action == kMenuLeave) {
    if (current >= 0) SendMessageA((*menuBarEntries.GetAt(current))->hwnd, WM_MOUSELEAVE, 0, kSyntheticMouse);
    menuBarEntries.count = 0;
    return 0;
  }
  const int32_t chosen = action == kMenuEnter ? NextMenuBarEntry(-1, 1) : NextMenuBarEntry(current, action);
  if (chosen < 0) return 0;
  CUIItem* entry = *menuBarEntries.GetAt(chosen);
  RECT anchor;
  GetWindowRect(entry->hwnd, &anchor);
  (void)entry->OpenPopup(anchor);
  menuItem = entry;
  Highlight(entry);
  return 0;
}

CUIItem* CZrfApp::ClosePopup(CUIItem* item) {
  if (item != nullptr) {
    HWND parent = item->hwnd != nullptr ? GetParent(item->hwnd) : nullptr;
    auto* open = parent != nullptr ? reinterpret_cast<CUIItem*>(SendMessageA(parent, zrf::WM_ZRF_GETPOPUP, 0, 0))
                                   : nullptr;
    if (open == nullptr) return nullptr;
    open->ClosePopup();
    SendMessageA(parent, zrf::WM_ZRF_SETPOPUP, 0, 0);
    return open;
  }
  menuItem = nullptr;
  popupOpen = 0;
  if (CUIItem* popup = openPopup) {
    openPopup = nullptr;
    if (popup->hwnd != nullptr) SendMessageA(GetParent(popup->hwnd), zrf::WM_ZRF_SETPOPUP, 0, 0);
    popup->ClosePopup();
  }
  if (CZrfWindow* window = FindWindowByIndex(menuWindowIndex)) window->SetStatusText(kStatusKeyHover, nullptr);
  return nullptr;
}

int32_t CZrfApp::PressedItemIndex(const CMenu* popup) const {
  for (int32_t i = 0; i < popup->children.count; ++i) {
    if (((*popup->children.GetAt(i))->CommandFlags() & kItemHot) != 0) return i;
  }
  return -1;
}

int32_t CZrfApp::NextMenuItem(const CMenu* popup, int32_t start, int32_t direction) const {
  std::vector<MenuEntryState> states;
  for (int32_t i = 0; i < popup->children.count; ++i) {
    const CUIItem* child = *popup->children.GetAt(i);
    states.push_back({child->commandId == kSeparatorCommand, (child->CommandFlags() & kItemEnabled) != 0, true});
  }
  return NextMenuEntry(states, start, direction, false, true);
}

int32_t CZrfApp::NextMenuBarEntry(int32_t start, int32_t direction) const {
  return NextMenuEntry(MenuBarStates(), start, direction, true, false);
}
