// The small rules of the application object: the OS code, the restart mode and verb, what a
// control message may do, and the daily count of the hourly timer.
#include <gtest/gtest.h>

#include "framework/app/control_window.h"
#include "framework/app/os_version.h"
#include "framework/app/restart_mode.h"
#include "framework/base/crc32.h"
#include "framework/base/zrf_messages.h"

namespace {

TEST(OsCode, VersionTable) {
  EXPECT_EQ(OsCodeFromVersion(true, 6, 0, 6002), 6);
  EXPECT_EQ(OsCodeFromVersion(true, 6, 1, 7601), 7);
  EXPECT_EQ(OsCodeFromVersion(true, 6, 2, 9200), 8);
  EXPECT_EQ(OsCodeFromVersion(true, 6, 3, 9600), 8);
  EXPECT_EQ(OsCodeFromVersion(true, 6, 4, 0), 0);
  EXPECT_EQ(OsCodeFromVersion(true, 10, 0, 21999), 10);
  EXPECT_EQ(OsCodeFromVersion(true, 10, 0, 22000), 11);
  EXPECT_EQ(OsCodeFromVersion(true, 5, 1, 2600), 0);
  EXPECT_EQ(OsCodeFromVersion(true, 11, 0, 0), 0);
  EXPECT_EQ(OsCodeFromVersion(false, 10, 0, 22000), 0);
}

TEST(Restart, ModeAndVerb) {
  EXPECT_EQ(ResolveRestartMode(kRestartAsNow, 0), kRestartNormal);
  EXPECT_EQ(ResolveRestartMode(kRestartAsNow, 1), kRestartElevated);
  EXPECT_EQ(ResolveRestartMode(kRestartAsNow, -1), kRestartElevated);  // cannot tell: elevated
  EXPECT_EQ(ResolveRestartMode(kRestartNormal, 1), kRestartNormal);
  EXPECT_TRUE(RestartsWithElevation(kRestartElevated, 6));
  EXPECT_FALSE(RestartsWithElevation(kRestartElevated, 0));  // unknown Windows: default verb
  EXPECT_FALSE(RestartsWithElevation(kRestartNormal, 10));
}

TEST(ControlMessage, OnlyTheProductsOwnPrivateCodesAct) {
  const uint32_t own = Crc32("Verdelo", -1);
  ASSERT_EQ(own, 0xE85F1F48u);
  const uint32_t other = Crc32("Another", -1);
  EXPECT_EQ(ControlActionFor(zrf::WM_ZRF_QUIT, own, own), ControlAction::Quit);
  EXPECT_EQ(ControlActionFor(zrf::WM_ZRF_QUIT, other, own), ControlAction::Ignore);
  EXPECT_EQ(ControlActionFor(zrf::WM_ZRF_ACTIVATE, own, own), ControlAction::Activate);
  EXPECT_EQ(ControlActionFor(zrf::WM_ZRF_RESTART, own, own), ControlAction::Restart);
  EXPECT_EQ(ControlActionFor(zrf::WM_ZRF_TASKBARCREATED, own, own), ControlAction::Forward);
  EXPECT_EQ(ControlActionFor(0xBFFF, own, own), ControlAction::Forward);
  // WM_CLOSE, WM_ENDSESSION, WM_COMMAND, WM_APP itself and registered messages are never passed on.
  for (uint32_t code : {0x0010u, 0x0016u, 0x0111u, 0x8000u, 0x83E8u, 0xC000u, 0x10010u}) {
    EXPECT_EQ(ControlActionFor(code, own, own), ControlAction::Ignore) << code;
  }
}

TEST(DailyJobClock, EveryTwentyFourthTick) {
  DailyJobClock clock;
  int runs = 0;
  for (int tick = 1; tick <= 48; ++tick) {
    const bool ran = clock.Tick();
    runs += ran ? 1 : 0;
    EXPECT_EQ(ran, tick == 24 || tick == 48) << tick;
  }
  EXPECT_EQ(runs, 2);
}

}  // namespace
