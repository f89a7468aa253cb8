// Edge zones and edge arithmetic of the borderless resize.
#include "framework/ui/border_resize.h"

namespace {

bool MovesLeft(int32_t zone) { return zone == kZoneTopLeft || zone == kZoneLeft || zone == kZoneBottomLeft; }
bool MovesRight(int32_t zone) {
  return zone == kZoneBottomRight || zone == kZoneRight || zone == kZoneTopRight;
}
bool MovesTop(int32_t zone) { return zone == kZoneTopLeft || zone == kZoneTopRight || zone == kZoneTop; }
bool MovesBottom(int32_t zone) {
  return zone == kZoneBottomLeft || zone == kZoneBottom || zone == kZoneBottomRight;
}

}  // namespace

int32_t ResizeZoneAt(int32_t x, int32_t y, int32_t width, int32_t height) {
  const bool left = x < kResizeBand;
  const bool right = x >= width - kResizeBand;
  const bool top = y < kResizeBand;
  const bool bottom = y >= height - kResizeBand;
  if (top && left) return kZoneTopLeft;
  if (bottom && left) return kZoneBottomLeft;
  if (bottom && right) return kZoneBottomRight;
  if (top && right) return kZoneTopRight;
  if (left) return kZoneLeft;
  if (bottom) return kZoneBottom;
  if (right) return kZoneRight;
  if (top) return kZoneTop;
  return kZoneNone;
}

ResizeGrip GripOf(int32_t zone, const ZrfRect& window, int32_t x, int32_t y) {
  return {zone, x - window.left, y - window.top, window.right - x, window.bottom - y};
}

ZrfRect ResizedRect(const ZrfRect& window, const ResizeGrip& grip, int32_t x, int32_t y) {
  ZrfRect rect = window;
  if (MovesLeft(grip.zone)) rect.left = x - grip.fromLeft;
  if (MovesRight(grip.zone)) rect.right = x + grip.fromRight;
  if (MovesTop(grip.zone)) rect.top = y - grip.fromTop;
  if (MovesBottom(grip.zone)) rect.bottom = y + grip.fromBottom;
  return rect;
}
