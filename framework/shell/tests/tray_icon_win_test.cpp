// The notification-area icon through a recording stand-in for Shell_NotifyIconA: the data sent,
// the add after a failed change, removal, and the window's icon replaced without destroying the
// one it shows.
#include "framework/shell/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/data_path_waiter_win.h"
#include "framework/ui/zrf_window_win.h"
#include "framework/zrf_app_win.h"
#include "resources/resource_ids.h"

namespace {

struct Call {
  DWORD message;
  NOTIFYICONDATAA data;
};
std::vector<Call> gCalls;
bool gModifyWorks = false;

BOOL WINAPI RecordTray(DWORD message, PNOTIFYICONDATAA data) {
  gCalls.push_back(Call{message, *data});
  return message != NIM_MODIFY || gModifyWorks;
}

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTrayNotifyForTesting(RecordTray);
    gCalls.clear();
    gModifyWorks = false;
    gApp.instance = GetModuleHandleA(nullptr);
    std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
  }
  void TearDown() override { SetTrayNotifyForTesting(nullptr); }
};

TEST_F(TrayIcon, WithoutAWindowTheDesktopCarriesIt) {
  gApp.SetTrayIcon(9, IDI_APPLICATION_ICON, "%s has %d leaves", "Fern", 12);
  ASSERT_EQ(gCalls.size(), 2u);
  EXPECT_EQ(gCalls[0].message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(gCalls[1].message, static_cast<DWORD>(NIM_ADD));
  const NOTIFYICONDATAA& data = gCalls[1].data;
  EXPECT_EQ(data.hWnd, GetDesktopWindow());
  EXPECT_EQ(data.uID, 9u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.uCallbackMessage, WM_ZRF_TRAYNOTIFY);
  EXPECT_NE(data.hIcon, nullptr);
  EXPECT_STREQ(data.szTip, "Fern has 12 leaves");

  gCalls.clear();
  gApp.SetTrayIcon(9, 0, nullptr);
  ASSERT_EQ(gCalls.size(), 1u);
  EXPECT_EQ(gCalls[0].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_STREQ(gCalls[0].data.szTip, "Verdelo");

  gApp.SetTrayIcon(9, 0, "%s", std::string(300, 't').c_str());
  EXPECT_EQ(std::string(gCalls.back().data.szTip), std::string(127, 't'));
}

TEST_F(TrayIcon, ReplacingTheIconNeverDestroysTheOneShown) {
  auto* owner = new CZrfWindow;
  owner->index = 3;
  owner->window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_GE(gApp.windows.Add(owner), 0);
  gModifyWorks = true;

  gApp.SetTrayIcon(3, IDI_APPLICATION_ICON, nullptr);
  const HICON first = owner->trayIcon;
  ASSERT_NE(first, nullptr);
  gApp.SetTrayIcon(3, IDI_APPLICATION_ICON, nullptr);
  const HICON second = owner->trayIcon;
  EXPECT_EQ(gCalls.back().data.hIcon, second);
  EXPECT_EQ(gCalls.back().data.hWnd, owner->window);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(second, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  gApp.SetTrayIcon(3, 0, nullptr);
  EXPECT_EQ(gCalls.back().message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(owner->trayIcon, nullptr);

  gApp.windows.count -= 1;
  delete owner;
}

}  // namespace
