// Where a framework window goes: its default place on a monitor, and the placement record it
// saves in the data file "(ZRF)Win<index>". Free of the window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/ui/ui_geometry.h"

namespace zrf {

/// The data file "(ZRF)Win" + window index; 16 bytes, little-endian.
///
///   off  size  field
///     0     2  x: left edge of the normal rectangle (i16)
///     2     2  y: top edge (i16)
///     4     2  cx: width (u16)
///     6     2  cy: height (u16)
///     8     4  window flags
///    12     4  transparency percent in the low 8 bits; 0x1000 set when ghost
struct WindowPlacementRecord {
  int16_t x;
  int16_t y;
  uint16_t cx;
  uint16_t cy;
  uint32_t flags;
  uint32_t transparency;
};
static_assert(sizeof(WindowPlacementRecord) == 16);
static_assert(offsetof(WindowPlacementRecord, x) == 0);
static_assert(offsetof(WindowPlacementRecord, y) == 2);
static_assert(offsetof(WindowPlacementRecord, cx) == 4);
static_assert(offsetof(WindowPlacementRecord, cy) == 6);
static_assert(offsetof(WindowPlacementRecord, flags) == 8);
static_assert(offsetof(WindowPlacementRecord, transparency) == 12);

constexpr uint32_t kPlacementGhostBit = 0x1000;

/// A window's placement as the window object keeps it.
struct WindowPlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t cx = 0;
  int32_t cy = 0;
  uint32_t flags = 0;
  int32_t transparency = 0;  ///< percent, 0 to 90 in steps of 10
  bool ghost = false;
  bool operator==(const WindowPlacement&) const = default;
};

/// The record for a placement. Edges and sizes beyond the record's 16 bits are held at the
/// nearest value the record can store instead of wrapping into another place.
WindowPlacementRecord PackPlacement(const WindowPlacement& placement);

/// The placement a record describes. A transparency that is not 0 to 90 in steps of ten reads as 0.
WindowPlacement UnpackPlacement(const WindowPlacementRecord& record);

/// Default place of window `index` on the monitor rectangle `monitor`: zero sizes become two
/// thirds of the monitor, zero positions centre the window and step each further window 40
/// pixels right and down; then x wraps at (monitor.right - cx) and y at (monitor.bottom - cy).
/// A window as wide or as high as the monitor is not wrapped (the remainder would divide by zero).
WindowPlacement DefaultPlacement(uint16_t index, const Rect& monitor, int32_t x, int32_t y, int32_t cx,
                                 int32_t cy, uint32_t flags);

/// True when a saved record may be used: its size is not zero and the point 20 pixels inside its
/// top-left or top-right corner lies on one of the monitors.
bool IsPlacementOnMonitors(const WindowPlacementRecord& record, std::span<const Rect> monitors);

}  // namespace zrf
