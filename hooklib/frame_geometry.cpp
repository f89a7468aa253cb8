// Frame zones and drag tracking.
//
// All arithmetic is in doubles, and every conversion back to a coordinate truncates toward zero, so
// the 32-bit and 64-bit builds and the native tests agree to the pixel. Sums of coordinates and
// limits are formed in doubles or 64-bit integers: a plant may report any int32 limit, and a sum of
// two int32 values would overflow.
//
// Resizing: an edge drag moves one side; the frame's other axis follows from the aspect ratio and
// stays centred on the frame's centre line. A corner drag keeps the opposite corner; the mouse
// coordinate that gives the larger frame drives. Then the limits are applied as clamps in a fixed
// order, each recomputing both dependent coordinates and seeing the results of the ones before.
#include "hooklib/frame_geometry.h"

#include <cmath>
#include <limits>

namespace ostrel {
namespace {

// Requires: dir is +1 or -1. The side that moves sits `extent` from the fixed side along dir.
int32_t Beside(int32_t fixed, int dir, double extent) {
  return TruncToInt32(static_cast<double>(fixed) + dir * extent);
}

// Top (dir -1, bottom fixed) or Bottom (dir +1, top fixed); the width follows, centred on cx.
Rect32 TrackVerticalEdge(const DragStart& drag, int dir, int32_t y) {
  const Rect32& f = drag.frame;
  const FrameLimits& lim = drag.limits;
  const double a = drag.aspectRatio;
  const int32_t fixed = dir < 0 ? f.bottom : f.top;
  const double cx = TruncToInt32(f.left + (static_cast<double>(f.right) - f.left) * 0.5);
  int32_t moving = y;
  int32_t left = 0;
  int32_t right = 0;
  auto span = [&](double half) {
    left = TruncToInt32(cx - half);
    right = TruncToInt32(cx + half);
  };
  auto height = [&] { return dir * (static_cast<int64_t>(moving) - fixed); };
  auto width = [&] { return static_cast<int64_t>(right) - left; };
  span(std::fabs(static_cast<double>(y) - fixed) / (2 * a));
  if (height() < lim.minHeight) {
    moving = Beside(fixed, dir, lim.minHeight);
    span(lim.minHeight / (2 * a));
  }
  if (width() < lim.minWidth) {
    moving = Beside(fixed, dir, lim.minWidth * a);
    span(lim.minWidth * 0.5);
  }
  if (height() > lim.maxHeight) {
    moving = Beside(fixed, dir, lim.maxHeight);
    span(lim.maxHeight / (2 * a));
  }
  if (width() > lim.maxWidth) {
    moving = Beside(fixed, dir, lim.maxWidth * a);
    span(lim.maxWidth * 0.5);
  }
  return dir < 0 ? Rect32{left, moving, right, fixed} : Rect32{left, fixed, right, moving};
}

// Right (dir +1, left fixed) or Left (dir -1, right fixed); the height follows, centred on cy.
Rect32 TrackHorizontalEdge(const DragStart& drag, int dir, int32_t x) {
  const Rect32& f = drag.frame;
  const FrameLimits& lim = drag.limits;
  const double a = drag.aspectRatio;
  const int32_t fixed = dir > 0 ? f.left : f.right;
  const double cy = TruncToInt32(f.top + (static_cast<double>(f.bottom) - f.top) * 0.5);
  int32_t moving = x;
  int32_t top = 0;
  int32_t bottom = 0;
  auto span = [&](double half) {
    top = TruncToInt32(cy - half);
    bottom = TruncToInt32(cy + half);
  };
  auto width = [&] { return dir * (static_cast<int64_t>(moving) - fixed); };
  auto height = [&] { return static_cast<int64_t>(bottom) - top; };
  span(std::fabs(static_cast<double>(x) - fixed) * (a * 0.5));
  if (width() < lim.minWidth) {
    moving = Beside(fixed, dir, lim.minWidth);
    span(lim.minWidth * a * 0.5);
  }
  if (height() < lim.minHeight) {
    moving = Beside(fixed, dir, lim.minHeight / a);
    span(lim.minHeight * 0.5);
  }
  if (width() > lim.maxWidth) {
    moving = Beside(fixed, dir, lim.maxWidth);
    span(lim.maxWidth * a * 0.5);
  }
  if (height() > lim.maxHeight) {
    moving = Beside(fixed, dir, lim.maxHeight / a);
    span(lim.maxHeight * 0.5);
  }
  return dir > 0 ? Rect32{fixed, top, moving, bottom} : Rect32{moving, top, fixed, bottom};
}

// A corner zone. hdir +1 moves the right side (left fixed), -1 the left side (right fixed);
// vdir +1 moves the bottom (top fixed), -1 the top (bottom fixed).
Rect32 TrackCorner(const DragStart& drag, int hdir, int vdir, Point32 mouse) {
  const Rect32& f = drag.frame;
  const FrameLimits& lim = drag.limits;
  const double a = drag.aspectRatio;
  const int32_t fixedX = hdir > 0 ? f.left : f.right;
  const int32_t fixedY = vdir > 0 ? f.top : f.bottom;
  const int64_t mouseHeight = vdir * (static_cast<int64_t>(mouse.y) - fixedY);
  const int64_t mouseWidth = hdir * (static_cast<int64_t>(mouse.x) - fixedX);
  int32_t moving = mouse.x;
  if (static_cast<double>(mouseHeight) > static_cast<double>(mouseWidth) * a) {
    moving = Beside(fixedX, hdir, static_cast<double>(mouseHeight) / a);
  }
  auto width = [&] { return hdir * (static_cast<int64_t>(moving) - fixedX); };
  int32_t dependent = Beside(fixedY, vdir, static_cast<double>(width()) * a);
  auto height = [&] { return vdir * (static_cast<int64_t>(dependent) - fixedY); };
  if (width() < lim.minWidth) {
    moving = Beside(fixedX, hdir, lim.minWidth);
    dependent = Beside(fixedY, vdir, lim.minWidth * a);
  }
  if (height() < lim.minHeight) {
    dependent = Beside(fixedY, vdir, lim.minHeight);
    moving = Beside(fixedX, hdir, lim.minHeight / a);
  }
  if (width() > lim.maxWidth) {
    moving = Beside(fixedX, hdir, lim.maxWidth);
    dependent = Beside(fixedY, vdir, lim.maxWidth * a);
  }
  if (height() > lim.maxHeight) {
    dependent = Beside(fixedY, vdir, lim.maxHeight);
    moving = Beside(fixedX, hdir, lim.maxHeight / a);
  }
  Rect32 r = f;
  (hdir > 0 ? r.right : r.left) = moving;
  (vdir > 0 ? r.bottom : r.top) = dependent;
  return r;
}

Rect32 Shift(const Rect32& f, int64_t dx, int64_t dy) {
  auto add = [](int32_t v, int64_t d) { return TruncToInt32(static_cast<double>(v + d)); };
  return Rect32{add(f.left, dx), add(f.top, dy), add(f.right, dx), add(f.bottom, dy)};
}

}  // namespace

int32_t TruncToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return std::numeric_limits<int32_t>::max();
  }
  if (value <= -2147483648.0) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}

