// Colour arithmetic of the renderer: colour gradients read in place from the plant record, the
// three-gradient mix with its lightness shift in HSL space, and the bilinear colour-grid sample
// that weights the mix. Everything is platform-free; a colour handed to GDI is a plain uint32_t
// laid out as a COLORREF (red in the low byte).
//
// Gradient, stop and grid data are file data. The plant validator has placed every reachable
// gradient, stop and grid inside the record before any of this runs; what the validator cannot
// bound (a curve result used as a stop index or grid coordinate) is clamped here.
#pragma once

#include <cstdint>

namespace plant {

/// A gradient colour: the three channels and the weight byte of the blended stops.
struct GradientSample {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t weight;
};

/// Hue, saturation and lightness, each 0..1.
struct HslColour {
  double hue;
  double saturation;
  double lightness;
};

/// Red, green and blue as doubles, 0..255.
struct RgbColour {
  double red;
  double green;
  double blue;
};

/// The two percentages a colour-grid cell holds: cell >> 8 and cell & 0xFF.
struct GridWeights {
  int32_t first;
  int32_t second;
};

/// Darkest channel MixColors returns, so a drawn pixel never equals the transparent black key.
constexpr int32_t kMinimumChannel = 10;

/// Colour at position x of the ColorGradient at record offset gradientOffset. The fractional stop
/// index comes from the gradient's curve; it is clamped to the stop table, so an index at or past
/// the last stop, or below 0, gives that end stop unblended. Stops 0x80..0x83 take the record's
/// colour slots. Requires: record passed the plant validator.
[[nodiscard]] GradientSample GradientColor(const uint8_t* record, double x, int32_t gradientOffset);

/// Mix of three gradients at x: g1 at the larger of w1 and its own weight byte (percent), g2 at
/// w2 percent of the rest, g3 at what remains; then the lightness is shifted by light and clamped
/// to 0..1. Returns a COLORREF whose channels lie in kMinimumChannel..255 (extrapolated mixes
/// saturate instead of wrapping). Requires: record passed the plant validator.
[[nodiscard]] uint32_t MixColors(const uint8_t* record, double x, int32_t g1, int32_t w1, int32_t g2,
                                 int32_t w2, int32_t g3, double light);

/// HSL of an RGB colour given as 0..255 doubles.
[[nodiscard]] HslColour ShadeRgbToHsl(double red, double green, double blue);

/// RGB (0..255 doubles) of an HSL colour.
[[nodiscard]] RgbColour ShadeHslToRgb(double hue, double saturation, double lightness);

/// One channel (0..1) of the HSL to RGB conversion, t being the hue shifted for that channel.
[[nodiscard]] double HueToChannel(double p, double q, double t);

/// Bilinear sample at column a, row b of the colour grid of the ShapeTable at record offset
/// shapeTableOffset; the two halves of the cells are interpolated separately. Coordinates outside
/// the grid are clamped onto its edge cells. Requires: record passed the plant validator (which
/// proves at least two columns and two rows).
[[nodiscard]] GridWeights SampleGrid(const uint8_t* record, int32_t shapeTableOffset, double a, double b);

/// Clamps *value in place: first down to hi, then up to lo (so lo wins when lo > hi).
/// Returns value.
double* ClampValue(double* value, double lo, double hi);

}  // namespace plant
