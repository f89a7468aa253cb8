// The Wine checks of the UI items, run by the UI test program (-TEST) on its scene: pixels of the
// items as painted, press and release, hover and status text, drag-out, double click, tooltips,
// the value items, the factory, and create-and-destroy cycles that must leave nothing behind.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstring>
#include <string>

#include "framework/app/zrf_app_win.h"
#include "framework/base/color_hsl.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/palette_item_win.h"
#include "framework/items/slider_item_win.h"
#include "framework/items/tree_item_win.h"
#include "framework/windows/zrf_window_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/uitest/ui_test_scene_win.h"

namespace {

using namespace uitest;

constexpr WPARAM kLeft = 1 << 16;

uint32_t Flags(uint32_t id) { return gApp.commands.Find(static_cast<uint16_t>(id))->flags; }

std::string StatusText() {
  char text[1024] = "";
  gApp.FindWindowByHwnd(gScene.frame)->ShownStatusText(text, sizeof text);
  return text;
}

POINT ScreenCentre(const CUIItem* item) {
  RECT r;
  GetWindowRect(item->hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LPARAM ClientParam(const CUIItem* item, POINT screen) {
  ScreenToClient(item->hwnd, &screen);
  return MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
}

LRESULT Send(const CUIItem* item, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(item->hwnd, message, wParam, lParam);
}

// Presses the left button on `item` with the cursor at `cursor`, then releases it there.
void Click(const CUIItem* item, POINT cursor) {
  SetCursorPos(cursor.x, cursor.y);
  Send(item, WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(item, cursor));
  Send(item, WM_LBUTTONUP, 0, ClientParam(item, cursor));
}

// A point of the panel that no item covers (below the scene's rows, right of the tree).
POINT FreePanelPoint() {
  RECT r;
  GetWindowRect(gScene.panel, &r);
  return {r.right - 20, r.bottom - 20};
}

// A new item of `kind` for command `id` in the panel at (x, y), shown.
CUIItem* MakeItem(int32_t kind, uint16_t id, int32_t x, int32_t y) {
  CUIItem* item = CreateUIItem(kind, nullptr);
  EXPECT_NE(item, nullptr);
  if (item == nullptr) return nullptr;
  EXPECT_EQ(item->Create(id, gScene.panel, gScene.frame, nullptr), ZRF_OK);
  MoveWindow(item->hwnd, x, y, item->width, item->height, TRUE);
  ShowWindow(item->hwnd, SW_SHOWNA);
  UpdateWindow(item->hwnd);
  return item;
}

// The colour the screen shows at (x, y) of `window`'s client area.
uint32_t PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void Settle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class Items : public testing::Test {
 protected:
  void SetUp() override {
    const POINT away = FreePanelPoint();
    SetCursorPos(away.x, away.y);
    Settle();
    gScene.ClearLog();
  }
  void TearDown() override {
    ReleaseCapture();
    gApp.hoveredItem = nullptr;
    gApp.pressedItem = nullptr;
  }
};

// First: the scene as it was made, before any check changes a state.
TEST_F(Items, SceneOfEveryKindInEveryStatePaintsItsFrames) {
  RedrawWindow(gScene.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle();
  EXPECT_TRUE(SaveWindowPicture(gScene.frame, VERDELO_SCREENSHOT_DIR "/ui_items.bmp"));
  // The top edge of a button: the panel's background when plain (frame style 0), the frame colour
  // P45 when hot, pressed or checked (styles 1, 2 and 6).
  const uint32_t* palette = gApp.style.palette;
  const CUIItem* plain = gScene.Item(kRowButton, kNormal);
  EXPECT_EQ(PixelOf(plain->hwnd, plain->width / 2, 0), palette[35]);
  for (int32_t state : {kHot, kPressed, kChecked}) {
    const CUIItem* item = gScene.Item(kRowButton, state);
    EXPECT_EQ(PixelOf(item->hwnd, item->width / 2, 0), palette[45]) << state;
  }
  // The rounded corner takes the panel's background entirely at its outermost pixel.
  const CUIItem* hot = gScene.Item(kRowButton, kHot);
  EXPECT_EQ(PixelOf(hot->hwnd, 0, 0), palette[35]);
  // A disabled static keeps its sunken frame.
  const CUIItem* label = gScene.Item(kRowStatic, kDisabled);
  EXPECT_EQ(PixelOf(label->hwnd, label->width / 2, 0), palette[53]);
}

TEST_F(Items, PressAndReleaseOnAnEnabledButtonSendTheCommand) {
  CUIItem* button = gScene.Item(kRowButton, kNormal);
  const uint32_t id = button->commandId;
  Click(button, ScreenCentre(button));
  auto commands = gScene.Messages(zrf::WM_ZRF_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, kLeft | id);
  EXPECT_EQ(commands[0].lParam, 0);
  EXPECT_EQ(Flags(id) & kItemPressed, 0u);

  // Released over another window: no command.
  gScene.ClearLog();
  const POINT centre = ScreenCentre(button);
  SetCursorPos(centre.x, centre.y);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(button, centre));
  EXPECT_NE(Flags(id) & kItemPressed, 0u);
  const POINT away = FreePanelPoint();
  SetCursorPos(away.x, away.y);
  Send(button, WM_LBUTTONUP, 0, ClientParam(button, away));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_COMMAND).empty());

  // The buttons come from the message: a right click with the left held is 3, whatever the
  // physical buttons say.
  gScene.ClearLog();
  SetCursorPos(centre.x, centre.y);
  Send(button, WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, ClientParam(button, centre));
  Send(button, WM_RBUTTONUP, MK_LBUTTON, ClientParam(button, centre));
  commands = gScene.Messages(zrf::WM_ZRF_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, (3u << 16) | id);

  // The framework's own release (lParam -1) clicks wherever the cursor is.
  gScene.ClearLog();
  SetCursorPos(away.x, away.y);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Send(button, WM_LBUTTONUP, 0, -1);
  EXPECT_EQ(gScene.Messages(zrf::WM_ZRF_COMMAND).size(), 1u);

  // Disabled: nothing, and no pressed look.
  gScene.ClearLog();
  CUIItem* disabled = gScene.Item(kRowButton, kDisabled);
  Click(disabled, ScreenCentre(disabled));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_COMMAND).empty());
  EXPECT_EQ(Flags(disabled->commandId) & (kItemPressed | kItemEnabled), 0u);
}

