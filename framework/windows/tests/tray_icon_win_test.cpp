// The notification-area icon through a recording stand-in for Shell_NotifyIconA: the data sent,
// the add after a failed change, removal (also by a window that goes), and a window's icon
// replaced without destroying the one it shows.
#include "framework/windows/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/windows/zrf_window_win.h"
#include "resources/resource_ids.h"

namespace {

std::vector<std::pair<DWORD, NOTIFYICONDATAA>> gCalls;
bool gModifyWorks = false;

BOOL WINAPI RecordTray(DWORD message, PNOTIFYICONDATAA data) {
  gCalls.emplace_back(message, *data);
  return message != NIM_MODIFY || gModifyWorks;
}

TEST(SetTrayIcon, AddsChangesAndRemovesWithoutDestroyingTheIconShown) {
  SetTrayNotifyForTesting(RecordTray);
  gApp.instance = GetModuleHandleA(nullptr);
  std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");

  // Without a window the desktop carries it; a failed change is followed by an add.
  gApp.SetTrayIcon(9, IDI_APPLICATION_ICON, "%s has %d leaves", "Fern", 12);
  ASSERT_EQ(gCalls.size(), 2u);
  EXPECT_EQ(gCalls[0].first, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(gCalls[1].first, static_cast<DWORD>(NIM_ADD));
  const NOTIFYICONDATAA& data = gCalls[1].second;
  EXPECT_EQ(data.hWnd, GetDesktopWindow());
  EXPECT_EQ(data.uID, 9u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.uCallbackMessage, zrf::WM_ZRF_TRAYNOTIFY);
  EXPECT_STREQ(data.szTip, "Fern has 12 leaves");

  auto* owner = new CZrfWindow;
  owner->index = 3;
  owner->window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_GE(gApp.windows.Add(owner), 0);
  gModifyWorks = true;
  gApp.SetTrayIcon(3, IDI_APPLICATION_ICON, nullptr);
  gApp.SetTrayIcon(3, IDI_APPLICATION_ICON, nullptr);
  EXPECT_EQ(gCalls.back().second.hWnd, owner->window);
  EXPECT_STREQ(gCalls.back().second.szTip, "Verdelo");
  EXPECT_EQ(gCalls.back().second.hIcon, owner->trayIcon);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(owner->trayIcon, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  gApp.SetTrayIcon(3, 0, nullptr);
  EXPECT_EQ(gCalls.back().first, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(owner->trayIcon, nullptr);

  // A window that goes with its icon shown takes the icon out of the notification area.
  gApp.SetTrayIcon(3, IDI_APPLICATION_ICON, nullptr);
  HWND shown = owner->window;
  gApp.windows.count -= 1;
  delete owner;
  EXPECT_EQ(gCalls.back().first, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(gCalls.back().second.hWnd, shown);
  EXPECT_EQ(gCalls.back().second.uID, 3u);
  SetTrayNotifyForTesting(nullptr);
}

}  // namespace
