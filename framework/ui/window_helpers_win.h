// Placement and lookup helpers for framework windows.
#pragma once

#include <windows.h>

#include <cstdint>

/// Centres `window` on `parent` (null: its parent, else the desktop) and keeps it inside the work
/// area of the monitor at the parent's top-left corner. Without `rect` the window is moved there;
/// with one, the window's size is taken from it and only its left and top are set.
void CenterWindowInParent(HWND window, RECT* rect, HWND parent);

/// Makes `window` topmost, without moving, sizing or activating it, when its parent is topmost.
/// True when it did.
bool KeepTopmostWithParent(HWND window);

/// True when the window under the cursor is `window`.
bool IsCursorOverWindow(HWND window);

/// The first top-level window of class "ZRFPhantom" (any letter case) whose title is exactly
/// `title`: another running instance's control window. Null when there is none.
HWND FindPhantomWindow(const char* title);

/// Invalidates (with erase) what a window gains or loses between its old and new client size:
/// the strip between the widths over the new height and the strip between the heights over the
/// new width. The new size then becomes the old one.
void InvalidateGrownArea(HWND window, int32_t newWidth, int32_t newHeight, int32_t* oldWidth,
                         int32_t* oldHeight);
