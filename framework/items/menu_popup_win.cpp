// A menu item's popup: its window class and procedure, opening it (entries made through the
// factory, laid out under one icon column, placed beside or below the anchor and flipped at the
// monitor's edges), closing it, and painting its background.
#include <windows.h>

#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/menu_entries.h"
#include "framework/items/menu_item_win.h"
#include "framework/items/popup_layout.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/windows/bar_win.h"

namespace {

// Palette entries of the popup's background.
constexpr int32_t kIconColumnFrom = 36;
constexpr int32_t kIconColumnTo = 37;
constexpr int32_t kPopupFill = 38;
constexpr int32_t kBevelLight = 2;
constexpr int32_t kBevelShadow = 3;
// How far above and below an entry the cascade test looks for another menu entry.
constexpr int32_t kNeighbourDistance = 5;

// DwmSetWindowAttribute, looked up once: dwmapi is missing on old systems and a stub under Wine.
using DwmSetWindowAttributeCall = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
DwmSetWindowAttributeCall DwmSetAttribute() {
  static DwmSetWindowAttributeCall call = [] {
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    return dwm != nullptr ? reinterpret_cast<DwmSetWindowAttributeCall>(
                                reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                          : nullptr;
  }();
  return call;
}

void RoundCorners(HWND window) {
  constexpr DWORD kWindowCornerPreference = 33;
  constexpr DWORD kRoundSmall = 3;
  if (DwmSetWindowAttributeCall set = DwmSetAttribute()) {
    (void)set(window, kWindowCornerPreference, &kRoundSmall, sizeof kRoundSmall);
  }
}

CMenu* MenuOfPopup(HWND window) { return reinterpret_cast<CMenu*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

LRESULT CALLBACK MenuPopupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CMenu* menu = MenuOfPopup(window);
  switch (message) {
    case WM_CREATE:
      RoundCorners(window);
      break;
    case WM_MOUSEACTIVATE:
      // A click into the popup must not take the activation from the window it belongs to.
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (menu != nullptr && dc != nullptr) menu->PaintPopup(dc, 0, 0);
      EndPaint(window, &paint);
      if (menu != nullptr) gApp.popupOpen = 1;
      return 0;
    }
    case zrf::WM_ZRF_SETPOPUP:
      if (menu != nullptr) menu->openSubmenu = reinterpret_cast<CMenu*>(lParam);
      return 0;
    case zrf::WM_ZRF_GETPOPUP:
      return menu != nullptr ? reinterpret_cast<LRESULT>(menu->openSubmenu) : 0;
    case zrf::WM_ZRF_PAINTBACKGROUND:
      if (menu != nullptr)
        menu->PaintPopup(reinterpret_cast<HDC>(wParam), static_cast<short>(LOWORD(lParam)),
                         static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_NCDESTROY:
      // The popup goes with its owner window; the menu must not keep its handle.
      if (menu != nullptr) menu->popupWindow = nullptr;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// True when a menu item of the same parent lies right above or below `item`: a column of menu
// entries, whose popups open beside them.
bool HasMenuNeighbour(const CUIItem* item) {
  RECT r;
  GetWindowRect(item->hwnd, &r);
  const LONG x = (r.left + r.right) / 2;
  for (const POINT at : {POINT{x, r.bottom + kNeighbourDistance}, POINT{x, r.top - kNeighbourDistance}}) {
    HWND window = WindowFromPoint(at);
    const CUIItem* other = ItemFromWindow(window);
    if (other == nullptr || other == item || GetParent(window) != GetParent(item->hwnd)) continue;
    const CommandRecord* command = gApp.commands.Find(static_cast<uint16_t>(other->commandId));
    if (command != nullptr && command->kind == kItemMenu) return true;
  }
  return false;
}

// The bar's overflow entry (its last item) lists the bar's dropped items.
const uint16_t* OverflowIdsOf(const CUIItem* item) {
  const CBar* bar = item->bar;
  if (bar == nullptr || bar->items.count == 0 || *bar->items.GetAt(bar->items.count - 1) != item) return nullptr;
  return bar->overflowIds.empty() ? nullptr : bar->overflowIds.data();
}

}  // namespace

bool RegisterMenuPopupClass() {
  WNDCLASSA popupClass{};
  popupClass.style = CS_DROPSHADOW;
  popupClass.lpfnWndProc = MenuPopupWndProc;
  popupClass.hInstance = FrameworkModule();
  popupClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  popupClass.lpszClassName = kMenuPopupClass;
  if (RegisterClassA(&popupClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
  popupClass.style = 0;
  return RegisterClassA(&popupClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CMenu::CascadesFromHere() const { return InPopup() || HasMenuNeighbour(this); }

void CMenu::DestroyChildren() {
  while (children.count > 0) {
    CUIItem* child = *children.GetAt(children.count - 1);
    children.count -= 1;
    delete child;
  }
}

int32_t CMenu::OpenPopup(const RECT& anchor) {
  if (popupWindow == nullptr) return ZRF_ERR_CREATE;
  // A popup opened again (the keyboard and the mouse may both ask) starts from no entries.
  if (isOpen != 0 || children.count > 0) ClosePopup();
  SetWindowPos(popupWindow, nullptr, anchor.left, anchor.top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
  CommandRecord command;
  if (gApp.GetCommand(static_cast<uint16_t>(commandId), &command) != ZRF_OK) return ZRF_ERR_UNKNOWN_COMMAND;
  if (AsksOwnerForIds(command.data)) {
    idList = OverflowIdsOf(this);
    if (idList == nullptr) {
      idList = reinterpret_cast<const uint16_t*>(SendMessageA(owner, zrf::WM_ZRF_GETMENUIDS, commandId,
                                                              reinterpret_cast<LPARAM>(gApp.FindWindowByHwnd(owner))));
    }
    if (idList == nullptr) return ZRF_ERR_NO_MENU;
  }
  HWND parent = GetParent(hwnd);
  SendMessageA(parent, zrf::WM_ZRF_SETPOPUP, 0, reinterpret_cast<LPARAM>(this));
  if (gApp.openPopup == nullptr) gApp.openPopup = this;

  const int32_t idCount = MenuIdCount(idList);
  for (int32_t i = 0; i < idCount; ++i) {
    CommandRecord entry;
    if (gApp.GetCommand(idList[i], &entry) != ZRF_OK) return ZRF_ERR_UNKNOWN_COMMAND;
    // The factory's given-object kind would hand back an object the popup does not own.
    CUIItem* child = entry.kind == kItemGivenObject ? nullptr : CreateUIItem(entry.kind, nullptr);
    if (child == nullptr) continue;
    if (child->Create(idList[i], popupWindow, owner, this) != ZRF_OK || children.Add(child) < 0) {
      delete child;
      return ZRF_ERR_MEMORY;
    }
  }
  if (children.count == 0) return ZRF_OK;
  gApp.popupOpen = 1;

  std::vector<PopupEntrySize> sizes;
  for (int32_t i = 0; i < children.count; ++i) {
    const CUIItem* child = *children.GetAt(i);
    sizes.push_back({child->width, child->height, child->iconColumn});
  }
  std::vector<int32_t> tops(sizes.size());
  const PopupLayout layout = LayoutPopupEntries(sizes, tops);
  iconColumn = layout.iconColumn;
  for (int32_t i = 0; i < children.count; ++i) {
    CUIItem* child = *children.GetAt(i);
    SetWindowPos(child->hwnd, nullptr, kPopupMargin, tops[static_cast<size_t>(i)], layout.contentWidth, child->height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }

  const ZrfRect at{anchor.left, anchor.top, anchor.right, anchor.bottom};
  const PopupOpening opening = CascadesFromHere() ? PopupOpening::kCascade : PopupOpening::kDropDown;
  const ZrfPoint origin = PopupOrigin(at, opening);
  RECT monitor{};
  MonitorFromPointRect(origin.x, origin.y, &monitor, kCurrentMonitors, kMonitorRect);
  const ZrfPoint place = PlacePopup(at, layout.width, layout.height, opening,
                                    {monitor.left, monitor.top, monitor.right, monitor.bottom});
  SetWindowPos(popupWindow, HWND_TOPMOST, place.x, place.y, layout.width, layout.height,
               SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  isOpen = 1;
  return ZRF_OK;
}

int32_t CMenu::ClosePopup() {
  isOpen = 0;
  if (openSubmenu != nullptr) {
    CMenu* cascade = openSubmenu;
    openSubmenu = nullptr;
    cascade->ClosePopup();
  }
  if (popupWindow != nullptr) ShowWindow(popupWindow, SW_HIDE);
  DestroyChildren();
  if (gApp.openPopup == this) gApp.openPopup = nullptr;
  if (hwnd != nullptr) InvalidateRect(hwnd, nullptr, TRUE);
  return ZRF_OK;
}

void CMenu::PaintPopup(HDC dc, int32_t x, int32_t y) const {
  RECT client{};
  if (popupWindow != nullptr) GetClientRect(popupWindow, &client);
  OffsetRect(&client, -x, -y);
  const uint32_t* palette = gApp.style.palette;
  const RECT column{client.left, client.top, client.left + iconColumn, client.bottom};
  const RECT rest{column.right, client.top, client.right, client.bottom};
  gApp.style.GradientRect(dc, palette[kIconColumnFrom], palette[kIconColumnTo], column, kGradientHorizontal);
  gApp.style.FillRect(dc, rest, palette[kPopupFill]);
  gApp.style.DrawBevel(dc, client, true, palette[kBevelLight], palette[kBevelShadow]);
}
