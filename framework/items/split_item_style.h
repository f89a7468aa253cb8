// The frame styles of a split menu item's two parts (the main part acts as a button, the arrow
// part opens the popup) for its state. Platform-free.
#pragma once

#include <cstdint>

struct SplitItemStyles {
  int32_t main;         ///< frame style of the main part (styles of the item frame: 1 hot, 2 pressed, 6 checked)
  int32_t arrow;        ///< frame style of the arrow part
  int32_t pressOffset;  ///< 1 moves the main part's content a pixel right and down
  bool arrowShifted;    ///< the arrow glyph moves a pixel right and down
  bool checkedColumn;   ///< the checked frame is cut to the icon column
};

/// The styles for command flags `flags` (hot 0x200, pressed 0x400, checked 0x800, arrow pressed
/// 0x2000000) with the popup `open` and the cursor over the arrow part or not. Later rules win:
/// checked, then hot, pressed, arrow pressed, and an open popup above all.
SplitItemStyles SplitItemStylesOf(uint32_t flags, bool open, bool cursorOnArrow);
