// The drawing banner: bitmap 511 of the program's resources, drawn centred over the shown plant
// picture while a render is awaited (at start and after a redraw request). The picture grows
// around its old place when it is smaller than the banner.
#pragma once

#include <windows.h>

#include "plant/plant_picture_win.h"

namespace plant {

/// The DPI of the monitor under a rectangle in screen coordinates (positive; 96 when unknown).
using DpiForScreenRect = int (*)(const RECT& screenRect);

/// Draws the banner bitmap of module, scaled from 96 DPI to the DPI dpiForRect gives for the
/// picture's rectangle (null: 96), centred over the picture, enlarging the picture (DC, bitmap and
/// rectangle) when needed, then keys the picture's transparency: every pure black pixel becomes
/// transparent, inside the banner too. False, with the picture as it was, when the bitmap cannot
/// be loaded or its size read, or GDI cannot make the larger picture. Runs on the UI thread; holds
/// the picture's lock while it draws into or replaces the picture.
bool ShowDrawingBanner(PlantPicture& picture, HWND window, HINSTANCE module, DpiForScreenRect dpiForRect);

}  // namespace plant
