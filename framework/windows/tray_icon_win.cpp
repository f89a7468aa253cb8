// CZrfApp::SetTrayIcon: one notification-area icon per framework window, keyed by its index.
#include "framework/windows/tray_icon_win.h"

#include <cstdarg>
#include <cstdio>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/windows/zrf_window_win.h"

namespace {

constexpr int kTrayIconSize = 64;

}  // namespace

void CZrfApp::SetTrayIcon(uint16_t windowIndex, int32_t iconId, const char* format, ...) {
  char tip[260];
  if (format != nullptr) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(tip, sizeof tip, format, args);
    va_end(args);
  } else {
    std::snprintf(tip, sizeof tip, "%s", productName);
  }
  // An owned copy, never a shared one: the window destroys the icon it replaces, and a shared
  // handle would be the very icon it is about to show.
  HICON icon = iconId == 0 ? nullptr
                           : static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                           kTrayIconSize, kTrayIconSize, 0));
  CZrfWindow* owner = FindWindowByIndex(windowIndex);
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner != nullptr ? owner->window : GetDesktopWindow();
  data.uID = windowIndex;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = zrf::WM_ZRF_TRAYNOTIFY;
  data.hIcon = icon;
  // The tip holds 127 characters; a longer text is cut there.
  std::snprintf(data.szTip, sizeof data.szTip, "%s", tip);
  if (icon == nullptr) {
    (void)TrayNotify(NIM_DELETE, &data);
  } else if (!TrayNotify(NIM_MODIFY, &data)) {
    (void)TrayNotify(NIM_ADD, &data);
  }
  if (owner != nullptr) {
    if (owner->trayIcon != nullptr) DestroyIcon(owner->trayIcon);
    owner->trayIcon = icon;
  } else if (icon != nullptr) {
    // The shell keeps its own copy; without a window nobody else would ever destroy this one.
    DestroyIcon(icon);
  }
}
