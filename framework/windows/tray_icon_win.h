// The notification-area icon of a framework window (CZrfApp::SetTrayIcon); its shell calls go
// through TrayNotify, which tests can replace.
#pragma once

#include "framework/ui/tray_notify_win.h"
