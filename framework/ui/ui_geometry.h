// Plain rectangles and sizes for the platform-free halves of windows and dialogs. Same edge
// conventions as the system's RECT: left and top inside, right and bottom just outside.
#pragma once

#include <cstdint>

namespace zrf {

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Size&) const = default;
};

/// A control's place in its dialog's client area.
struct Place {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Place&) const = default;
};

}  // namespace zrf
