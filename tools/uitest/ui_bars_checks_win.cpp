// The Wine checks of the dock bays and bars: bars placed by their bays when the window is
// resized, a splitter drag held at the band's minimum, a bar floated and docked again with its
// placement file written and read back, bars and windows shown and hidden, a short column sending
// items to the overflow entry, the bars in the window menu, and the keyboard on the window's menu
// bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/menu_item_win.h"
#include "framework/ui/bar_placement.h"
#include "framework/windows/dock_bay_win.h"
#include "framework/windows/show_frame_window_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/uitest/framework_frame_win.h"

namespace {

using namespace uitest;

constexpr uint16_t kFloating = 0xFFFF;

uint16_t Bay(int32_t side) { return BayId(side, Frame().object->index); }

CDockBay* BayOf(int32_t side) { return *Frame().object->dockBays.GetAt(side); }

RECT ClientOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

// The bar's place in its parent's client area.
RECT PlaceOf(const CBar* bar) {
  RECT r;
  GetWindowRect(bar->hwnd, &r);
  MapWindowPoints(nullptr, GetParent(bar->hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void SizeFrame(int32_t width, int32_t height) {
  RECT r;
  GetWindowRect(Frame().window, &r);
  Frame().object->Move(r.left, r.top, width, height, true);
  Pump();
}

void Key(UINT message, UINT key) {
  MSG m{Frame().window, message, key, 0, 0, {}};
  gApp.PreTranslateMessage(&m);
}

class Bars : public testing::Test {
 protected:
  void SetUp() override {
    Frame();
    GetWindowRect(Frame().window, &frameRect_);
    gApp.menuWindowIndex = Frame().object->index;
    Frame().log.clear();
  }
  void TearDown() override {
    gApp.ClosePopup(nullptr);
    for (CBar* bar : made_) DeleteBar(bar);
    Frame().object->Move(frameRect_.left, frameRect_.top, frameRect_.right - frameRect_.left,
                         frameRect_.bottom - frameRect_.top, true);
    Pump();
  }
  CBar* Make(uint16_t id, uint16_t flags, std::initializer_list<uint16_t> commands, uint16_t bayId, int32_t x,
             int32_t y, int32_t length, int32_t thickness) {
    CBar* bar = MakeBar(id, flags, commands, bayId, x, y, length, thickness);
    made_.push_back(bar);
    return bar;
  }
  RECT frameRect_{};
  std::vector<CBar*> made_;
};

TEST_F(Bars, BaysPlaceTheirBarsWhenTheWindowIsResized) {
  const uint16_t cut = kFirstToolCommand;
  CBar* tools = Make(kFirstBarCommand, 0, {0xF110, 0xF111, kSeparatorCommand, 0xF120}, Bay(kBaySideTop), 0, 0, 0, 0);
  CBar* right = Make(kFirstBarCommand + 1, kBarFarEnd, {cut, cut + 1}, Bay(kBaySideTop), 400, 0, 0, 0);
  CBar* status = Make(kFirstBarCommand + 2, kBarFill, {cut + 2}, Bay(kBaySideBottom), 0, 0, 0, 0);
  SizeFrame(900, 360);
  RECT client = ClientOf(Frame().window);
  const CDockBay* top = BayOf(kBaySideTop);
  EXPECT_EQ(ClientOf(top->hwnd).bottom, std::max(tools->thickness, right->thickness));
  EXPECT_EQ(Frame().object->clientRect.top, ClientOf(top->hwnd).bottom);
  EXPECT_EQ(PlaceOf(tools).left, 0);
  EXPECT_EQ(PlaceOf(right).right, client.right);  // pushed to the far end
  // The bottom bay shows the grip beside its filling bar.
  const CDockBay* bottom = BayOf(kBaySideBottom);
  EXPECT_EQ(bottom->grip, 1);
  EXPECT_EQ(PlaceOf(status).right, client.right - bottom->gripSize);
  EXPECT_EQ(Frame().object->clientRect.bottom, client.bottom - ClientOf(bottom->hwnd).bottom);

  SizeFrame(700, 300);
  client = ClientOf(Frame().window);
  EXPECT_EQ(PlaceOf(right).right, client.right);
  EXPECT_EQ(PlaceOf(status).right, client.right - bottom->gripSize);
  EXPECT_EQ(ClientOf(bottom->hwnd).right, client.right);
}

TEST_F(Bars, ASplitterDragNeverGoesBelowTheBandsMinimum) {
  CBar* sizes = Make(kFirstBarCommand + 2, kBarResizable, {kFirstToolCommand}, Bay(kBaySideLeft), 0, 0, 0, 0);
  sizes->thickness = 60;
  Frame().object->Layout();
  Pump();
  CDockBay* left = BayOf(kBaySideLeft);
  ASSERT_EQ(left->bands[0], -64);
  EXPECT_EQ(ClientOf(left->hwnd).right, 64);
  const POINT splitter{61, 10};
  EXPECT_EQ(left->HitTestSplitter(&splitter), 0);
  POINT screen = splitter;
  ClientToScreen(left->hwnd, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(left->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(splitter.x, splitter.y));
  ASSERT_EQ(left->dragBand, 0);
  SetCursorPos(screen.x - 200, screen.y);
  SendMessageA(left->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(sizes->thickness, sizes->minThickness);
  EXPECT_EQ(ClientOf(left->hwnd).right, sizes->minThickness + 4);
  SetCursorPos(screen.x + 30, screen.y);
  SendMessageA(left->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(sizes->thickness, 90);
  SendMessageA(left->hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(left->dragBand, -1);
  EXPECT_EQ(Frame().object->clientRect.left, 94);

  // With the bar sizes locked there is no splitter to take.
  Frame().object->SetFlag(zrf::kWindowBarSizesLocked, true);
  const POINT moved{91, 10};
  EXPECT_EQ(left->HitTestSplitter(&moved), -1);
  Frame().object->SetFlag(zrf::kWindowBarSizesLocked, false);
  EXPECT_EQ(left->HitTestSplitter(&moved), 0);
}

TEST_F(Bars, ABarFloatsAndDocksAndItsPlacementIsWrittenAndReadBack) {
  CBar* tools = Make(kFirstBarCommand, kBarSystemMenu, {0xF110, 0xF111, 0xF120}, Bay(kBaySideTop), 0, 0, 0, 0);
  CBar* docked = Make(kFirstBarCommand + 1, 0, {kFirstToolCommand, kFirstToolCommand + 1}, Bay(kBaySideTop), 300, 0, 0, 0);
  Frame().object->SetTransparency(40);
  tools->Dock(kFloating, 980, 200, 180, 76, true);
  Pump();
  const LONG style = GetWindowLongA(tools->hwnd, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU),
            static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_EQ(GetAncestor(tools->hwnd, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(tools->side, kBarFloating);
  RECT client = ClientOf(tools->hwnd);
  EXPECT_EQ(client.right, 180);
  EXPECT_EQ(client.bottom, 76);
  // A floating bar is as transparent as its window: alpha (100 - 40) * 255 / 100.
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(tools->hwnd, nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 153);
  Frame().object->SetTransparency(0);
  EXPECT_EQ(GetWindowLongA(tools->hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  // It follows its window without taking the activation, and is busy while a dialog runs.
  Frame().object->Show(SW_SHOWNORMAL, 0);
  EXPECT_TRUE(IsWindowVisible(tools->hwnd));
  EXPECT_EQ(GetActiveWindow(), Frame().window);
  SendMessageA(Frame().window, zrf::WM_ZRF_MODALDEPTH, 1, 0);
  EXPECT_NE(tools->busyWindow, nullptr);
  EXPECT_EQ(docked->busyWindow, nullptr);
  SendMessageA(Frame().window, zrf::WM_ZRF_MODALDEPTH, 0, 0);
  EXPECT_EQ(tools->busyWindow, nullptr);
  RedrawWindow(Frame().window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RedrawWindow(tools->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  EXPECT_TRUE(SaveWindowPicture(GetDesktopWindow(), VERDELO_SCREENSHOT_DIR "/docked_and_floating_bars.bmp"));

  ASSERT_TRUE(tools->SaveState());
  std::array<uint8_t, zrf::kBarPlacementSize> bytes{};
  ASSERT_EQ(ReadDataFile(zrf::kBarPlacementFileName, tools->barId, bytes.data(), 16, kDataFolderLocation), 16u);
  zrf::StoredBarPlacement stored{};
  ASSERT_TRUE(zrf::UnpackBarPlacement(bytes, &stored));
  EXPECT_FALSE(stored.docked);
  EXPECT_EQ(stored.placement.x, 980);
  EXPECT_EQ(stored.placement.y, 200);
  EXPECT_EQ(stored.placement.length, 180);
  EXPECT_EQ(stored.placement.windowIndex, Frame().object->index);
  EXPECT_EQ(stored.placement.flags, tools->barFlags);

  // Docked again, in the second band of the top bay.
  tools->band = 1;
  tools->Dock(Bay(kBaySideTop), 20, 0, 0, 0, true);
  Pump();
  EXPECT_EQ(GetWindowLongA(tools->hwnd, GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
  EXPECT_EQ(GetParent(tools->hwnd), BayOf(kBaySideTop)->hwnd);
  EXPECT_EQ(PlaceOf(tools).top, docked->thickness);
  ASSERT_TRUE(tools->SaveState());
  ASSERT_EQ(ReadDataFile(zrf::kBarPlacementFileName, tools->barId, bytes.data(), 16, kDataFolderLocation), 16u);
  ASSERT_TRUE(zrf::UnpackBarPlacement(bytes, &stored));
  EXPECT_TRUE(stored.docked);
  EXPECT_EQ(stored.placement.bayId, Bay(kBaySideTop));
  EXPECT_EQ(stored.placement.band, 1);
  EXPECT_EQ(stored.placement.x, 20);
}

TEST_F(Bars, ShowFrameWindowShowsAndHidesBarsAndWindows) {
  CBar* floating = Make(kFirstBarCommand + 1, 0, {0xF110}, kFloating, 980, 200, 120, 40);
  Frame().object->Show(SW_SHOWNORMAL, 0);
  Pump();
  ASSERT_TRUE(IsWindowVisible(floating->hwnd));
  // The answer is whether the window was visible before.
  EXPECT_TRUE(ShowFrameWindow(floating, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(floating->hwnd));
  EXPECT_FALSE(ShowFrameWindow(floating, SW_SHOWNA));
  EXPECT_TRUE(IsWindowVisible(floating->hwnd));
  EXPECT_EQ(GetActiveWindow(), Frame().window);
  EXPECT_TRUE(ShowFrameWindow(Frame().object, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(Frame().window));
  EXPECT_FALSE(ShowFrameWindow(Frame().object, SW_SHOWNORMAL));
  EXPECT_TRUE(IsWindowVisible(Frame().window));
  // Frames without a window are passed over.
  const CBar windowless;
  EXPECT_FALSE(ShowFrameWindow(&windowless, SW_SHOW));
  EXPECT_FALSE(ShowFrameWindow(static_cast<const CZrfWindow*>(nullptr), SW_SHOW));
}

TEST_F(Bars, AShortColumnSendsItsLastItemsToTheOverflowEntry) {
  const uint16_t t = kFirstToolCommand;
  CBar* column = Make(kFirstBarCommand + 1, 0, {t, t + 1, t + 2, t + 3, t + 4, t + 5, t + 6, t + 7},
                      Bay(kBaySideRight), 0, 0, 0, 0);
  SizeFrame(700, 200);
  ASSERT_GE(column->overflowIds.size(), 2u);
  EXPECT_EQ(column->overflowIds.back(), 0xFFFF);
  // The dropped ones are the last: item 7 is among them, the overflow entry shows.
  EXPECT_EQ(column->overflowIds[column->overflowIds.size() - 2], t + 7);
  CUIItem* overflow = *column->items.GetAt(column->items.count - 1);
  EXPECT_EQ(overflow->shownInBar, 1);
  EXPECT_EQ((*column->items.GetAt(7))->shownInBar, 0);
  RECT anchor;
  GetWindowRect(overflow->hwnd, &anchor);
  ASSERT_EQ(overflow->OpenPopup(anchor), ZRF_OK);
  auto* popup = static_cast<CMenu*>(overflow);
  ASSERT_EQ(popup->children.count, static_cast<int32_t>(column->overflowIds.size() - 1));
  for (int32_t i = 0; i < popup->children.count; ++i)
    EXPECT_EQ((*popup->children.GetAt(i))->commandId, column->overflowIds[static_cast<size_t>(i)]);
  gApp.ClosePopup(nullptr);
}

TEST_F(Bars, TheWindowMenuListsTheBarsAndShowsAndHidesThem) {
  CBar* tools = Make(kFirstBarCommand, 0, {0xF110}, Bay(kBaySideTop), 0, 0, 0, 0);
  CBar* hidden = Make(kFirstBarCommand + 3, 0, {0xF111}, Bay(kBaySideTop), 200, 0, 0, 0);
  gApp.ShowBar(hidden, false);
  EXPECT_FALSE(IsWindowVisible(hidden->hwnd));
  ASSERT_FALSE(Frame().Messages(zrf::WM_ZRF_BARSHOWN).empty());
  SendMessageA(Frame().window, zrf::WM_ZRF_WINDOWMENU, 0, 0);
  auto* menu = static_cast<CMenu*>(gApp.openPopup);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->children.count, 10);
  EXPECT_EQ((*menu->children.GetAt(0))->commandId, tools->barId);
  EXPECT_EQ((*menu->children.GetAt(1))->commandId, hidden->barId);
  EXPECT_EQ((*menu->children.GetAt(2))->commandId, kSeparatorCommand);
  EXPECT_NE(gApp.commands.Find(tools->barId)->flags & kItemChecked, 0u);
  EXPECT_EQ(gApp.commands.Find(hidden->barId)->flags & kItemChecked, 0u);
  EXPECT_NE(gApp.commands.Find(0xF151)->flags & kItemEnabled, 0u);  // the bar locks, with bars
  // The keyboard passes the separator.
  Key(WM_KEYDOWN, VK_DOWN);
  Key(WM_KEYDOWN, VK_DOWN);
  Key(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(gApp.PressedItemIndex(menu), 3);
  gApp.ClosePopup(nullptr);

  EXPECT_TRUE(Frame().object->OnCommand(hidden->barId));
  EXPECT_NE(hidden->barFlags & kBarShown, 0);
  EXPECT_TRUE(IsWindowVisible(hidden->hwnd));
  EXPECT_TRUE(Frame().object->OnCommand(tools->barId));
  EXPECT_EQ(tools->barFlags & kBarShown, 0);
  EXPECT_EQ(PlaceOf(hidden).left, 200);  // a bar keeps its own place in the band
}

TEST_F(Bars, AltAndTheArrowsWalkTheMenuBar) {
  Make(kFirstBarCommand + 3, 0, {kFileMenuCommand, kViewMenuCommand}, Bay(kBaySideTop), 0, 0, 0, 0);
  Key(WM_SYSKEYUP, VK_MENU);
  ASSERT_NE(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.openPopup->commandId, kFileMenuCommand);
  EXPECT_EQ(gApp.menuBarEntries.count, 2);
  auto* file = static_cast<CMenu*>(gApp.openPopup);
  Key(WM_KEYDOWN, VK_DOWN);
  Key(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ((*file->children.GetAt(gApp.PressedItemIndex(file)))->commandId, 0xF111);  // past the separator
  Key(WM_KEYDOWN, VK_RIGHT);
  ASSERT_NE(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.openPopup->commandId, kViewMenuCommand);
  EXPECT_EQ(file->isOpen, 0);
  Key(WM_KEYDOWN, VK_RIGHT);  // wraps to the first entry
  EXPECT_EQ(gApp.openPopup->commandId, kFileMenuCommand);
  Key(WM_SYSKEYUP, VK_MENU);
  EXPECT_EQ(gApp.openPopup, nullptr);
  EXPECT_EQ(gApp.popupOpen, 0);
  EXPECT_EQ(gApp.menuBarEntries.count, 0);
}

TEST_F(Bars, TheStatusCommandShowsTheWindowsStatusText) {
  constexpr uint16_t kStatusCommand = 0x440;
  constexpr uint16_t kStatusString = 121;  // a string of the program's table
  if (gApp.CommandIndex(kStatusCommand) < 0)
    (void)gApp.RegisterCommand(kStatusCommand, kItemStatic, kItemShowLabel, 0, kStatusString, 0, 0, 0);
  const char* before = gApp.strings.FindString(kStatusString, 0);
  Frame().object->statusCommand = kStatusCommand;
  Frame().object->SetStatusText(7, "Saving the plant");
  EXPECT_STREQ(gApp.strings.FindString(kStatusString, 0), "Saving the plant");
  Frame().object->SetStatusText(7, nullptr);
  EXPECT_STREQ(gApp.strings.FindString(kStatusString, 0), "Ready");
  Frame().object->statusCommand = 0xFFFF;
  gApp.strings.SetString(kStatusString, 0, before);
}

}  // namespace
