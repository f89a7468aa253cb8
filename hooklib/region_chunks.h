// The repaint region handed to the plants: a region's rectangles, cut into RGNDATA chunks that each
// fit the block's 4096-byte `paintRegion`, so a complex region is painted in full, in several
// passes, instead of with a stale or truncated copy. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hooklib/shared_block.h"

namespace ostrel {

/// Bytes of an RGNDATAHEADER.
inline constexpr uint32_t kRegionHeaderSize = 32;
/// RGNDATAHEADER.iType of a rectangle list.
inline constexpr uint32_t kRegionRectangles = 1;
/// Rectangles that fit one paintRegion: (4096 - 32) / 16.
inline constexpr uint32_t kRectsPerChunk = (kPaintRegionSize - kRegionHeaderSize) / sizeof(Rect32);

/// Number of chunks for `rectCount` rectangles; an empty region still gives one (empty) chunk.
size_t RegionChunkCount(size_t rectCount);

/// Writes chunk `chunk` of `rects` into `out` as RGNDATA: header (dwSize 32, iType 1, nCount,
/// nRgnSize, rcBound over the chunk's rectangles) followed by at most kRectsPerChunk rectangles.
/// Requires: chunk < RegionChunkCount(rectCount). Returns the chunk's rectangle count.
uint32_t WriteRegionChunk(uint8_t (&out)[kPaintRegionSize], const Rect32* rects, size_t rectCount,
                          size_t chunk);

}  // namespace ostrel
