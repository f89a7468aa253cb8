// CSlider (kind 9): a track with a thumb for a value of the program's UIValueRange record (in the
// command's data word). A click beside the thumb steps the value, dragging the thumb sets it; the
// owner gets WM_ZRF_COMMAND (command id, lParam 1) on each change.
#pragma once

#include "framework/items/ui_item_win.h"
#include "framework/items/ui_values.h"

class CSlider : public CUIItem {
 public:
  CSlider();
  ~CSlider() override;
  /// ZRF_ERR_UNKNOWN_COMMAND when the command has no value record.
  int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// The track: one text height high, seven wide.
  void OnMeasure(const CommandRecord& command, int32_t orientation) override;
  void Paint(HDC dc, const RECT& client) override;

  UIValueRange* value;
  RECT thumb;  ///< where the thumb was last painted
};
