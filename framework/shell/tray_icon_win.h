// The notification-area icon of a framework window (CZrfApp::SetTrayIcon), and a seam that lets
// tests see the shell calls.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

/// Replaces Shell_NotifyIconA for CZrfApp::SetTrayIcon; null restores the real call.
using TrayNotifyCall = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
void SetTrayNotifyForTesting(TrayNotifyCall call);
