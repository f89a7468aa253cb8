// The message loop's pre-translation and wait on this thread: a quit taken during a wait is never
// lost, releasing Alt goes to the menu mode of window 0, and accelerators send or swallow.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/windows/zrf_window_win.h"

namespace {

struct Seen {
  int menuMode = 0;
  int sysKeyUp = 0;
  int keyDown = 0;
  WPARAM command = 0;
};
Seen gSeen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == zrf::WM_ZRF_MENUMODE) ++gSeen.menuMode;
  if (message == WM_SYSKEYUP) ++gSeen.sysKeyUp;
  if (message == WM_KEYDOWN) ++gSeen.keyDown;
  if (message == zrf::WM_ZRF_COMMAND) gSeen.command = wParam;
  return CallWindowProcA(gApp.previousWindowProc, window, message, wParam, lParam);
}

class MessageLoop : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(gApp.style.Init(), 0);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::snprintf(gApp.dataFolder, sizeof gApp.dataFolder, "%s", temp);
    gApp.noSave = 1;
    gSeen = {};
    const int32_t position = gApp.CreateZrfWindow(0, RecordingProc, "Loop", 1, 0, 10, 10, 300, 200);
    ASSERT_GE(position, 0);
    window_ = (*gApp.windows.GetAt(position))->window;
    // The wait pumps only on the control window's thread: this one.
    gApp.controlWindow =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    gApp.DestroyZrfWindows();
    DestroyWindow(gApp.controlWindow);
    gApp.controlWindow = nullptr;
    gApp.accelerators.count = 0;
  }
  void Pass(UINT message, WPARAM key) {
    MSG msg{window_, message, key, 0, 0, {}};
    gApp.PreTranslateMessage(&msg);
  }
  HWND window_ = nullptr;
};

TEST_F(MessageLoop, AQuitDuringAWaitIsKeptThoughMessagesFollowIt) {
  PostQuitMessage(7);
  // Timers keep coming after the quit, so WM_QUIT is not the last message the wait takes.
  SetTimer(window_, 1, 5, nullptr);
  EXPECT_FALSE(gApp.PumpWait(100));
  KillTimer(window_, 1);
  MSG message{};
  bool quit = false;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(message.wParam, 7u);
    }
  }
  EXPECT_TRUE(quit);
  EXPECT_TRUE(gApp.PumpWait(20));
}

TEST_F(MessageLoop, ReleasingAltEntersTheMenuModeOfWindowZero) {
  Pass(WM_SYSKEYUP, VK_MENU);
  EXPECT_EQ(gSeen.menuMode, 1);
  EXPECT_EQ(gSeen.sysKeyUp, 0);  // swallowed
  gApp.DestroyZrfWindows();
  Pass(WM_SYSKEYUP, VK_MENU);  // no window 0: nothing to do, and nothing swallowed either
  EXPECT_EQ(gSeen.menuMode, 1);
}

TEST_F(MessageLoop, AcceleratorsSendEnabledCommandsAndSwallowDisabledOnes) {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  ASSERT_EQ(gApp.OwnForegroundWindow(), window_);
  gApp.RegisterCommand(0x100, 1, 0, 0, 0, 0, 0, 0);
  gApp.accelerators.Add({VK_F5, 0, 0, 0, 0x100, 0xFFFF});
  Pass(WM_KEYDOWN, VK_F5);
  EXPECT_EQ(gSeen.command, WPARAM{0x100100});
  EXPECT_EQ(gSeen.keyDown, 0);

  gSeen = {};
  ASSERT_EQ(gApp.EnableCommand(0x100, 0), 0);
  Pass(WM_KEYDOWN, VK_F5);
  EXPECT_EQ(gSeen.command, 0u);
  EXPECT_EQ(gSeen.keyDown, 0);
  Pass(WM_KEYDOWN, VK_F6);  // not an accelerator: dispatched
  EXPECT_EQ(gSeen.keyDown, 1);
}

}  // namespace
