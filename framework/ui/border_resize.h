// Resizing a borderless framework window by its edges: which zone of the window the cursor is
// in and where the edges go while the cursor moves. Platform-free; the message loop tracks the
// mouse (message_loop_win.cpp).
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

/// Width in pixels of the band along each edge that resizes.
constexpr int32_t kResizeBand = 5;

/// Zones of a window's edge band: corners and edges, counter-clockwise from the top-left.
enum ResizeZone : int32_t {
  kZoneNone = 0,
  kZoneTopLeft = 1,
  kZoneLeft = 2,
  kZoneBottomLeft = 3,
  kZoneBottom = 4,
  kZoneBottomRight = 5,
  kZoneRight = 6,
  kZoneTopRight = 7,
  kZoneTop = 8,
};

/// The zone of the point (x, y), in the coordinates of a window `width` by `height` whose client
/// area is the whole window; kZoneNone inside the band's border.
int32_t ResizeZoneAt(int32_t x, int32_t y, int32_t width, int32_t height);

/// The cursor's distances from the window's edges when a resize starts.
struct ResizeGrip {
  int32_t zone;
  int32_t fromLeft;    ///< cursor x - left
  int32_t fromTop;     ///< cursor y - top
  int32_t fromRight;   ///< right - cursor x
  int32_t fromBottom;  ///< bottom - cursor y
};

/// The grip of a resize in `zone` that starts with the cursor at (x, y) over `window` (screen).
ResizeGrip GripOf(int32_t zone, const ZrfRect& window, int32_t x, int32_t y);

/// `window` with the edges of the grip's zone following the cursor at (x, y); corners move two.
ZrfRect ResizedRect(const ZrfRect& window, const ResizeGrip& grip, int32_t x, int32_t y);
