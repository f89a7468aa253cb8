// The palette item's swatch grid and the colours of the value records.
#include "framework/items/palette_grid.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteGrid, CellsShareTheirEdgesAndTheLaterWins) {
  // 32u x 6u with u = 4: the grid is (7, 7)-(141, 37), 8 columns of 16 by 2 rows of 15.
  const PaletteGrid grid = LayoutPaletteGrid(ZrfRect{10, 10, 138, 34}, 4, false);
  EXPECT_EQ(grid.bounds, (ZrfRect{7, 7, 141, 37}));
  EXPECT_EQ(grid.columns, 8);
  EXPECT_EQ(grid.cells[0], (ZrfRect{7, 7, 24, 23}));
  EXPECT_EQ(grid.cells[9], (ZrfRect{23, 22, 40, 38}));
  EXPECT_EQ(PaletteSwatchAt(grid, 10, 10), 0);
  EXPECT_EQ(PaletteSwatchAt(grid, 23, 10), 1);
  EXPECT_EQ(PaletteSwatchAt(grid, 23, 22), 9);
  EXPECT_EQ(PaletteSwatchAt(grid, 3, 3), -1);

  const PaletteGrid upright = LayoutPaletteGrid(ZrfRect{10, 10, 34, 138}, 4, true);
  EXPECT_EQ(upright.columns, 2);
  EXPECT_EQ(upright.rows, 8);
  EXPECT_EQ(upright.bounds.left, 11);
}

TEST(PaletteGrid, RecordColoursAndSwatchIndexes) {
  uint32_t color = 0x12345678;
  EXPECT_TRUE(PickScreenColor(0x00332211, &color));
  EXPECT_EQ(color, 0xFF112233u);
  EXPECT_FALSE(PickScreenColor(kInvalidScreenPixel, &color));
  EXPECT_EQ(color, 0xFF112233u);
  EXPECT_TRUE(IsSwatchIndex(0));
  EXPECT_TRUE(IsSwatchIndex(15));
  EXPECT_FALSE(IsSwatchIndex(-1));
  EXPECT_FALSE(IsSwatchIndex(16));
}

}  // namespace
