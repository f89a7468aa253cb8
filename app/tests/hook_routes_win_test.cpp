// The plant program's hook client against the test desktop under Wine, through the library's
// exports and through the companion program, and the companion's life: one companion for all
// plants, its end after the last one, its replacement after it was killed, and no start without a
// desktop. The test plants make their calls through the hook client (tools/testplant).
//
//   plant_app_desktop_tests <test desktop> <test plant> <folder of Ostrel64.dll> <Verdelo64.exe>
//                           <test worker>
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "hooklib/companion_protocol.h"
#include "tools/testsupport/desktop_scenario_win.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using scenario::Route;

using scenario::kRectA;
using scenario::kRectB;
constexpr ostrel::FrameLimits kLimits{1, 100000, 1, 100000};

HWND CompanionWindow() { return FindWindowA(ostrel::kCompanionClass, nullptr); }

HANDLE OpenProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
}

class HookRoutes : public scenario::DesktopScenario {
 protected:
  // Companions are started by the test plants, not by the test: end any that is left.
  void TearDown() override {
    for (HWND window = CompanionWindow(); window != nullptr; window = CompanionWindow()) {
      const HANDLE process = OpenProcessOf(window);
      if (process == nullptr) break;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    DesktopScenario::TearDown();
  }

  bool PaintReaches(int plants, const Rect32& rect, int32_t mark) {
    return WaitFor(
        [&] { return scenario::FindBroadcast(EntriesWithCode(OstrelCode::Paint, mark), plants, rect) >= 0; });
  }
};

class BothRoutes : public HookRoutes, public ::testing::WithParamInterface<Route> {};

TEST_P(BothRoutes, ClientsRegisterUpdateAndUnregister) {
  const bool viaCompanion = GetParam() == Route::Companion;
  StartDesktopWithTwoPlants(GetParam());
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(0), Slot(1)}));
  EXPECT_EQ(Status(), testdesktop::kLibraryLoaded | testdesktop::kSubclassed);
  const HWND companion = CompanionWindow();
  EXPECT_EQ(companion != nullptr, viaCompanion);
  EXPECT_EQ(block_->companionRunning, viaCompanion ? 1 : 0);

  int32_t mark = Mark();
  Command(1, testplant::CommandUpdate);
  EXPECT_TRUE(PaintReaches(2, kRectB, mark));

  // The same plant file in other letter case: the running plant is activated instead.
  StartPlant(2, "A.PLT", kRectA, kLimits, GetParam());
  mark = Mark();
  Register(2, 1);
  EXPECT_EQ(EntriesWithCode(OstrelCode::Activate, mark).size(), 1u);

  HANDLE process = companion != nullptr ? OpenProcessOf(companion) : nullptr;
  if (viaCompanion) {
    // A request the companion does not know.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(companion, ostrel::kCompanionMessage, 27, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(static_cast<LRESULT>(answer), -1);
  }
  EXPECT_EQ(Command(0, testplant::CommandUnregister), viaCompanion ? 0 : 1);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(1)}));
  if (viaCompanion) {
    // One client is left: the companion goes on serving it.
    EXPECT_TRUE(IsWindow(companion));
    EXPECT_EQ(block_->companionRunning, 1);
  }
  Command(1, testplant::CommandUnregister);
  EXPECT_TRUE(Clients().empty());
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
  if (viaCompanion) {
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(WaitForSingleObject(process, scenario::kWaitMs), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(block_->companionRunning, 0);
    CloseHandle(process);
  }
}

INSTANTIATE_TEST_SUITE_P(Routes, BothRoutes, ::testing::Values(Route::Direct, Route::Companion),
                         [](const ::testing::TestParamInfo<Route>& info) {
                           return info.param == Route::Direct ? "Direct" : "Companion";
                         });

TEST_F(HookRoutes, KilledCompanionIsReplacedByTheNextRegistration) {
  StartDesktop();
  StartPlant(0, "a.plt", kRectA, kLimits, Route::Companion);
  StartPlant(1, "b.plt", kRectB, kLimits, Route::Companion);
  Register(0);
  const HWND first = CompanionWindow();
  ASSERT_NE(first, nullptr);
  const HANDLE killed = OpenProcessOf(first);
  TerminateProcess(killed, 1);
  WaitForSingleObject(killed, 5000);
  CloseHandle(killed);
  // The killed companion could not say it has gone.
  EXPECT_EQ(block_->companionRunning, 1);

  Register(1);
  const HWND second = CompanionWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(0), Slot(1)}));
  // Plant 0 still holds the dead window; its next request finds the new companion.
  const int32_t mark = Mark();
  Command(0, testplant::CommandUpdate);
  EXPECT_TRUE(PaintReaches(2, kRectA, mark));
  Command(0, testplant::CommandUnregister);
  Command(1, testplant::CommandUnregister);
  const HANDLE process = OpenProcessOf(second);
  if (process != nullptr) {
    EXPECT_EQ(WaitForSingleObject(process, scenario::kWaitMs), WAIT_OBJECT_0);
    CloseHandle(process);
  }
  EXPECT_EQ(block_->companionRunning, 0);
}

TEST_F(HookRoutes, CompanionDoesNotStartWithoutADesktopListView) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = "\"" + scenario::ScenarioPrograms().companion + "\"";
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    EXPECT_EQ(WaitForSingleObject(process.hProcess, scenario::kWaitMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_NE(code, 0u);
    Kill(process);
  }
  EXPECT_EQ(CompanionWindow(), nullptr);
}

}  // namespace
