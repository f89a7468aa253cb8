// Placement arithmetic of framework windows.
#include "framework/ui/window_geometry.h"

#include <algorithm>

namespace {

// Window rectangles are screen coordinates well inside +-2^30, so these sums do not overflow;
// they are done in 64 bits anyway because a broken rectangle from another process must not be UB.
int32_t LimitBetween(int64_t value, int64_t end1, int64_t end2) {
  int64_t low = std::min(end1, end2);
  int64_t high = std::max(end1, end2);
  return int32_t(std::clamp(value, low, high));
}

}  // namespace

ZrfPoint CenterPosition(const ZrfRect& parent, int32_t width, int32_t height, const ZrfRect& work) {
  int64_t x = parent.left + (int64_t(parent.right) - parent.left - width) / 2;
  int64_t y = parent.top + (int64_t(parent.bottom) - parent.top - height) / 2;
  return {LimitBetween(x, work.left, int64_t(work.right) - width),
          LimitBetween(y, work.top, int64_t(work.bottom) - height)};
}

int32_t GrownAreaStrips(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight,
                        ZrfRect (&strips)[2]) {
  int32_t count = 0;
  if (oldWidth != newWidth && newHeight > 0)
    strips[count++] = {std::min(oldWidth, newWidth), 0, std::max(oldWidth, newWidth), newHeight};
  if (oldHeight != newHeight && newWidth > 0)
    strips[count++] = {0, std::min(oldHeight, newHeight), newWidth, std::max(oldHeight, newHeight)};
  return count;
}
