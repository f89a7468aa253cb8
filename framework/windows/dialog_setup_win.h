// The shared set-up of every dialog (the CZrfApp members InitDialog, UpdateDialogDpi,
// RunModalDialog and ChangeModalDepth live in dialog_setup_win.cpp) and the child callback that
// hands the dialog font to a chosen few controls.
#pragma once

#include <windows.h>

#include <cstdint>

/// What DialogFontEnumProc needs from the dialog being set up.
struct DialogFontTarget {
  HFONT font;
  int32_t defaultButtonId;  ///< -1 when the dialog has no default push button
};

/// EnumChildWindows callback, lParam a DialogFontTarget: the default button gets the focus and
/// the font, group boxes the font, a plain check box standing right of a label-like control the
/// font and 1.2 times its width. A check box is widened only the first time, so it does not
/// grow on every DPI change. Always continues.
BOOL CALLBACK DialogFontEnumProc(HWND child, LPARAM target);

/// Name of the window property that marks a check box DialogFontEnumProc has widened.
constexpr char kWidenedProperty[] = "ZrfDialogFontWidened";

/// Shows a dialog's owner (a framework window through CZrfWindow::Show) and makes it the
/// foreground window; nothing for a null owner.
void ShowAndRaiseOwner(HWND owner);

/// The Help button of the framework's dialogs: sends WM_ZRF_HELP with `topic` (which must stay
/// valid during the call) to the first framework window, which opens the manual there. Nothing
/// when the program has no framework window.
void RequestDialogHelp(const char* topic);
