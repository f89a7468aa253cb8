// The framework message box's dialog procedure (CZrfApp::MessageDialog runs it on dialog 50100).
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/ui/message_box_layout.h"

/// One open box's parameters; the dialog keeps a pointer in DWLP_USER, so boxes may nest.
struct MessageBoxParams {
  const char* caption;
  const char* text;
  uint32_t style;
  zrf::MessageStyle decoded;
  int32_t defaultButton;  ///< id of the default button, set at WM_INITDIALOG
  int32_t dpi;            ///< the box's DPI (at least 96): at WM_INITDIALOG, then from WM_DPICHANGED
  bool systemFonts = false;  ///< the box shows the system font: in the interface font it was larger than the screen
};

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
