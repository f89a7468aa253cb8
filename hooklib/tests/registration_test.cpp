// Client list, registration decisions and the block's layout, over a fake port that records every
// call the exports make outside the block.
#include "hooklib/registration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "hooklib/busy_word.h"
#include "hooklib/client_list.h"

namespace ostrel {
namespace {

class FakePort : public ClientPort {
 public:
  explicit FakePort(const OstrelSharedMem& block) : block_(block) {}
  std::set<uint32_t> dead;
  std::set<uint32_t> hung;      // windows whose Identify runs into its time-out
  std::set<uint32_t> ordinary;  // windows that are no plant: they answer 0 to every message
  uint32_t samePlant = 0;       // the plant whose Identify answers 0 for the name under test
  bool desktopAnswers = true;
  uint64_t now = 0;
  std::vector<std::string> calls;

  bool IsAlive(uint32_t w) override { return dead.count(w) == 0; }
  bool IsSamePlant(uint32_t w, uint32_t timeoutMs) override {
    calls.push_back("identify " + std::to_string(w) + " " + std::to_string(timeoutMs));
    if (hung.count(w) != 0) {
      now += timeoutMs;
      return false;
    }
    return ordinary.count(w) != 0 || (w == samePlant && block_.checkedName[0] != 0);
  }
  uint64_t NowMs() override { return now; }
  void Notify(uint32_t w, OstrelCode code) override {
    calls.push_back(std::to_string(static_cast<int>(code)) + " " + std::to_string(w));
  }
  void WaitPaintIdle() override {}
  // With the number of clients the desktop then finds in the list.
  bool InjectIntoDesktop(OstrelCode code) override {
    calls.push_back("inject " + std::to_string(static_cast<int>(code)) + " at " +
                    std::to_string(ClientCount(block_)));
    return desktopAnswers;
  }
  int32_t Invalidate(const Rect32& r) override {
    calls.push_back("invalidate " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom));
    return 1;
  }
  void AnnounceActivation(uint32_t w) override { calls.push_back("announce " + std::to_string(w)); }

 private:
  const OstrelSharedMem& block_;
};

class Registration : public ::testing::Test {
 protected:
  OstrelSharedMem block{};
  FakePort port{block};

