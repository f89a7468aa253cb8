// Making a window see-through and click-through.
#include "framework/ui/window_transparency_win.h"

#include "framework/ui/window_transparency.h"

void SetWindowTransparency(HWND window, int32_t percent, bool clickThrough) {
  LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  if (percent <= 0) {
    SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return;
  }
  exStyle |= WS_EX_LAYERED;
  exStyle = clickThrough ? (exStyle | WS_EX_TRANSPARENT) : (exStyle & ~LONG_PTR(WS_EX_TRANSPARENT));
  SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
  SetLayeredWindowAttributes(window, 0, TransparencyAlpha(percent), LWA_ALPHA);
}
