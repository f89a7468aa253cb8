// Stretching the shown plant picture to a new rectangle, so that a resized plant shows its old
// picture at the new size until a new render is handed over.
#pragma once

#include <windows.h>

#include "plant/plant_picture_win.h"

namespace plant {

/// Replaces the picture by a 32-bit picture of newRect's size (compatible with window's DC, the
/// screen's for null) holding the old one stretched over it, keyed for transparency, with newRect
/// as its rectangle. An empty or reversed newRect, or one GDI cannot make, leaves the picture as
/// it was and returns false. Runs on the UI thread; holds the picture's lock while it reads the
/// old picture and exchanges it, and deletes the old objects after.
bool RescalePicture(PlantPicture& picture, HWND window, const RECT& newRect);

}  // namespace plant
