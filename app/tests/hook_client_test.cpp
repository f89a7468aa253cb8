// The hook client's protocol over a block in memory and a route that plays the library, the
// companion, or a companion that is ending and answers for nothing.
#include "app/hook_client.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hooklib/client_list.h"

namespace plantapp {
namespace {

using ostrel::CompanionCommand;
using ostrel::Rect32;

struct Seen {
  CompanionCommand command;
  int32_t claim;
  int32_t busy;
  uint32_t inputHwnd;
  std::string inputName;
  Rect32 updateRect;
};

// Plays the library on the block. `lies` answers that many requests with 0 and does nothing, as
// a companion whose window is already destroyed does; `unreachable` fails every request.
class ScriptedRoute final : public HookRoute {
 public:
  explicit ScriptedRoute(ostrel::OstrelSharedMem& block) : block_(block) {}
  int32_t Call(CompanionCommand command, int32_t claim) override {
    seen.push_back({command, claim, block_.busy, block_.inputHwnd, block_.inputName, block_.updateRect});
    if (beforeRead) {
      beforeRead();
      beforeRead = nullptr;
    }
    if (unreachable) {
      return -1;
    }
    if (lies > 0) {
      --lies;
      return 0;
    }
    switch (command) {
      case CompanionCommand::RegisterClient:
        return ostrel::AppendClient(block_, block_.inputHwnd) ? 0 : -1;
      case CompanionCommand::UnregisterClient:
        ostrel::RemoveClientAt(block_, ostrel::FindClient(block_, block_.inputHwnd));
        [[fallthrough]];
      case CompanionCommand::UpdateDesktop:
      case CompanionCommand::RehookDesktop:
        repainted.push_back(block_.updateRect);
        return 1;
    }
    return -1;
  }
  void Distrust() override { ++distrusted; }

  std::vector<Seen> seen;
  std::vector<Rect32> repainted;
  std::function<void()> beforeRead;
  int lies = 0;
  bool unreachable = false;  // every call fails, as to a companion that does not answer
  int distrusted = 0;

 private:
  ostrel::OstrelSharedMem& block_;
};

// The other holders of `busy` change the word while the client waits.
struct OtherHolders {
  int32_t* word;
  std::vector<int32_t> after;  // the word after each wait; then it stays
  size_t next = 0;
};

void StepHolders(uint32_t, void* context) {
  auto* others = static_cast<OtherHolders*>(context);
  *others->word =
      others->after[others->next < others->after.size() ? others->next++ : others->after.size() - 1];
}

class HookClientTest : public ::testing::Test {
 protected:
  ostrel::OstrelSharedMem block{};
  ScriptedRoute route{block};
  OtherHolders others{&block.busy, {}};
  HookClient client{block, route, StepHolders, &others, nullptr, ostrel::ClaimTiming{100, 300, 10}};
};

constexpr Rect32 kPlace{10, 20, 110, 220};

TEST_F(HookClientTest, RegisterWritesTheArgumentsUnderItsClaimAndReleasesIt) {
  EXPECT_EQ(client.RegisterWithHook(0x1234, "C:\\Data\\Fern.plt"), kHookRegistered);
  ASSERT_EQ(route.seen.size(), 1u);
  EXPECT_EQ(route.seen[0].busy, ostrel::kBusyRegister);
  EXPECT_EQ(route.seen[0].claim, ostrel::kBusyRegister);  // the companion checks it against busy
  EXPECT_EQ(route.seen[0].inputHwnd, 0x1234u);
  EXPECT_EQ(route.seen[0].inputName, "C:\\Data\\Fern.plt");
  EXPECT_EQ(block.busy, 0);

  EXPECT_EQ(client.UnregisterFromHook(0x1234, kPlace), 1);
  ASSERT_EQ(route.seen.size(), 2u);
  EXPECT_EQ(route.seen[1].busy, ostrel::kBusyUnregister);
  EXPECT_EQ(route.seen[1].claim, ostrel::kBusyUnregister);
  EXPECT_EQ(route.seen[1].updateRect, kPlace);
  EXPECT_EQ(block.clientCount, 0);
  EXPECT_EQ(block.busy, 0);
}

TEST_F(HookClientTest, ClaimThatKeepsChangingHandsEndsInFailureWithoutACall) {
  // Live plants registering and removing one after the other for longer than the whole wait.
  block.busy = ostrel::kBusyRegister;
  for (int i = 0; i < 40; ++i)
    others.after.push_back(i % 2 == 0 ? ostrel::kBusyUnregister : ostrel::kBusyRegister);
  EXPECT_EQ(client.RegisterWithHook(8, "b.plt"), kHookFailed);
  EXPECT_TRUE(route.seen.empty());
  others.next = 0;
  EXPECT_EQ(client.UnregisterFromHook(8, kPlace), -1);
  EXPECT_TRUE(route.seen.empty());
}

TEST_F(HookClientTest, AnswerTheBlockContradictsIsAskedAgainElsewhere) {
  route.lies = 1;
  EXPECT_EQ(client.RegisterWithHook(7, "a.plt"), kHookRegistered);
  EXPECT_EQ(route.seen.size(), 2u);
  EXPECT_EQ(route.distrusted, 1);
  EXPECT_EQ(ostrel::FindClient(block, 7), 0);

  route.lies = 2;
  EXPECT_EQ(client.UnregisterFromHook(7, kPlace), -1);
  EXPECT_EQ(route.distrusted, 3);
  EXPECT_EQ(block.busy, 0);

  route.lies = 2;
  EXPECT_EQ(client.RegisterWithHook(9, "b.plt"), kHookFailed);
  EXPECT_EQ(ostrel::FindClient(block, 9), -1);
  EXPECT_EQ(block.busy, 0);
}

TEST_F(HookClientTest, PathTooLongForTheLibraryIsRefused) {
  EXPECT_EQ(client.RegisterWithHook(7, std::string(255, 'p')), kHookRegistered);
  EXPECT_EQ(route.seen.at(0).inputName.size(), 255u);
  route.seen.clear();
  EXPECT_EQ(client.RegisterWithHook(8, std::string(256, 'p')), kHookFailed);
  EXPECT_TRUE(route.seen.empty());
}

TEST_F(HookClientTest, RepaintOverwrittenBeforeTheLibraryReadItIsAskedAgain) {
  constexpr Rect32 kOther{500, 500, 600, 600};
  route.beforeRead = [&] { block.updateRect = kOther; };
  // The library repaints what it finds; the other plant's own repaint follows separately.
  const std::vector<Rect32> plain = {kPlace};
  EXPECT_EQ(client.UpdateHook(kPlace), 1);
  EXPECT_EQ(route.repainted, (std::vector<Rect32>{kOther, kPlace}));
  route.repainted.clear();
  EXPECT_EQ(client.RequestRehook(kPlace), 1);
  EXPECT_EQ(route.repainted, plain);
}

TEST_F(HookClientTest, CallThatFailedIsNotRepeatedAsARepaint) {
  // Another plant's rectangle is in the block afterwards, as when both wait for a stuck companion.
  constexpr Rect32 kOther{500, 500, 600, 600};
  route.unreachable = true;
  route.beforeRead = [&] { block.updateRect = kOther; };
  EXPECT_EQ(client.UpdateHook(kPlace), -1);
  EXPECT_EQ(route.seen.size(), 1u);
  route.beforeRead = [&] { block.updateRect = kOther; };
  EXPECT_EQ(client.UnregisterFromHook(7, kPlace), -1);
  EXPECT_EQ(route.seen.size(), 2u);
  EXPECT_EQ(block.busy, 0);
}

}  // namespace
}  // namespace plantapp
