// A rectangle and a point laid out like the Win32 RECT and POINT, for the platform-free halves of
// the window and monitor code.
#pragma once

#include <cstdint>

struct ZrfRect {
  int32_t left;
  int32_t top;
  int32_t right;   ///< exclusive
  int32_t bottom;  ///< exclusive

  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
  bool operator==(const ZrfRect&) const = default;
};

struct ZrfPoint {
  int32_t x;
  int32_t y;
};

/// PtInRect's rule: left and top inside, right and bottom outside.
constexpr bool RectContains(const ZrfRect& rect, int32_t x, int32_t y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
