// The companion's hidden window: its class, its procedure and its creation.
#pragma once

#include <windows.h>

namespace companion {

/// Registers the companion's window class and creates its window, which is never shown, with the
/// timer of its periodic look at the clients; null when any of them fails.
[[nodiscard]] HWND CreateCompanionWindow(HINSTANCE instance);

/// The companion window's procedure: requests in WM_APP, each answered through the hook library;
/// the look at the clients in WM_TIMER. Either may end the companion: the window goes, the
/// `companionRunning` byte is cleared and the message loop ends.
LRESULT CALLBACK CompanionWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace companion
