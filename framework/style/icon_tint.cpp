// Tint ramp of icon pixels, shared by the command icons' tinted twins and the greyed icon of the
// data-folder wait.
#include "framework/style/icon_tint.h"

namespace {

bool IsOpaque(uint32_t maskPixel) { return (maskPixel & 0xFF) != 0xFF; }

// light * x + dark * (1 - x) for one channel. x runs from about -0.17 to 1.17 (the offset moves
// the mean to 128, not the extremes), so the raw value can leave 0-255: it is limited instead of
// being allowed to wrap in the byte.
uint32_t RampChannel(uint32_t light, uint32_t dark, float x) {
  const float value = static_cast<float>(light) * x + static_cast<float>(dark) * (1.0f - x);
  const int channel = static_cast<int>(value);
  return static_cast<uint32_t>(channel < 0 ? 0 : (channel > 255 ? 255 : channel));
}

}  // namespace

size_t TintIconPixels(uint32_t* colorPixels, const uint32_t* maskPixels, size_t pixelCount, uint32_t light,
                      uint32_t dark) {
  uint64_t blueSum = 0;
  size_t opaque = 0;
  for (size_t i = 0; i < pixelCount; ++i) {
    if (!IsOpaque(maskPixels[i])) continue;
    blueSum += colorPixels[i] & 0xFF;
    ++opaque;
  }
  if (opaque == 0) return 0;
  const int offset = 128 - static_cast<int>(blueSum / opaque);

  // COLORREF channels: red in the low byte; pixel channels: blue in the low byte.
  const uint32_t lightBlue = (light >> 16) & 0xFF, lightGreen = (light >> 8) & 0xFF, lightRed = light & 0xFF;
  const uint32_t darkBlue = (dark >> 16) & 0xFF, darkGreen = (dark >> 8) & 0xFF, darkRed = dark & 0xFF;
  for (size_t i = 0; i < pixelCount; ++i) {
    if (!IsOpaque(maskPixels[i])) continue;
    const uint32_t pixel = colorPixels[i];
    const int sum = static_cast<int>((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF));
    const float x = static_cast<float>(sum + offset) / 765.0f;
    colorPixels[i] = (pixel & 0xFF000000u) | RampChannel(lightBlue, darkBlue, x) |
                     RampChannel(lightGreen, darkGreen, x) << 8 | RampChannel(lightRed, darkRed, x) << 16;
  }
  return opaque;
}
