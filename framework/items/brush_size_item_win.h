// CBrushSize (kind 10): a value of the program's UIValueRange record (in the command's data word)
// shown as a number over an icon, changed by dragging up or down; the owner gets WM_ZRF_COMMAND
// (command id, lParam 0) when the left button comes up.
#pragma once

#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

class CBrushSize : public CUIItem {
 public:
  CBrushSize();
  ~CBrushSize() override;
  /// ZRF_ERR_UNKNOWN_COMMAND when the command has no value record; marks the command as one that
  /// drags by itself.
  int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// An icon part of 22 x 22 (shared with CColor).
  void OnMeasure(const CommandRecord& command, int32_t orientation) override;
  void Paint(HDC dc, const RECT& client) override;

  UIValueRange* value;
  int32_t lastValue;       ///< value of the last paint, -1 before the first
  int32_t lastTextLength;  ///< length of its text, -1 before the first
  int32_t lastWidth;       ///< the item's width at the last paint
  HFONT valueFont;         ///< the largest font in which the value fits; owned
  RECT textRect;
  char valueText[16];
};

/// The 22 x 22 icon part of the brush-size and colour items.
void MeasureSwatchIcon(CUIItem* item);
