// Framework windows under Wine: default places, a saved placement restored, moved, saved and read
// back, the status texts from two threads and their mutex time-out, transparency and ghost, the
// busy overlay, caption styles and focus cycling.
#include "framework/windows/zrf_window_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "framework/app/zrf_app_win.h"
#include "framework/ui/window_placement.h"

namespace {

class ZrfWindowWin : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int run = 0;
    const std::string folder =
        std::string(temp) + "zrfwin" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(run++);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::strcpy(gApp.dataFolder, folder.c_str());
    gApp.settingsVersionChanged = 0;
  }
  void TearDown() override { gApp.DestroyZrfWindows(); }

  static CZrfWindow* Make(uint16_t index, uint32_t flags = 0, int x = 0, int y = 0, int cx = 0, int cy = 0) {
    const int32_t position = gApp.CreateZrfWindow(index, ZrfWindowProc, "Test", 1, flags, x, y, cx, cy);
    EXPECT_GE(position, 0);
    return position < 0 ? nullptr : *gApp.windows.GetAt(position);
  }

  static void Save(uint16_t index, const zrf::WindowPlacement& place) {
    const zrf::WindowPlacementRecord record = zrf::PackPlacement(place);
    ASSERT_EQ(WriteDataFile(kPlacementFileName, index, &record, sizeof record, kDataFolderLocation), 16u);
  }

  static bool Load(uint16_t index, zrf::WindowPlacement* place) {
    zrf::WindowPlacementRecord record{};
    if (ReadDataFile(kPlacementFileName, index, &record, sizeof record, kDataFolderLocation) != 16)
      return false;
    *place = zrf::UnpackPlacement(record);
    return true;
  }
};

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT WindowRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

TEST_F(ZrfWindowWin, FreshWindowsTakeTwoThirdsAndStepFortyPixels) {
  // The Xvfb screen is 1280 by 1024.
  CZrfWindow* first = Make(0);
  CZrfWindow* second = Make(1);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(Same(first->normalRect, RECT{213, 171, 213 + 853, 171 + 682}));
  EXPECT_TRUE(Same(second->normalRect, RECT{253, 211, 253 + 853, 211 + 682}));
  EXPECT_TRUE(Same(WindowRect(second->window), second->normalRect));
  EXPECT_TRUE(Same(second->lastRect, second->normalRect));
  EXPECT_EQ(gApp.FindWindowByIndex(1), second);
  EXPECT_EQ(gApp.FindWindowByHwnd(first->window), first);
  EXPECT_EQ(gApp.FindWindowByHwnd(nullptr), nullptr);
  EXPECT_EQ(first->dockBays.count, 4);
  EXPECT_EQ((*second->dockBays.GetAt(3))->bayId, 3 + 256);
  EXPECT_FALSE(IsWindowVisible(first->window));

  // Destroying the windows saves their placements.
  gApp.DestroyZrfWindows();
  zrf::WindowPlacement saved;
  ASSERT_TRUE(Load(1, &saved));
  EXPECT_EQ(saved.x, 253);
  EXPECT_EQ(saved.cx, 853);
}

TEST_F(ZrfWindowWin, SavedPlacementIsRestoredMovedSavedAndReadBack) {
  zrf::WindowPlacement place{100, 120, 400, 300, zrf::kWindowSizable, 30, true};
  Save(2, place);
  CZrfWindow* window = Make(2);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(Same(window->normalRect, RECT{100, 120, 500, 420}));
  EXPECT_TRUE(Same(WindowRect(window->window), window->normalRect));
  EXPECT_EQ(window->flags, uint32_t{zrf::kWindowSizable});
  EXPECT_EQ(window->transparency, 30);
  EXPECT_TRUE(window->ghost);

  // The position lock keeps the window where it is, except for Move.
  window->SetFlag(zrf::kWindowPositionLocked, true);
  SetWindowPos(window->window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(window->window).left, 100);
  window->Move(200, 150, 500, 350, false);
  EXPECT_TRUE(Same(window->normalRect, RECT{200, 150, 700, 500}));
  EXPECT_TRUE(Same(window->lastRect, window->normalRect));
  EXPECT_NE(window->flags & zrf::kWindowPositionLocked, 0u);

  ASSERT_TRUE(window->SavePlacement());
  zrf::WindowPlacement back;
  ASSERT_TRUE(Load(2, &back));
  EXPECT_EQ(back, (zrf::WindowPlacement{200, 150, 500, 350, zrf::kWindowSizable | zrf::kWindowPositionLocked,
                                        30, true}));
}

