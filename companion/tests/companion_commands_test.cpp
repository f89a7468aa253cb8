// The companion's request table, over exports that record their calls and a block whose client
// count the test sets.
#include "companion/companion_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "hooklib/busy_word.h"

namespace companion {
namespace {

// The claim a plant holds while it asks: a registration's for 23, a removal's for 24.
int32_t ClaimFor(uint64_t command) {
  return command == 24 ? ostrel::kBusyUnregister : ostrel::kBusyRegister;
}

// Asks as a plant that holds the request's claim.
CompanionAnswer Ask(CompanionCommands& commands, uint64_t command, HookExports& exports,
                    ostrel::OstrelSharedMem& block) {
  block.busy = ClaimFor(command);
  return commands.Handle(command, ClaimFor(command), exports, block);
}

class RecordingExports final : public HookExports {
 public:
  int32_t Register() override {
    calls += "R";
    return registerResult;
  }
  int32_t Unregister() override {
    calls += "U";
    return 1;
  }
  int32_t Update() override {
    calls += "D";
    return 1;
  }
  int32_t Rehook() override {
    calls += "H";
    return 1;
  }
  int32_t registerResult = 0;
  std::string calls;
};

TEST(CompanionCommands, RequestsReachTheirExports) {
  ostrel::OstrelSharedMem block{};
  block.clientCount = 2;
  RecordingExports exports;
  CompanionCommands commands;
  exports.registerResult = -1;
  EXPECT_EQ(Ask(commands, 23, exports, block).result, -1);
  exports.registerResult = 1;
  EXPECT_EQ(Ask(commands, 23, exports, block).result, 1);
  EXPECT_EQ(Ask(commands, 25, exports, block).result, 0);
  EXPECT_EQ(Ask(commands, 26, exports, block).result, 0);
  EXPECT_EQ(Ask(commands, 27, exports, block).result, -1);
  EXPECT_EQ(Ask(commands, 0x100000017ull, exports, block).result, -1);
  EXPECT_EQ(exports.calls, "RRDH");
}

TEST(CompanionCommands, EndsWhenTheLastClientHasGoneAndRefusesAfterwards) {
  ostrel::OstrelSharedMem block{};
  RecordingExports exports;
  CompanionCommands commands;
  block.clientCount = 1;  // the export left one client behind
  CompanionAnswer answer = Ask(commands, 24, exports, block);
  EXPECT_EQ(answer.result, 0);
  EXPECT_FALSE(answer.end);
  block.clientCount = 0;
  answer = Ask(commands, 24, exports, block);
  EXPECT_EQ(answer.result, 0);
  EXPECT_TRUE(answer.end);
  answer = Ask(commands, 23, exports, block);
  EXPECT_EQ(answer.result, -1);
  EXPECT_FALSE(answer.end);
  EXPECT_EQ(exports.calls, "UU");
}

TEST(CompanionCommands, EndsWhenItsClientsDiedOrNoneCame) {
  ostrel::OstrelSharedMem block{};
  RecordingExports exports;
  CompanionCommands served;
  EXPECT_FALSE(served.CheckClients(0, 1000));  // the plant that started it registers later
  EXPECT_FALSE(served.CheckClients(2, 2000));
  EXPECT_FALSE(served.CheckClients(1, 3000));
  EXPECT_TRUE(served.CheckClients(0, 4000));   // all died without unregistering
  EXPECT_FALSE(served.CheckClients(0, 5000));  // it ends once
  EXPECT_EQ(Ask(served, 25, exports, block).result, -1);

  // Nobody came: it ends after the first-client wait, counted across the tick count's wrap.
  CompanionCommands idle;
  const uint32_t first = 0xFFFFF000u;
  EXPECT_FALSE(idle.CheckClients(0, first));
  EXPECT_FALSE(idle.CheckClients(0, first + kFirstClientMs - 1));
  EXPECT_TRUE(idle.CheckClients(0, first + kFirstClientMs));

  // A plant that asked for a repaint and died before the first look was served all the same; a
  // request the companion does not know is nobody's.
  CompanionCommands asked;
  EXPECT_EQ(Ask(asked, 27, exports, block).result, -1);
  EXPECT_FALSE(asked.CheckClients(0, 10));
  EXPECT_EQ(Ask(asked, 25, exports, block).result, 0);
  EXPECT_TRUE(asked.CheckClients(0, 20));
}

TEST(CompanionCommands, RequestWhoseClaimHasPassedIsDropped) {
  ostrel::OstrelSharedMem block{};
  RecordingExports exports;
  CompanionCommands commands;
  const int32_t gaveUp = ostrel::MakeClaim(ostrel::kBusyRegister, 400);
  const int32_t holder = ostrel::MakeClaim(ostrel::kBusyRegister, 800);
  block.busy = holder | ostrel::kBusyPaint;
  EXPECT_EQ(commands.Handle(23, gaveUp, exports, block).result, -1);
  EXPECT_EQ(commands.Handle(24, gaveUp, exports, block).result, -1);
  EXPECT_EQ(commands.Handle(23, holder, exports, block).result, 0);
  // Repaints carry no claim.
  EXPECT_EQ(commands.Handle(25, 0, exports, block).result, 0);
  EXPECT_EQ(exports.calls, "RD");
}

}  // namespace
}  // namespace companion
