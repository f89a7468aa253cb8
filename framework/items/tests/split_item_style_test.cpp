// The two parts' frame styles of a split menu item in each state.
#include "framework/items/split_item_style.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitItemStyle, EachStateGivesItsPairOfStyles) {
  struct Row {
    uint32_t flags;
    bool open;
    bool onArrow;
    int32_t main;
    int32_t arrow;
    int32_t offset;
    bool shifted;
  };
  const Row rows[] = {
      {0x1, false, false, 0, 0, 0, false},       {0x801, false, false, 6, 0, 0, false},
      {0x201, false, false, 1, 2, 0, false},     {0x201, false, true, 2, 1, 0, false},
      {0x601, false, false, 2, 2, 1, false},     {0x2000201, false, true, 2, 2, 0, true},
      {0xA01, false, false, 1, 2, 0, false},     {0x801, true, false, 2, 2, 0, false},
      {0x2000401, true, true, 2, 2, 0, false},
  };
  for (const Row& row : rows) {
    const SplitItemStyles s = SplitItemStylesOf(row.flags, row.open, row.onArrow);
    EXPECT_EQ(s.main, row.main) << std::hex << row.flags;
    EXPECT_EQ(s.arrow, row.arrow) << std::hex << row.flags;
    EXPECT_EQ(s.pressOffset, row.offset) << std::hex << row.flags;
    EXPECT_EQ(s.arrowShifted, row.shifted) << std::hex << row.flags;
  }
  EXPECT_TRUE(SplitItemStylesOf(0x801, false, false).checkedColumn);
}

}  // namespace
