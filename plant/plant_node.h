// One node of the plant (a stem piece, a leaf, the pot: whatever the species defines). All nodes
// lie in one array of nodeSize-byte slots that follows the record; the fixed fields below take the
// first 304 bytes of a slot and the per-child-slot counters follow them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plant/vec3.h"

namespace plant {

/// Node slot (little-endian), nodeSize bytes, the first 304 of them laid out here:
/// off  size  field
///   0     4  parent, index of the parent node; -1 for node 0
///   4     1  slot, index of the parent kind's ChildSlot that made this node
///   5     3  padding
///   8     4  childCount, living children (u32)
///  12     4  kindOffset, record offset of the node's NodeKind
///  16     1  anchor, copied from the making slot's OrientationDescriptor
///  17     3  padding
///  20     4  frameRef, ancestor in whose frame upLocal and directionLocal are stored
///  24     4  tropismRef, ancestor whose frame gives the tropism axes
///  28     4  padding
///  32     8  age, physiological age; exactly -1.0 marks a node killed and awaiting removal
///  40     8  width, size along X
///  48     8  depth, size along Y
///  56     8  length, size along Z
///  64     8  widthFactor, drawn at birth
///  72     8  lengthFactor, drawn at birth
///  80     8  waterState (state A)
///  88     8  fertiliserState (state B)
///  96     1  waterTrend, 0 tracking, -1 falling, +1 rising (i8)
///  97     1  fertiliserTrend (i8)
///  98     6  padding
/// 104     8  waterFallRate
/// 112     8  waterRiseRate
/// 120     8  fertiliserFallRate
/// 128     8  fertiliserRiseRate
/// 136    24  upLocal, the node's Y axis in frameRef's frame
/// 160    24  directionLocal, the node's Z axis in frameRef's frame
/// 184    24  axisX, world X axis
/// 208    24  axisY
/// 232    24  axisZ, the growth direction
/// 256    24  offset, where the node sits on its parent, before scaling by the parent's size
/// 280    24  position, world position of the origin
/// 304     n  slotCounters, one byte per ChildSlot of the node's kind
struct PlantNode {
  int32_t parent;
  uint8_t slot;
  uint8_t padding5[3];
  uint32_t childCount;
  int32_t kindOffset;
  uint8_t anchor;
  uint8_t padding17[3];
  int32_t frameRef;
  int32_t tropismRef;
  uint8_t padding28[4];
  double age;
  double width;
  double depth;
  double length;
  double widthFactor;
  double lengthFactor;
  double waterState;
  double fertiliserState;
  int8_t waterTrend;
  int8_t fertiliserTrend;
  uint8_t padding98[6];
  double waterFallRate;
  double waterRiseRate;
  double fertiliserFallRate;
  double fertiliserRiseRate;
  Vec3 upLocal;
  Vec3 directionLocal;
  Vec3 axisX;
  Vec3 axisY;
  Vec3 axisZ;
  Vec3 offset;
  Vec3 position;
};

/// Bytes of the fixed node fields; slot counters start here.
constexpr uint32_t kNodeFixedSize = 304;
/// The age that marks a node as dead.
constexpr double kDeadAge = -1.0;

static_assert(sizeof(PlantNode) == kNodeFixedSize);
static_assert(offsetof(PlantNode, parent) == 0);
static_assert(offsetof(PlantNode, slot) == 4);
static_assert(offsetof(PlantNode, childCount) == 8);
static_assert(offsetof(PlantNode, kindOffset) == 12);
static_assert(offsetof(PlantNode, anchor) == 16);
static_assert(offsetof(PlantNode, frameRef) == 20);
static_assert(offsetof(PlantNode, tropismRef) == 24);
static_assert(offsetof(PlantNode, age) == 32);
static_assert(offsetof(PlantNode, width) == 40);
static_assert(offsetof(PlantNode, depth) == 48);
static_assert(offsetof(PlantNode, length) == 56);
static_assert(offsetof(PlantNode, widthFactor) == 64);
static_assert(offsetof(PlantNode, lengthFactor) == 72);
static_assert(offsetof(PlantNode, waterState) == 80);
static_assert(offsetof(PlantNode, fertiliserState) == 88);
static_assert(offsetof(PlantNode, waterTrend) == 96);
static_assert(offsetof(PlantNode, fertiliserTrend) == 97);
static_assert(offsetof(PlantNode, waterFallRate) == 104);
static_assert(offsetof(PlantNode, waterRiseRate) == 112);
static_assert(offsetof(PlantNode, fertiliserFallRate) == 120);
static_assert(offsetof(PlantNode, fertiliserRiseRate) == 128);
static_assert(offsetof(PlantNode, upLocal) == 136);
static_assert(offsetof(PlantNode, directionLocal) == 160);
static_assert(offsetof(PlantNode, axisX) == 184);
static_assert(offsetof(PlantNode, axisY) == 208);
static_assert(offsetof(PlantNode, axisZ) == 232);
static_assert(offsetof(PlantNode, offset) == 256);
static_assert(offsetof(PlantNode, position) == 280);

}  // namespace plant
