// The hidden control window "ZRFPhantom": other instances of the product command this one through
// it, and it runs the daily jobs, saves at logoff and makes the framework windows follow display
// and DPI changes.
#pragma once

#include <windows.h>

/// The control window's procedure.
LRESULT CALLBACK PhantomWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/// Registers the class "ZRFPhantom" (icon resource 1 of `instance`) and creates the hidden
/// control window titled `title`, with the hourly timer. Null when either failed.
HWND CreateControlWindow(HINSTANCE instance, const char* title);

/// The daily jobs: the update check, then the scheduled archiving, each when its hook is set.
void RunDailyJobs();
