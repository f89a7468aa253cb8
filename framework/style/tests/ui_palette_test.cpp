// Palette of every colour scheme, caption blending, scheme resolution, and the icon tint ramp.
// The expected palettes were worked out from the scheme rules with an independent calculation of
// the HSL adjustment (truncating conversions, single-precision blends) for the system colours of
// TestInputs below.
#include "framework/style/ui_palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/style/icon_tint.h"

namespace {

PaletteInputs TestInputs() {
  PaletteInputs in{};
  in.sysColors[sys_color::kActiveCaption] = 0xD1B499;
  in.sysColors[sys_color::kInactiveCaption] = 0xDBCDBF;
  in.sysColors[sys_color::kMenu] = 0xF0F0F0;
  in.sysColors[sys_color::kWindow] = 0xFFFFFF;
  in.sysColors[sys_color::kMenuText] = 0x000000;
  in.sysColors[sys_color::kHighlight] = 0xFF9933;
  in.sysColors[sys_color::kHighlightText] = 0xFFFFFF;
  in.sysColors[sys_color::kBtnFace] = 0xF0F0F0;
  in.sysColors[sys_color::kBtnShadow] = 0xA0A0A0;
  in.sysColors[sys_color::kGrayText] = 0x6D6D6D;
  in.sysColors[sys_color::kBtnHighlight] = 0xFFFFFF;
  in.sysColors[sys_color::k3dLight] = 0xE3E3E3;
  in.sysColors[sys_color::kGradientActiveCaption] = 0xEAD1B9;
  in.sysColors[sys_color::kGradientInactiveCaption] = 0xF2E4D7;
  in.customColors[0] = 0xEE6E18;
  in.customColors[1] = 0x123456;  // never read
  in.customColors[2] = 0x55ADFF;
  in.customColors[3] = 0x202020;
  in.customColors[4] = 0xFFFFFF;
  return in;
}

const uint32_t kSchemeNone[kPaletteSize] = {
    0xF0F0F0, 0xE3E3E3, 0xFFFFFF, 0xA0A0A0, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xE3D7CC, 0xE5D7CA, 0xE6D7C9, 0xE5D7CA, 0xE2D7CD, 0xE3D7CC, 0xE5D7CA, 0xE3D7CC, 0xB7A490, 0xBAA48D,
    0xBDA48A, 0xBAA48D, 0xB5A492, 0xB7A490, 0xBAA48D, 0xB7A490, 0xA0A0A0, 0xFFFFFF, 0xFFFFFF, 0xA0A0A0,
    0xF0F0F0, 0xA0A0A0, 0xFFFFFF, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xFFFFFF, 0xFFFFFF,
    0xA0A0A0, 0xE8E1DA, 0xE8E1DA, 0xEBE7E2, 0xEBE7E2, 0xD1B499, 0xFF9933, 0xFFFFFF, 0xFFFFFF, 0x000000,
    0x6D6D6D, 0xF0F0F0, 0xFFFFFF, 0xA0A0A0, 0xA8A8A8, 0xA8A8A8, 0xA8A8A8, 0xF0F0F0, 0xF47E00,
};
const uint32_t kSchemeDefault[kPaletteSize] = {
    0xA45F15, 0xDD7B12, 0xDD7B12, 0x271A0C, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xE3D7CC, 0xE5D7CA, 0xE6D7C9, 0xE5D7CA, 0xE2D7CD, 0xE3D7CC, 0xE5D7CA, 0xE3D7CC, 0xB7A490, 0xBAA48D,
    0xBDA48A, 0xBAA48D, 0xB5A492, 0xB7A490, 0xBAA48D, 0xB7A490, 0x9C7953, 0xDE7B11, 0xDD7B12, 0x271A0C,
    0xA45F15, 0x271A0C, 0xDD7B12, 0xEA8921, 0xCB8840, 0xA45F15, 0xEA8921, 0xCB8840, 0xBC670B, 0xDD7B12,
    0x271A0C, 0xFF9C32, 0xFF9C32, 0xFF9C32, 0xFF9C32, 0x5B432A, 0xFF9933, 0xFFFFFF, 0xFFFFFF, 0x000000,
    0x6D6D6D, 0x94520B, 0x7E4400, 0x372106, 0x674118, 0x6E4111, 0x73410C, 0xF0F0F0, 0xF47E00,
};
const uint32_t kSchemeDefaultGradients[kPaletteSize] = {
    0xB56612, 0xF1840E, 0xF1840E, 0x2A1C0D, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xEEE5DD, 0xEFE5DC, 0xF0E5DB, 0xEFE5DC, 0xEDE5DE, 0xEEE5DD, 0xEFE5DC, 0xEEE5DD, 0xC5AD96, 0xC8AD93,
    0xCBAD90, 0xC8AD93, 0xC2AD99, 0xC5AD96, 0xC8AD93, 0xC5AD96, 0xA68159, 0xF3840C, 0xF1840E, 0x2A1C0D,
    0xB56612, 0x2A1C0D, 0xF1840E, 0xF0922D, 0xD59148, 0xB56612, 0xF0922D, 0xD59148, 0xCF6E06, 0xF1840E,
    0x2A1C0D, 0xFF9C32, 0xFF9C32, 0xFF9C32, 0xFF9C32, 0x61472C, 0xFF9933, 0xFFFFFF, 0xFFFFFF, 0x000000,
    0x6D6D6D, 0xA25708, 0x884600, 0x3D2206, 0x714618, 0x7A460F, 0x7F470A, 0xF0F0F0, 0xF47E00,
};
const uint32_t kSchemeCustom[kPaletteSize] = {
    0xB64D00, 0xEA6300, 0xEA6300, 0x2A1709, 0x202020, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xE3D7CC, 0xE5D7CA, 0xE6D7C9, 0xE5D7CA, 0xE2D7CD, 0xE3D7CC, 0xE5D7CA, 0xE3D7CC, 0xB7A490, 0xBAA48D,
    0xBDA48A, 0xBAA48D, 0xB5A492, 0xB7A490, 0xBAA48D, 0xB7A490, 0x9D6E4C, 0xEA6300, 0xEA6300, 0x2A1709,
    0xB64D00, 0x2A1709, 0xEA6300, 0xFF7006, 0xED7218, 0xB64D00, 0xFF7006, 0xED7218, 0xC45300, 0xEA6300,
    0x2A1709, 0x55ACFE, 0x55ACFE, 0x55ACFE, 0x55ACFE, 0x5D3C24, 0x55ADFF, 0xFFFFFF, 0xFFFFFF, 0x000000,
    0x6D6D6D, 0x9C4200, 0x7C3400, 0x371B06, 0x71370C, 0x7A3503, 0x7E3500, 0xF0F0F0, 0x118CFE,
};

struct Built {
  uint8_t scheme;
  SchemeColors colors;
  std::vector<uint32_t> palette;
};

Built Build(const PaletteInputs& in, uint8_t scheme) {
  Built b{scheme, {}, {}};
  uint32_t palette[kPaletteSize];
  for (uint32_t& p : palette) p = 0xDEADBEEF;  // every entry must be written
  BuildPaletteColors(in, &b.scheme, &b.colors, palette);
  b.palette.assign(palette, palette + kPaletteSize);
  return b;
}

std::vector<uint32_t> Expected(const uint32_t (&table)[kPaletteSize]) {
  return std::vector<uint32_t>(table, table + kPaletteSize);
}

// Names the entries that differ, in hexadecimal.
std::string Differences(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected) {
  std::string text;
  char line[64];
  for (int i = 0; i < kPaletteSize; ++i) {
    if (actual[i] == expected[i]) continue;
    std::snprintf(line, sizeof line, " P%d=%06X(want %06X)", i, actual[i], expected[i]);
    text += line;
  }
  return text;
}

TEST(PaletteSchemes, EverySchemeGivesItsWorkedOutPalette) {
  PaletteInputs in = TestInputs();
  const Built none = Build(in, 0);
  EXPECT_EQ(Differences(none.palette, Expected(kSchemeNone)), "");
  const Built def = Build(in, 1);
  EXPECT_EQ(Differences(def.palette, Expected(kSchemeDefault)), "");
  EXPECT_EQ(def.colors.base, 0xCC8641u);
  EXPECT_EQ(def.colors.focus, 0xFF9933u);
  EXPECT_EQ(def.colors.text, 0x000000u);
  EXPECT_EQ(def.colors.highlightText, 0xFFFFFFu);
  EXPECT_EQ(Differences(Build(in, 2).palette, Expected(kSchemeCustom)), "");

  in.gradientCaptions = true;
  const Built gradients = Build(in, 1);
  EXPECT_EQ(Differences(gradients.palette, Expected(kSchemeDefaultGradients)), "");
  EXPECT_EQ(gradients.colors.activeCaption, 0xDBBFA5u);    // 0.4 of the way to the gradient
  EXPECT_EQ(gradients.colors.inactiveCaption, 0xE8DACDu);  // 0.6 of the way
}

TEST(PaletteSchemes, CustomSchemeDependsOnlyOnTheCustomColours) {
  PaletteInputs a = TestInputs();
  PaletteInputs b = TestInputs();
  b.sysColors[sys_color::kActiveCaption] = 0x3050F0;
  b.sysColors[sys_color::kHighlight] = 0x00FF00;
  const Built ba = Build(a, 2), bb = Build(b, 2);
  for (int i : {0, 1, 2, 3, 26, 27, 33, 34, 38, 41, 42, 43, 44, 45, 46, 51, 52, 53, 58}) {
    EXPECT_EQ(ba.palette[i], bb.palette[i]) << "P" << i;
  }
  EXPECT_NE(ba.palette[10], bb.palette[10]);  // caption shades still follow the caption
  EXPECT_EQ(ba.colors.text, 0x202020u);
}

TEST(PaletteSchemes, NoneSchemeTakesMenuColourUnlessItMatchesTheFace) {
  PaletteInputs in = TestInputs();
  EXPECT_EQ(Build(in, 0).palette[38], 0xFFFFFFu);  // menu == face: the highlight instead
  in.sysColors[sys_color::kMenu] = 0xE0E0E0;
  EXPECT_EQ(Build(in, 0).palette[38], 0xE0E0E0u);
}

TEST(PaletteSchemes, AutomaticAndUnknownSchemesFollowTheTheme) {
  const PaletteInputs plain = TestInputs();
  PaletteInputs themed = TestInputs();
  themed.themed = true;
  for (int c = 0; c < sys_color::kCount; ++c) themed.themeColors[c] = plain.sysColors[c];
  // Stored values outside 0-2 come only from damaged settings; they act like "automatic".
  for (int stored : {255, 3, 7, 128, 254}) {
    const Built p = Build(plain, static_cast<uint8_t>(stored));
    EXPECT_EQ(p.scheme, 0) << stored;
    EXPECT_EQ(Differences(p.palette, Expected(kSchemeNone)), "") << stored;
    const Built t = Build(themed, static_cast<uint8_t>(stored));
    EXPECT_EQ(t.scheme, 1) << stored;
  }
  EXPECT_EQ(Build(themed, 0).scheme, 0);
  EXPECT_EQ(Build(plain, 2).scheme, 2);
}

TEST(PaletteSchemes, ThemeColoursReplaceSystemOnesAndAlwaysBlendGradients) {
  PaletteInputs in = TestInputs();
  in.themed = true;
  in.themeColors[sys_color::kActiveCaption] = 0xD1B499;
  in.themeColors[sys_color::kInactiveCaption] = 0xDBCDBF;
  in.themeColors[sys_color::kHighlight] = 0x0000FF;
  in.themeColors[sys_color::kMenuText] = 0x111111;
  in.themeColors[sys_color::kHighlightText] = 0x222222;
  in.themeColors[sys_color::kGradientActiveCaption] = 0xEAD1B9;
  in.themeColors[sys_color::kGradientInactiveCaption] = 0xF2E4D7;
  in.gradientCaptions = false;  // the system setting does not matter with a theme
  const Built t = Build(in, 1);
  EXPECT_EQ(t.colors.activeCaption, 0xDBBFA5u);
  EXPECT_EQ(t.colors.focus, 0x0000FFu);
  EXPECT_EQ(t.colors.text, 0x111111u);
  EXPECT_EQ(t.colors.highlightText, 0x222222u);

  // A theme that reports a black caption is not trusted: the system's colours are used.
  in.themeColors[sys_color::kActiveCaption] = 0;
  const Built fallback = Build(in, 1);
  EXPECT_EQ(Differences(fallback.palette, Expected(kSchemeDefault)), "");
}

TEST(BlendColorTest, TruncatesEachChannelInSinglePrecision) {
  EXPECT_EQ(BlendColor(0.4f, 0x0000FF, 0xFF0000), 0x660099u);  // red 255 -> 0 gives 153, blue 102
  EXPECT_EQ(BlendColor(0.0f, 0x123456, 0xABCDEF), 0x123456u);
  EXPECT_EQ(BlendColor(1.0f, 0x123456, 0xABCDEF), 0xABCDEFu);
  EXPECT_EQ(BlendColor(0.5f, 0x000000, 0x0A0B0C), 0x050506u);  // 5, 5.5 and 6
  EXPECT_EQ(BlendColor(0.75f, 0xD1B499, 0xF0F0F0), 0xE8E1DAu);
}

// Pixels are 0xAARRGGBB; the mask's first byte 0xFF marks a transparent pixel.
constexpr uint32_t kOpaque = 0x000000;
constexpr uint32_t kClear = 0xFFFFFF;

TEST(IconTint, RampsOpaquePixelsBetweenDarkAndLight) {
  uint32_t pixels[] = {0x80808080, 0x11223344};
  const uint32_t mask[] = {kOpaque, kClear};
  // Mean blue 128: offset 0, x = 384 / 765; 200x + 50(1 - x) = 125.29.
  EXPECT_EQ(TintIconPixels(pixels, mask, 2, 0xC8C8C8, 0x323232), 1u);
  EXPECT_EQ(pixels[0], 0x807D7D7Du);
  EXPECT_EQ(pixels[1], 0x11223344u);
}

TEST(IconTint, ChannelsComeFromTheMatchingColourBytes) {
  uint32_t pixels[] = {0xFF808080};
  const uint32_t mask[] = {kOpaque};
  // light is pure red (COLORREF red in the low byte), dark black: only the pixel's red byte grows.
  (void)TintIconPixels(pixels, mask, 1, 0x0000FA, 0x000000);
  EXPECT_EQ(pixels[0], 0xFF7D0000u);
}

TEST(IconTint, ValuesBeyondTheRampAreLimitedNotWrapped) {
  // White and three black pixels: mean blue 63, offset 65. White: x = 830 / 765, 270.4 -> 255;
  // black: x = 65 / 765, 30.4 -> 30.
  uint32_t pixels[] = {0x01FFFFFF, 0x02000000, 0x03000000, 0x04000000};
  const uint32_t mask[] = {kOpaque, kOpaque, kOpaque, kOpaque};
  (void)TintIconPixels(pixels, mask, 4, 0xFAFAFA, 0x0A0A0A);
  EXPECT_EQ(pixels[0], 0x01FFFFFFu);
  EXPECT_EQ(pixels[1], 0x021E1E1Eu);
  EXPECT_EQ(pixels[3], 0x041E1E1Eu);
  // Light darker than dark: white would go to -21.7, limited to 0.
  uint32_t inverted[] = {0x00FFFFFF, 0x00000000, 0x00000000, 0x00000000};
  (void)TintIconPixels(inverted, mask, 4, 0x000000, 0xFFFFFF);
  EXPECT_EQ(inverted[0], 0x00000000u);
}

TEST(IconTint, IconWithoutOpaquePixelsStaysAsItIs) {
  uint32_t pixels[] = {0x12345678, 0x9ABCDEF0};
  const uint32_t mask[] = {kClear, 0xFFFFFFFF};
  EXPECT_EQ(TintIconPixels(pixels, mask, 2, 0xFFFFFF, 0x000000), 0u);
  EXPECT_EQ(pixels[0], 0x12345678u);
  EXPECT_EQ(pixels[1], 0x9ABCDEF0u);
  EXPECT_EQ(TintIconPixels(nullptr, nullptr, 0, 0xFFFFFF, 0), 0u);
}

}  // namespace
