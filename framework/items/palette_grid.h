// A palette item's grid of sixteen swatches: where the cells go and which one a point hits.
// Platform-free.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"
#include "framework/items/ui_values.h"

struct PaletteGrid {
  ZrfRect bounds;  ///< the grid; outlined (grown back by a pixel) in draw state 0
  int32_t columns;
  int32_t rows;
  ZrfRect cells[kPaletteSwatches];  ///< swatch i = row * columns + column
};

/// The grid in a palette item's extra part: the extra rectangle grown by u on every side (moved
/// right by u in a popup) and shrunk by a pixel; 2 columns of 8 when narrower than high, else 8
/// columns of 2; cell (column, row) from (left + column * cw, top + row * ch), cw + 1 by ch + 1,
/// so neighbours share their edge.
PaletteGrid LayoutPaletteGrid(const ZrfRect& extra, int32_t u, bool inPopup);

/// The swatch under (x, y): the last cell that holds the point (on a shared edge, the later one);
/// -1 when none does.
int32_t PaletteSwatchAt(const PaletteGrid& grid, int32_t x, int32_t y);
