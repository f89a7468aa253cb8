#include "framework/items/split_item_style.h"

#include "framework/items/item_flags.h"

SplitItemStyles SplitItemStylesOf(uint32_t flags, bool open, bool cursorOnArrow) {
  SplitItemStyles s{0, 0, 0, false, false};
  if ((flags & kItemChecked) != 0) s = {6, 0, 0, false, true};
  if ((flags & kItemHot) != 0) s = cursorOnArrow ? SplitItemStyles{2, 1, 0, false, false} : SplitItemStyles{1, 2, 0, false, false};
  if ((flags & kItemPressed) != 0) s = {2, 2, 1, false, false};
  if ((flags & kItemVariantB) != 0) s = {2, 2, 0, true, false};
  if (open) s = {2, 2, 0, false, false};
  return s;
}