FrameLimits SaneLimits(FrameLimits l) {
  l.minWidth = l.minWidth < 1 ? 1 : l.minWidth;
  l.minHeight = l.minHeight < 1 ? 1 : l.minHeight;
  l.maxWidth = l.maxWidth < l.minWidth ? l.minWidth : l.maxWidth;
  l.maxHeight = l.maxHeight < l.minHeight ? l.minHeight : l.maxHeight;
  return l;
}

bool IsPointInRect(Point32 p, const Rect32& r) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

int32_t HitTestFrame(Point32 p, const Rect32& f, bool onNoIcon) {
  if (!onNoIcon || !IsPointInRect(p, f)) {
    return kZoneNone;
  }
  const int64_t x = p.x;
  const int64_t y = p.y;
  int32_t bits = 0;
  if (y < int64_t{f.top} + kCornerReach) bits |= kZoneTop;
  if (x > int64_t{f.right} - kCornerReach) bits |= kZoneRight;
  if (y > int64_t{f.bottom} - kCornerReach) bits |= kZoneBottom;
  if (x < int64_t{f.left} + kCornerReach) bits |= kZoneLeft;
  if (x <= int64_t{f.left} + kEdgeDepth || x >= int64_t{f.right} - kEdgeDepth) {
    return bits;
  }
  if (y > int64_t{f.top} + kEdgeDepth && y < int64_t{f.bottom} - kEdgeDepth) {
    return kZoneMove;
  }
  return bits;
}

FrameCursor CursorForZone(int32_t zone) {
  switch (zone) {
    case kZoneNone: return FrameCursor::Arrow;
    case kZoneTop:
    case kZoneBottom: return FrameCursor::SizeNS;
    case kZoneRight:
    case kZoneLeft: return FrameCursor::SizeWE;
    case kZoneTop | kZoneRight:
    case kZoneBottom | kZoneLeft: return FrameCursor::SizeNESW;
    case kZoneRight | kZoneBottom:
    case kZoneTop | kZoneLeft: return FrameCursor::SizeNWSE;
    case kZoneMove: return FrameCursor::SizeAll;
    default: return FrameCursor::Keep;
  }
}

Rect32 TrackFrameRect(const DragStart& drag, Point32 mouse) {
  if (drag.zone == kZoneMove) {
    return Shift(drag.frame, int64_t{mouse.x} - drag.start.x, int64_t{mouse.y} - drag.start.y);
  }
  // A zero, negative or non-finite ratio would turn every resize into garbage that the plant then
  // stores as its size; such a frame is left as it is.
  if (!std::isfinite(drag.aspectRatio) || drag.aspectRatio <= 0) {
    return drag.frame;
  }
  switch (drag.zone) {
    case kZoneTop: return TrackVerticalEdge(drag, -1, mouse.y);
    case kZoneBottom: return TrackVerticalEdge(drag, +1, mouse.y);
    case kZoneRight: return TrackHorizontalEdge(drag, +1, mouse.x);
    case kZoneLeft: return TrackHorizontalEdge(drag, -1, mouse.x);
    case kZoneTop | kZoneRight: return TrackCorner(drag, +1, -1, mouse);
    case kZoneRight | kZoneBottom: return TrackCorner(drag, +1, +1, mouse);
    case kZoneTop | kZoneLeft: return TrackCorner(drag, -1, -1, mouse);
    case kZoneBottom | kZoneLeft: return TrackCorner(drag, -1, +1, mouse);
    default: return drag.frame;
  }
}

std::array<Rect32, 4> FrameEdgeStrips(const Rect32& f) {
  return {Rect32{f.left, f.top, f.right, f.top + kFrameStrip},
          Rect32{f.left, f.bottom - kFrameStrip, f.right, f.bottom},
          Rect32{f.left, f.top, f.left + kFrameStrip, f.bottom},
          Rect32{f.right - kFrameStrip, f.top, f.right, f.bottom}};
}

}  // namespace ostrel
