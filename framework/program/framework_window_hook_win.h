// What the framework windows leave to the top of the framework (gApp.frameworkWindowHook and
// gApp.redrawItemsHook): the window menu opened as a popup menu, the popup closed when the
// application is deactivated, and the redraw of a command's items.
#pragma once

#include <windows.h>

#include <cstdint>

class CZrfWindow;

/// gApp.frameworkWindowHook: WM_ZRF_WINDOWMENU builds the window's menu and opens it at the
/// cursor (answered 0); WM_ACTIVATEAPP for a deactivation closes the open popup menu and is left
/// to the default handling. False for every other message.
bool FrameworkWindowMessage(CZrfWindow* window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

/// gApp.redrawItemsHook: redraws the items of command `id`.
void RedrawItemsOfCommand(uint16_t id);
