// Mouse buttons of item events; see mouse_buttons.h.
#include "framework/items/mouse_buttons.h"

uint32_t MouseButtonMask(uint32_t ownButton, uint32_t keyState) {
  uint32_t mask = ownButton;
  if ((keyState & kKeyStateLeft) != 0) mask |= kButtonLeft;
  if ((keyState & kKeyStateRight) != 0) mask |= kButtonRight;
  if ((keyState & kKeyStateMiddle) != 0) mask |= kButtonMiddle;
  return mask;
}

int32_t ButtonSlot(uint32_t button) {
  switch (button) {
    case kButtonLeft:
      return 0;
    case kButtonRight:
      return 1;
    case kButtonMiddle:
      return 2;
    default:
      return -1;
  }
}

bool IsDoubleClick(uint64_t previous, uint64_t now, uint32_t doubleClickTime) {
  return previous != 0 && now >= previous && now - previous < doubleClickTime;
}