  RegisterResult Register(uint32_t window, const char* name) {
    EXPECT_TRUE(TryClaimBusy(block.busy, kBusyRegister));
    block.inputHwnd = window;
    std::strncpy(block.inputName, name, sizeof block.inputName - 1);
    const RegisterResult r = RegisterClient(block, port);
    // Whatever the result, the claim is still the caller's to release.
    EXPECT_EQ(block.busy, kBusyRegister);
    EXPECT_TRUE(ReleaseBusy(block.busy, kBusyRegister));
    return r;
  }
  int32_t Unregister(uint32_t window) {
    block.inputHwnd = window;
    return UnregisterClient(block, port);
  }
  std::vector<uint32_t> List() const {
    return std::vector<uint32_t>(block.clients, block.clients + ClientCount(block));
  }
};

TEST(SharedBlock, HandlesPackTo32BitsAndSignExtend) {
  EXPECT_EQ(PackHandle(0x1234), 0x1234u);
  EXPECT_EQ(UnpackHandle(0x1234), uintptr_t{0x1234});
  EXPECT_EQ(PackHandle(UnpackHandle(0x80001234u)), 0x80001234u);
  if (sizeof(uintptr_t) == 8) {
    EXPECT_EQ(static_cast<uint64_t>(UnpackHandle(0x80001234u)), 0xFFFFFFFF80001234ull);
  }
}

TEST_F(Registration, SeventeenthClientGetsNoSlotAndChangesNothing) {
  for (uint32_t w = 1; w <= 16; ++w) {
    ASSERT_EQ(Register(w, ("plant" + std::to_string(w)).c_str()), RegisterResult::Registered);
  }
  EXPECT_EQ(block.clientCount, 16);
  EXPECT_EQ(Register(17, "plant17"), RegisterResult::NoSlot);
  EXPECT_EQ(block.clientCount, 16);
  EXPECT_EQ(List().back(), 16u);
}

TEST_F(Registration, ShiftsNeverTouchTheArgumentsBehindTheList) {
  for (uint32_t w = 1; w <= 16; ++w) {
    ASSERT_EQ(Register(w, "x"), RegisterResult::Registered);
  }
  block.inputHwnd = 0xABCD;
  std::memset(block.inputName, 'Q', sizeof block.inputName);
  ASSERT_TRUE(MoveClientToTop(block, 0));
  RemoveClientAt(block, 3);
  EXPECT_EQ(block.inputHwnd, 0xABCDu);
  EXPECT_EQ(block.inputName[0], 'Q');
  EXPECT_EQ(List().back(), 1u);
}

TEST_F(Registration, DuplicatePlantIsActivatedAndMovedToTheTop) {
  ASSERT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  ASSERT_EQ(Register(20, "b.plt"), RegisterResult::Registered);
  block.activeClient = 20;
  block.activeFrame = Rect32{100, 100, 300, 400};
  port.samePlant = 10;
  port.calls.clear();
  EXPECT_EQ(Register(30, "A.PLT"), RegisterResult::AlreadyShown);
  EXPECT_EQ(List(), (std::vector<uint32_t>{20, 10}));
  // Identify twice: the second time for no name at all, which only a window that is no plant
  // takes for its own.
  const std::vector<std::string> expected = {"identify 10 1000", "identify 10 1000", "35 20", "33 10",
                                             "9 10", "announce 10"};
  EXPECT_EQ(port.calls, expected);
  EXPECT_EQ(std::string(block.checkedName), "A.PLT");
}

TEST_F(Registration, HungPlantsShareOneIdentifyBudget) {
  for (uint32_t w = 1; w <= 8; ++w) {
    ASSERT_EQ(Register(w, ("plant" + std::to_string(w)).c_str()), RegisterResult::Registered);
    port.hung.insert(w);
  }
  port.calls.clear();
  // Five questions of 1000 ms use up the 5000 ms budget; plants 6 to 8 are taken for others.
  EXPECT_EQ(Register(9, "plant9"), RegisterResult::Registered);
  const std::vector<std::string> expected = {"identify 1 1000", "identify 2 1000", "identify 3 1000",
                                             "identify 4 1000", "identify 5 1000", "inject 20 at 9"};
  EXPECT_EQ(port.calls, expected);
}

TEST_F(Registration, RepeatedRequestForARegisteredWindowKeepsIt) {
  ASSERT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  port.samePlant = 10;
  port.calls.clear();
  EXPECT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(List(), (std::vector<uint32_t>{10}));
}

TEST_F(Registration, CheckedNameIsCutAndTerminated) {
  std::memset(block.inputName, 'n', sizeof block.inputName);
  block.inputHwnd = 5;
  ASSERT_TRUE(TryClaimBusy(block.busy, kBusyRegister));
  ASSERT_EQ(RegisterClient(block, port), RegisterResult::Registered);
  EXPECT_EQ(block.checkedName[254], 'n');
  EXPECT_EQ(block.checkedName[255], 0);
}

TEST_F(Registration, DeadClientDoesNotBlockTheNextPlant) {
  ASSERT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  ASSERT_EQ(Register(20, "b.plt"), RegisterResult::Registered);
  block.activeClient = 10;
  // The crashed plant's window no longer answers; without the purge its silent 0 reads as
  // "this plant is mine".
  port.dead.insert(10);
  port.samePlant = 10;
  EXPECT_EQ(Register(30, "c.plt"), RegisterResult::Registered);
  EXPECT_EQ(List(), (std::vector<uint32_t>{20, 30}));
  EXPECT_EQ(block.activeClient, 0u);
}

TEST_F(Registration, LastLiveClientLeavingTakesTheDeadSlotsAlong) {
  ASSERT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  ASSERT_EQ(Register(20, "b.plt"), RegisterResult::Registered);
  port.dead.insert(10);
  port.calls.clear();
  Unregister(20);
  EXPECT_TRUE(List().empty());
  // The desktop hears of the removal once the slot has gone, and no live slot is left.
  EXPECT_EQ(port.calls.at(0), "inject 21 at 0");
}

TEST_F(Registration, WindowThatIsNoPlantInASlotIsDroppedNotTakenForThePlant) {
  ASSERT_EQ(Register(10, "a.plt"), RegisterResult::Registered);
  ASSERT_EQ(Register(20, "b.plt"), RegisterResult::Registered);
  block.activeClient = 10;
  port.ordinary.insert(10);
  EXPECT_EQ(Register(30, "c.plt"), RegisterResult::Registered);
  EXPECT_EQ(List(), (std::vector<uint32_t>{20, 30}));
  EXPECT_EQ(block.activeClient, 0u);
}

TEST_F(Registration, DesktopThatNeverAnswersGivesTheSlotBack) {
  port.desktopAnswers = false;
  EXPECT_EQ(Register(10, "a.plt"), RegisterResult::NoSlot);
  EXPECT_TRUE(List().empty());
}

TEST_F(Registration, RemovingTheBottomOfThreeKeepsTheOrder) {
  for (uint32_t w : {1u, 2u, 3u}) ASSERT_EQ(Register(w, std::to_string(w).c_str()), RegisterResult::Registered);
  Unregister(1);
  EXPECT_EQ(List(), (std::vector<uint32_t>{2, 3}));
  Unregister(3);
  EXPECT_EQ(List(), (std::vector<uint32_t>{2}));
}

TEST_F(Registration, ClientThatLeftLeavesNoCopyBehindTheList) {
  for (uint32_t w : {1u, 2u, 3u}) ASSERT_EQ(Register(w, std::to_string(w).c_str()), RegisterResult::Registered);
  ASSERT_TRUE(MoveClientToTop(block, 0));  // 2, 3, 1, with 1 in the spare entry too
  Unregister(1);
  EXPECT_EQ(List(), (std::vector<uint32_t>{2, 3}));
  // The desktop's last unpin looks at every slot for a live window.
  EXPECT_FALSE(AnyLiveSlot(block, [](uint32_t w) { return w == 1; }));
}

TEST_F(Registration, UnregisterOfAnUnknownWindowSendsNothing) {
  ASSERT_EQ(Register(1, "a"), RegisterResult::Registered);
  port.calls.clear();
  EXPECT_EQ(Unregister(99), 0);
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(List(), (std::vector<uint32_t>{1}));
}

TEST_F(Registration, UnregisterKeepsAnotherPlantsActivation) {
  ASSERT_EQ(Register(1, "a"), RegisterResult::Registered);
  ASSERT_EQ(Register(2, "b"), RegisterResult::Registered);
  block.activeClient = 1;
  block.activeFrame = Rect32{10, 10, 50, 50};
  block.updateRect = Rect32{0, 0, 5, 5};
  port.calls.clear();
  Unregister(2);
  EXPECT_EQ(block.activeClient, 1u);
  EXPECT_EQ(block.activeFrame, (Rect32{10, 10, 50, 50}));
  ASSERT_GE(port.calls.size(), 2u);
  EXPECT_EQ(port.calls[0], "inject 21 at 1");
  EXPECT_EQ(port.calls[1], "invalidate 0,0,5,5");
  Unregister(1);
  EXPECT_EQ(block.activeClient, 0u);
}

TEST_F(Registration, OutOfRangeCountIsClamped) {
  block.clientCount = 200;
  EXPECT_EQ(ClientCount(block), 16);
  EXPECT_FALSE(AppendClient(block, 7));
  block.clientCount = -5;
  EXPECT_EQ(ClientCount(block), 0);
  EXPECT_EQ(FindClient(block, 0), -1);
  EXPECT_TRUE(AppendClient(block, 7));
  EXPECT_EQ(block.clientCount, 1);
}

TEST_F(Registration, BringToTopAndHitTestGoTopDown) {
  for (uint32_t w : {1u, 2u, 3u}) ASSERT_EQ(Register(w, std::to_string(w).c_str()), RegisterResult::Registered);
  port.calls.clear();
  BringClientToTop(block, port, 2);
  EXPECT_TRUE(port.calls.empty());
  BringClientToTop(block, port, 0);
  EXPECT_EQ(List(), (std::vector<uint32_t>{2, 3, 1}));
  EXPECT_EQ(port.calls, (std::vector<std::string>{"9 1"}));

  std::vector<uint32_t> asked;
  auto hitTwo = [](uint32_t w, void* ctx) {
    static_cast<std::vector<uint32_t>*>(ctx)->push_back(w);
    return w == 2;
  };
  EXPECT_EQ(HitTestClients(block, true, hitTwo, &asked), 0);
  EXPECT_EQ(asked, (std::vector<uint32_t>{1, 3, 2}));
  asked.clear();
  EXPECT_EQ(HitTestClients(block, false, hitTwo, &asked), -1);
  EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace ostrel
