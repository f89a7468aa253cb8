// CButton; see button_item_win.h.
#include "framework/items/button_item_win.h"

#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"

CButton::CButton() { kind = kItemButton; }

void CButton::Paint(HDC dc, const RECT& client) { PaintStandardItem(this, dc, client); }
