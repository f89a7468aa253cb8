// The plant program's hook client against the test desktop under Wine, through the library's
// exports and through the companion program, and the companion's life: one companion for all
// plants whatever their timing, its end after the last one (also when they died), its replacement
// after it was killed, one bounded wait for one that is stuck, and no start without a desktop. The
// test plants make their calls through the hook client (tools/testplant).
//
//   plant_app_desktop_tests <test desktop> <test plant> <folder of the hook library> <Verdelo64.exe>
//                           <64-bit test desktop> <test worker>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "hooklib/busy_word.h"
#include "hooklib/companion_protocol.h"
#include "tools/testsupport/desktop_scenario_win.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using scenario::CompanionProcesses;
using scenario::Route;

using scenario::kRectA;
using scenario::kRectB;
constexpr ostrel::FrameLimits kLimits{1, 100000, 1, 100000};

HWND CompanionWindow() { return FindWindowA(ostrel::kCompanionClass, nullptr); }

struct Answer {
  LRESULT result = -100;  // -100: the plant did not answer
  DWORD ms = 0;           // how long the plant took
};

// Sends `command` to the windows of plants `ids` at the same moment, one thread each, as plants
// act on their own.
std::vector<Answer> CommandAllOf(const std::vector<HWND>& windows, testplant::Command command) {
  std::vector<Answer> answers(windows.size());
  std::vector<std::thread> threads;
  for (size_t i = 0; i < windows.size(); ++i) {
    threads.emplace_back([&, i] {
      const DWORD start = GetTickCount();
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(windows[i], WM_APP + command, 0, 0, SMTO_NORMAL, 60000, &result)) {
        answers[i].result = static_cast<int32_t>(result);
      }
      answers[i].ms = GetTickCount() - start;
    });
  }
  for (std::thread& t : threads) t.join();
  return answers;
}

HANDLE OpenProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
}

class HookRoutes : public scenario::DesktopScenario {
 protected:
  // Companions are started by the test plants, not by the test: end any that is left.
  void TearDown() override {
    scenario::EndCompanions();
    DesktopScenario::TearDown();
  }

  std::vector<Answer> CommandAll(const std::vector<int>& ids, testplant::Command command) {
    std::vector<HWND> windows;
    for (int id : ids) windows.push_back(PlantWindow(id));
    return CommandAllOf(windows, command);
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
    // A registration that comes after its plant gave up its claim: the argument fields are no
    // longer that plant's.
    ASSERT_TRUE(SendMessageTimeoutA(companion, ostrel::kCompanionMessage, 23, ostrel::kBusyRegister,
                                    SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(static_cast<LRESULT>(answer), -1);
    EXPECT_EQ(Clients(), (std::vector<uint32_t>{Slot(1), Slot(0)}));
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

TEST_F(HookRoutes, OneCompanionServesAllPlantsAndEndsWhenNoneIsLeft) {
  StartDesktop("progman", Route::Companion);
  const std::vector<int> ids{0, 1, 2, 3, 4};
  for (int id : ids) {
    StartPlant(id, "p" + std::to_string(id) + ".plt", Rect32{100 * id, 100, 100 * id + 80, 200}, kLimits,
               Route::Companion);
  }
  // A cold start: all plants register at the same moment, and one companion is started for them.
  for (const Answer& a : CommandAll(ids, testplant::CommandRegister)) EXPECT_EQ(a.result, 0);
  EXPECT_TRUE(WaitFor([] { return CompanionProcesses() == 1; })) << CompanionProcesses() << " companions";

  const HWND first = CompanionWindow();
  ASSERT_NE(first, nullptr);
  const HANDLE killed = OpenProcessOf(first);
  TerminateProcess(killed, 1);
  WaitForSingleObject(killed, 5000);
  CloseHandle(killed);
  // The killed companion could not say it has gone.
  EXPECT_EQ(block_->companionRunning, 1);

  // Every plant still holds the dead window; their next repaints find one new companion.
  for (const Answer& a : CommandAll(ids, testplant::CommandUpdate)) EXPECT_EQ(a.result, 0);
  EXPECT_TRUE(WaitFor([] { return CompanionProcesses() == 1; })) << CompanionProcesses() << " companions";
  EXPECT_NE(CompanionWindow(), first);
  EXPECT_EQ(block_->companionRunning, 1);
  EXPECT_EQ(Clients().size(), ids.size());

  // Three plants leave and two die without leaving: the companion ends once none is left.
  for (int id : {0, 1, 2}) EXPECT_EQ(Command(id, testplant::CommandUnregister), 0) << id;
  EXPECT_EQ(CompanionProcesses(), 1);
  KillPlant(3);
  KillPlant(4);
  EXPECT_TRUE(WaitFor([] { return CompanionProcesses() == 0; })) << CompanionProcesses() << " companions";
  EXPECT_EQ(block_->companionRunning, 0);
}

// A companion stuck in a call (a rehook while no desktop exists, which searches until one comes):
// each call of a plant waits for it once, and a call that failed is not repeated as a repaint.
TEST_F(HookRoutes, StuckCompanionHoldsEachCallForOneWaitAtMost) {
  constexpr DWORD kReplyMs = 4000;
  SetEnvironmentVariableA(testplant::kReplyMsVariable, std::to_string(kReplyMs).c_str());
  StartDesktopWithTwoPlants(Route::Companion);
  SetEnvironmentVariableA(testplant::kReplyMsVariable, nullptr);
  KillDesktop();
  std::vector<Answer> answers = CommandAll({0}, testplant::CommandRehook);
  // Both repaint at once, each overwriting the other's rectangle in the block.
  for (const Answer& a : CommandAll({0, 1}, testplant::CommandUpdate)) answers.push_back(a);
  for (const Answer& a : CommandAll({1}, testplant::CommandUnregister)) answers.push_back(a);
  DWORD longest = 0;
  for (const Answer& a : answers) {
    EXPECT_EQ(a.result, -1);
    longest = a.ms > longest ? a.ms : longest;
  }
  // Generous against a busy machine, yet below two waits.
  EXPECT_LT(longest, kReplyMs * 7 / 4) << "longest call " << longest << " ms";
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
