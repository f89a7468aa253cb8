// Monitor table, window placement, transparency, DPI and elevation queries on real windows.
#include "framework/window_helpers_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "framework/dpi_functions_win.h"
#include "framework/monitor_table_win.h"
#include "framework/process_elevation_win.h"
#include "framework/window_transparency_win.h"
#include "framework/zrf_app_win.h"

namespace {

class OwnedWindow {
 public:
  OwnedWindow(const char* className, const char* title, DWORD exStyle, int x, int y, int width, int height,
              HWND owner = nullptr) {
    window_ = CreateWindowExA(exStyle, className, title, WS_POPUP, x, y, width, height, owner, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  ~OwnedWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

const char* TestClass() {
  static const char* name = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZrfHelperTest";
    RegisterClassA(&windowClass);
    windowClass.lpszClassName = "zrfphantom";  // class names compare without case
    RegisterClassA(&windowClass);
    return "ZrfHelperTest";
  }();
  return name;
}

TEST(MonitorTableWin, OneMonitorFromTheSystem) {
  BuildMonitorTable();
  const MonitorTable& table = gMonitorTables[kCurrentMonitors];
  ASSERT_GE(table.count, 1);
  const MonitorEntry& first = table.entries[0];
  EXPECT_GT(first.monitor.right, first.monitor.left);
  EXPECT_GT(first.dpi, 0);
  EXPECT_NE(first.device[0], '\\');
  EXPECT_EQ(table.virtualRect.right - table.virtualRect.left, table.virtualWidth);
  RECT work = {};
  EXPECT_EQ(MonitorFromPointRect(-32000, -32000, &work, kCurrentMonitors, kWorkArea), 0);
  EXPECT_EQ(work.right, first.work.right);
  EXPECT_EQ(work.bottom, first.work.bottom);
}

TEST(CenterWindowInParent, MovesOrReportsTheCentredCorner) {
  OwnedWindow parent(TestClass(), "parent", 0, 100, 100, 400, 300);
  OwnedWindow child(TestClass(), "child", 0, 0, 0, 200, 100, parent.Get());
  // (400 - 200) / 2 and (300 - 100) / 2 from the parent's corner.
  CenterWindowInParent(child.Get(), nullptr, parent.Get());
  RECT placed = {};
  GetWindowRect(child.Get(), &placed);
  EXPECT_EQ(placed.left, 200);
  EXPECT_EQ(placed.top, 200);
  RECT size = {0, 0, 200, 100};
  CenterWindowInParent(child.Get(), &size, parent.Get());
  EXPECT_EQ(size.left, 200);
  EXPECT_EQ(size.top, 200);
  // A parent parked off-screen like a minimised window: the child stays in the work area.
  SetWindowPos(parent.Get(), nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindowInParent(child.Get(), nullptr, parent.Get());
  GetWindowRect(child.Get(), &placed);
  RECT work = {};
  MonitorFromPointRect(0, 0, &work, kCurrentMonitors, kWorkArea);
  EXPECT_EQ(placed.left, work.left);
  EXPECT_EQ(placed.top, work.top);
}

TEST(KeepTopmostWithParent, FollowsATopmostOwner) {
  OwnedWindow topmost(TestClass(), "top", WS_EX_TOPMOST, 0, 0, 100, 100);
  OwnedWindow plain(TestClass(), "plain", 0, 0, 0, 100, 100);
  OwnedWindow above(TestClass(), "a", 0, 0, 0, 50, 50, topmost.Get());
  OwnedWindow below(TestClass(), "b", 0, 0, 0, 50, 50, plain.Get());
  EXPECT_TRUE(KeepTopmostWithParent(above.Get()));
  EXPECT_NE(GetWindowLongPtrA(above.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(KeepTopmostWithParent(below.Get()));
  EXPECT_EQ(GetWindowLongPtrA(below.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(FindPhantomWindow, ExactTitleOfThePhantomClass) {
  TestClass();
  OwnedWindow phantom("zrfphantom", "VerdeloPhantomTest", 0, 0, 0, 1, 1);
  OwnedWindow other(TestClass(), "VerdeloOtherClass", 0, 0, 0, 1, 1);
  EXPECT_EQ(FindPhantomWindow("VerdeloPhantomTest"), phantom.Get());
  EXPECT_EQ(FindPhantomWindow("verdelophantomtest"), nullptr);
  EXPECT_EQ(FindPhantomWindow("VerdeloPhantom"), nullptr);
  EXPECT_EQ(FindPhantomWindow("VerdeloOtherClass"), nullptr);
}

TEST(InvalidateGrownArea, InvalidatesOnlyTheNewStrips) {
  OwnedWindow window(TestClass(), "grow", 0, 0, 0, 300, 200);
  ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
  ValidateRect(window.Get(), nullptr);
  int32_t oldWidth = 100;
  int32_t oldHeight = 50;
  InvalidateGrownArea(window.Get(), 150, 80, &oldWidth, &oldHeight);
  EXPECT_EQ(oldWidth, 150);
  EXPECT_EQ(oldHeight, 80);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(window.Get(), region, FALSE);
  EXPECT_TRUE(PtInRegion(region, 120, 10));    // the strip between the widths
  EXPECT_TRUE(PtInRegion(region, 10, 60));     // the strip between the heights
  EXPECT_FALSE(PtInRegion(region, 10, 10));    // what was there before
  EXPECT_FALSE(PtInRegion(region, 200, 100));  // beyond the new size
  DeleteObject(region);
}

TEST(SetWindowTransparency, AlphaAndClickThrough) {
  OwnedWindow window(TestClass(), "glass", 0, 0, 0, 100, 100);
  SetWindowTransparency(window.Get(), 30, true);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window.Get(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 178);
  EXPECT_EQ(flags, DWORD(LWA_ALPHA));
  EXPECT_NE(GetWindowLongPtrA(window.Get(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  SetWindowTransparency(window.Get(), 90, false);
  GetLayeredWindowAttributes(window.Get(), nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 25);
  EXPECT_EQ(GetWindowLongPtrA(window.Get(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  SetWindowTransparency(window.Get(), 0, true);
  EXPECT_EQ(GetWindowLongPtrA(window.Get(), GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
}

TEST(DpiFunctions, QueriesWorkWithAndWithoutTheRunTimeFunctions) {
  OwnedWindow window(TestClass(), "dpi", 0, 0, 0, 100, 100);
  RECT plain = {0, 0, 200, 100};
  AdjustWindowRectEx(&plain, WS_OVERLAPPEDWINDOW, FALSE, 0);
  int fallbackDpi = DpiForWindow(window.Get());
  RECT withoutFunctions = {0, 0, 200, 100};
  ASSERT_TRUE(AdjustWindowRectDpi(&withoutFunctions, WS_OVERLAPPEDWINDOW, FALSE, 0, 96));
  EXPECT_EQ(std::memcmp(&plain, &withoutFunctions, sizeof plain), 0);
  ResolveDpiFunctions();
  EXPECT_NE(gDpiFunctions.getDpiForWindow, nullptr);
  EXPECT_EQ(DpiForWindow(window.Get()), fallbackDpi);
  EXPECT_GT(DpiForRect({0, 0, 10, 10}, nullptr), 0);
  RECT withFunctions = {0, 0, 200, 100};
  ASSERT_TRUE(AdjustWindowRectDpi(&withFunctions, WS_OVERLAPPEDWINDOW, FALSE, 0, 96));
  EXPECT_EQ(std::memcmp(&plain, &withFunctions, sizeof plain), 0);
}

TEST(IsProcessElevated, OldSystemsCountAsElevated) {
  gApp.osCode = 0;
  EXPECT_EQ(IsProcessElevated(), 1);
  gApp.osCode = 10;
  int32_t elevated = IsProcessElevated();
  EXPECT_TRUE(elevated == 0 || elevated == 1) << elevated;
  gApp.osCode = 0;
}

}  // namespace
