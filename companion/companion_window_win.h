// The companion's hidden window: its class, its procedure and its creation.
#pragma once

#include <windows.h>

namespace companion {

/// Registers the companion's window class and creates its window, which is never shown; null when
/// either fails.
[[nodiscard]] HWND CreateCompanionWindow(HINSTANCE instance);

/// The companion window's procedure: requests in WM_APP, each answered through the hook library.
LRESULT CALLBACK CompanionWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace companion