TEST_F(ZrfWindowWin, RecordsOffScreenOrOfAnotherVersionAreIgnored) {
  Save(0, zrf::WindowPlacement{-5000, -5000, 400, 300, 0, 0, false});
  CZrfWindow* offScreen = Make(0);
  ASSERT_NE(offScreen, nullptr);
  EXPECT_EQ(offScreen->normalRect.left, 213);
  gApp.DestroyZrfWindows();

  Save(0, zrf::WindowPlacement{50, 60, 400, 300, 0, 0, false});
  gApp.settingsVersionChanged = 1;
  CZrfWindow* newVersion = Make(0);
  ASSERT_NE(newVersion, nullptr);
  EXPECT_EQ(newVersion->normalRect.left, 213);
  gApp.settingsVersionChanged = 0;
}

TEST_F(ZrfWindowWin, StatusTextsFromTwoThreadsAndTheMutexTimeOut) {
  CZrfWindow* window = Make(0);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->statusTexts.Count(), 2);
  EXPECT_EQ(window->statusTexts.At(0).key, -3);
  EXPECT_STREQ(window->statusTexts.At(1).text, "Ready");

  auto writer = [window](int32_t key) {
    for (int i = 0; i < 300; ++i) {
      const std::string text = "key " + std::to_string(key) + " step " + std::to_string(i);
      EXPECT_EQ(window->SetStatusText(key, text.c_str()), 0u);
      char shown[zrf::kStatusTextSize];
      EXPECT_TRUE(window->ShownStatusText(shown, sizeof shown));
    }
  };
  std::thread a(writer, 10);
  std::thread b(writer, 20);
  a.join();
  b.join();
  ASSERT_EQ(window->statusTexts.Count(), 4);
  EXPECT_STREQ(window->statusTexts.At(2).text,
               window->statusTexts.At(2).key == 10 ? "key 10 step 299" : "key 20 step 299");
  EXPECT_EQ(window->statusTexts.At(2).key + window->statusTexts.At(3).key, 30);

  // Another thread holds the mutex: the call gives up after about a second, list untouched.
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    WaitForSingleObject(window->statusMutex.Get(), INFINITE);
    SetEvent(held);
    WaitForSingleObject(release, INFINITE);
    ReleaseMutex(window->statusMutex.Get());
  });
  WaitForSingleObject(held, INFINITE);
  EXPECT_EQ(window->SetStatusText(10, nullptr), DWORD{WAIT_TIMEOUT});
  SetEvent(release);
  holder.join();
  EXPECT_EQ(window->statusTexts.Count(), 4);
  EXPECT_EQ(window->SetStatusText(10, nullptr), 0u);
  EXPECT_EQ(window->statusTexts.Count(), 3);
  CloseHandle(held);
  CloseHandle(release);
}

TEST_F(ZrfWindowWin, TransparencyAndGhostAreSetAndReadBack) {
  CZrfWindow* window = Make(0);
  ASSERT_NE(window, nullptr);
  auto exStyle = [&] { return static_cast<DWORD>(GetWindowLongA(window->window, GWL_EXSTYLE)); };
  window->SetGhost(true);  // nothing while fully opaque
  EXPECT_EQ(exStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0u);
  window->SetTransparency(30);
  EXPECT_EQ(exStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), DWORD{WS_EX_LAYERED | WS_EX_TRANSPARENT});
  BYTE alpha = 0;
  DWORD layeredFlags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window->window, nullptr, &alpha, &layeredFlags));
  EXPECT_EQ(alpha, 178);
  window->SetGhost(false);
  EXPECT_EQ(exStyle() & WS_EX_TRANSPARENT, 0u);
  window->SetTransparency(0);
  EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0u);
}