TEST_F(Items, HoverSetsAndClearsTheHotFlagAndTheStatusText) {
  CUIItem* button = gScene.Item(kRowButton, kNormal);
  const POINT centre = ScreenCentre(button);
  SetCursorPos(centre.x, centre.y);
  Send(button, WM_MOUSEMOVE, 0, ClientParam(button, centre));
  EXPECT_NE(Flags(button->commandId) & kItemHot, 0u);
  EXPECT_EQ(gApp.hoveredItem, button);
  EXPECT_EQ(StatusText(), "Presses the button");

  // Moving on to another item leaves the first.
  CUIItem* owned = MakeItem(kItemButton, kOwnerTextCommand, 600, 440);
  const POINT second = ScreenCentre(owned);
  SetCursorPos(second.x, second.y);
  Send(owned, WM_MOUSEMOVE, 0, ClientParam(owned, second));
  EXPECT_EQ(Flags(button->commandId) & kItemHot, 0u);
  EXPECT_EQ(gApp.hoveredItem, owned);
  EXPECT_EQ(StatusText(), "Owner status");

  Send(owned, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Flags(owned->commandId) & kItemHot, 0u);
  EXPECT_EQ(gApp.hoveredItem, nullptr);
  EXPECT_EQ(StatusText(), "Ready");
  delete owned;
}

TEST_F(Items, DragOutIsToldOnceWhenThePressedItemIsLeft) {
  CUIItem* item = MakeItem(kItemButton, kDragOutCommand, 600, 440);
  const POINT centre = ScreenCentre(item);
  SetCursorPos(centre.x, centre.y);
  Send(item, WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(item, centre));
  EXPECT_EQ(GetCapture(), item->hwnd);
  Send(item, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(item, centre));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_DRAGOUT).empty());
  const POINT away = FreePanelPoint();
  SetCursorPos(away.x, away.y);
  Send(item, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(item, away));
  const auto dragged = gScene.Messages(zrf::WM_ZRF_DRAGOUT);
  ASSERT_EQ(dragged.size(), 1u);
  EXPECT_EQ(dragged[0].wParam, kDragOutCommand);
  EXPECT_EQ(dragged[0].lParam, 0);
  EXPECT_NE(GetCapture(), item->hwnd);
  delete item;
}

