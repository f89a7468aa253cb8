// A slider's arithmetic: where its track and thumb go in the slider's extra part, the value a
// click beside the thumb or a drag gives. Values are counted from the range's minimum, so a range
// that does not start at 0 keeps its thumb on the track. Platform-free.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

/// The track: (left + h/2, top + h/2 - 2) to (right - h/2, top + h/2 + 3), h being the extra
/// part's height.
ZrfRect SliderTrack(const ZrfRect& extra);

/// The thumb, a square of the extra part's height, at x = left + int((width - h) / range *
/// (value - min)) (range max - min, 1 when they are equal; the value limited to the range).
ZrfRect SliderThumb(const ZrfRect& extra, int32_t value, int32_t min, int32_t max);

/// The value after a click at `x` beside the thumb: one more when right of the thumb, else one
/// less, limited to [min, max].
int32_t SliderStep(const ZrfRect& thumb, int32_t x, int32_t value, int32_t min, int32_t max);

/// The value while the thumb is dragged to `x`: with step = (width - h) / range, the minimum
/// plus int((x - (left + (h - step) / 2)) / step), limited to [min, max]; the minimum when the
/// track is no longer than the thumb.
int32_t SliderDragValue(const ZrfRect& extra, int32_t x, int32_t min, int32_t max);
