// The hook library against the test desktop under Wine while the shared block is damaged at
// random, round after round, from a fixed seed: fields get random values, windows of the desktop
// and of the plants, or random bytes, while plants repaint, join and leave, the mouse works on
// the desktop and other programs send the library's message. Nothing may crash or hang, and once
// the block is sane again the desktop and the plants are whole.
//
//   ostrel_block_mutation_tests <test desktop exe> <test plant exe> <folder of Ostrel64.dll>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "hooklib/busy_word.h"
#include "hooklib/shared_block.h"
#include "tools/testsupport/desktop_scenario_win.h"

namespace {

using ostrel::OstrelCode;
using ostrel::Rect32;
using scenario::SlotOf;

constexpr uint32_t kSeed = 20241209;
constexpr int kRounds = 300;

// The block's 32-bit fields, by byte offset: every field but the byte, the double and the texts.
std::vector<uint32_t> WordOffsets() {
  std::vector<uint32_t> offsets = {0, 4, 12, 16, 20, 24, 28, 40, 44, 4400, 4472, 4736, 4740, 4744, 4748};
  for (uint32_t i = 0; i <= ostrel::kMaxClients; ++i) offsets.push_back(4404 + 4 * i);
  return offsets;
}

// The fields that hold a window.
constexpr uint32_t kWindowOffsets[] = {0, 4, 28, 4404, 4408, 4412, 4416, 4472};

class BlockMutation : public scenario::DesktopScenario {
 protected:
  template <typename T>
  T Pick(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random_)];
  }
  uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(random_); }

  void Put(uint32_t offset, const void* bytes, size_t size) {
    std::memcpy(reinterpret_cast<uint8_t*>(block_) + offset, bytes, size);
  }

  void Mutate() {
    switch (Below(5)) {
      case 0: {
        const uint32_t value = static_cast<uint32_t>(random_());
        Put(Pick(words_), &value, sizeof value);
        break;
      }
      case 1: {
        const uint32_t window = Pick(windows_);
        Put(kWindowOffsets[Below(std::size(kWindowOffsets))], &window, sizeof window);
        break;
      }
      case 2:
        block_->clientCount = static_cast<int32_t>(Below(21)) - 2;
        break;
      case 3: {
        const std::vector<int32_t> words = {0, ostrel::kBusyRegister, ostrel::kBusyPaint, ostrel::kBusyReorder,
                                            ostrel::MakeClaim(ostrel::kBusyRegister, plants_[0].dwProcessId),
                                            static_cast<int32_t>(random_())};
        block_->busy = Pick(words);
        break;
      }
      default: {
        const uint32_t offset = Below(ostrel::kBlockSize);
        const uint32_t length = std::min<uint32_t>(1 + Below(64), ostrel::kBlockSize - offset);
        for (uint32_t i = 0; i < length; ++i) {
          const uint8_t byte = static_cast<uint8_t>(random_());
          Put(offset + i, &byte, 1);
        }
        break;
      }
    }
  }

  LPARAM AnyPoint() { return MAKELPARAM(Below(1024), Below(768)); }

  void Act() {
    const std::vector<uint32_t> codes = {1, 4, 8, 9, 11, 12, 13, 14, 20, 21, 22, 33, 34, 35, Below(64)};
    DWORD_PTR ignored = 0;
    switch (Below(7)) {
      case 0:
        ASSERT_NE(Command(static_cast<int>(Below(3)), testplant::CommandUpdate), -100);
        break;
      case 1:
        SendMessageTimeoutA(listView_, message_, Pick(codes), Below(2) != 0 ? Pick(windows_) : 0, SMTO_NORMAL,
                            scenario::kWaitMs, &ignored);
        break;
      case 2:
        PostMessageA(listView_, message_, Pick(codes), Below(2) != 0 ? Pick(windows_) : 0);
        break;
      case 3: {
        const std::vector<UINT> mouse = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_CANCELMODE};
        PostMessageA(listView_, Pick(mouse), MK_LBUTTON, AnyPoint());
        break;
      }
      case 4:
        ASSERT_NE(Command(2, Below(2) != 0 ? testplant::CommandRegister : testplant::CommandUnregister), -100);
        break;
      case 5:
        SendMessageTimeoutA(PlantWindow(static_cast<int>(Below(3))), message_, Pick(codes), AnyPoint(),
                            SMTO_NORMAL, scenario::kWaitMs, &ignored);
        break;
      default: {
        const RECT area{static_cast<LONG>(Below(1024)), static_cast<LONG>(Below(768)), 1024, 768};
        InvalidateRect(listView_, &area, TRUE);
        break;
      }
    }
    Ping();
  }

  bool IsRunning(const PROCESS_INFORMATION& process) {
    return process.hProcess != nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
  }

  std::mt19937 random_{kSeed};
  std::vector<uint32_t> words_ = WordOffsets();
  std::vector<uint32_t> windows_;
};

TEST_F(BlockMutation, SeededMutationOfTheWholeBlockEndsInFullRecovery) {
  // A claim that stays unchanged is judged stuck after a second, not after the real minute.
  SetEnvironmentVariableA(testplant::kStaleMsVariable, "1000");
  StartDesktop();
  StartPlant(0, "a.plt", scenario::kRectA);
  StartPlant(1, "b.plt", scenario::kRectB);
  StartPlant(2, "c.plt", Rect32{600, 100, 700, 200});
  Register(0);
  Register(1);
  Ping();
  const ostrel::OstrelSharedMem sane = *block_;
  windows_ = {0,
              SlotOf(listView_),
              SlotOf(GetParent(listView_)),
              SlotOf(GetAncestor(listView_, GA_ROOT)),
              SlotOf(control_),
              Slot(0),
              Slot(1),
              Slot(2),
              0xFFFFFFFFu,
              static_cast<uint32_t>(random_())};
  for (int round = 0; round < kRounds; ++round) {
    Mutate();
    Act();
    ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    ASSERT_TRUE(IsRunning(desktop_)) << "the desktop ended in round " << round;
    for (int id : {0, 1, 2}) ASSERT_TRUE(IsRunning(plants_[id])) << "plant " << id << " ended in round " << round;
  }
  Mouse({{WM_LBUTTONUP, {0, 0}}, {WM_CANCELMODE, {0, 0}}});

  // Sane again: plants 0 and 1 registered, nothing else.
  *block_ = sane;
  StartPlant(3, "d.plt", Rect32{700, 500, 800, 600});
  const LRESULT next = Command(3, testplant::CommandRegister);
  const LRESULT items = ItemCount();
  const bool icons = IconPlaces() == icons_;
  const int painted = PaintedPlants({0, 1, 3}, 0);
  std::printf("seed %u, %d rounds: items %d, icons %s, plants painted %d of 3, next registration %d\n", kSeed,
              kRounds, static_cast<int>(items), icons ? "in place" : "lost", painted, static_cast<int>(next));
  EXPECT_EQ(next, 0);
  EXPECT_EQ(items, static_cast<LRESULT>(icons_.size()));
  EXPECT_TRUE(icons);
  EXPECT_EQ(painted, 3);
  for (int id : {3, 1, 0}) Command(id, testplant::CommandUnregister);
  EXPECT_TRUE(Clients().empty());
  EXPECT_EQ(Status() & testdesktop::kSubclassed, 0u);
  EXPECT_EQ(ItemCount(), static_cast<LRESULT>(icons_.size()));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scenario::ReadPrograms(argc, argv);
  return RUN_ALL_TESTS();
}