TEST_F(Items, ASecondPressWithinTheDoubleClickTimeIsADoubleClick) {
  CUIItem* button = gScene.Item(kRowButton, kNormal);
  const uint32_t savedTime = gApp.doubleClickTime;
  gApp.doubleClickTime = 60000;
  gApp.buttonPressTicks[0] = 0;
  Click(button, ScreenCentre(button));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_ITEMDBLCLK).empty());
  Click(button, ScreenCentre(button));
  const auto doubles = gScene.Messages(zrf::WM_ZRF_ITEMDBLCLK);
  ASSERT_EQ(doubles.size(), 1u);
  EXPECT_EQ(doubles[0].wParam, kLeft | button->commandId);
  // Long after the last press: a single click again.
  gScene.ClearLog();
  gApp.buttonPressTicks[0] = GetTickCount64() - 120000;
  Click(button, ScreenCentre(button));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_ITEMDBLCLK).empty());
  gApp.doubleClickTime = savedTime;
}

std::string ToolText(const CUIItem* item) {
  char text[260] = "";
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(item->hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(item->hwnd);
  tool.lpszText = text;
  SendMessageA(gApp.tooltipWindow, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

int ToolCount() { return static_cast<int>(SendMessageA(gApp.tooltipWindow, TTM_GETTOOLCOUNT, 0, 0)); }

TEST_F(Items, TooltipsTellTheTooltipPieceOrTheLabelWithItsShortcut) {
  ASSERT_NE(gApp.tooltipWindow, nullptr);
  EXPECT_EQ(ToolText(gScene.Item(kRowButton, kNormal)), "Button (Ctrl+B)");
  EXPECT_EQ(ToolText(gScene.givenObject), "Its own tooltip");
  EXPECT_EQ(ToolText(gScene.Item(kRowSlider, kNormal)), "Slider");
  const int before = ToolCount();
  CUIItem* extra = MakeItem(kItemButton, kTooltipCommand, 600, 440);
  EXPECT_EQ(ToolCount(), before + 1);
  delete extra;
  EXPECT_EQ(ToolCount(), before);
}

TEST_F(Items, AnItemDestroyedWhileHoveredAndPressedIsForgotten) {
  CUIItem* first = MakeItem(kItemButton, SceneCommand(kRowButton, kNormal), 600, 440);
  CUIItem* second = MakeItem(kItemButton, kTooltipCommand, 600, 480);
  const POINT centre = ScreenCentre(first);
  SetCursorPos(centre.x, centre.y);
  Send(first, WM_MOUSEMOVE, 0, ClientParam(first, centre));
  Send(first, WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(first, centre));
  ASSERT_EQ(gApp.hoveredItem, first);
  ASSERT_EQ(gApp.pressedItem, first);
  delete first;
  EXPECT_EQ(gApp.hoveredItem, nullptr);
  EXPECT_EQ(gApp.pressedItem, nullptr);
  // The next move goes to another item, and its release clicks nothing of the first.
  const POINT other = ScreenCentre(second);
  SetCursorPos(other.x, other.y);
  Send(second, WM_MOUSEMOVE, 0, ClientParam(second, other));
  EXPECT_EQ(gApp.hoveredItem, second);
  EXPECT_NE(Flags(kTooltipCommand) & kItemHot, 0u);
  Send(second, WM_LBUTTONUP, 0, ClientParam(second, other));
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_COMMAND).empty());
  delete second;
}

TEST_F(Items, SliderStepsBesideTheThumbAndDragsWithinItsRange) {
  auto* slider = static_cast<CSlider*>(gScene.Item(kRowSlider, kNormal));
  UIValueRange& range = *slider->value;
  range = {3, 0, 10};
  RedrawWindow(slider->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT extra = slider->extraRect;
  // Left of the thumb: one down, told with lParam 1.
  Send(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(extra.left + 1, extra.top + 2));
  Send(slider, WM_LBUTTONUP, 0, MAKELPARAM(extra.left + 1, extra.top + 2));
  EXPECT_EQ(range.value, 2);
  auto changes = gScene.Messages(zrf::WM_ZRF_COMMAND);
  ASSERT_GE(changes.size(), 1u);
  EXPECT_EQ(changes[0].wParam, slider->commandId);
  EXPECT_EQ(changes[0].lParam, 1);

  // A range from 10: the thumb stays on the track, and dragging it to the end reaches 20.
  range = {15, 10, 20};
  RedrawWindow(slider->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_LE(slider->thumb.right, extra.right);
  EXPECT_GE(slider->thumb.left, extra.left);
  const LPARAM onThumb = MAKELPARAM((slider->thumb.left + slider->thumb.right) / 2, extra.top + 2);
  Send(slider, WM_LBUTTONDOWN, MK_LBUTTON, onThumb);
  Send(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(extra.right + 40, extra.top + 2));
  EXPECT_EQ(range.value, 20);
  Send(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(extra.left - 40), extra.top + 2));
  EXPECT_EQ(range.value, 10);
  Send(slider, WM_LBUTTONUP, 0, onThumb);
  range = {3, 0, 10};
}

TEST_F(Items, BrushSizeFollowsTheDragUpAndTellsOnRelease) {
  CUIItem* brush = gScene.Item(kRowBrushSize, kNormal);
  UIValueRange& range = gScene.ranges[1][kNormal];
  range = {12, 1, 99};
  EXPECT_NE(Flags(brush->commandId) & kItemOwnDrag, 0u);
  Send(brush, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 60));
  Send(brush, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 10));
  EXPECT_EQ(range.value, 22);
  EXPECT_TRUE(gScene.Messages(zrf::WM_ZRF_COMMAND).empty());
  Send(brush, WM_LBUTTONUP, 0, MAKELPARAM(5, 10));
  const auto told = gScene.Messages(zrf::WM_ZRF_COMMAND);
  ASSERT_GE(told.size(), 1u);
  EXPECT_EQ(told[0].wParam, brush->commandId);
  EXPECT_EQ(told[0].lParam, 0);
}

