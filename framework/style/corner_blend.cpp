// The corner masks and their blend; see corner_blend.h.
#include "framework/style/corner_blend.h"

namespace {

// A quarter circle of radius 3 seen from the top-left: the outermost pixel is all background,
// its two neighbours mostly, the next ring a little.
constexpr uint8_t kTopLeftShares[kCornerSize][kCornerSize] = {
    {100, 60, 20},
    {60, 15, 0},
    {20, 0, 0},
};

// The top-left mask turned towards another corner by mirroring it.
constexpr CornerMask MirroredMask(bool mirrorX, bool mirrorY) {
  CornerMask mask{};
  for (int32_t y = 0; y < kCornerSize; ++y) {
    for (int32_t x = 0; x < kCornerSize; ++x) {
      const int32_t fromX = mirrorX ? kCornerSize - 1 - x : x;
      const int32_t fromY = mirrorY ? kCornerSize - 1 - y : y;
      mask.entries[y * kCornerSize + x] = {kTopLeftShares[fromY][fromX], static_cast<uint8_t>(x),
                                           static_cast<uint8_t>(y), 0};
    }
  }
  return mask;
}

uint32_t MixChannel(uint32_t current, uint32_t background, int32_t percent, int32_t shift) {
  const int32_t c = static_cast<int32_t>((current >> shift) & 0xFF);
  const int32_t b = static_cast<int32_t>((background >> shift) & 0xFF);
  // Truncated toward zero like the other blends; the result stays between c and b.
  return static_cast<uint32_t>(c + (b - c) * percent / 100) << shift;
}

}  // namespace

const CornerMask kCornerMasks[4] = {
    MirroredMask(false, false),
    MirroredMask(true, false),
    MirroredMask(false, true),
    MirroredMask(true, true),
};

void BlendCorner(const CornerMask& mask, const uint32_t (&background)[kCornerPixels],
                 const uint32_t (&current)[kCornerPixels], uint32_t (&result)[kCornerPixels]) {
  for (int32_t i = 0; i < kCornerPixels; ++i) result[i] = current[i];
  for (const CornerMaskEntry& entry : mask.entries) {
    if (entry.x >= kCornerSize || entry.y >= kCornerSize) continue;
    const int32_t at = entry.y * kCornerSize + entry.x;
    const int32_t percent = entry.backgroundPercent > 100 ? 100 : entry.backgroundPercent;
    result[at] = MixChannel(current[at], background[at], percent, 0) |
                 MixChannel(current[at], background[at], percent, 8) |
                 MixChannel(current[at], background[at], percent, 16);
  }
}
