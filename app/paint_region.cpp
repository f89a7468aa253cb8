// Checking the shared repaint region; see paint_region.h.
#include "app/paint_region.h"

#include <cstddef>
#include <cstring>

namespace plantapp {
namespace {

/// RGNDATAHEADER, little-endian.
///
/// off  size  field
///   0     4  dwSize, 32
///   4     4  iType, 1 for a rectangle list
///   8     4  nCount, rectangles that follow the header
///  12     4  nRgnSize, their bytes (0 is allowed)
///  16    16  rcBound
struct RegionHeader {
  uint32_t headerSize;
  uint32_t type;
  uint32_t count;
  uint32_t rectBytes;
  ostrel::Rect32 bound;
};
static_assert(sizeof(RegionHeader) == ostrel::kRegionHeaderSize);
static_assert(offsetof(RegionHeader, count) == 8);
static_assert(offsetof(RegionHeader, bound) == 16);

}  // namespace

bool CopyPaintRegion(const uint8_t (&shared)[ostrel::kPaintRegionSize], PaintRegion* out) {
  // One copy first: the other processes may rewrite the block while it is being checked.
  std::memcpy(out->bytes, shared, sizeof out->bytes);
  RegionHeader header;
  std::memcpy(&header, out->bytes, sizeof header);
  if (header.headerSize != ostrel::kRegionHeaderSize || header.type != ostrel::kRegionRectangles ||
      header.count > ostrel::kRectsPerChunk) {
    return false;
  }
  // count <= kRectsPerChunk, so 32 + 16 x count <= 4096: GDI reads only the copy.
  header.rectBytes = header.count * static_cast<uint32_t>(sizeof(ostrel::Rect32));
  std::memcpy(out->bytes, &header, sizeof header);
  out->size = ostrel::kRegionHeaderSize + header.rectBytes;
  out->rectCount = header.count;
  return true;
}

}  // namespace plantapp
