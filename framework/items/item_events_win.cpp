// The application's item events: what a press, a click, a double click and hovering on a UI item
// mean (state flags, popups, status texts, command messages to the owner), the redraw of all
// items of a command, and the popup menu the application opens for a command.
#include <cstdlib>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/ui_item_win.h"
#include "framework/ui/window_helpers_win.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr int32_t kStatusKeyHover = -2;

bool AnyButtonDown() {
  return (GetKeyState(VK_LBUTTON) & 0x8000) != 0 || (GetKeyState(VK_MBUTTON) & 0x8000) != 0 ||
         (GetKeyState(VK_RBUTTON) & 0x8000) != 0;
}

// The popup the item's parent window holds open (a framework window or a popup window answers).
CUIItem* PopupOfParent(const CUIItem* item) {
  HWND parent = item->hwnd != nullptr ? GetParent(item->hwnd) : nullptr;
  if (parent == nullptr) return nullptr;
  return reinterpret_cast<CUIItem*>(SendMessageA(parent, zrf::WM_ZRF_GETPOPUP, 0, 0));
}

void OpenPopupBelow(CUIItem* item) {
  RECT anchor;
  if (item->hwnd != nullptr && GetWindowRect(item->hwnd, &anchor)) (void)item->OpenPopup(anchor);
}

// A click on a menu item: its popup opens, or closes when it was the one open.
void ClickMenuItem(CUIItem* item) {
  gApp.popupOpen = 0;
  HWND parent = GetParent(item->hwnd);
  CUIItem* open = PopupOfParent(item);
  if (open != nullptr) {
    (void)open->ClosePopup();
    SendMessageA(parent, zrf::WM_ZRF_SETPOPUP, 0, 0);
  }
  if (open == item && !item->InPopup()) return;
  OpenPopupBelow(item);
}

// An item in a bar changed its size: the bar is sized again and laid out, floating by itself,
// docked by its window.
void RelayOutBar(CBar& bar) {
  (void)bar.GetThickness();
  if (bar.IsFloating()) {
    bar.LayoutItems(bar.length, bar.thickness, true);
  } else if (CZrfWindow* frame = gApp.FindWindowByIndex(bar.windowIndex)) {
    frame->Move(0, 0, -1, 0, false);
  }
}

void DeletePopupMenuAtExit() {
  delete gApp.popupMenu;
  gApp.popupMenu = nullptr;
}

}  // namespace

void CZrfApp::SetItemState(CUIItem* item, uint32_t set, uint32_t clear) {
  bool changed = false;
  if (commands.UpdateFlags(static_cast<uint16_t>(item->commandId), set, clear, &changed) != ZRF_OK) return;
  if (changed && item->hwnd != nullptr) InvalidateRect(item->hwnd, nullptr, FALSE);
}

void CZrfApp::OnItemPressed(CUIItem* item, uint32_t) {
  const CommandRecord* command = commands.Find(static_cast<uint16_t>(item->commandId));
  if (command == nullptr) return;
  if (command->kind == kItemMenu && (command->flags & kItemVariantA) != 0 && item->IsCursorOnArrow()) {
    SetItemState(item, kItemVariantB, kItemPressed);
    return;
  }
  SetItemState(item, kItemPressed, item->kind == kItemMenu ? kItemVariantB : 0);
}

void CZrfApp::OnItemClicked(CUIItem* item, uint32_t buttons) {
  const CommandRecord* command = commands.Find(static_cast<uint16_t>(item->commandId));
  if (command == nullptr) return;
  const uint32_t before = command->flags;
  const uint16_t kind = command->kind;
  SetItemState(item, 0, kItemPressed | (item->kind == kItemMenu ? kItemVariantB : 0));
  // What the message needs, taken before the popup closes: closing it destroys its entries,
  // this item among them.
  HWND itemOwner = item->owner;
  const uint32_t id = item->commandId;
  if (kind == kItemSeparator) return;
  if (kind == kItemMenu) {
    const LRESULT answer = SendMessageA(itemOwner, zrf::WM_ZRF_DROPDOWN, id, buttons);
    const bool split = (before & kItemVariantA) != 0;
    const bool arrowPressed = (before & kItemVariantB) != 0;
    if (!split || arrowPressed || answer == 1) {
      ClickMenuItem(item);
      return;
    }
  }
  ClosePopup(nullptr);
  SendMessageA(itemOwner, zrf::WM_ZRF_COMMAND, (static_cast<WPARAM>(buttons) << 16) | id, 0);
}

