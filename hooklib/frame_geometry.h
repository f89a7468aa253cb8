// Geometry of the active plant's frame on the desktop: which zone a point is in, the cursor for a
// zone, the frame during a move or resize drag, and the border strips that show the dotted frame.
// Platform-free; the list-view subclass supplies the icon hit test and the mouse points.
#pragma once

#include <array>
#include <cstdint>

#include "hooklib/shared_block.h"

namespace ostrel {

/// Zone of the frame under a point: the edge bits, their corner sums 3, 6, 9, 12, or Move.
/// Other combinations (a frame narrower than 40 pixels gives 5 or 10) are neither edge nor corner.
inline constexpr int32_t kZoneNone = 0;
inline constexpr int32_t kZoneTop = 1;
inline constexpr int32_t kZoneRight = 2;
inline constexpr int32_t kZoneBottom = 4;
inline constexpr int32_t kZoneLeft = 8;
inline constexpr int32_t kZoneMove = 16;

/// Pixels a corner zone reaches along each edge from its corner.
inline constexpr int32_t kCornerReach = 20;
/// Depth of the edge bands inside the frame.
inline constexpr int32_t kEdgeDepth = 5;
/// Width of the border strips that are repainted to show or hide the dotted frame.
inline constexpr int32_t kFrameStrip = 3;

/// The cursor the desktop shows over a zone.
enum class FrameCursor { Keep, Arrow, SizeNS, SizeWE, SizeNESW, SizeNWSE, SizeAll };

/// Plant-supplied size limits of a resize, in pixels.
struct FrameLimits {
  int32_t minWidth;
  int32_t maxWidth;
  int32_t minHeight;
  int32_t maxHeight;
};

/// What a drag started from: the zone, the frame at button-down (left unchanged until the drag
/// ends), the height/width ratio, the button-down point and the plant's limits.
struct DragStart {
  int32_t zone;
  Rect32 frame;
  double aspectRatio;
  Point32 start;
  FrameLimits limits;
};

/// Limits as a drag uses them: minima of at least one pixel, so that no resize can reach a zero or
/// negative size and flip the frame, and maxima no smaller than the minima.
FrameLimits SaneLimits(FrameLimits limits);

/// Converts a double to int32 with truncation toward zero; NaN gives 0 and values beyond the
/// int32 range saturate, so no input is undefined behaviour.
int32_t TruncToInt32(double value);

/// True when `point` lies in `rect`, right and bottom edges excluded (as PtInRect).
bool IsPointInRect(Point32 point, const Rect32& rect);

/// Zone of `frame` under `point`. `onNoIcon` is false when the desktop's icon hit test found an
/// icon or a label there; the icon then keeps its own mouse handling and the zone is none.
int32_t HitTestFrame(Point32 point, const Rect32& frame, bool onNoIcon);

/// The cursor for a zone; Keep for values that are neither an edge, a corner nor Move.
FrameCursor CursorForZone(int32_t zone);

/// The drag rectangle for the mouse at `mouse`. Resizes keep the aspect ratio, keep the opposite
/// edge or corner fixed and stay within the limits; the frame never flips. A Move shifts the frame
/// without limits. Zones that are not an edge, a corner or Move, and resizes with an aspect ratio
/// that is not finite and positive, give the start frame unchanged.
Rect32 TrackFrameRect(const DragStart& drag, Point32 mouse);

/// The four 3-pixel border strips of `frame` in repaint order: top, bottom, left, right.
std::array<Rect32, 4> FrameEdgeStrips(const Rect32& frame);

}  // namespace ostrel
