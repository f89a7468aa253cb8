// The one way the framework talks to the notification area (Shell_NotifyIconA), replaceable by
// tests that want to see the calls: a window adds and changes its icon there and removes it when
// it goes.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

/// Shell_NotifyIconA, or the stand-in a test set.
BOOL TrayNotify(DWORD message, PNOTIFYICONDATAA data);

/// Replaces Shell_NotifyIconA for TrayNotify; null restores the real call.
using TrayNotifyCall = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
void SetTrayNotifyForTesting(TrayNotifyCall call);
