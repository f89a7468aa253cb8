// Placement arithmetic of framework windows: centring on a parent inside a work area, and the
// strips a window must repaint when it grows.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

/// Top-left corner that centres a window of `width` x `height` on `parent` (integer division,
/// toward zero), then limited to the work area: x lies between work.left and
/// work.right - width (whichever is smaller is the lower end), y likewise with top and bottom.
ZrfPoint CenterPosition(const ZrfRect& parent, int32_t width, int32_t height, const ZrfRect& work);

/// The strips to repaint when a window's client area changes from oldWidth x oldHeight to
/// newWidth x newHeight: the vertical strip between the two widths over the new height and the
/// horizontal strip between the two heights over the new width. Empty strips are left out.
/// Writes up to two rectangles to `strips` and returns how many.
int32_t GrownAreaStrips(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight,
                        ZrfRect (&strips)[2]);
