// CreateUIItem: the item class of each kind.
#include <new>

#include "framework/items/brush_size_item_win.h"
#include "framework/items/button_item_win.h"
#include "framework/items/color_item_win.h"
#include "framework/items/item_flags.h"
#include "framework/items/list_item_win.h"
#include "framework/items/menu_item_win.h"
#include "framework/items/palette_item_win.h"
#include "framework/items/separator_item_win.h"
#include "framework/items/slider_item_win.h"
#include "framework/items/static_item_win.h"
#include "framework/items/tree_item_win.h"
#include "framework/items/ui_item_win.h"

CUIItem* CreateUIItem(int32_t kind, CUIItem* object) {
  switch (kind) {
    case kItemButton:
      return new (std::nothrow) CButton;
    case kItemStatic:
      return new (std::nothrow) CStatic;
    case kItemMenu:
      return new (std::nothrow) CMenu;
    case kItemSeparator:
      return new (std::nothrow) CSeparator;
    case kItemTree:
      return new (std::nothrow) CTree;
    case kItemList:
      return new (std::nothrow) CList;
    case kItemSlider:
      return new (std::nothrow) CSlider;
    case kItemBrushSize:
      return new (std::nothrow) CBrushSize;
    case kItemColor:
      return new (std::nothrow) CColor;
    case kItemPalette:
      return new (std::nothrow) CPalette;
    case kItemGivenObject:
      return object;
    default:
      return nullptr;
  }
}
