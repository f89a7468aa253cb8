// RGNDATA chunking. The header is written field by field with memcpy; the block is shared memory
// and no struct is laid over it.
#include "hooklib/region_chunks.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace ostrel {
namespace {

void Put32(uint8_t* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

}  // namespace

size_t RegionChunkCount(size_t rectCount) {
  return rectCount == 0 ? 1 : (rectCount + kRectsPerChunk - 1) / kRectsPerChunk;
}

uint32_t WriteRegionChunk(uint8_t (&out)[kPaintRegionSize], const Rect32* rects, size_t rectCount,
                          size_t chunk) {
  assert(chunk < RegionChunkCount(rectCount));
  const size_t first = chunk * kRectsPerChunk;
  const uint32_t count =
      first >= rectCount ? 0 : static_cast<uint32_t>(std::min<size_t>(kRectsPerChunk, rectCount - first));
  Rect32 bound{0, 0, 0, 0};
  for (uint32_t i = 0; i < count; ++i) {
    const Rect32& r = rects[first + i];
    if (i == 0) {
      bound = r;
      continue;
    }
    bound.left = std::min(bound.left, r.left);
    bound.top = std::min(bound.top, r.top);
    bound.right = std::max(bound.right, r.right);
    bound.bottom = std::max(bound.bottom, r.bottom);
  }
  // count <= kRectsPerChunk, so header plus rectangles stay within the 4096 bytes of out.
  Put32(out + 0, kRegionHeaderSize);
  Put32(out + 4, kRegionRectangles);
  Put32(out + 8, count);
  Put32(out + 12, count * static_cast<uint32_t>(sizeof(Rect32)));
  std::memcpy(out + 16, &bound, sizeof bound);
  if (count != 0) {
    std::memcpy(out + kRegionHeaderSize, rects + first, count * sizeof(Rect32));
  }
  return count;
}

}  // namespace ostrel
