// The "Update Check" dialog (resource 50101): the installed and the available version with the
// last check's status, the automatic check with its interval, "Check now!" and the download page.
// Opened modally from the About dialog, or without owner by the check thread that found a new
// version.
#pragma once

#include <windows.h>

/// Init parameters of the dialog: the check thread's instance, destroyed on closing, or a modal
/// one, ended on closing.
constexpr LPARAM kUpdateDialogModeless = 0;
constexpr LPARAM kUpdateDialogModal = 1;

/// Dialog procedure of resource 50101. Run it modally (CZrfApp::RunModalDialog with
/// kUpdateDialogModal) or create it with kUpdateDialogModeless on a thread that then serves it.
/// OK saves the automatic check and its interval and starts a check when one is due; Cancel keeps
/// the saved ones and stops a check in progress.
INT_PTR CALLBACK UpdateCheckDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
