// Monitor table, window placement and transparency on real windows.
#include "framework/ui/window_helpers_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "framework/ui/monitor_table_win.h"
#include "framework/ui/window_transparency_win.h"

namespace {

// A popup window of a plain class, destroyed with the test.
struct TestWindow {
  TestWindow(const char* className, DWORD exStyle, int x, int y, int width, int height,
             HWND owner = nullptr) {
    static const bool registered = [] {
      WNDCLASSA windowClass = {};
      windowClass.lpfnWndProc = DefWindowProcA;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = "ZrfHelperTest";
      RegisterClassA(&windowClass);
      windowClass.lpszClassName = "zrfphantom";  // class names compare without case
      return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window = CreateWindowExA(exStyle, className, className, WS_POPUP, x, y, width, height, owner, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(window); }
  HWND window;
};

TEST(MonitorTableWin, OneMonitorFromTheSystem) {
  BuildMonitorTable();
  const MonitorTable& table = gMonitorTables[kCurrentMonitors];
  ASSERT_GE(table.count, 1);
  EXPECT_GT(table.entries[0].monitor.right, table.entries[0].monitor.left);
  EXPECT_GT(table.entries[0].dpi, 0);
  EXPECT_NE(table.entries[0].device[0], '\\');
  RECT work = {};
  EXPECT_EQ(MonitorFromPointRect(-32000, -32000, &work, kCurrentMonitors, kWorkArea), 0);
  EXPECT_EQ(work.bottom, table.entries[0].work.bottom);
}

TEST(CenterWindowInParent, MovesOrReportsTheCentredCorner) {
  TestWindow parent("ZrfHelperTest", 0, 100, 100, 400, 300);
  TestWindow child("ZrfHelperTest", 0, 0, 0, 200, 100, parent.window);
  CenterWindowInParent(child.window, nullptr, parent.window);  // 100 + (400 - 200) / 2 = 200
  RECT placed = {};
  GetWindowRect(child.window, &placed);
  EXPECT_EQ(placed.left, 200);
  EXPECT_EQ(placed.top, 200);
  // A parent parked off-screen like a minimised window: only the rectangle is told, in the work area.
  SetWindowPos(parent.window, nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT size = {0, 0, 200, 100};
  CenterWindowInParent(child.window, &size, parent.window);
  EXPECT_EQ(size.left, 0);
  EXPECT_EQ(size.top, 0);
}

TEST(WindowHelpers, TopmostOwnerPhantomSearchAndGrownArea) {
  TestWindow topmost("ZrfHelperTest", WS_EX_TOPMOST, 0, 0, 100, 100);
  TestWindow plain("ZrfHelperTest", 0, 0, 0, 100, 100);
  TestWindow above("ZrfHelperTest", 0, 0, 0, 50, 50, topmost.window);
  TestWindow below("ZrfHelperTest", 0, 0, 0, 50, 50, plain.window);
  EXPECT_TRUE(KeepTopmostWithParent(above.window));
  EXPECT_NE(GetWindowLongPtrA(above.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(KeepTopmostWithParent(below.window));

  TestWindow phantom("zrfphantom", 0, 0, 0, 1, 1);
  EXPECT_EQ(FindPhantomWindow("zrfphantom"), phantom.window);
  EXPECT_EQ(FindPhantomWindow("ZRFPHANTOM"), nullptr);  // the title must match exactly
  EXPECT_EQ(FindPhantomWindow("ZrfHelperTest"), nullptr);

  ShowWindow(plain.window, SW_SHOWNOACTIVATE);
  ValidateRect(plain.window, nullptr);
  int32_t oldWidth = 50;
  int32_t oldHeight = 40;
  InvalidateGrownArea(plain.window, 80, 60, &oldWidth, &oldHeight);
  EXPECT_EQ(oldWidth, 80);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(plain.window, region, FALSE);
  EXPECT_TRUE(PtInRegion(region, 60, 10));  // between the widths
  EXPECT_TRUE(PtInRegion(region, 10, 50));  // between the heights
  EXPECT_FALSE(PtInRegion(region, 10, 10));
  DeleteObject(region);
}

TEST(SetWindowTransparency, AlphaAndClickThrough) {
  TestWindow glass("ZrfHelperTest", 0, 0, 0, 100, 100);
  SetWindowTransparency(glass.window, 30, true);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(glass.window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 178);  // (100 - 30) * 255 / 100
  EXPECT_NE(GetWindowLongPtrA(glass.window, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  SetWindowTransparency(glass.window, 0, true);
  EXPECT_EQ(GetWindowLongPtrA(glass.window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
}

}  // namespace
