// ShowWindow for framework windows and bars.
#include "framework/windows/show_frame_window_win.h"

#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

namespace {

// A frame without a window (not made yet, or destroyed at exit) is passed over, so callers need
// not ask first.
bool ShowHandle(HWND window, int showCommand) {
  if (window == nullptr) return false;
  return ShowWindow(window, showCommand) != FALSE;
}

}  // namespace

bool ShowFrameWindow(const CZrfWindow* window, int showCommand) {
  return window != nullptr && ShowHandle(window->window, showCommand);
}

bool ShowFrameWindow(const CBar* bar, int showCommand) {
  return bar != nullptr && ShowHandle(bar->hwnd, showCommand);
}