TEST_F(ZrfWindowWin, BusyOverlayFollowsTheModalDepth) {
  CZrfWindow* window = Make(0, 0, 100, 100, 400, 300);
  ASSERT_NE(window, nullptr);
  window->Show(SW_SHOW, 0);
  gApp.ChangeModalDepth(true);
  ASSERT_NE(window->busyOverlay, nullptr);
  HWND overlay = window->busyOverlay;
  char className[32] = {};
  GetClassNameA(overlay, className, sizeof className);
  EXPECT_STREQ(className, "ZRFBusy");
  EXPECT_TRUE(IsWindowVisible(overlay));
  RECT client;
  RECT covered;
  GetClientRect(window->window, &client);
  GetClientRect(overlay, &covered);
  EXPECT_TRUE(Same(client, covered));
  gApp.ChangeModalDepth(true);  // a second box keeps the one overlay
  EXPECT_EQ(window->busyOverlay, overlay);
  gApp.ChangeModalDepth(false);
  gApp.ChangeModalDepth(false);
  EXPECT_EQ(window->busyOverlay, nullptr);
  EXPECT_FALSE(IsWindow(overlay));
}

TEST_F(ZrfWindowWin, CaptionStylesAndFocusCycling) {
  CZrfWindow* window = Make(0, zrf::kWindowSizable, 100, 100, 400, 300);
  ASSERT_NE(window, nullptr);
  window->Show(SW_SHOW, 0);
  auto style = [&] { return static_cast<DWORD>(GetWindowLongA(window->window, GWL_STYLE)); };
  EXPECT_EQ(style() & WS_CAPTION, DWORD{WS_CAPTION});
  window->SetCaptionStyle(zrf::kWindowNoCaption);
  EXPECT_EQ(style() & WS_CAPTION, DWORD{WS_BORDER});  // no title bar, still a border
  EXPECT_TRUE(IsWindowVisible(window->window));
  window->SetCaptionStyle(zrf::kWindowSmallCaption);
  EXPECT_EQ(style() & WS_CAPTION, DWORD{WS_CAPTION});
  EXPECT_NE(GetWindowLongA(window->window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

  HWND edits[3];
  for (int i = 0; i < 3; ++i) {
    edits[i] = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10 + 30 * i, 100, 24,
                               window->window, nullptr, nullptr, nullptr);
  }
  CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 120, 100, 24, window->window, nullptr, nullptr,
                  nullptr);  // no tab stop
  SetFocus(window->window);
  EXPECT_TRUE(window->CycleFocus(1));
  EXPECT_EQ(GetFocus(), edits[0]);
  EXPECT_TRUE(window->CycleFocus(1));
  EXPECT_EQ(GetFocus(), edits[1]);
  EXPECT_TRUE(window->CycleFocus(-1));
  EXPECT_TRUE(window->CycleFocus(-1));
  EXPECT_EQ(GetFocus(), edits[2]);
  EXPECT_TRUE(window->CycleFocus(1));
  EXPECT_EQ(GetFocus(), edits[0]);
}

int gEmptyCreates = 0;

LRESULT CALLBACK ProgramWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (create->hwndParent == nullptr && create->lpszClass == nullptr && create->cx == 0) ++gEmptyCreates;
    return 0;
  }
  return CallWindowProcA(ZrfWindowProc, hwnd, message, wParam, lParam);
}

TEST_F(ZrfWindowWin, ProgramProcedureAndDpiChange) {
  const int32_t position =
      gApp.CreateZrfWindow(0, ProgramWindowProc, "Program", 1, zrf::kWindowMain, 100, 100, 400, 300);
  ASSERT_EQ(position, 0);
  CZrfWindow* window = *gApp.windows.GetAt(0);
  EXPECT_EQ(gEmptyCreates, 1);
  EXPECT_EQ(gApp.previousWindowProc, ZrfWindowProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window->window, GWLP_WNDPROC)), ProgramWindowProc);

  // Wine sends no WM_DPICHANGED; a hand-made one moves the window to the suggested rectangle.
  RECT suggested{150, 120, 750, 570};
  SendMessageA(window->window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window->dpi, 144);
  EXPECT_TRUE(Same(WindowRect(window->window), suggested));
  EXPECT_TRUE(Same(window->normalRect, suggested));
  EXPECT_GT(gApp.style.Fonts().EntryCount(4), 0);

  window->SetRect(RECT{200, 200, 600, 500}, false);
  EXPECT_TRUE(Same(window->lastRect, RECT{200, 200, 600, 500}));
}

}  // namespace
