// The Wine checks of the list item: sorting by header clicks (and sorting switched off), the
// codes it tells its owner for a selection, a double click, a slow click and a right click, Ctrl+A,
// the comparison without a sort column and the column lock.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/list_item_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/uitest/framework_frame_win.h"

namespace {

using namespace uitest;

ListRow gRows[] = {{"Fern", 12}, {"Basil", 30}, {"Moss", 7}, {"Ivy", 21}};

class Lists : public testing::Test {
 protected:
  void SetUp() override {
    FrameworkFrame& frame = Frame();
    list_ = static_cast<CList*>(CreateUIItem(kItemList, nullptr));
    ASSERT_EQ(list_->Create(kListCommand, frame.window, frame.window, nullptr), ZRF_OK);
    const RECT client = frame.object->clientRect;
    MoveWindow(list_->hwnd, client.left + 20, client.top + 20, 360, 200, TRUE);
    ShowWindow(list_->hwnd, SW_SHOWNA);
    list_->AddColumn("Plant", 0.6);
    list_->AddColumn("Leaves", 0.4);
    list_->SetSortColumn(0, 1);
    for (ListRow& row : gRows) list_->AddRow(&row);
    Pump();
    frame.log.clear();
  }
  void TearDown() override {
    delete list_;
    Pump();
  }

  // The rows' names from the top.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < list_->GetCount(); ++i)
      names.push_back(reinterpret_cast<const ListRow*>(SendMessageA(list_->listBox, LB_GETITEMDATA, i, 0))->name);
    return names;
  }

  // A click on the header of `column`, as the header control sees it.
  void ClickHeader(int32_t column, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    RECT item;
    Header_GetItemRect(list_->header, column, &item);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    POINT screen{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list_->header, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(list_->header, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
    SendMessageA(list_->header, up, 0, at);
    Pump();
  }

  int32_t HeaderImage(int32_t column) const {
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(list_->header, column, &item);
    return (item.fmt & HDF_IMAGE) != 0 ? item.iImage : -1;
  }

  LPARAM RowPoint(int32_t row) const {
    RECT r;
    SendMessageA(list_->listBox, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2);
  }

  CList* list_ = nullptr;
};

TEST_F(Lists, HeaderClicksSortAndTurnTheArrow) {
  EXPECT_EQ(Names(), (std::vector<std::string>{"Basil", "Fern", "Ivy", "Moss"}));
  EXPECT_EQ(HeaderImage(0), 0);
  ClickHeader(0);
  EXPECT_EQ(list_->sortDirection, -1);
  EXPECT_EQ(HeaderImage(0), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Moss", "Ivy", "Fern", "Basil"}));
  ClickHeader(1);  // another column keeps the direction
  EXPECT_EQ(list_->sortColumn, 1);
  EXPECT_EQ(HeaderImage(0), -1);
  EXPECT_EQ(HeaderImage(1), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Basil", "Ivy", "Fern", "Moss"}));
  const auto sorts = Frame().ListCodes(zrf::ZRF_LN_SORT);
  ASSERT_EQ(sorts.size(), 2u);
  EXPECT_EQ(LOWORD(sorts[1].wParam), kListCommand);
  EXPECT_EQ(sorts[1].lParam, 1);
  RedrawWindow(list_->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Pump();
  EXPECT_TRUE(SaveWindowPicture(list_->hwnd, VERDELO_SCREENSHOT_DIR "/list_sorted.bmp"));

  // A right click on the sort column switches sorting off: the arrow greys, clicks do nothing.
  ClickHeader(1, WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_EQ(list_->sortingOff, 1);
  EXPECT_EQ(HeaderImage(1), 3);
  Frame().log.clear();
  ClickHeader(0);
  EXPECT_EQ(list_->sortColumn, 1);
  EXPECT_TRUE(Frame().ListCodes(zrf::ZRF_LN_SORT).empty());
  ClickHeader(1, WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_EQ(list_->sortingOff, 0);
}

TEST_F(Lists, SelectionDoubleSlowAndRightClicksAreToldToTheOwner) {
  FrameworkFrame& frame = Frame();
  SendMessageA(list_->listBox, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(1));
  SendMessageA(list_->listBox, WM_LBUTTONUP, 0, RowPoint(1));
  Pump();
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_SELCHANGE).size(), 1u);
  ASSERT_EQ(frame.ListCodes(zrf::ZRF_LN_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_LBUTTONDOWN)[0].lParam, RowPoint(1));
  EXPECT_EQ(SendMessageA(list_->listBox, LB_GETSEL, 1, 0), 1);

  // A second click on the selected row with no double click after it: one slow click.
  const uint32_t savedTime = gApp.doubleClickTime;
  gApp.doubleClickTime = 50;
  frame.log.clear();
  SendMessageA(list_->listBox, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(1));
  SendMessageA(list_->listBox, WM_LBUTTONUP, 0, RowPoint(1));
  PumpFor(300);
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_SLOWCLICK).size(), 1u);
  // With the double click coming first, none.
  frame.log.clear();
  SendMessageA(list_->listBox, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(1));
  SendMessageA(list_->listBox, WM_LBUTTONUP, 0, RowPoint(1));
  SendMessageA(list_->listBox, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(1));
  SendMessageA(list_->listBox, WM_LBUTTONUP, 0, RowPoint(1));
  PumpFor(300);
  EXPECT_TRUE(frame.ListCodes(zrf::ZRF_LN_SLOWCLICK).empty());
  ASSERT_EQ(frame.ListCodes(zrf::ZRF_LN_DBLCLK).size(), 1u);
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_DBLCLK)[0].lParam, RowPoint(1));
  gApp.doubleClickTime = savedTime;

  // A right click selects the row under the cursor alone and is told on release.
  frame.log.clear();
  SendMessageA(list_->listBox, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(3));
  SendMessageA(list_->listBox, WM_RBUTTONUP, 0, RowPoint(3));
  EXPECT_EQ(SendMessageA(list_->listBox, LB_GETSEL, 3, 0), 1);
  EXPECT_EQ(SendMessageA(list_->listBox, LB_GETSEL, 1, 0), 0);
  EXPECT_GE(frame.ListCodes(zrf::ZRF_LN_SELCHANGE).size(), 1u);
  ASSERT_EQ(frame.ListCodes(zrf::ZRF_LN_RCLICK).size(), 1u);
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_RCLICK)[0].lParam, RowPoint(3));
}

