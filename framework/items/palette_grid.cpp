// The palette grid; see palette_grid.h.
#include "framework/items/palette_grid.h"

PaletteGrid LayoutPaletteGrid(const ZrfRect& extra, int32_t u, bool inPopup) {
  PaletteGrid grid{};
  const int32_t shift = inPopup ? u : 0;
  grid.bounds = {extra.left - u + shift + 1, extra.top - u + 1, extra.right + u + shift - 1,
                 extra.bottom + u - 1};
  const bool upright = grid.bounds.Width() < grid.bounds.Height();
  grid.columns = upright ? 2 : 8;
  grid.rows = upright ? 8 : 2;
  const int32_t cellWidth = grid.bounds.Width() / grid.columns;
  const int32_t cellHeight = grid.bounds.Height() / grid.rows;
  for (int32_t row = 0; row < grid.rows; ++row) {
    for (int32_t column = 0; column < grid.columns; ++column) {
      const int32_t left = grid.bounds.left + column * cellWidth;
      const int32_t top = grid.bounds.top + row * cellHeight;
      grid.cells[row * grid.columns + column] = {left, top, left + cellWidth + 1, top + cellHeight + 1};
    }
  }
  return grid;
}

int32_t PaletteSwatchAt(const PaletteGrid& grid, int32_t x, int32_t y) {
  int32_t hit = -1;
  for (int32_t i = 0; i < kPaletteSwatches; ++i) {
    if (RectContains(grid.cells[i], x, y)) hit = i;
  }
  return hit;
}
