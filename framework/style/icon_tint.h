// The tinted (or greyed) twin of an icon: every opaque pixel becomes a shade between a light and
// a dark colour, by its brightness. Platform-free pixel arithmetic; reading and writing the
// icon's bitmaps is the Win32 side's.
#pragma once

#include <cstddef>
#include <cstdint>

/// Recolours the opaque pixels of a 32-bit icon in place. Pixels are 0xAARRGGBB words (blue in
/// the first byte); a pixel is opaque when the first byte of its mask pixel is not 0xFF. The
/// brightness is shifted so that the mean blue of the opaque pixels maps to the middle of the
/// ramp; each channel becomes trunc(light * x + dark * (1 - x)) in single precision, limited to
/// 0-255. `light` and `dark` are COLORREFs. Alpha bytes and transparent pixels stay; an icon
/// without an opaque pixel is left unchanged. Returns the number of opaque pixels.
size_t TintIconPixels(uint32_t* colorPixels, const uint32_t* maskPixels, size_t pixelCount, uint32_t light,
                      uint32_t dark);
