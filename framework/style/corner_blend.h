// Rounded corners of item frames: a 3 x 3 block in each corner of the frame is mixed, pixel by
// pixel, between the parent's background and what the frame drew there, by a mask of shares.
// Platform-free; CUIStyle::DrawCorner fetches both pixel blocks and writes the result back.
#pragma once

#include <cstdint>

/// One pixel of a corner mask: the share (percent) of the parent's background in the result,
/// the pixel's column and row in the 3 x 3 block, and a spare byte.
struct CornerMaskEntry {
  uint8_t backgroundPercent;
  uint8_t x;
  uint8_t y;
  uint8_t spare;
};
static_assert(sizeof(CornerMaskEntry) == 4, "four bytes per mask pixel");

constexpr int32_t kCornerSize = 3;
constexpr int32_t kCornerPixels = kCornerSize * kCornerSize;
struct CornerMask {
  CornerMaskEntry entries[kCornerPixels];
};

/// The four masks: top-left, top-right, bottom-left, bottom-right, in the order of the corner
/// flags 1, 2, 4, 8.
extern const CornerMask kCornerMasks[4];

/// `background` and `current` are the 3 x 3 blocks (row by row, 32-bit 0x00RRGGBB pixels); every
/// pixel the mask names becomes current + trunc((background - current) * percent / 100) per
/// channel, into `result`. Pixels outside the mask's reach keep `current`.
void BlendCorner(const CornerMask& mask, const uint32_t (&background)[kCornerPixels],
                 const uint32_t (&current)[kCornerPixels], uint32_t (&result)[kCornerPixels]);
