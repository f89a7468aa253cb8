// Checking the shared repaint region; see paint_region.h.
#include "app/paint_region.h"

#include <cstring>

namespace app {
namespace {

uint32_t Get32(const uint8_t* at) {
  uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

bool CopyPaintRegion(const uint8_t (&shared)[ostrel::kPaintRegionSize], PaintRegion* out) {
  // One copy first: the other processes may rewrite the block while it is being checked.
  std::memcpy(out->bytes, shared, sizeof out->bytes);
  const uint32_t headerSize = Get32(out->bytes + 0);
  const uint32_t type = Get32(out->bytes + 4);
  const uint32_t count = Get32(out->bytes + 8);
  if (headerSize != ostrel::kRegionHeaderSize || type != ostrel::kRegionRectangles ||
      count > ostrel::kRectsPerChunk) {
    return false;
  }
  // count <= kRectsPerChunk, so 32 + 16 x count <= 4096: GDI reads only the copy.
  const uint32_t rectBytes = count * static_cast<uint32_t>(sizeof(ostrel::Rect32));
  std::memcpy(out->bytes + 12, &rectBytes, sizeof rectBytes);
  out->size = ostrel::kRegionHeaderSize + rectBytes;
  out->rectCount = count;
  return true;
}

}  // namespace app
