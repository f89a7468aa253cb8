// CColor (kind 11): a colour swatch of the program's UIColorValue record (in the command's data
// word). Pressed and dragged out of the item, it picks the screen's colour under the cursor like an
// eyedropper; the owner gets WM_ZRF_COMMAND (command id, 0) when the button comes up outside it.
#pragma once

#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

class CColor : public CUIItem {
 public:
  CColor();
  /// ZRF_ERR_UNKNOWN_COMMAND when the command has no value record; marks the command as one that
  /// drags by itself.
  int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// The brush-size item's 22 x 22 icon part.
  void OnMeasure(const CommandRecord& command, int32_t orientation) override;
  void Paint(HDC dc, const RECT& client) override;

  UIColorValue* value;
};
