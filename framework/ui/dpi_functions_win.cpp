// Run-time DPI functions and DPI queries with their fallbacks.
#include "framework/ui/dpi_functions_win.h"

namespace {

constexpr int kDefaultDpi = 96;
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Function>
void Resolve(HMODULE module, const char* name, Function* out) {
  FARPROC proc = module != nullptr ? GetProcAddress(module, name) : nullptr;
  // Through void (*)(), the one function type GCC lets any other be cast from and to.
  *out = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

int LogPixelsOf(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return kDefaultDpi;
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi > 0 ? dpi : kDefaultDpi;
}

int EffectiveDpiOf(HMONITOR monitor) {
  UINT x = 0;
  UINT y = 0;
  if (monitor == nullptr || FAILED(gDpiFunctions.getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) || x == 0)
    return kDefaultDpi;
  return int(x);
}

}  // namespace

DpiFunctions gDpiFunctions = {};

void ResolveDpiFunctions() {
  HMODULE user32 = GetModuleHandleA("User32");
  Resolve(user32, "SetProcessDpiAwarenessContext", &gDpiFunctions.setProcessDpiAwarenessContext);
  Resolve(user32, "SetThreadDpiAwarenessContext", &gDpiFunctions.setThreadDpiAwarenessContext);
  Resolve(user32, "GetWindowDpiAwarenessContext", &gDpiFunctions.getWindowDpiAwarenessContext);
  Resolve(user32, "AdjustWindowRectExForDpi", &gDpiFunctions.adjustWindowRectExForDpi);
  Resolve(user32, "GetDpiForWindow", &gDpiFunctions.getDpiForWindow);
  // Only when something else loaded it: loading SHCore just for this is not worth its cost.
  HMODULE shcore = GetModuleHandleA("SHCore");
  Resolve(shcore, "SetProcessDpiAwareness", &gDpiFunctions.setProcessDpiAwareness);
  Resolve(shcore, "GetDpiForMonitor", &gDpiFunctions.getDpiForMonitor);
}

BOOL AdjustWindowRectDpi(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle, UINT dpi) {
  if (gDpiFunctions.adjustWindowRectExForDpi != nullptr)
    return gDpiFunctions.adjustWindowRectExForDpi(rect, style, hasMenu, exStyle, dpi);
  return AdjustWindowRectEx(rect, style, hasMenu, exStyle);
}

int DpiForRect(const RECT& rect, HMONITOR monitor) {
  if (gDpiFunctions.getDpiForMonitor != nullptr) {
    if (monitor == nullptr) monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    return EffectiveDpiOf(monitor);
  }
  POINT centre = {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
  return LogPixelsOf(WindowFromPoint(centre));
}

int DpiForWindow(HWND window) {
  if (gDpiFunctions.getDpiForWindow != nullptr) {
    UINT dpi = gDpiFunctions.getDpiForWindow(window);
    return dpi > 0 ? int(dpi) : kDefaultDpi;
  }
  if (gDpiFunctions.getDpiForMonitor != nullptr)
    return EffectiveDpiOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  return LogPixelsOf(window);
}
