// Where a menu's ids come from, how far they are read, and the keyboard's steps over its entries.
#include "framework/items/menu_entries.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/app/command_table.h"

namespace {

TEST(MenuIds, OwnerIsAskedForNoListAndForTheOwnersMark) {
  EXPECT_TRUE(AsksOwnerForIds(0));
  EXPECT_TRUE(AsksOwnerForIds(kMenuListFromOwner));
  const uint16_t list[] = {0xF121, kMenuListEnd};
  EXPECT_FALSE(AsksOwnerForIds(reinterpret_cast<uintptr_t>(list)));
}

TEST(MenuIds, WalkStopsAtTheEndMarkOrTheCap) {
  const uint16_t onlyEnd[] = {kMenuListEnd};
  EXPECT_EQ(MenuIdCount(onlyEnd), 0);
  EXPECT_EQ(MenuIdCount(nullptr), 0);
  const uint16_t three[] = {1, 2, 3, kMenuListEnd, 4};
  EXPECT_EQ(MenuIdCount(three), 3);
  // No end mark: the walk stops at the cap instead of running on.
  std::vector<uint16_t> endless(kMaxMenuIds, 7);
  EXPECT_EQ(MenuIdCount(endless.data()), kMaxMenuIds);
}

TEST(MenuKeys, StepsSkipSeparatorsAndDisabledEntriesWithWrapAround) {
  // 0 enabled, 1 separator, 2 disabled, 3 enabled.
  const MenuEntryState popup[] = {
      {false, true, true}, {true, true, true}, {false, false, true}, {false, true, true}};
  EXPECT_EQ(NextMenuEntry(popup, -1, 1, false, true), 0);
  EXPECT_EQ(NextMenuEntry(popup, 0, 1, false, true), 3);
  EXPECT_EQ(NextMenuEntry(popup, 3, 1, false, true), 0);   // wraps past the end
  EXPECT_EQ(NextMenuEntry(popup, 0, -1, false, true), 3);  // wraps below 0
  EXPECT_EQ(NextMenuEntry(popup, -1, -1, false, true), 3);

  // None enabled: a popup gets the index reached after one round, a menu bar -1.
  const MenuEntryState dead[] = {{false, false, true}, {true, true, true}, {false, false, true}};
  EXPECT_EQ(NextMenuEntry(dead, 0, 1, false, true), 0);
  EXPECT_EQ(NextMenuEntry(dead, 0, 1, false, false), -1);
  EXPECT_EQ(NextMenuEntry({}, 0, 1, false, true), -1);

  // A menu bar skips the entries whose window is hidden.
  const MenuEntryState bar[] = {{false, true, true}, {false, true, false}, {false, true, true}};
  EXPECT_EQ(NextMenuEntry(bar, 0, 1, true, false), 2);
  EXPECT_EQ(NextMenuEntry(bar, 0, 1, false, false), 1);
}

}  // namespace
