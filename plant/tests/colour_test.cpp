// Colour arithmetic against values worked out by hand.
#include "plant/colour.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "plant/tests/render_fixture.h"

namespace plant {
namespace {

using testing::FixtureBuilder;

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

void ExpectNear(uint32_t actual, uint32_t r, uint32_t g, uint32_t b) {
  EXPECT_LE(std::abs(int(actual & 0xFF) - int(r)), 1) << std::hex << actual;
  EXPECT_LE(std::abs(int((actual >> 8) & 0xFF) - int(g)), 1) << std::hex << actual;
  EXPECT_LE(std::abs(int((actual >> 16) & 0xFF) - int(b)), 1) << std::hex << actual;
}

TEST(Hsl, PrimaryColoursHaveTheirTextbookHues) {
  struct Row { double r, g, b, h, s, l; } rows[] = {
      {255, 0, 0, 0.0, 1, 0.5}, {0, 255, 0, 1.0 / 3, 1, 0.5}, {0, 0, 255, 2.0 / 3, 1, 0.5},
      {255, 255, 0, 1.0 / 6, 1, 0.5}, {255, 0, 255, 5.0 / 6, 1, 0.5}, {153, 51, 51, 0.0, 0.5, 0.4}};
  for (const Row& row : rows) {
    const HslColour hsl = ShadeRgbToHsl(row.r, row.g, row.b);
    EXPECT_NEAR(hsl.hue, row.h, 1e-12);
    EXPECT_NEAR(hsl.saturation, row.s, 1e-12);
    EXPECT_NEAR(hsl.lightness, row.l, 1e-12);
    const RgbColour back = ShadeHslToRgb(hsl.hue, hsl.saturation, hsl.lightness);
    EXPECT_NEAR(back.red, row.r, 1e-9);
    EXPECT_NEAR(back.green, row.g, 1e-9);
    EXPECT_NEAR(back.blue, row.b, 1e-9);
  }
}

TEST(Hsl, GreyKeepsHueAndSaturationZero) {
  const HslColour hsl = ShadeRgbToHsl(128, 128, 128);
  EXPECT_EQ(hsl.hue, 0.0);
  EXPECT_EQ(hsl.saturation, 0.0);
  EXPECT_NEAR(hsl.lightness, 128.0 / 255, 1e-15);
  const RgbColour rgb = ShadeHslToRgb(0, 0, 0.25);
  EXPECT_EQ(rgb.red, 63.75);
  EXPECT_EQ(rgb.green, 63.75);
  EXPECT_EQ(rgb.blue, 63.75);
}

struct GradientFixture {
  FixtureBuilder b;
  int32_t gradient;
  int32_t paletteGradient;
  GradientFixture() {
    // Stop index = x over [-10, 10]; stops A, B, C.
    const CompactCurveRef curve{b.Curve({{-10, -10}, {10, 10}}), 1, 1};
    gradient = b.Gradient(curve, {b.Stop(100, 0, 200, 0), b.Stop(201, 50, 0, 100), b.Stop(0, 0, 0, 40)});
    paletteGradient = b.Gradient(b.Constant(0), {b.Stop(0, 0, 0, 0x80)});
    b.Record().potColour = StoredColour{7, 3, 2, 1};
  }
};

TEST(GradientColor, BlendsNeighbouringStopsAndTruncates) {
  GradientFixture f;
  const GradientSample mid = GradientColor(f.b.Bytes().data(), 0.5, f.gradient);
  EXPECT_EQ(mid.red, 150);  // 100 x 0.5 + 201 x 0.5 = 150.5
  EXPECT_EQ(mid.green, 25);
  EXPECT_EQ(mid.blue, 100);
  EXPECT_EQ(mid.weight, 50);
  const GradientSample quarter = GradientColor(f.b.Bytes().data(), 1.25, f.gradient);
  EXPECT_EQ(quarter.red, 150);  // 201 x 0.75 = 150.75
  EXPECT_EQ(quarter.weight, 85);
}

TEST(GradientColor, IndicesAtOrPastTheEndsGiveTheEndStopsUnblended) {
  GradientFixture f;
  for (double x : {2.0, 2.5, 5.0, 10.0}) {
    const GradientSample last = GradientColor(f.b.Bytes().data(), x, f.gradient);
    EXPECT_EQ(last.red, 0);
    EXPECT_EQ(last.weight, 40);
  }
  const GradientSample first = GradientColor(f.b.Bytes().data(), -3.0, f.gradient);
  EXPECT_EQ(first.red, 100);
  EXPECT_EQ(first.blue, 200);
}

TEST(GradientColor, PaletteStopFollowsThePotColour) {
  GradientFixture f;
  GradientSample k = GradientColor(f.b.Bytes().data(), 0, f.paletteGradient);
  EXPECT_EQ(k.red, 1);
  EXPECT_EQ(k.green, 2);
  EXPECT_EQ(k.blue, 3);
  EXPECT_EQ(k.weight, 7);
  f.b.Record().potColour = StoredColour{0, 90, 80, 70};
  k = GradientColor(f.b.Bytes().data(), 0, f.paletteGradient);
  EXPECT_EQ(k.red, 70);
  EXPECT_EQ(k.blue, 90);
}

struct MixFixture {
  FixtureBuilder b;
  int32_t red, green, blue, red60;
  MixFixture() {
    red = b.Solid(255, 0, 0, 0);
    green = b.Solid(0, 255, 0, 0);
    blue = b.Solid(0, 0, 255, 0);
    red60 = b.Solid(255, 0, 0, 60);
  }
  uint32_t Mix(int32_t g1, int32_t w1, int32_t g2, int32_t w2, int32_t g3, double light) {
    return MixColors(b.Bytes().data(), 0, g1, w1, g2, w2, g3, light);
  }
};

TEST(MixColors, FirstGradientAloneAtFullWeightWithRedInTheLowByte) {
  MixFixture f;
  EXPECT_EQ(f.Mix(f.red, 100, f.green, 50, f.blue, 0), Rgb(255, 10, 10));
}

TEST(MixColors, LightSaturatesToWhiteAndTheDarkestDrawnGrey) {
  MixFixture f;
  EXPECT_EQ(f.Mix(f.red, 100, f.green, 0, f.blue, 2.0), Rgb(255, 255, 255));
  EXPECT_EQ(f.Mix(f.red, 100, f.green, 0, f.blue, -2.0), Rgb(10, 10, 10));
}

TEST(MixColors, SharesFollowTheWeights) {
  MixFixture f;
  // Weight byte 60 beats w1 = 20: p1 = 60, p2 = 40 x 50 / 100 = 20, p3 = 20 -> (153, 51, 51).
  ExpectNear(f.Mix(f.red60, 20, f.green, 50, f.blue, 0), 153, 51, 51);
  // p1 = 33, p2 = 67 x 50 / 100 = 33 (truncated), p3 = 34 -> (84.15, 84.15, 86.7).
  ExpectNear(f.Mix(f.red, 33, f.green, 50, f.blue, 0), 84, 84, 86);
}

// Weights beyond 100 extrapolate; the channels must saturate rather than wrap (a wrapped 256 is
// 0, and a black pixel is transparent).
TEST(MixColors, ExtrapolatedMixesSaturate) {
  MixFixture f;
  EXPECT_EQ(f.Mix(f.red, 300, f.green, 0, f.blue, 0), Rgb(255, 10, 10));
  // A grid weight near 2^24 would overflow 32-bit products.
  const uint32_t big = f.Mix(f.red, 100, f.green, (1 << 24) - 1, f.blue, 0);
  EXPECT_EQ(big, Rgb(255, 10, 10));
  const uint32_t negative = f.Mix(f.red, 0, f.green, 16777215, f.blue, 0);
  EXPECT_EQ(negative, Rgb(10, 255, 10));
}

TEST(SampleGrid, BilinearOnAnAsymmetricGridWithSeparateHalves) {
  FixtureBuilder b;
  auto cell = [](uint32_t first, uint32_t second) { return first << 8 | second; };
  const int32_t table = b.Table(1, 1, 3, 0, 0, b.Constant(0), b.Constant(0), b.Constant(0), b.Constant(0), {0},
                                {cell(10, 1), cell(20, 2), cell(30, 3),      //
                                 cell(40, 4), cell(60, 8), cell(90, 9),      //
                                 cell(0xFFFFFF, 100), cell(5, 5), cell(6, 6)});
  const uint8_t* record = b.Bytes().data();
  GridWeights w = SampleGrid(record, table, 0.5, 0.25);
  EXPECT_EQ(w.first, 23);   // (40/2 + 60/2) x 0.25 + (10/2 + 20/2) x 0.75 = 23.75
  EXPECT_EQ(w.second, 2);   // (4/2 + 8/2) x 0.25 + (1/2 + 2/2) x 0.75 = 2.625
  w = SampleGrid(record, table, 7.0, 0.0);  // past the last column: the last column's cells
  EXPECT_EQ(w.first, 30);
  EXPECT_EQ(w.second, 3);
  w = SampleGrid(record, table, -4.0, 2.0);  // below the first column, third row
  EXPECT_EQ(w.first, 0xFFFFFF);
  EXPECT_EQ(w.second, 100);
}

// The grid's row count is not stored: rows run to the end of the record, and no farther.
TEST(SampleGrid, RowsPastTheRecordEndAreClampedOntoTheLastWholeRow) {
  FixtureBuilder b(kFixedFieldsEnd + 4096);
  const int32_t table = b.Table(1, 1, 2, 0, 0, b.Constant(0), b.Constant(0), b.Constant(0), b.Constant(0), {0},
                                {0x100, 0x100, 0x200, 0x200});
  // Rows of two cells start behind the table's one entry offset; the last whole row ends 4 bytes
  // before the record does (14768 bytes, grid at an offset of 4 modulo 8).
  const size_t gridStart = static_cast<size_t>(table) + sizeof(ShapeTable) + 4;
  ASSERT_EQ((b.Bytes().size() - gridStart) % 8, 4u);
  const size_t lastRow = b.Bytes().size() - 4 - 8;
  const uint32_t cell = (77 << 8) | 7;
  std::memcpy(b.Bytes().data() + lastRow, &cell, 4);
  const GridWeights w = SampleGrid(b.Bytes().data(), table, 0.0, 1e9);
  EXPECT_EQ(w.first, 77);
  EXPECT_EQ(w.second, 7);
}

TEST(ClampValue, HighBoundFirstSoTheLowBoundWins) {
  double v = 5;
  EXPECT_EQ(*ClampValue(&v, 1, 3), 3);
  v = 0;
  EXPECT_EQ(*ClampValue(&v, 1, 3), 1);
  v = 2;
  EXPECT_EQ(*ClampValue(&v, 4, 1), 4);
}

}  // namespace
}  // namespace plant
