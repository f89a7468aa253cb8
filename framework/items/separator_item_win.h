// CSeparator (kind 4, its kind field left 0): a line between groups of items, or a thin spacer.
#pragma once

#include "framework/items/ui_item_win.h"

class CSeparator : public CUIItem {
 public:
  /// 3 x 3 pixels for a thin spacer (kItemVariantA), else 6 x 6; never scaled.
  void Measure(const CommandRecord& command, int32_t orientation) override;
  void Paint(HDC dc, const RECT& client) override;
};
