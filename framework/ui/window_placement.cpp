// Default placement of framework windows and their placement record.
#include "framework/ui/window_placement.h"

#include <algorithm>
#include <limits>

namespace zrf {

namespace {

template <typename T>
T Saturate(int32_t value) {
  return static_cast<T>(std::clamp<int32_t>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

WindowPlacementRecord PackPlacement(const WindowPlacement& p) {
  WindowPlacementRecord r{};
  r.x = Saturate<int16_t>(p.x);
  r.y = Saturate<int16_t>(p.y);
  r.cx = Saturate<uint16_t>(p.cx);
  r.cy = Saturate<uint16_t>(p.cy);
  r.flags = p.flags;
  r.transparency = static_cast<uint32_t>(p.transparency & 0xFF) | (p.ghost ? kPlacementGhostBit : 0);
  return r;
}

WindowPlacement UnpackPlacement(const WindowPlacementRecord& r) {
  WindowPlacement p;
  p.x = r.x;
  p.y = r.y;
  p.cx = r.cx;
  p.cy = r.cy;
  p.flags = r.flags;
  const int32_t percent = static_cast<int32_t>(r.transparency & 0xFF);
  p.transparency = percent <= 90 && percent % 10 == 0 ? percent : 0;
  p.ghost = (r.transparency & kPlacementGhostBit) != 0;
  return p;
}

WindowPlacement DefaultPlacement(uint16_t index, const Rect& m, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                 uint32_t flags) {
  WindowPlacement p;
  if (cx == 0) cx = (2 * m.Width()) / 3;
  if (cy == 0) cy = (2 * m.Height()) / 3;
  if (x == 0) x = (m.Width() - cx) / 2 + index * 40;
  if (y == 0) y = (m.Height() - cy) / 2 + index * 40;
  if (m.right - cx > 0) x %= m.right - cx;
  if (m.bottom - cy > 0) y %= m.bottom - cy;
  p.x = x;
  p.y = y;
  p.cx = cx;
  p.cy = cy;
  p.flags = flags;
  return p;
}

bool IsPlacementOnMonitors(const WindowPlacementRecord& r, std::span<const Rect> monitors) {
  if (r.cx == 0 || r.cy == 0) return false;
  const int32_t left = r.x + 20;
  const int32_t right = r.x + r.cx - 20;
  const int32_t top = r.y + 20;
  return std::any_of(monitors.begin(), monitors.end(), [&](const Rect& monitor) {
    return RectContains(monitor, left, top) || RectContains(monitor, right, top);
  });
}

}  // namespace zrf
