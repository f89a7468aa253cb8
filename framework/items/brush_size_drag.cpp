// Brush-size arithmetic; see brush_size_drag.h.
#include "framework/items/brush_size_drag.h"

#include <algorithm>

namespace {

constexpr int32_t kPixelsPerStep = 5;
constexpr int32_t kSmallestFont = 3;

}  // namespace

int32_t BrushDragValue(int32_t startValue, int32_t startY, int32_t y, int32_t min, int32_t max) {
  int64_t value = static_cast<int64_t>(startValue) + (static_cast<int64_t>(startY) - y) / kPixelsPerStep;
  value = std::min<int64_t>(value, max);
  value = std::max<int64_t>(value, min);
  return static_cast<int32_t>(value);
}

int32_t FitBrushFontHeight(int32_t dpi, int32_t itemWidth, int32_t itemHeight, MeasureBrushText measure,
                           void* context) {
  for (int32_t height = dpi * 12 / 96; height >= kSmallestFont; --height) {
    int32_t width = 0, textHeight = 0;
    measure(context, height, &width, &textHeight);
    if (width < itemWidth - 6 && textHeight < itemHeight - 2) return height;
  }
  return kSmallestFont;
}
