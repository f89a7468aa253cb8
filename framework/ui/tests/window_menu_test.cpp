// The window menu's entries and marks for a window's state.
#include "framework/ui/window_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zrf {
namespace {

bool Mark(const std::vector<CommandMark>& marks, uint16_t id) {
  const auto it = std::find_if(marks.begin(), marks.end(), [id](const CommandMark& m) { return m.id == id; });
  EXPECT_NE(it, marks.end()) << std::hex << id;
  return it != marks.end() && it->on;
}

TEST(WindowMenu, BarsSeparatorAndTheMarksOfASmallLockedTransparentWindow) {
  const WindowMenuBar bars[] = {{0x100, true}, {0x101, false}};
  const WindowMenuState state{0x10 | 0x20 | 0x40 | 0x80 | 0x1000 | 0x100, 30, true, 2, false, bars};
  const WindowMenuPlan plan = PlanWindowMenu(state);
  const std::vector<uint16_t> ids(plan.ids, plan.ids + plan.count + 1);
  EXPECT_EQ(ids, (std::vector<uint16_t>{0x100, 0x101, 0xF000, 0xF110, 0xF111, 0xF120, 0xF130, 0xF140, 0xF150,
                                        0xF160, 0xFFFF}));
  EXPECT_TRUE(Mark(plan.checks, 0x100));
  EXPECT_FALSE(Mark(plan.checks, 0x101));
  EXPECT_TRUE(Mark(plan.checks, kCmdAlwaysOnTop));
  EXPECT_FALSE(Mark(plan.checks, kCmdTaskbarButton));
  EXPECT_FALSE(Mark(plan.checks, kCmdCaptionNormal));
  EXPECT_TRUE(Mark(plan.checks, kCmdCaptionSmall));
  EXPECT_TRUE(Mark(plan.checks, kCmdSchemeCustom));
  EXPECT_FALSE(Mark(plan.checks, kCmdSchemeNone));
  EXPECT_TRUE(Mark(plan.checks, kCmdLockAll));
  EXPECT_TRUE(Mark(plan.checks, 0xF164));
  EXPECT_FALSE(Mark(plan.checks, kCmdTransparencyOff));
  EXPECT_TRUE(Mark(plan.checks, kCmdFontDefault));
  EXPECT_TRUE(Mark(plan.checks, kCmdGhost));
  EXPECT_TRUE(Mark(plan.enables, kCmdLockBarSizes));
  EXPECT_TRUE(Mark(plan.enables, kCmdGhost));
}

TEST(WindowMenu, WithoutBarsAndWithManyBars) {
  const WindowMenuPlan plain = PlanWindowMenu({0, 0, false, 0, true, {}});
  EXPECT_EQ(plain.count, 7);
  EXPECT_EQ(plain.ids[0], kCmdAlwaysOnTop);
  EXPECT_TRUE(Mark(plain.checks, kCmdCaptionNormal));
  EXPECT_TRUE(Mark(plain.checks, kCmdTransparencyOff));
  EXPECT_TRUE(Mark(plain.checks, kCmdFontCustom));
  EXPECT_FALSE(Mark(plain.checks, kCmdLockAll));
  EXPECT_FALSE(Mark(plain.enables, kCmdLockBarPositions));
  EXPECT_FALSE(Mark(plain.enables, kCmdGhost));

  std::vector<WindowMenuBar> many(60, WindowMenuBar{0x200, true});
  const WindowMenuPlan full = PlanWindowMenu({0, 0, false, 0, false, many});
  EXPECT_EQ(full.count, kWindowMenuSize - 1);
  EXPECT_EQ(full.ids[full.count], 0xFFFF);
  EXPECT_EQ(full.ids[full.count - 1], kCmdTransparencyMenu);
}

}  // namespace
}  // namespace zrf
