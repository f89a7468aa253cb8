// Showing and hiding the framework's frames: framework windows and bars, the windows a user moves
// about on the screen. Callers decide the show command; this is the one place that applies it.
#pragma once

#include <windows.h>

class CBar;
class CZrfWindow;

/// Applies `showCommand` (a ShowWindow command) to the framework window's window. True when that
/// window was visible before; false, with nothing done, for a null object or one without a window.
bool ShowFrameWindow(const CZrfWindow* window, int showCommand);

/// As above for a bar's window, docked or floating.
bool ShowFrameWindow(const CBar* bar, int showCommand);
