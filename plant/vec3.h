// Three-component double vector as it is stored in the plant file (light direction, node axes,
// offsets, positions). Only the layout lives here; the vector arithmetic belongs to its own file.
#pragma once

#include <cstddef>

namespace plant {

/// off  size  field
///   0     8  x, depth (larger is nearer the viewer)
///   8     8  y, left to right on the screen
///  16     8  z, up
struct Vec3 {
  double x;
  double y;
  double z;
};

static_assert(sizeof(Vec3) == 24);
static_assert(offsetof(Vec3, x) == 0 && offsetof(Vec3, y) == 8 && offsetof(Vec3, z) == 16);

}  // namespace plant
