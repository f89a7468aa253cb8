// CButton (kind 1): an item that shows its command and, clicked, sends it to its owner through the
// application's click handling.
#pragma once

#include "framework/items/ui_item_win.h"

class CButton : public CUIItem {
 public:
  CButton();
  void Paint(HDC dc, const RECT& client) override;
};