TEST_F(Lists, CtrlASelectsAllUnlessTheOwnerTakesTheKey) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  FrameworkFrame& frame = Frame();
  frame.keyAnswer = 1;
  SendMessageA(list_->listBox, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(SendMessageA(list_->listBox, LB_GETSELCOUNT, 0, 0), 0);
  ASSERT_EQ(frame.ListCodes(zrf::ZRF_LN_KEYDOWN).size(), 1u);
  EXPECT_EQ(frame.ListCodes(zrf::ZRF_LN_KEYDOWN)[0].lParam, 'A');
  frame.keyAnswer = 0;
  SendMessageA(list_->listBox, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(SendMessageA(list_->listBox, LB_GETSELCOUNT, 0, 0), 4);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST_F(Lists, NoSortColumnComparesNothingAndTheLockHoldsTheColumns) {
  list_->SetSortColumn(-1, 1);
  const int32_t asked = Frame().compareCount;
  COMPAREITEMSTRUCT compare{};
  compare.CtlType = ODT_LISTBOX;
  compare.hwndItem = list_->listBox;
  compare.itemData1 = reinterpret_cast<ULONG_PTR>(&gRows[0]);
  compare.itemData2 = reinterpret_cast<ULONG_PTR>(&gRows[1]);
  EXPECT_EQ(SendMessageA(list_->hwnd, WM_COMPAREITEM, kListCommand, reinterpret_cast<LPARAM>(&compare)), -1);
  EXPECT_EQ(Frame().compareCount, asked);

  NMHEADERA track{};
  track.hdr.hwndFrom = list_->header;
  track.hdr.code = HDN_BEGINTRACKA;
  EXPECT_EQ(SendMessageA(list_->hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), FALSE);
  track.hdr.code = HDN_ENDTRACKA;
  SendMessageA(list_->hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track));
  Frame().object->SetFlag(zrf::kWindowBarSizesLocked, true);
  track.hdr.code = HDN_BEGINTRACKA;
  EXPECT_EQ(SendMessageA(list_->hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), TRUE);
  Frame().object->SetFlag(zrf::kWindowBarSizesLocked, false);
}

}  // namespace
