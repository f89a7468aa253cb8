// The colour conversion of the value records; see ui_values.h.
#include "framework/items/ui_values.h"

#include "framework/base/color_hsl.h"

bool PickScreenColor(uint32_t pixel, uint32_t* color) {
  if (pixel == kInvalidScreenPixel) return false;
  *color = PackColor(pixel, 255);
  return true;
}