void CZrfApp::OnItemDoubleClick(CUIItem* item, uint32_t buttons) {
  SendMessageA(item->owner, zrf::WM_ZRF_ITEMDBLCLK, (static_cast<WPARAM>(buttons) << 16) | item->commandId,
               0);
}

void CZrfApp::OnItemHoverEnter(CUIItem* item) {
  if (CommandIndex(static_cast<uint16_t>(item->commandId)) >= 0) {
    if (CZrfWindow* window = FindWindowByHwnd(item->owner))
      window->SetStatusText(kStatusKeyHover, item->GetText(kPieceStatus));
  }
  hoveredItem = item;
}

void CZrfApp::OnItemHoverLeave(CUIItem* item) {
  if (CommandIndex(static_cast<uint16_t>(item->commandId)) < 0) return;
  SetItemState(item, 0, kItemHot | kItemPressed | (item->kind == kItemMenu ? kItemVariantB : 0));
  if (item != hoveredItem) return;
  if (CZrfWindow* window = FindWindowByHwnd(item->owner)) window->SetStatusText(kStatusKeyHover, nullptr);
}

void CZrfApp::OnItemMouseMove(CUIItem* item) {
  if (menuItem != nullptr && !item->InPopup()) return;
  const CommandRecord* command = commands.Find(static_cast<uint16_t>(item->commandId));
  if (command == nullptr) return;
  const uint32_t commandFlags = command->flags;
  const bool isMenu = command->kind == kItemMenu;
  CUIItem* parentPopup = PopupOfParent(item);
  if (!item->InPopup() || parentPopup != nullptr) {
    if (parentPopup == nullptr) {
      if (openPopup != nullptr) ClosePopup(openPopup);
    } else if (parentPopup != item) {
      ClosePopup(item);
    }
  }
  const bool ownDrag = (commandFlags & kItemOwnDrag) != 0;
  uint32_t state = kItemHot;
  if (!ownDrag && IsCursorOverWindow(item->hwnd) && AnyButtonDown()) state |= kItemPressed;
  if (isMenu && popupOpen != 0 && PopupOfParent(item) != item &&
      ((commandFlags & kItemVariantA) == 0 || item->IsCursorOnArrow())) {
    OpenPopupBelow(item);
  }
  SetItemState(item, state, kItemHot | (ownDrag ? 0 : kItemPressed));
}

void CZrfApp::RedrawCommandItems(uint16_t id, bool relayout, int32_t updateArgument) {
  const CommandRecord* command = commands.Find(id);
  const bool enabled = command != nullptr && (command->flags & kItemEnabled) != 0;
  // By index, and the count read afresh: an item's OnUpdate may change the list.
  for (int32_t i = 0; i < items.count; ++i) {
    CUIItem* item = *items.GetAt(i);
    if (item->commandId != id || item->hwnd == nullptr) continue;
    if (updateArgument != -1 && enabled && !item->OnUpdate(updateArgument)) continue;
    if (relayout && item->bar != nullptr) RelayOutBar(*item->bar);
    RedrawWindow(item->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

CUIItem* CZrfApp::ShowPopupMenu(uint16_t id, const POINT* point, HWND ownerWindow) {
  ClosePopup(nullptr);
  menuBarEntries.count = 0;
  if (popupMenu == nullptr) {
    popupMenu = CreateUIItem(kItemMenu, nullptr);
    if (popupMenu == nullptr) return nullptr;
    std::atexit(DeletePopupMenuAtExit);
  }
  popupMenu->Destroy();
  if (popupMenu->Create(id, ownerWindow, ownerWindow, nullptr) != ZRF_OK) return nullptr;
  POINT at{};
  if (point != nullptr) {
    at = *point;
  } else {
    GetCursorPos(&at);
  }
  const RECT anchor{at.x, at.y, at.x, at.y};
  SetForegroundWindow(ownerWindow);
  if (popupMenu->OpenPopup(anchor) != ZRF_OK) return nullptr;
  return popupMenu;
}

CZrfWindow* CZrfApp::OwnerWindow(HWND child) const {
  for (HWND window = child != nullptr ? GetParent(child) : nullptr; window != nullptr;
       window = GetParent(window)) {
    if (CZrfWindow* frame = FindWindowByHwnd(window)) return frame;
  }
  return nullptr;
}
