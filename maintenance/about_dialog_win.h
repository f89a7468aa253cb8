// The framework's About and configuration dialog (resource 50102): the product, its version and
// maker with a link to the maker's web page, links to the program and data folders, and the doors
// to the configuration: Backup, Restore, Reset, scheduled archiving and the update check. It sits
// with the maintenance services because every button of it calls one of them.
#pragma once

#include <windows.h>

/// Shows the dialog modally on `owner`, or, when null, on the foreground window if it is this
/// process's. The owner is shown and raised first, unless it is a framework window that stays
/// where it is (kWindowStaysPut, the plant on the desktop). After a successful Restore or Reset
/// the user's OK asks for a restart, which happens once the message loop has ended.
void ShowAboutDialog(HWND owner);

/// Dialog procedure of resource 50102.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
