// A list's column arithmetic, sorting clicks and row colours, worked out by hand.
#include "framework/items/list_columns.h"

#include <gtest/gtest.h>

#include "framework/items/list_sort.h"

namespace {

TEST(ListColumns, LeftsFollowTheFractionsOfTheClientWidth) {
  ListColumn columns[] = {{-1, 0.25}, {-1, 0.5}, {-1, 0.25}};
  EXPECT_EQ(UpdateColumnLefts(columns, 400), 400);
  EXPECT_EQ(columns[0].left, 0);
  EXPECT_EQ(columns[1].left, 100);
  EXPECT_EQ(columns[2].left, 300);
  // Truncation per column: 0.3 x 333 = 99.9 -> 99, twice.
  ListColumn thirds[] = {{0, 0.3}, {0, 0.3}};
  EXPECT_EQ(UpdateColumnLefts(thirds, 333), 198);
  EXPECT_EQ(thirds[1].left, 99);
  // No columns, or columns ending at 0: the client width.
  EXPECT_EQ(UpdateColumnLefts({}, 321), 321);
  ListColumn none[] = {{0, 0.0}};
  EXPECT_EQ(UpdateColumnLefts(none, 321), 321);
}

TEST(ListColumns, ScrollHeaderRowsAndArrows) {
  const ListScroll wide = ClampListScroll(600, 400, 500);
  EXPECT_EQ(wide.maximum, 599);
  EXPECT_EQ(wide.page, 400);
  EXPECT_EQ(wide.position, 200);
  EXPECT_EQ(ClampListScroll(300, 400, 50).position, 0);
  EXPECT_EQ(ClampListScroll(600, 400, -5).position, 0);

  EXPECT_EQ(ListHeaderHeight(18, 3), 21);
  EXPECT_EQ(ListHeaderHeight(18, 0), 0);
  EXPECT_EQ(VisibleListRows(100, 18), 6);
  EXPECT_EQ(VisibleListRows(100, 0), 0);
  EXPECT_DOUBLE_EQ(ColumnFraction(100, 400), 0.25);
  EXPECT_EQ(ColumnFraction(100, 0), 0.0);

  const SortImageSize arrows = SortImageSizeFor(18);
  EXPECT_EQ(arrows.height, 7);
  EXPECT_EQ(arrows.width, 14);
  EXPECT_EQ(SortImageSizeFor(21).height, 7);
}

TEST(ListSort, ClicksToggleTheSortColumnAndKeepTheDirectionElsewhere) {
  ListSortState state{1, 1, false};
  EXPECT_TRUE(ClickSortHeader(&state, 1));
  EXPECT_EQ(state.direction, -1);
  EXPECT_EQ(SortImageIndex(state), 1);
  EXPECT_TRUE(ClickSortHeader(&state, 1));
  EXPECT_EQ(state.direction, 1);
  EXPECT_TRUE(ClickSortHeader(&state, 0));
  EXPECT_EQ(state.column, 0);
  EXPECT_EQ(state.direction, 1);
  EXPECT_TRUE(ClickSortHeader(&state, 0));
  EXPECT_TRUE(ClickSortHeader(&state, 2));
  EXPECT_EQ(state.direction, -1);

  // A right click on the sort column switches sorting off; clicks then change nothing.
  EXPECT_FALSE(RightClickSortHeader(&state, 1));
  EXPECT_TRUE(RightClickSortHeader(&state, 2));
  EXPECT_EQ(SortImageIndex(state), 3);
  EXPECT_FALSE(ClickSortHeader(&state, 2));
  EXPECT_EQ(state.direction, -1);
  EXPECT_TRUE(RightClickSortHeader(&state, 2));
  EXPECT_TRUE(ClickSortHeader(&state, 2));

  // Without a sort column header clicks do nothing; a fresh direction 0 becomes 1.
  ListSortState unsorted{-1, 0, false};
  EXPECT_FALSE(ClickSortHeader(&unsorted, 0));
  ListSortState fresh{0, 0, false};
  EXPECT_TRUE(ClickSortHeader(&fresh, 1));
  EXPECT_EQ(fresh.direction, 1);
}

TEST(ListSort, RowColours) {
  EXPECT_EQ(ListRowColorsOf(3, true, true).background, 46);
  EXPECT_EQ(ListRowColorsOf(3, true, true).text, 48);
  EXPECT_EQ(ListRowColorsOf(3, true, false).background, 58);
  EXPECT_EQ(ListRowColorsOf(3, true, false).text, 49);
  EXPECT_EQ(ListRowColorsOf(3, false, true).background, 6);
  EXPECT_EQ(ListRowColorsOf(4, false, true).background, kListRowBlend);
  EXPECT_EQ(ListRowColorsOf(4, false, true).text, 49);
}

}  // namespace
