// CStatic (kind 2): a label that does nothing when clicked. Its label may begin with "#n" (the icon
// of command n before the text) and then "@n" (a progress bar of n percent after it).
#pragma once

#include "framework/items/ui_item_win.h"

class CStatic : public CUIItem {
 public:
  CStatic();
  void Paint(HDC dc, const RECT& client) override;
  /// A stretching static (kItemStretch) repaints at once when its size changes.
  void OnSize() override;
};
