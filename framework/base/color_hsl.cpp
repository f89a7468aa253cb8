// RGB <-> HSL conversions of the UI palette. The order of operations follows the packed-HSL
// definition exactly, because palettes derived from stored colours must not shift between builds.
#include "framework/base/color_hsl.h"

#include <algorithm>
#include <cmath>

namespace {

// NaN and negative values give 0; the result is truncated.
int TruncateToByte(double value) {
  if (!(value > 0)) return 0;
  return value >= 255 ? 255 : int(value);
}

double ChannelForHue(double hue, double p, double q) {
  if (hue < 60) return p + (q - p) * hue / 60;
  if (hue < 180) return q;
  if (hue < 240) return p + (q - p) * (240 - hue) / 60;
  return p;
}

double IntoCircle(double hue) {
  if (hue < 0) return hue + 360;
  if (hue > 360) return hue - 360;
  return hue;
}

double LimitTo(double value, double upper) {
  if (!(value > 0)) return 0;
  return std::min(value, upper);
}

}  // namespace

PackedHsl RgbToHsl(uint32_t colorRef) {
  double r = (colorRef & 0xFF) / 255.0;
  double g = ((colorRef >> 8) & 0xFF) / 255.0;
  double b = ((colorRef >> 16) & 0xFF) / 255.0;
  double max = std::max({r, g, b});
  double min = std::min({r, g, b});
  double l = (max + min) / 2;
  double h = 0;
  double s = 0;
  if (max != min) {
    double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
      h = 60 * ((max - b) / d - (max - g) / d + 6);
    else if (g == max)
      h = 60 * ((max - r) / d - (max - b) / d + 2);
    else
      h = 60 * ((max - g) / d - (max - r) / d + 4);
    if (h > 360) h -= 360;
  }
  return PackedHsl(TruncateToByte(h / 360 * 255)) | PackedHsl(TruncateToByte(l * 255)) << 8 |
         PackedHsl(TruncateToByte(s * 255)) << 16;
}

RgbFractions HslToRgb(double hueDegrees, double lightness, double saturation) {
  double h = LimitTo(hueDegrees, 360);
  double l = LimitTo(lightness, 1);
  double s = LimitTo(saturation, 1);
  if (s == 0) return {l, l, l};
  double q = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  double p = 2 * l - q;
  return {ChannelForHue(IntoCircle(h + 120), p, q), ChannelForHue(h, p, q),
          ChannelForHue(IntoCircle(h - 120), p, q)};
}

uint32_t AdjustColorHsl(uint32_t colorRef, double hueShift, double lightnessFactor, double saturationFactor) {
  PackedHsl hsl = RgbToHsl(colorRef);
  double hue = std::fmod(double(hsl & 0xFF) + hueShift * 255, 256.0);
  if (!(hue >= 0)) hue = std::isnan(hue) ? 0 : hue + 256;
  int lightness = TruncateToByte(double((hsl >> 8) & 0xFF) * (1 + lightnessFactor));
  int saturation = TruncateToByte(double((hsl >> 16) & 0xFF) * (1 + saturationFactor));
  RgbFractions rgb = HslToRgb(double(TruncateToByte(hue)) / 255 * 360, lightness / 255.0, saturation / 255.0);
  return uint32_t(TruncateToByte(rgb.red * 255)) | uint32_t(TruncateToByte(rgb.green * 255)) << 8 |
         uint32_t(TruncateToByte(rgb.blue * 255)) << 16;
}
