// Which accelerator a key press takes and whether its command is sent.
#include "framework/app/accelerator.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kKeyF5 = 0x74;
constexpr uint16_t kKeyS = 'S';

struct Fixture {
  CZrfArray<AcceleratorEntry> table;
  CCommandTable commands;
  uint16_t indexes[2] = {0, 3};

  Fixture() {
    commands.Register(0x100, kCommandButton, 0, 0, 0, 0, 0, 0);  // enabled
    commands.Register(0x101, kCommandButton, 0, 0, 0, 0, 0, 0);
    bool changed = false;
    (void)commands.Enable(0x101, false, &changed);
  }
  AcceleratorMatch Press(uint16_t key, KeyModifiers down, int32_t foreground) {
    return MatchAccelerator(table, key, down, {indexes, 2, foreground}, commands);
  }
};

TEST(Accelerator, ModifiersWindowsAndCommandState) {
  Fixture f;
  f.table.Add({kKeyS, 0, 1, 0, 0x100, kAnyWindow});   // Ctrl+S anywhere
  f.table.Add({kKeyF5, 0, 0, 0, 0x100, 3});           // F5 in window 3 only
  f.table.Add({kKeyF5, 0, 0, 0, 0x101, kAnyWindow});  // F5 elsewhere: a disabled command
  f.table.Add({'D', 0, 0, 0, 0x555, kAnyWindow});     // a command the program handles itself

  // A required modifier must be down; one not required is not checked.
  EXPECT_FALSE(f.Press(kKeyS, {false, false, false}, 0).taken);
  const AcceleratorMatch save = f.Press(kKeyS, {true, true, false}, -1);
  EXPECT_TRUE(save.taken && save.send);
  EXPECT_EQ(save.commandId, 0x100);

  // The window-bound entry only in its window; elsewhere the disabled one swallows the key.
  const AcceleratorMatch inWindow = f.Press(kKeyF5, {}, 3);
  EXPECT_TRUE(inWindow.taken && inWindow.send);
  EXPECT_EQ(inWindow.commandId, 0x100);
  const AcceleratorMatch elsewhere = f.Press(kKeyF5, {}, 0);
  EXPECT_TRUE(elsewhere.taken);
  EXPECT_FALSE(elsewhere.send);
  EXPECT_EQ(elsewhere.commandId, 0x101);

  const AcceleratorMatch unknown = f.Press('D', {}, 0);
  EXPECT_TRUE(unknown.taken && unknown.send);
}

TEST(Accelerator, AnEntryForAMissingWindowEndsTheSearch) {
  Fixture f;
  f.table.Add({kKeyF5, 0, 0, 0, 0x100, 7});  // no framework window 7
  f.table.Add({kKeyF5, 0, 0, 0, 0x100, kAnyWindow});
  EXPECT_FALSE(f.Press(kKeyF5, {}, 0).taken);

  // A command disabled but marked to be sent anyway.
  Fixture g;
  CommandRecord record{};
  ASSERT_EQ(g.commands.Get(0x101, &record), 0);
  record.flags |= kCommandAlwaysSends;
  ASSERT_EQ(g.commands.Set(0x101, record), 0);
  g.table.Add({kKeyF5, 0, 0, 0, 0x101, kAnyWindow});
  EXPECT_TRUE(g.Press(kKeyF5, {}, 0).send);
}

}  // namespace
