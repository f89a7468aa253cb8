// The "Archive Configuration" dialog (resource 50103): switches scheduled archiving on and off,
// sets the interval, the number of archives kept, the folder and name templates with previews of
// their expansion, and archives at once.
#pragma once

#include <windows.h>

/// Dialog procedure of resource 50103; run it modally (CZrfApp::RunModalDialog). OK saves the
/// settings after checking the templates and starts a due archive; Cancel keeps the saved ones.
INT_PTR CALLBACK ArchiveConfigDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
