// A brush-size item's arithmetic: the value a vertical drag gives, and the largest font in which
// the value's text fits the item. Platform-free; fonts are measured through a callback.
#pragma once

#include <cstdint>

/// The start y that means "no drag".
constexpr int32_t kNoBrushDrag = -66666;

/// The value while dragging from `startY` to `y`: start value + (startY - y) / 5 (integer
/// division: five pixels up per step), limited to `max`, then to `min`.
int32_t BrushDragValue(int32_t startValue, int32_t startY, int32_t y, int32_t min, int32_t max);

/// Measures the value's text in a font of `height` pixels: its width and height.
using MeasureBrushText = void (*)(void* context, int32_t height, int32_t* width, int32_t* textHeight);

/// The font height for the value's text: from int(dpi * 12 / 96) down to 3, the first whose text
/// is narrower than itemWidth - 6 and lower than itemHeight - 2; 3 when none fits.
int32_t FitBrushFontHeight(int32_t dpi, int32_t itemWidth, int32_t itemHeight, MeasureBrushText measure,
                           void* context);
