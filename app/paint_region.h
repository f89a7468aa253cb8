// The repaint region the desktop-draw library leaves in the shared block for a Paint request,
// copied out and checked before GDI reads it: the block is writable by any process of the
// session, and a hostile rectangle count would make GDI read past the block. Platform-free.
#pragma once

#include <cstdint>

#include "hooklib/region_chunks.h"
#include "hooklib/shared_block.h"

namespace plantapp {

/// A checked RGNDATA: header and rectangles, in a buffer aligned as GDI expects.
struct PaintRegion {
  alignas(8) uint8_t bytes[ostrel::kPaintRegionSize];
  /// Bytes of header and rectangles, the size to hand to ExtCreateRegion.
  uint32_t size;
  uint32_t rectCount;
};

/// Copies the shared paintRegion once into *out and checks the copy: a 32-byte header of the
/// rectangle type whose count fits the 4096 bytes. The copy's region size field is set from the
/// count. False when the header is wrong; the plant then skips that paint.
[[nodiscard]] bool CopyPaintRegion(const uint8_t (&shared)[ostrel::kPaintRegionSize], PaintRegion* out);

}  // namespace plantapp