TEST_F(Items, ColourAndPalettePickTheScreenOutsideTheItem) {
  CUIItem* color = gScene.Item(kRowColor, kNormal);
  const POINT away = FreePanelPoint();
  const uint32_t panelPixel = PixelOf(nullptr, away.x, away.y);
  ASSERT_EQ(panelPixel, gApp.style.palette[35]);
  SetCursorPos(away.x, away.y);
  Send(color, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  Send(color, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(color, away));
  EXPECT_EQ(gScene.colors[kNormal].color, PackColor(panelPixel, 255));
  Send(color, WM_LBUTTONUP, 0, ClientParam(color, away));
  EXPECT_EQ(gScene.Messages(zrf::WM_ZRF_COMMAND).size(), 1u);

  auto* palette = static_cast<CPalette*>(gScene.Item(kRowPalette, kNormal));
  UIPaletteValue& record = gScene.palettes[kNormal];
  const RECT swatch = palette->swatches[3];
  Send(palette, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(swatch.left + 2, swatch.top + 2));
  EXPECT_EQ(record.selected, 3);
  Send(palette, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(palette, away));
  EXPECT_EQ(record.colors[3], PackColor(panelPixel, 255));
  Send(palette, WM_LBUTTONUP, 0, ClientParam(palette, away));
  // A selection the program set outside the swatches takes nothing.
  const UIPaletteValue before = record;
  for (int32_t selected : {-1, 16, 1000}) {
    record.selected = selected;
    Send(palette, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(palette, away));
    EXPECT_EQ(std::memcmp(record.colors, before.colors, sizeof before.colors), 0) << selected;
  }
  record.selected = 0;
}

TEST_F(Items, AColourItemShowsItsColourUnderEitherOverlay) {
  CUIItem* color = gScene.Item(kRowColor, kNormal);
  UIColorValue& value = gScene.colors[kNormal];
  const UIColorValue before = value;
  const RECT& icon = color->iconRect;
  for (int32_t variant : {0, 1}) {
    value = {0xFF20C040u, variant};
    RedrawWindow(color->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PixelOf(color->hwnd, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2),
              RGB(0x20, 0xC0, 0x40))
        << variant;
  }
  value = before;
  RedrawWindow(color->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(Items, FactoryKindsAndMissingValueRecords) {
  for (int32_t kind : {0, 7, 8, 13, 100}) EXPECT_EQ(CreateUIItem(kind, nullptr), nullptr) << kind;
  CUIItem* object = CreateUIItem(kItemButton, nullptr);
  EXPECT_EQ(CreateUIItem(kItemGivenObject, object), object);
  EXPECT_EQ(object->kind, kItemButton);
  delete object;
  CUIItem* separator = CreateUIItem(kItemSeparator, nullptr);
  EXPECT_EQ(separator->kind, 0);
  delete separator;

  const int32_t live = gApp.items.count;
  for (int32_t i = 0; i < 4; ++i) {
    CUIItem* item = CreateUIItem(kItemSlider + i, nullptr);
    EXPECT_EQ(item->Create(static_cast<uint16_t>(kBareValueCommand + i), gScene.panel, gScene.frame, nullptr),
              ZRF_ERR_CREATE);
    delete item;
  }
  // A tree without its procedure fails before it has a window.
  CUIItem* bare = CreateUIItem(kItemTree, nullptr);
  EXPECT_EQ(bare->Create(kBareTreeCommand, gScene.panel, gScene.frame, nullptr), ZRF_ERR_CREATE);
  EXPECT_EQ(bare->hwnd, nullptr);
  delete bare;
  EXPECT_EQ(gApp.items.count, live);

  auto* tree = static_cast<CTree*>(gScene.tree);
  EXPECT_EQ(gScene.treeCreates, 1);
  EXPECT_NE(tree->previousProc, nullptr);
  EXPECT_EQ(SendMessageA(tree->hwnd, TVM_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Flags(kTreeCommand) & kItemDroppable, 0u);
}

// The kinds of the cycles, with a command of each.
struct CycleKind {
  int32_t kind;
  uint16_t id;
};

// Live GDI objects of the process. Windows counts them (GetGuiResources); Wine answers 0 there, but
// it takes a handle with a zero high word as any generation of its slot, so every slot of its
// handle table can be asked.
DWORD GdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  DWORD live = 0;
  for (uintptr_t slot = 1; slot <= 0xFFFF; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++live;
  }
  return live;
}
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The windows in the panel, where every item of the cycles lives.
int PanelWindows() {
  int count = 0;
  EnumChildWindows(gScene.panel, CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(Items, TwentyThousandCreateAndDestroyCyclesLeaveNothingBehind) {
  const CycleKind kinds[] = {
      {kItemButton, SceneCommand(kRowButton, kHot)},      {kItemStatic, SceneCommand(kRowStatic, kNormal)},
      {kItemSeparator, SceneCommand(kRowSeparator, 0)},   {kItemSlider, SceneCommand(kRowSlider, kPressed)},
      {kItemBrushSize, SceneCommand(kRowBrushSize, 0)},   {kItemColor, SceneCommand(kRowColor, kDisabled)},
      {kItemPalette, SceneCommand(kRowPalette, kNormal)}, {kItemTree, kTreeCommand},
  };
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 100);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  constexpr int kKinds = sizeof kinds / sizeof kinds[0];
  int created = 0;
  auto cycle = [&](int i) {
    const CycleKind& kind = kinds[i % kKinds];
    CUIItem* item = CreateUIItem(kind.kind, nullptr);
    if (item->Create(kind.id, gScene.panel, gScene.frame, nullptr) == ZRF_OK) ++created;
    const RECT client{0, 0, item->width > 0 ? item->width : 40, item->height > 0 ? item->height : 20};
    item->Paint(memory, client);
    delete item;
  };
  // One round first: what the first paint of a kind makes once (a font for the DPI) stays.
  for (int i = 0; i < kKinds; ++i) cycle(i);
  created = 0;
  const int32_t live = gApp.items.count;
  const DWORD gdi = GdiObjects();
  const int windows = PanelWindows();
  const int tools = ToolCount();
  constexpr int kCycles = 20000;
  for (int i = 0; i < kCycles; ++i) cycle(i);
  EXPECT_EQ(created, kCycles);
  EXPECT_EQ(gApp.items.count, live);
  EXPECT_EQ(GdiObjects(), gdi);
  EXPECT_EQ(PanelWindows(), windows);
  EXPECT_EQ(ToolCount(), tools);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace
