// The welcome dialog that greets a new plant once, at its first start.
#pragma once

#include <windows.h>

#include "app/plant_dialog_win.h"

namespace plantapp {

/// At a start where the plant's DialogShown flag is clear: opens the welcome dialog (modeless,
/// owned by the plant window; OK or Escape close it; it holds the process's notice gate while it
/// is open) and makes or removes the autostart shortcut as the options say. Returns the welcome dialog, or null when the plant has been welcomed
/// before or the dialog could not be made. host must outlive the dialog.
HWND ShowWelcome(PlantDialogHost& host);

/// The welcome dialog's procedure (resource 103); its init parameter is the PlantDialogHost.
INT_PTR CALLBACK WelcomeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plantapp
