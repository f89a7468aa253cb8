// CPalette (kind 12): sixteen colour swatches of the program's UIPaletteValue record (in the
// command's data word). A press selects a swatch; dragged out of the item it picks the screen's
// colour into the selected swatch; the owner gets WM_ZRF_COMMAND (command id, 0) when the button
// comes up outside it.
#pragma once

#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

class CPalette : public CUIItem {
 public:
  CPalette();
  /// ZRF_ERR_UNKNOWN_COMMAND when the command has no value record; marks the command as one that
  /// drags by itself.
  int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// The swatches: 32u x 6u, turned to 6u x 32u in a column.
  void OnMeasure(const CommandRecord& command, int32_t orientation) override;
  void Paint(HDC dc, const RECT& client) override;

  UIPaletteValue* value;
  RECT swatches[kPaletteSwatches];  ///< where each swatch was last painted
};
