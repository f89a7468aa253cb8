#include "framework/ui/tray_notify_win.h"

namespace {

TrayNotifyCall gTrayNotify = Shell_NotifyIconA;

}  // namespace

BOOL TrayNotify(DWORD message, PNOTIFYICONDATAA data) { return gTrayNotify(message, data); }

void SetTrayNotifyForTesting(TrayNotifyCall call) { gTrayNotify = call != nullptr ? call : Shell_NotifyIconA; }
