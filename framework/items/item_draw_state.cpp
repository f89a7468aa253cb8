// The look of an item; see item_draw_state.h.
#include "framework/items/item_draw_state.h"

#include "framework/items/item_flags.h"
#include "framework/style/item_frame_plan.h"
#include "framework/style/ui_palette.h"

ItemDrawState DrawStateOf(uint32_t flags, bool inPopup) {
  ItemDrawState state{};
  const bool enabled = (flags & kItemEnabled) != 0;
  state.frameStyle = kFrameNone;
  if ((flags & kItemChecked) != 0) state.frameStyle = enabled ? kFrameChecked : kFrameCheckedOff;
  if ((flags & kItemHot) != 0) state.frameStyle = kFrameHot;
  if ((flags & kItemPressed) != 0) state.frameStyle = kFramePressed;
  state.textSelector = enabled ? kSelectorText : kSelectorShadow;
  if ((flags & (kItemHot | kItemPressed)) != 0) state.textSelector = kSelectorHighlight;
  state.centre = (flags & kItemCentred) != 0 && !inPopup;
  state.bold = (flags & kItemBold) != 0;
  state.pressOffset = (flags & kItemPressed) != 0 ? 1 : 0;
  return state;
}
