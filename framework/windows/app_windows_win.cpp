// What the application does to all its framework windows and bars at once: repainting their
// frames after an activation, and switching the colour scheme.
#include "framework/app/zrf_app_win.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/bar_win.h"
#include "framework/windows/zrf_window_win.h"

void CZrfApp::RepaintFrames() {
  for (int32_t i = 0; i < windows.count; ++i) {
    const CZrfWindow* window = *windows.GetAt(i);
    if (window->window == nullptr) continue;
    SendMessageA(window->window, WM_NCACTIVATE, FALSE, 0);
    if ((window->flags & zrf::kWindowNoCaption) != 0) SendMessageA(window->window, WM_NCPAINT, 1, 0);
  }
  for (int32_t i = 0; i < bars.count; ++i) {
    const CBar* bar = *bars.GetAt(i);
    if (bar->hwnd != nullptr) SendMessageA(bar->hwnd, WM_NCACTIVATE, FALSE, 0);
  }
}

void CZrfApp::SetColorScheme(uint8_t scheme) {
  settings.colorScheme = scheme;
  style.BuildPalette(&settings);
  (void)style.ReloadIcons();
  constexpr UINT kEverything = RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE;
  for (int32_t i = 0; i < windows.count; ++i) {
    const CZrfWindow* window = *windows.GetAt(i);
    if (window->window != nullptr) RedrawWindow(window->window, nullptr, nullptr, kEverything);
  }
  for (int32_t i = 0; i < bars.count; ++i) {
    const CBar* bar = *bars.GetAt(i);
    if (bar->hwnd != nullptr) RedrawWindow(bar->hwnd, nullptr, nullptr, kEverything);
  }
}
