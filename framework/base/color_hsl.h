// Colour conversions of the framework's UI: RGB <-> HSL on COLORREF values (0x00BBGGRR), the HSL
// adjustment the UI style derives its palette with, and the byte shuffles for 32-bit pixels.
// The plant engine has its own HSL shading with other ranges; the two are kept apart.
#pragma once

#include <cstdint>

/// A packed HSL value: hue in bits 0-7 (255 = 360 degrees), lightness in bits 8-15, saturation
/// in bits 16-23, each 0-255.
using PackedHsl = uint32_t;

/// Red, green and blue as fractions 0-1.
struct RgbFractions {
  double red;
  double green;
  double blue;
};

/// HSL of a COLORREF (its byte 3 is ignored), each component truncated into its byte.
PackedHsl RgbToHsl(uint32_t colorRef);

/// RGB fractions of a hue in degrees and a lightness and saturation 0-1. Negative inputs count
/// as 0; lightness and saturation are limited to 1 and the hue to 360.
RgbFractions HslToRgb(double hueDegrees, double lightness, double saturation);

/// The colour with its hue turned by `hueShift` of the colour circle (modulo the circle) and its
/// lightness and saturation multiplied by (1 + factor), each limited to 0-255, as a COLORREF.
uint32_t AdjustColorHsl(uint32_t colorRef, double hueShift, double lightnessFactor, double saturationFactor);

/// Bytes 0 and 2 exchanged and byte 3 cleared (COLORREF <-> 0x00RRGGBB).
constexpr uint32_t SwapRedBlue(uint32_t color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

/// A 32-bit pixel 0xAARRGGBB from a COLORREF and an alpha.
constexpr uint32_t PackColor(uint32_t colorRef, uint8_t alpha) {
  return (uint32_t(alpha) << 24) | SwapRedBlue(colorRef);
}
