// Splitting rules, the framework's own switches, limits and memory failure of the command-line parser.
#include "framework/app/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/files/data_file.h"
#include "framework/files/tests/fake_file_ops.h"

namespace {

struct Parsed {
  std::string name;
  std::vector<std::string> arguments;
  bool operator==(const Parsed&) const = default;
};

std::vector<Parsed> Items(const CSwitchList& list) {
  std::vector<Parsed> items;
  for (int32_t i = 0; i < list.Count(); ++i) {
    Parsed p{list.Item(i).name, {}};
    for (int32_t a = 0; a < list.ArgumentCount(i); ++a) p.arguments.push_back(list.Argument(i, a));
    items.push_back(p);
  }
  return items;
}

TEST(CommandLineSplit, SplitsSwitchesQuotesAndLeadingArguments) {
  struct Case {
    const char* line;
    std::vector<Parsed> expected;
  };
  const Case cases[] = {
      {"-LOADPLANT \"C:\\My Plants\\Fern.plt\" -AUTOSTART",
       {{"-LOADPLANT", {"C:\\My Plants\\Fern.plt"}}, {"-AUTOSTART", {}}}},
      {"foo -QUIT", {{"", {"foo"}}, {"-QUIT", {}}}},
      {"-X \"open quote runs to the end", {{"-X", {"open quote runs to the end"}}}},
      {"-X a\"b\"c \"d e\"f", {{"-X", {"a\"b\"c", "d e", "f"}}}},
      {"   -A    one   two  ", {{"-A", {"one", "two"}}}},
      {"-A -A x", {{"-A", {}}, {"-A", {"x"}}}},
      {"\"\" -", {{"", {""}}, {"-", {}}}},
      {"-\"x y\"", {{"-\"x", {"y\""}}}},
  };
  for (const Case& c : cases) {
    CSwitchList list;
    SwitchFlags flags;
    (void)ParseCommandLine(c.line, list, flags);
    EXPECT_EQ(Items(list), c.expected) << c.line;
  }
}

TEST(CommandLineSplit, EmptyOrNullLineGivesNothing) {
  CSwitchList list;
  SwitchFlags flags;
  EXPECT_EQ(ParseCommandLine("-A x", list, flags), kParsePlain);
  EXPECT_EQ(ParseCommandLine("", list, flags), kParsePlain);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(ParseCommandLine(nullptr, list, flags), kParsePlain);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(ParseCommandLine("     ", list, flags), kParsePlain);
  EXPECT_EQ(list.Count(), 0);
}

TEST(CommandLineSwitches, ResultAndFlagsFollowKnownSwitchesInAnyCase) {
  struct Case {
    const char* line;
    int32_t result;
    uint8_t autostart, minimised, taskScheduler;
  };
  const Case cases[] = {
      {"-quit -WaitForDataPath", kParseQuit, 0, 0, 0},
      {"-WAITFORDATAPATH", kParseWaitForDataPath, 0, 0, 0},
      {"-WAITFORDATAPATH -AUTOSTART -LOADPLANT x.plt", kParseWaitForDataPath, 1, 0, 0},
      {"-Minimize -taskscheduler", kParsePlain, 0, 1, 1},
      {"-QUITX -AUTOSTARTS -MINIMISE", kParsePlain, 0, 0, 0},
      {"\"-QUIT\" -WAITFORDATAPATHS", kParsePlain, 0, 0, 0},
  };
  for (const Case& c : cases) {
    CSwitchList list;
    SwitchFlags flags;
    EXPECT_EQ(ParseCommandLine(c.line, list, flags), c.result) << c.line;
    EXPECT_EQ(flags.autostart, c.autostart) << c.line;
    EXPECT_EQ(flags.minimised, c.minimised) << c.line;
    EXPECT_EQ(flags.taskScheduler, c.taskScheduler) << c.line;
  }
}

TEST(CommandLineFind, ComparesWholeNamesWithoutRegardToCase) {
  CSwitchList list;
  SwitchFlags flags;
  (void)ParseCommandLine("lead -LOADPLANT first.plt -Other -loadplant second.plt", list, flags);
  EXPECT_EQ(FindSwitch(list, "-loadplant"), 1);
  EXPECT_EQ(FindSwitch(list, "-LoadPlant"), 1);
  EXPECT_STREQ(list.Argument(FindSwitch(list, "-LOADPLANT"), 0), "first.plt");
  EXPECT_EQ(FindSwitch(list, "-OTHER"), 2);
  EXPECT_EQ(FindSwitch(list, ""), 0);  // the leading arguments' item has an empty name
  EXPECT_EQ(FindSwitch(list, "-LOAD"), -1);
  EXPECT_EQ(FindSwitch(list, "-LOADPLANTS"), -1);
  EXPECT_EQ(FindSwitch(list, "LOADPLANT"), -1);
  EXPECT_EQ(FindSwitch(list, nullptr), -1);
  CSwitchList empty;
  EXPECT_EQ(FindSwitch(empty, "-LOADPLANT"), -1);
}

TEST(CommandLineLimits, TokensAreCutTo259CharactersAndTheirRestIsSkipped) {
  const std::string longName = "-" + std::string(299, 'N');
  const std::string longArg(300, 'a');
  const std::string longQuoted = "\"" + std::string(280, 'q') + " " + std::string(20, 'q') + "\"";
  const std::string line = longName + " " + longArg + " " + longQuoted + " next";
  CSwitchList list;
  SwitchFlags flags;
  bool complete = false;
  (void)ParseCommandLine(line.c_str(), list, flags, &complete);
  EXPECT_TRUE(complete);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(std::string(list.Item(0).name), longName.substr(0, 259));
  ASSERT_EQ(list.ArgumentCount(0), 3);
  EXPECT_EQ(std::string(list.Argument(0, 0)), std::string(259, 'a'));
  EXPECT_EQ(std::string(list.Argument(0, 1)), std::string(259, 'q'));
  EXPECT_STREQ(list.Argument(0, 2), "next");
}

TEST(CommandLineLimits, OnlyTheFirst1039CharactersAreParsed) {
  // "-QUIT" straddles the limit: only its "-" is read, and nothing after it.
  const std::string line = "-A " + std::string(1034, 'x') + " -QUIT -AUTOSTART";
  ASSERT_EQ(line.find("-QUIT"), 1038u);
  CSwitchList list;
  SwitchFlags flags;
  EXPECT_EQ(ParseCommandLine(line.c_str(), list, flags), kParsePlain);
  EXPECT_EQ(flags.autostart, 0);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_STREQ(list.Item(1).name, "-");
}

// Allocation hooks that fail from the n-th request on.
int gAllowed = 0;
void* LimitedAlloc(size_t n) { return gAllowed-- > 0 ? std::malloc(n) : nullptr; }

TEST(CommandLineLimits, RunningOutOfMemoryLosesTokensButNeverMisfilesThem) {
  // With no memory at all no item is stored, so "a" and "b" must not end up in a leading item;
  // with memory for the list only, the switches stay and their arguments are lost.
  const std::vector<Parsed> expected[] = {{}, {{"-A", {}}, {"-B", {}}, {"-QUIT", {}}}};
  for (int allowed = 0; allowed < 2; ++allowed) {
    CSwitchList list;
    SwitchFlags flags;
    bool complete = true;
    gAllowed = allowed;
    CZrfArrayBase::SetAllocatorForTesting(LimitedAlloc, nullptr);
    const int32_t result = ParseCommandLine("-A a -B b -QUIT", list, flags, &complete);
    CZrfArrayBase::SetAllocatorForTesting(nullptr, nullptr);
    EXPECT_EQ(result, kParseQuit);
    EXPECT_FALSE(complete);
    EXPECT_EQ(Items(list), expected[allowed]) << allowed;
  }
}

TEST(CommandLineFile, HoldsTheLineAndItsNulOnly) {
  FakeFileOps ops;
  ops.folders = {"C:", "C:\\Data"};
  DataFileStore store(ops, "C:\\Data", "C:\\Common");
  ASSERT_TRUE(SaveCommandLine(store, "-LOADPLANT \"a b.plt\""));
  EXPECT_EQ(ops.files["C:\\Data\\(ZRF)Cmd.zrd"], std::string("-LOADPLANT \"a b.plt\"") + '\0');
  const std::string longLine(1500, 'x');
  ASSERT_TRUE(SaveCommandLine(store, longLine.c_str()));
  EXPECT_EQ(ops.files["C:\\Data\\(ZRF)Cmd.zrd"], std::string(1039, 'x') + '\0');
  ASSERT_TRUE(SaveCommandLine(store, nullptr));
  EXPECT_EQ(ops.files["C:\\Data\\(ZRF)Cmd.zrd"], std::string(1, '\0'));
  ops.replaceFails = true;
  EXPECT_FALSE(SaveCommandLine(store, "-QUIT"));
  EXPECT_EQ(ops.files["C:\\Data\\(ZRF)Cmd.zrd"], std::string(1, '\0'));
}

}  // namespace
