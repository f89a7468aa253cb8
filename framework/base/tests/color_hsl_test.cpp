// RGB <-> HSL of the UI palette, with values worked out from the packed-HSL definition.
#include "framework/base/color_hsl.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RgbToHsl, PrimariesGreysAndExtremes) {
  // Red: H = 60 * (1 - 1 + 6) = 360 -> hue byte 255; L = 0.5 -> 127; S = 1 / (2 - 1) -> 255.
  EXPECT_EQ(RgbToHsl(0x000000FF), 0x00FF7FFFu);
  // Green: H = 60 * 2 = 120 -> 85; blue: H = 60 * 4 = 240 -> 170.
  EXPECT_EQ(RgbToHsl(0x0000FF00), 0x00FF7F55u);
  EXPECT_EQ(RgbToHsl(0x00FF0000), 0x00FF7FAAu);
  EXPECT_EQ(RgbToHsl(0x00808080), 0x00008000u);
  EXPECT_EQ(RgbToHsl(0x00FFFFFF), 0x0000FF00u);
  EXPECT_EQ(RgbToHsl(0xFF000000), 0x00000000u);  // byte 3 is no colour
}

TEST(HslToRgb, HuesAndLimits) {
  RgbFractions red = HslToRgb(0, 0.5, 1);
  EXPECT_DOUBLE_EQ(red.red, 1);
  EXPECT_DOUBLE_EQ(red.green, 0);
  EXPECT_DOUBLE_EQ(red.blue, 0);
  RgbFractions alsoRed = HslToRgb(360, 0.5, 1);
  EXPECT_DOUBLE_EQ(alsoRed.red, 1);
  EXPECT_DOUBLE_EQ(alsoRed.green, 0);
  // Hue 30: green rises halfway, p + (q - p) * 30 / 60 = 0.5.
  EXPECT_DOUBLE_EQ(HslToRgb(30, 0.5, 1).green, 0.5);
  RgbFractions grey = HslToRgb(200, 0.3, 0);
  EXPECT_DOUBLE_EQ(grey.red, 0.3);
  EXPECT_DOUBLE_EQ(grey.blue, 0.3);
  RgbFractions white = HslToRgb(720, 2, 5);  // limited to 360, 1 and 1
  EXPECT_DOUBLE_EQ(white.red, 1);
  EXPECT_DOUBLE_EQ(white.green, 1);
  EXPECT_DOUBLE_EQ(HslToRgb(-10, -1, 0.5).red, 0);  // negative inputs count as 0
}

TEST(AdjustColorHsl, RoundTripLosesAtMostTheTruncation) {
  // The packed form keeps 8 bits per component, so a colour comes back within a few steps.
  const uint32_t colors[] = {0x000000FF, 0x00EE6E18, 0x0055ADFF, 0x00808080, 0x00123456,
                             0x00FFFFFF, 0x00000000, 0x0000FF00, 0x00FF00FF};
  for (uint32_t color : colors) {
    uint32_t back = AdjustColorHsl(color, 0, 0, 0);
    for (int shift = 0; shift < 24; shift += 8) {
      int before = int((color >> shift) & 0xFF);
      int after = int((back >> shift) & 0xFF);
      EXPECT_LE(std::abs(before - after), 4) << std::hex << color << " channel " << shift / 8;
    }
  }
}

TEST(AdjustColorHsl, ShiftsAndFactors) {
  // A third of the circle turns red into (nearly) green: hue byte 255 + 85 = 340 -> 84.
  uint32_t turned = AdjustColorHsl(0x000000FF, 1.0 / 3, 0, 0);
  EXPECT_LT(turned & 0xFF, 10u);
  EXPECT_GT((turned >> 8) & 0xFF, 250u);
  EXPECT_EQ((turned >> 16) & 0xFF, 0u);
  EXPECT_EQ(AdjustColorHsl(0x00EE6E18, 0, -1, 0), 0x00000000u);  // no lightness: black
  uint32_t grey = AdjustColorHsl(0x000000FF, 0, 0, -1);          // no saturation: grey
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
  EXPECT_EQ(AdjustColorHsl(0x00808080, 0, 10, 0), 0x00FFFFFFu);  // lightness limited to 255
  // The hue byte wraps modulo 256: a shift of 256/255 comes back to the same colour.
  EXPECT_EQ(AdjustColorHsl(0x000000FF, 256.0 / 255, 0, 0), AdjustColorHsl(0x000000FF, 0, 0, 0));
}

TEST(ColorBytes, SwapAndPack) {
  EXPECT_EQ(SwapRedBlue(0xAA112233), 0x00332211u);
  EXPECT_EQ(PackColor(0x00332211, 0xFF), 0xFF112233u);
  EXPECT_EQ(PackColor(0xEE332211, 0x80), 0x80112233u);
}

}  // namespace
