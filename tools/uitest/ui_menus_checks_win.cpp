// The Wine checks of the menus: the window menu opened by a right click (topmost, never active),
// its cascades at their place and flipped at the screen's edges, a transparency entry applied,
// the keyboard walking the entries, and popups opened and closed many times, destroyed while open,
// or given ids that name no command.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/menu_item_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/uitest/framework_frame_win.h"

namespace {

using namespace uitest;

CMenu* OpenMenu() { return static_cast<CMenu*>(gApp.openPopup); }

CUIItem* EntryOf(const CMenu* menu, uint16_t id) {
  for (int32_t i = 0; i < menu->children.count; ++i) {
    if ((*menu->children.GetAt(i))->commandId == id) return *menu->children.GetAt(i);
  }
  return nullptr;
}

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

// A right click at screen point `at` of the frame's client area.
CMenu* RightClickAt(POINT at) {
  FrameworkFrame& frame = Frame();
  SetCursorPos(at.x, at.y);
  POINT client = at;
  ScreenToClient(frame.window, &client);
  SendMessageA(frame.window, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  Pump();
  return OpenMenu();
}

// The mouse over a popup entry, as the item procedure hears it.
void Hover(CUIItem* entry) {
  RECT r = ScreenRect(entry->hwnd);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(entry->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
}

// The window menu opened by a right click near the frame's top-left corner.
CMenu* OpenWindowMenu() {
  const RECT frame = ScreenRect(Frame().window);
  return RightClickAt({frame.left + 60, frame.top + 40});
}

// Entry `entryId` of the cascade that entry `cascadeId` of `menu` opens when the mouse comes
// over it, with the mouse moved on to it; null when either is missing.
CUIItem* HoverCascadeEntry(CMenu* menu, uint16_t cascadeId, uint16_t entryId) {
  CUIItem* cascade = EntryOf(menu, cascadeId);
  if (cascade == nullptr) return nullptr;
  Hover(cascade);
  CUIItem* entry = EntryOf(static_cast<CMenu*>(cascade), entryId);
  if (entry != nullptr) Hover(entry);
  return entry;
}

void Key(UINT key) {
  MSG message{Frame().window, WM_KEYDOWN, key, 0, 0, {}};
  gApp.PreTranslateMessage(&message);
}

// The largest difference of one colour channel (a gradient's first column is its start colour
// within rounding).
int ColorDistance(uint32_t a, uint32_t b) {
  int largest = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    largest = d < 0 ? (-d > largest ? -d : largest) : (d > largest ? d : largest);
  }
  return largest;
}

uint16_t LitEntry(const CMenu* menu) {
  const int32_t index = gApp.PressedItemIndex(menu);
  return index < 0 ? 0 : static_cast<uint16_t>((*menu->children.GetAt(index))->commandId);
}

class Menus : public testing::Test {
 protected:
  void SetUp() override {
    Frame();
    // The application's own popup menu lives from its first use to the end.
    if (gApp.popupMenu == nullptr) {
      SendMessageA(Frame().window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
      gApp.ClosePopup(nullptr);
    }
    gApp.menuWindowIndex = Frame().object->index;
    Frame().log.clear();
    liveItems_ = gApp.items.count;
  }
  void TearDown() override {
    gApp.ClosePopup(nullptr);
    Pump();
    EXPECT_EQ(gApp.items.count, liveItems_);
  }
  int32_t liveItems_ = 0;
};

TEST_F(Menus, RightClickOpensTheWindowMenuTopmostAndNeverActive) {
  RECT client = ScreenRect(Frame().window);
  CMenu* menu = RightClickAt({client.left + 100, client.top + 80});
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(IsWindowVisible(menu->popupWindow));
  EXPECT_NE(GetWindowLongA(menu->popupWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetActiveWindow(), menu->popupWindow);
  EXPECT_NE(GetForegroundWindow(), menu->popupWindow);
  EXPECT_EQ(SendMessageA(menu->popupWindow, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Frame().window),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  // No bars: the framework's seven entries, from the cursor down.
  const std::vector<uint16_t> expected = {0xF110, 0xF111, 0xF120, 0xF130, 0xF140, 0xF150, 0xF160};
  ASSERT_EQ(menu->children.count, 7);
  for (int32_t i = 0; i < 7; ++i) EXPECT_EQ((*menu->children.GetAt(i))->commandId, expected[i]);
  const RECT popup = ScreenRect(menu->popupWindow);
  EXPECT_EQ(popup.left, client.left + 100);
  EXPECT_EQ(popup.top, client.top + 80);
  EXPECT_EQ(gApp.commands.Find(0xF121)->flags & kItemChecked, kItemChecked);
  EXPECT_EQ(gApp.commands.Find(0xF16B)->flags & kItemEnabled, 0u);  // ghost needs transparency
  EXPECT_EQ(Frame().object->openPopup, menu);
  EXPECT_EQ(gApp.popupOpen, 1);

  // The popup's background: the icon column's gradient, the fill, the bevel.
  UpdateWindow(menu->popupWindow);
  HDC dc = GetDC(menu->popupWindow);
  const uint32_t* palette = gApp.style.palette;
  EXPECT_EQ(GetPixel(dc, 0, 0), palette[2]);
  EXPECT_EQ(GetPixel(dc, popup.right - popup.left - 1, popup.bottom - popup.top - 1), palette[3]);
  EXPECT_LE(ColorDistance(GetPixel(dc, 1, popup.bottom - popup.top - 2), palette[36]), 2);
  EXPECT_EQ(GetPixel(dc, popup.right - popup.left - 2, popup.bottom - popup.top - 2), palette[38]);
  ReleaseDC(menu->popupWindow, dc);
}

TEST_F(Menus, CascadeOpensBesideItsEntryAndFlipsAtTheScreensEdges) {
  RECT client = ScreenRect(Frame().window);
  CMenu* menu = RightClickAt({client.left + 100, client.top + 40});
  ASSERT_NE(menu, nullptr);
  CUIItem* caption = EntryOf(menu, 0xF120);
  ASSERT_NE(caption, nullptr);
  Hover(caption);
  auto* cascade = static_cast<CMenu*>(caption);
  ASSERT_EQ(menu->openSubmenu, cascade);
  ASSERT_TRUE(IsWindowVisible(cascade->popupWindow));
  const RECT entry = ScreenRect(caption->hwnd);
  RECT opened = ScreenRect(cascade->popupWindow);
  EXPECT_EQ(opened.left, entry.right - 2);
  EXPECT_EQ(opened.top, entry.top - 2);
  EXPECT_EQ(cascade->children.count, 4);
  Pump();
  EXPECT_TRUE(SaveWindowPicture(GetDesktopWindow(), VERDELO_SCREENSHOT_DIR "/cascading_menu.bmp"));
  gApp.ClosePopup(nullptr);
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_FALSE(IsWindowVisible(menu->popupWindow));

  // At the right and bottom edges of the screen: the menu opens left of and above the cursor,
  // and its cascade left of its entry.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const POINT corner{screenWidth - 20, screenHeight - 20};
  SetCursorPos(corner.x, corner.y);
  SendMessageA(Frame().window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
  menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  const RECT flipped = ScreenRect(menu->popupWindow);
  EXPECT_EQ(flipped.right, corner.x);
  EXPECT_EQ(flipped.bottom, corner.y);
  caption = EntryOf(menu, 0xF120);
  Hover(caption);
  opened = ScreenRect(static_cast<CMenu*>(caption)->popupWindow);
  EXPECT_EQ(opened.right, ScreenRect(caption->hwnd).left);
  EXPECT_LE(opened.bottom, screenHeight);
}

TEST_F(Menus, ChoosingATransparencyEntryMakesTheWindowLayered) {
  CMenu* menu = OpenWindowMenu();
  ASSERT_NE(menu, nullptr);
  CUIItem* thirty = HoverCascadeEntry(menu, 0xF160, 0xF164);
  ASSERT_NE(thirty, nullptr);
  SendMessageA(thirty->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(thirty->hwnd, WM_LBUTTONUP, 0, -1);
  Pump();
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.popupOpen, 0);
  HWND window = Frame().window;
  EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  BYTE alpha = 0;
  DWORD how = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &how));
  EXPECT_EQ(alpha, 178);  // (100 - 30) * 255 / 100
  EXPECT_EQ(Frame().object->transparency, 30);
  EXPECT_TRUE(Frame().object->OnCommand(0xF161));
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

  // The small caption from its cascade, and back.
  EXPECT_TRUE(Frame().object->OnCommand(0xF122));
  EXPECT_EQ(Frame().object->flags & zrf::kWindowSmallCaption, zrf::kWindowSmallCaption);
  EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_TRUE(Frame().object->OnCommand(0xF121));
  EXPECT_EQ(Frame().object->flags & zrf::kWindowSmallCaption, 0u);
}

TEST_F(Menus, KeyboardWalksTheEntriesAndSkipsSeparatorsAndDisabledOnes) {
  CMenu* menu = OpenWindowMenu();
  ASSERT_NE(menu, nullptr);
  Key(VK_DOWN);
  EXPECT_EQ(LitEntry(menu), 0xF110);
  Key(VK_DOWN);
  EXPECT_EQ(LitEntry(menu), 0xF111);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(LitEntry(menu), 0xF160);  // wrapped to the last
  Key(VK_RIGHT);
  auto* cascade = static_cast<CMenu*>(EntryOf(menu, 0xF160));
  ASSERT_EQ(cascade->isOpen, 1);
  EXPECT_EQ(LitEntry(cascade), 0xF161);
  Key(VK_DOWN);
  EXPECT_EQ(LitEntry(cascade), 0xF162);  // past the separator
  Key(VK_UP);
  Key(VK_UP);
  // Wrapped past the separator and ghost (disabled without transparency) to 90 %.
  EXPECT_EQ(LitEntry(cascade), 0xF16A);
  Key(VK_LEFT);
  EXPECT_EQ(LitEntry(menu), 0xF160);
  Key(VK_ESCAPE);
  EXPECT_EQ(gApp.popupOpen, 0);
  EXPECT_EQ(gApp.openPopup, nullptr);

  // Enter chooses the lit entry.
  menu = OpenWindowMenu();
  ASSERT_NE(menu, nullptr);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Frame().object->flags & zrf::kWindowAlwaysOnTop, zrf::kWindowAlwaysOnTop);
  EXPECT_NE(GetWindowLongA(Frame().window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_TRUE(Frame().object->OnCommand(0xF110));
  EXPECT_EQ(GetWindowLongA(Frame().window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ChildrenOf(HWND window) {
  int count = 0;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(Menus, FiveThousandOpeningsAndClosingsLeaveNoItemBehind) {
  const int32_t live = gApp.items.count;
  // A menu item of the frame opening its popup (the font menu) and the application closing it,
  // 5,000 times; then the window menu, which the application makes anew at every opening.
  CUIItem* font = CreateUIItem(kItemMenu, nullptr);
  ASSERT_EQ(font->Create(0xF140, Frame().window, Frame().window, nullptr), ZRF_OK);
  auto* menu = static_cast<CMenu*>(font);
  int32_t opened = 0;
  for (int32_t i = 0; i < 5000; ++i) {
    if (font->OpenPopup(RECT{1100, 20, 1100, 20}) == ZRF_OK && menu->children.count == 2) ++opened;
    gApp.ClosePopup(nullptr);
  }
  EXPECT_EQ(opened, 5000);
  EXPECT_EQ(ChildrenOf(menu->popupWindow), 0);
  delete font;
  for (int32_t i = 0; i < 100; ++i) {
    SendMessageA(Frame().window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
    if (OpenMenu() != nullptr && OpenMenu()->children.count == 7) ++opened;
    gApp.ClosePopup(nullptr);
  }
  EXPECT_EQ(opened, 5100);
  EXPECT_EQ(gApp.items.count, live);
  EXPECT_EQ(gApp.popupOpen, 0);
}

TEST_F(Menus, APressOnTheMenusKeepsThemOpenAndOneElsewhereClosesThem) {
  CMenu* menu = OpenWindowMenu();
  ASSERT_NE(menu, nullptr);
  CUIItem* custom = HoverCascadeEntry(menu, 0xF130, 0xF133);
  ASSERT_NE(custom, nullptr);
  CUIItem* color = EntryOf(menu, 0xF130);
  // A press on an entry of the cascade goes to the entry: the menus stay open.
  MSG press{custom->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4), 0, {}};
  GetCursorPos(&press.pt);
  gApp.PreTranslateMessage(&press);
  EXPECT_EQ(gApp.openPopup, menu);
  EXPECT_EQ(menu->openSubmenu, color);
  ReleaseCapture();
  // One on the window beneath ends the menu.
  const RECT frame = ScreenRect(Frame().window);
  SetCursorPos(frame.right - 20, frame.bottom - 20);
  MSG outside{Frame().window, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}};
  gApp.PreTranslateMessage(&outside);
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.popupOpen, 0);
}

TEST_F(Menus, ActivationMakesTheWindowTheMenuWindow) {
  HWND window = Frame().window;
  gApp.menuWindowIndex = 0;
  SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(gApp.menuWindowIndex, Frame().object->index);
  // Leaving it while its popup menu is open keeps the index: the popup still belongs to it.
  SendMessageA(window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
  SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(gApp.menuWindowIndex, Frame().object->index);
  // A deactivated application closes its popup.
  SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(gApp.openPopup, nullptr);
  SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(gApp.menuWindowIndex, 0xFFFF);
  SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

TEST_F(Menus, AMenuDestroyedWhileOpenClosesItsPopupsFirst) {
  const int32_t live = gApp.items.count;
  CUIItem* menu = CreateUIItem(kItemMenu, nullptr);
  ASSERT_EQ(menu->Create(0xF105, Frame().window, Frame().window, nullptr), ZRF_OK);
  Frame().object->BuildWindowMenu();
  ASSERT_EQ(menu->OpenPopup(RECT{200, 200, 200, 200}), ZRF_OK);
  auto* open = static_cast<CMenu*>(menu);
  CUIItem* color = EntryOf(open, 0xF130);
  Hover(color);
  HWND popup = open->popupWindow;
  HWND cascade = static_cast<CMenu*>(color)->popupWindow;
  ASSERT_TRUE(IsWindowVisible(cascade));
  delete menu;
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_FALSE(IsWindow(cascade));
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.items.count, live);
}

TEST_F(Menus, AMenuDeletedWhileOpenLeavesNoRecordInItsWindow) {
  CUIItem* font = CreateUIItem(kItemMenu, nullptr);
  ASSERT_EQ(font->Create(0xF140, Frame().window, Frame().window, nullptr), ZRF_OK);
  ASSERT_EQ(font->OpenPopup(RECT{300, 200, 300, 200}), ZRF_OK);
  ASSERT_EQ(SendMessageA(Frame().window, zrf::WM_ZRF_GETPOPUP, 0, 0), reinterpret_cast<LRESULT>(font));
  delete font;
  EXPECT_EQ(SendMessageA(Frame().window, zrf::WM_ZRF_GETPOPUP, 0, 0), 0);
  // The next move over an item of the window, which closes the window's open menu, finds none.
  CUIItem* button = CreateUIItem(kItemButton, nullptr);
  ASSERT_EQ(button->Create(0xF110, Frame().window, Frame().window, nullptr), ZRF_OK);
  MoveWindow(button->hwnd, 300, 200, button->width, button->height, FALSE);
  ShowWindow(button->hwnd, SW_SHOWNA);
  Hover(button);
  EXPECT_EQ(gApp.hoveredItem, button);
  delete button;
}

TEST_F(Menus, UnknownIdsAndAMissingListAreErrorsNotCrashes) {
  CUIItem* broken = CreateUIItem(kItemMenu, nullptr);
  ASSERT_EQ(broken->Create(kBadMenuCommand, Frame().window, Frame().window, nullptr), ZRF_OK);
  EXPECT_EQ(broken->OpenPopup(RECT{100, 100, 100, 100}), ZRF_ERR_UNKNOWN_COMMAND);
  gApp.ClosePopup(nullptr);
  delete broken;

  // The bars menu gives no list of its own and the owner has none: the all-ones mark is never
  // read as an address.
  CUIItem* bars = CreateUIItem(kItemMenu, nullptr);
  ASSERT_EQ(bars->Create(kOverflowCommand, Frame().window, Frame().window, nullptr), ZRF_OK);
  EXPECT_EQ(bars->OpenPopup(RECT{100, 100, 100, 100}), ZRF_ERR_NO_MENU);
  delete bars;
}

}  // namespace
