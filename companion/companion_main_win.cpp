// Verdelo64: the 64-bit companion. It imports Ostrel64.dll, whose load maps the shared block and
// fails without a desktop icon list view, so without a desktop the companion does not start. It
// serves every plant process on 64-bit Windows and ends after the last one has unregistered, or
// once its plants have all died. A second companion, started while one serves, ends at once with
// exit code 0.
#include <windows.h>

#include "companion/companion_instance_win.h"
#include "companion/companion_window_win.h"
#include "framework/ui/dpi_functions_win.h"

namespace {

// Per-monitor aware (version 2), else per-monitor aware, else system aware: the first the system
// has.
void BecomeDpiAware() {
  ResolveDpiFunctions();
  if (gDpiFunctions.setProcessDpiAwarenessContext != nullptr) {
    gDpiFunctions.setProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return;
  }
  constexpr int kPerMonitorDpiAware = 2;
  if (gDpiFunctions.setProcessDpiAwareness != nullptr) {
    gDpiFunctions.setProcessDpiAwareness(kPerMonitorDpiAware);
    return;
  }
  SetProcessDPIAware();
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int) {
  BecomeDpiAware();
  companion::CompanionInstance instance;
  if (!instance.Take(companion::kHandOverMs)) {
    return 0;
  }
  const HWND window = companion::CreateCompanionWindow(module);
  if (window == nullptr) {
    return 1;
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(window)) {
    DestroyWindow(window);
  }
  return 0;
}
