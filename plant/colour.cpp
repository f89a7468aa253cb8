// Gradients, the three-gradient mix, HSL shading and the colour-grid sample; see colour.h.
#include "plant/colour.h"

#include <cmath>

#include "plant/curve.h"
#include "plant/plant_record.h"
#include "plant/record_read.h"
#include "plant/saturate.h"
#include "plant/shape_data.h"

namespace plant {
namespace {

struct Stop {
  double red;
  double green;
  double blue;
  double weight;
};

// A stop byte 0 of 0x80 or more names a colour slot of the record. The validator accepts only the
// four slots that exist (0x80..0x83); anything else would read outside the colour fields, so it is
// taken as the stop itself rather than trusted.
Stop ResolveStop(const uint8_t* record, int32_t stopOffset) {
  ColourStop stop = ReadRecordAt<ColourStop>(record, static_cast<uint32_t>(stopOffset));
  if (stop.weight >= kPaletteFirst && stop.weight <= kPaletteLast) {
    stop = ReadRecordAt<ColourStop>(record, kColourSlotBase + 4u * stop.weight);
  }
  return Stop{double(stop.red), double(stop.green), double(stop.blue), double(stop.weight)};
}

uint8_t BlendByte(double lower, double upper, double t) {
  const double value = lower * (1.0 - t) + upper * t;
  return static_cast<uint8_t>(SaturateToU32(value > 255.0 ? 255.0 : value));
}

// Mixed channels are clamped to 0..255 before shading: an extrapolated mix (weights over 100)
// would otherwise leave the HSL range and come back as a wrapped byte, often black, which is the
// transparent key.
double ClampChannel(double value) {
  if (!(value > 0.0)) {
    return 0.0;
  }
  return value > 255.0 ? 255.0 : value;
}

uint32_t ChannelByte(double value) {
  if (!(value >= kMinimumChannel)) {  // NaN too
    return kMinimumChannel;
  }
  return value >= 255.0 ? 255u : static_cast<uint32_t>(value);
}

}  // namespace

GradientSample GradientColor(const uint8_t* record, double x, int32_t gradientOffset) {
  const ColorGradient gradient = ReadRecordAt<ColorGradient>(record, static_cast<uint32_t>(gradientOffset));
  const double f = EvaluateCurve(record, ToCurveRef(gradient.positionCurve), x);
  const int32_t lastStop = gradient.stopCount - 1;
  // The stop index is clamped to the table: at or past the last stop, or below the first (or a
  // NaN from a broken curve), the end stop is used unblended.
  int32_t index = SaturateToI32(f);
  double t = f - index;
  if (!(f >= 0.0)) {
    index = 0;
    t = 0.0;
  } else if (index >= lastStop) {
    index = lastStop;
    t = 0.0;
  }
  const uint32_t stopTable = static_cast<uint32_t>(gradientOffset) + sizeof(ColorGradient);
  const Stop lower = ResolveStop(record, ReadRecordAt<int32_t>(record, stopTable + 4u * index));
  const Stop upper = index < lastStop
                         ? ResolveStop(record, ReadRecordAt<int32_t>(record, stopTable + 4u * (index + 1)))
                         : lower;
  return GradientSample{BlendByte(lower.red, upper.red, t), BlendByte(lower.green, upper.green, t),
                        BlendByte(lower.blue, upper.blue, t), BlendByte(lower.weight, upper.weight, t)};
}

uint32_t MixColors(const uint8_t* record, double x, int32_t g1, int32_t w1, int32_t g2, int32_t w2,
                   int32_t g3, double light) {
  const GradientSample k1 = GradientColor(record, x, g1);
  // Grid weights reach 2^24 - 1, so the shares are worked out in 64 bits.
  const int64_t p1 = w1 > k1.weight ? w1 : k1.weight;
  const int64_t p2 = (100 - p1) * int64_t{w2} / 100;
  const int64_t p3 = 100 - p1 - p2;
  const GradientSample k2 = GradientColor(record, x, g2);
  const GradientSample k3 = GradientColor(record, x, g3);
  auto mix = [&](uint8_t c1, uint8_t c2, uint8_t c3) {
    return ClampChannel(double(c1 * p1) / 100.0 + double(c2 * p2) / 100.0 + double(c3 * p3) / 100.0);
  };
  HslColour hsl = ShadeRgbToHsl(mix(k1.red, k2.red, k3.red), mix(k1.green, k2.green, k3.green),
                                mix(k1.blue, k2.blue, k3.blue));
  hsl.lightness += light;
  if (hsl.lightness > 1.0) {
    hsl.lightness = 1.0;
  }
  if (hsl.lightness < 0.0) {
    hsl.lightness = 0.0;
  }
  const RgbColour rgb = ShadeHslToRgb(hsl.hue, hsl.saturation, hsl.lightness);
  return ChannelByte(rgb.red) | ChannelByte(rgb.green) << 8 | ChannelByte(rgb.blue) << 16;
}

HslColour ShadeRgbToHsl(double red, double green, double blue) {
  red /= 255.0;
  green /= 255.0;
  blue /= 255.0;
  const double mx = std::fmax(red, std::fmax(green, blue));
  const double mn = std::fmin(red, std::fmin(green, blue));
  HslColour hsl{0.0, 0.0, (mx + mn) / 2.0};
  if (mx == mn) {
    return hsl;
  }
  const double d = mx - mn;
  hsl.saturation = hsl.lightness < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
  double h;
  if (red == mx) {
    h = (green - blue) / d;
  } else if (green != mx) {
    h = (red - green) / d + 4.0;
  } else {
    h = (blue - red) / d + 2.0;
  }
  h /= 6.0;
  if (h < 0.0) {
    h += 1.0;
  }
  hsl.hue = h;
  return hsl;
}

RgbColour ShadeHslToRgb(double hue, double saturation, double lightness) {
  if (saturation == 0.0) {
    return RgbColour{lightness * 255.0, lightness * 255.0, lightness * 255.0};
  }
  const double q = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                    : lightness + saturation - lightness * saturation;
  const double p = 2.0 * lightness - q;
  return RgbColour{HueToChannel(p, q, hue + 1.0 / 3.0) * 255.0, HueToChannel(p, q, hue) * 255.0,
                   HueToChannel(p, q, hue - 1.0 / 3.0) * 255.0};
}

double HueToChannel(double p, double q, double t) {
  if (t < 0.0) {
    t += 1.0;
  }
  if (t > 1.0) {
    t -= 1.0;
  }
  if (6.0 * t < 1.0) {
    return p + (q - p) * 6.0 * t;
  }
  if (2.0 * t < 1.0) {
    return q;
  }
  if (3.0 * t < 2.0) {
    return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
  }
  return p;
}

namespace {

// Integer cell coordinate and fraction of a, clamped so that cells index and index + 1 exist
// (cellCount >= 2): below the grid gives the first cell, past it the last cell, each unblended.
void GridCoordinate(double a, uint32_t cellCount, uint32_t* index, double* fraction) {
  const uint32_t lastPair = cellCount - 2;
  if (!(a > 0.0)) {
    *index = 0;
    *fraction = 0.0;
    return;
  }
  const uint32_t whole = SaturateToU32(a);
  if (whole > lastPair) {
    *index = lastPair;
    *fraction = 1.0;
    return;
  }
  *index = whole;
  *fraction = a - whole;
}

}  // namespace

GridWeights SampleGrid(const uint8_t* record, int32_t shapeTableOffset, double a, double b) {
  const ShapeTable table = ReadRecordAt<ShapeTable>(record, static_cast<uint32_t>(shapeTableOffset));
  const uint32_t recordSize = ReadRecordAt<uint32_t>(record, offsetof(PlantRecord, recordSize));
  const uint64_t gridStart = static_cast<uint64_t>(shapeTableOffset) + sizeof(ShapeTable) +
                             4ull * table.stageCount * table.variantCount;
  const uint32_t rowLength = table.gridRowLength;
  // The row count is not stored, so rows are bounded by the record's end; the validator proves
  // at least two rows of at least two cells.
  const uint64_t rowCount = rowLength == 0 || gridStart >= recordSize
                                ? 0
                                : (recordSize - gridStart) / 4 / rowLength;
  if (rowLength < 2 || rowCount < 2) {
    return GridWeights{100, 0};
  }
  uint32_t ia, ib;
  double fa, fb;
  GridCoordinate(a, rowLength, &ia, &fa);
  GridCoordinate(b, rowCount > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(rowCount), &ib, &fb);
  auto cell = [&](uint32_t column, uint32_t row) {
    return ReadRecordAt<uint32_t>(record, gridStart + 4ull * (uint64_t{row} * rowLength + column));
  };
  const uint32_t q00 = cell(ia, ib), q10 = cell(ia + 1, ib), q01 = cell(ia, ib + 1),
                 q11 = cell(ia + 1, ib + 1);
  auto blend = [&](double v00, double v10, double v01, double v11) {
    return SaturateToI32((v01 * (1 - fa) + v11 * fa) * fb + (v00 * (1 - fa) + v10 * fa) * (1 - fb));
  };
  return GridWeights{blend(q00 >> 8, q10 >> 8, q01 >> 8, q11 >> 8),
                     blend(q00 & 0xFF, q10 & 0xFF, q01 & 0xFF, q11 & 0xFF)};
}

double* ClampValue(double* value, double lo, double hi) {
  if (*value > hi) {
    *value = hi;
  }
  if (lo > *value) {
    *value = lo;
  }
  return value;
}

}  // namespace plant
