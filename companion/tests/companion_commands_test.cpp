// The companion's request table, over exports that record their calls and a block whose client
// count the test sets.
#include "companion/companion_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace companion {
namespace {

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
  EXPECT_EQ(commands.Handle(23, exports, block).result, -1);
  exports.registerResult = 1;
  EXPECT_EQ(commands.Handle(23, exports, block).result, 1);
  EXPECT_EQ(commands.Handle(25, exports, block).result, 0);
  EXPECT_EQ(commands.Handle(26, exports, block).result, 0);
  EXPECT_EQ(commands.Handle(27, exports, block).result, -1);
  EXPECT_EQ(commands.Handle(0x100000017ull, exports, block).result, -1);
  EXPECT_EQ(exports.calls, "RRDH");
}

TEST(CompanionCommands, EndsWhenTheLastClientHasGoneAndRefusesAfterwards) {
  ostrel::OstrelSharedMem block{};
  RecordingExports exports;
  CompanionCommands commands;
  block.clientCount = 1;  // the export left one client behind
  CompanionAnswer answer = commands.Handle(24, exports, block);
  EXPECT_EQ(answer.result, 0);
  EXPECT_FALSE(answer.end);
  block.clientCount = 0;
  answer = commands.Handle(24, exports, block);
  EXPECT_EQ(answer.result, 0);
  EXPECT_TRUE(answer.end);
  answer = commands.Handle(23, exports, block);
  EXPECT_EQ(answer.result, -1);
  EXPECT_FALSE(answer.end);
  EXPECT_EQ(exports.calls, "UU");
}

}  // namespace
}  // namespace companion
