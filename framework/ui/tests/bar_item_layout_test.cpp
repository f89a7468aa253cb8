// A bar's thickness and the layout of its items in a column, a row and a floating bar, with the
// overflow entry, worked out by hand.
#include "framework/ui/bar_item_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace zrf {
namespace {

BarItem Item(int32_t width, int32_t height, uint32_t flags = 0, uint16_t id = 0, bool separator = false) {
  return BarItem{width, height, flags, separator, id, false, {}};
}

TEST(BarThicknessTest, TallestItemPlusFiveAndTheEmptyBar) {
  const BarItem items[] = {Item(40, 16), Item(30, 22)};
  EXPECT_EQ(ThicknessOfBar(items, false, false, 0).thickness, 27);
  EXPECT_EQ(ThicknessOfBar(items, true, false, 0).thickness, 45);  // widths in a vertical bay
  const BarThickness kept = ThicknessOfBar(items, false, true, 40);
  EXPECT_EQ(kept.thickness, 40);
  EXPECT_EQ(kept.minThickness, 27);
  EXPECT_EQ(ThicknessOfBar(items, false, true, 20).thickness, 27);
  const BarThickness empty = ThicknessOfBar({}, false, false, 0);
  EXPECT_TRUE(empty.empty);
  EXPECT_EQ(empty.thickness, 24);
  EXPECT_EQ(ThicknessOfBar({}, false, true, 40).thickness, 40);
}

TEST(BarItems, ShortColumnDropsFromTheEndAndShowsTheOverflowEntry) {
  constexpr uint32_t kDrop = kBarItemDroppable;
  std::vector<BarItem> items = {Item(16, 20, 0, 1),
                                Item(16, 20, kDrop, 2),
                                Item(16, 6, kDrop, 3, true),  // separator
                                Item(16, 20, kDrop | kBarItemStretch, 4),
                                Item(16, 20, kBarItemFullBreadth, 5),
                                Item(16, 10, 0, 0xF100)};  // the overflow entry
  // 20 + 20 + 6 + 20 + 20 and four spacings of 2 = 94 do not fit 80; with the overflow entry 106;
  // dropping item 4 leaves 84, the separator too 76.
  const BarItemsResult r = LayoutBarItems(items, kBarColumn, {2, 2, 30, 82}, 2);
  EXPECT_TRUE(r.overflowShown);
  EXPECT_EQ(r.length, 2 + 94 + 2);
  EXPECT_EQ(r.minLength, 2 + 42 + 2);
  // The separator heading the overflow list gives way to the next dropped id.
  EXPECT_EQ(r.overflowIds, (std::vector<uint16_t>{4, 0xFFFF}));
  EXPECT_FALSE(items[2].shown);
  EXPECT_FALSE(items[3].shown);
  EXPECT_EQ(items[0].rect, (ZrfRect{8, 2, 24, 22}));  // centred across the 28 of the column
  EXPECT_EQ(items[1].rect, (ZrfRect{8, 24, 24, 44}));
  EXPECT_EQ(items[4].rect, (ZrfRect{2, 46, 30, 66}));  // full breadth
  EXPECT_TRUE(items[5].shown);
  EXPECT_EQ(items[5].rect, (ZrfRect{8, 68, 24, 78}));
}

TEST(BarItems, RoomyRowSharesSpareRoomAmongStretchItems) {
  std::vector<BarItem> items = {Item(50, 16, kBarItemStretch), Item(30, 16), Item(40, 16, kBarItemStretch),
                                Item(10, 16, 0, 0xF100)};
  const BarItemsResult r = LayoutBarItems(items, kBarRow, {0, 0, 200, 20}, 0);
  EXPECT_FALSE(r.overflowShown);
  EXPECT_TRUE(r.overflowIds.empty());
  EXPECT_FALSE(items[3].shown);
  EXPECT_EQ(items[0].rect, (ZrfRect{0, 2, 90, 18}));
  EXPECT_EQ(items[1].rect, (ZrfRect{90, 2, 120, 18}));
  EXPECT_EQ(items[2].rect, (ZrfRect{120, 2, 200, 18}));

  // Too short with no stretch item left and nothing droppable: nothing divides by zero.
  std::vector<BarItem> fixed = {Item(150, 16), Item(150, 16), Item(10, 16)};
  const BarItemsResult tight = LayoutBarItems(fixed, kBarRow, {0, 0, 200, 20}, 0);
  EXPECT_TRUE(tight.overflowShown);
  EXPECT_TRUE(tight.overflowIds.empty());
  EXPECT_EQ(fixed[1].rect.left, 150);
}

TEST(BarItems, FloatingBarWrapsRowsAtItsWidth) {
  std::vector<BarItem> items = {Item(40, 20),     Item(40, 16),       Item(40, 20),  Item(30, 20, kBarItemOwnRow),
                                Item(6, 20, 0, 9, true), Item(60, 20), Item(6, 20, 0, 10, true), Item(10, 10)};
  LayoutBarItems(items, kBarFloating, {0, 0, 100, 200}, 2);
  EXPECT_EQ(items[0].rect, (ZrfRect{0, 0, 40, 20}));
  EXPECT_EQ(items[1].rect, (ZrfRect{42, 2, 82, 18}));  // centred in its row
  EXPECT_EQ(items[2].rect, (ZrfRect{0, 22, 40, 42}));  // 82 + 2 + 40 passes 100
  EXPECT_EQ(items[3].rect, (ZrfRect{0, 44, 30, 64}));  // a row of its own
  EXPECT_EQ(items[4].rect, (ZrfRect{0, 66, 6, 86}));   // the next item fits: the row goes on
  EXPECT_EQ(items[5].rect, (ZrfRect{8, 66, 68, 86}));
  EXPECT_EQ(items[6].rect, (ZrfRect{70, 66, 76, 86}));  // the last item
  EXPECT_FALSE(items[7].shown);                          // the overflow entry
}

}  // namespace
}  // namespace zrf
