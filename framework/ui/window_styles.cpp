// Styles of a framework window from its flags.
#include "framework/ui/window_styles.h"

namespace zrf {

WindowStyles GetStyles(uint32_t flags) {
  WindowStyles s;
  const bool borderless = (flags & kWindowBorderless) != 0;
  s.style = ws::kPopup | ws::kClipSiblings | ws::kClipChildren | ws::kSysMenu;
  if (!borderless) s.style |= ws::kBorder;
  if ((flags & kWindowSizable) && !borderless) s.style |= ws::kThickFrame | ws::kMinimizeBox | ws::kMaximizeBox;
  if (!(flags & kWindowNoCaption) && !borderless) s.style |= ws::kCaption;
  if (flags & kWindowMaximized) s.style |= ws::kMaximize;
  if (flags & kWindowTaskbarButton) s.exStyle |= ws::kExAppWindow;
  if (flags & kWindowSmallCaption) s.exStyle |= ws::kExToolWindow;
  if (flags & kWindowAlwaysOnTop) s.exStyle |= ws::kExTopmost;
  if (flags & kWindowAcceptsFiles) s.exStyle |= ws::kExAcceptFiles;
  return s;
}

}  // namespace zrf
