// Slider arithmetic; see slider_track.h.
#include "framework/items/slider_track.h"

#include <algorithm>

namespace {

// The range as a divisor: 1 when the limits are equal or crossed.
double RangeOf(int32_t min, int32_t max) {
  const int64_t range = static_cast<int64_t>(max) - min;
  return range > 0 ? static_cast<double>(range) : 1.0;
}

int32_t Limit(int64_t value, int32_t min, int32_t max) {
  if (max < min) return min;
  return static_cast<int32_t>(std::clamp<int64_t>(value, min, max));
}

}  // namespace

ZrfRect SliderTrack(const ZrfRect& extra) {
  const int32_t half = extra.Height() / 2;
  return {extra.left + half, extra.top + half - 2, extra.right - half, extra.top + half + 3};
}

ZrfRect SliderThumb(const ZrfRect& extra, int32_t value, int32_t min, int32_t max) {
  const int32_t h = extra.Height();
  const double step = (extra.Width() - h) / RangeOf(min, max);
  const int64_t fromMin = static_cast<int64_t>(Limit(value, min, max)) - min;
  const int32_t x = extra.left + static_cast<int32_t>(step * static_cast<double>(fromMin));
  return {x, extra.top, x + h, extra.top + h};
}

int32_t SliderStep(const ZrfRect& thumb, int32_t x, int32_t value, int32_t min, int32_t max) {
  const int64_t next = static_cast<int64_t>(value) + (x >= thumb.right ? 1 : -1);
  return Limit(next, min, max);
}

int32_t SliderDragValue(const ZrfRect& extra, int32_t x, int32_t min, int32_t max) {
  const int32_t h = extra.Height();
  const double step = (extra.Width() - h) / RangeOf(min, max);
  if (step <= 0) return Limit(min, min, max);
  const double position = (x - (extra.left + (h - step) / 2)) / step;
  // Far outside the track the position is still limited before it becomes an integer.
  const double limited = std::clamp(position, -1.0, RangeOf(min, max) + 1.0);
  return Limit(static_cast<int64_t>(min) + static_cast<int64_t>(limited), min, max);
}
