// Record-resident species records that the growth model and the node geometry read: NodeKind
// (what a node is and which children it may have), its ChildSlots, their OrientationDescriptors
// and NodeType (how a node grows and dies). Each is reached through a record-relative offset; the
// validator has checked every reachable one (inside the record, outside the fixed fields, aligned
// to 8, finite values) before the accessors below are used.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plant/curve.h"

namespace plant {

/// Child slot of a NodeKind (40 bytes):
/// off  size  field
///   0     4  childKindOffset, record offset of the child's NodeKind
///   4     1  maxCount, the most children this slot makes for one parent (at most 127)
///   5     3  padding
///   8    24  spawnByAge, spawn chance by the parent's age
///  32     4  orientationOffset, record offset of the slot's OrientationDescriptor
///  36     4  reserved, not read
struct ChildSlot {
  int32_t childKindOffset;
  uint8_t maxCount;
  uint8_t padding5[3];
  CurveRef spawnByAge;
  int32_t orientationOffset;
  uint8_t reserved36[4];
};

static_assert(sizeof(ChildSlot) == 40);
static_assert(offsetof(ChildSlot, childKindOffset) == 0);
static_assert(offsetof(ChildSlot, maxCount) == 4);
static_assert(offsetof(ChildSlot, spawnByAge) == 8);
static_assert(offsetof(ChildSlot, orientationOffset) == 32);
static_assert(offsetof(ChildSlot, reserved36) == 36);

/// NodeKind head (88 bytes), followed by slotCount ChildSlots:
/// off  size  field
///   0     4  typeOffset, record offset of the kind's NodeType
///   4     4  padding
///   8    24  widthByAge
///  32    24  depthByAge
///  56    24  lengthByAge
///  80     4  maxChildren (u32)
///  84     1  slotCount
///  85     3  padding
///  88  40*n  slots
struct NodeKind {
  int32_t typeOffset;
  uint8_t padding4[4];
  CurveRef widthByAge;
  CurveRef depthByAge;
  CurveRef lengthByAge;
  uint32_t maxChildren;
  uint8_t slotCount;
  uint8_t padding85[3];
};

static_assert(sizeof(NodeKind) == 88);
static_assert(offsetof(NodeKind, typeOffset) == 0);
static_assert(offsetof(NodeKind, widthByAge) == 8);
static_assert(offsetof(NodeKind, depthByAge) == 32);
static_assert(offsetof(NodeKind, lengthByAge) == 56);
static_assert(offsetof(NodeKind, maxChildren) == 80);
static_assert(offsetof(NodeKind, slotCount) == 84);

/// Bytes of a NodeKind with slotCount slots.
[[nodiscard]] constexpr uint32_t NodeKindSize(uint32_t slotCount) {
  return static_cast<uint32_t>(sizeof(NodeKind)) + slotCount * static_cast<uint32_t>(sizeof(ChildSlot));
}

/// AncestorSelector values (i32): 0 selects node 0; -k the k-th ancestor (-1 the parent);
/// +k the ancestor at which the count of ancestors with a non-zero anchor byte, counted from the
/// parent upward, first equals k. No match selects node 0.
using AncestorSelector = int32_t;

/// OrientationDescriptor (136 bytes): where and in which direction a slot places its child.
/// off  size  field
///   0     8  radius of the child's offset on the parent
///   8     8  polar angle of the offset (radians)
///  16     8  azimuth of the offset (radians)
///  24    16  offsetScaleRange (lower, upper)
///  40     1  anchor byte given to the child
///  41     3  padding
///  44     4  frameSelector, gives the child's frameRef
///  48     4  tropismSelector, gives the child's tropismRef
///  52     4  directionSelector, frame in which the child's angles are taken
///  56     4  upSelector, the up reference
///  60     4  padding
///  64    16  polarRange
///  80     8  polarFlip, chance that the polar angle is negated
///  88    16  azimuthRange
/// 104     8  azimuthFlip
/// 112    16  rollRange
/// 128     8  rollFlip
struct OrientationDescriptor {
  double radius;
  double polar;
  double azimuth;
  double offsetScaleRange[2];
  uint8_t anchor;
  uint8_t padding41[3];
  AncestorSelector frameSelector;
  AncestorSelector tropismSelector;
  AncestorSelector directionSelector;
  AncestorSelector upSelector;
  uint8_t padding60[4];
  double polarRange[2];
  double polarFlip;
  double azimuthRange[2];
  double azimuthFlip;
  double rollRange[2];
  double rollFlip;
};

static_assert(sizeof(OrientationDescriptor) == 136);
static_assert(offsetof(OrientationDescriptor, radius) == 0);
static_assert(offsetof(OrientationDescriptor, polar) == 8);
static_assert(offsetof(OrientationDescriptor, azimuth) == 16);
static_assert(offsetof(OrientationDescriptor, offsetScaleRange) == 24);
static_assert(offsetof(OrientationDescriptor, anchor) == 40);
static_assert(offsetof(OrientationDescriptor, frameSelector) == 44);
static_assert(offsetof(OrientationDescriptor, tropismSelector) == 48);
static_assert(offsetof(OrientationDescriptor, directionSelector) == 52);
static_assert(offsetof(OrientationDescriptor, upSelector) == 56);
static_assert(offsetof(OrientationDescriptor, polarRange) == 64);
static_assert(offsetof(OrientationDescriptor, polarFlip) == 80);
static_assert(offsetof(OrientationDescriptor, azimuthRange) == 88);
static_assert(offsetof(OrientationDescriptor, azimuthFlip) == 104);
static_assert(offsetof(OrientationDescriptor, rollRange) == 112);
static_assert(offsetof(OrientationDescriptor, rollFlip) == 128);

/// Tropism operations of NodeType::tropismOperation.
enum TropismOperation : int32_t {
  kTropismNone = 0,
  kTropismAdd = 1,
  kTropismMultiply = 2,
  kTropismSet = 3,
  kTropismReversed = -2,
};

/// NodeType (560 bytes). A is the node's waterState, B its fertiliserState, g its growth factor.
/// off  size  field
///   0     4  shapeTableOffset, record offset of the renderer's ShapeTable
///   4     4  padding
///   8    16  widthRange, widthFactor range at birth
///  24    16  lengthRange, lengthFactor range at birth
///  40     4  tropismOperation (TropismOperation)
///  44     4  tropismAxes, 0 to 5, sign ignored
///  48    24  tropismByAge          72  24  sizeByA             96  24  droopByA
/// 120    24  trendByDay           144  24  trendByA           168  24  fertiliserTrendByB
/// 192    24  trendByAge           216  24  spawnByDay         240  24  spawnBySteps
/// 264    24  spawnByParentA       288  24  spawnByG           312  24  childrenByG
/// 336     8  waterFallBase (non-zero: the type counts for plant health)
/// 344     8  waterRiseBase         352  8  waterSpread
/// 360     8  fertiliserFallBase    368  8  fertiliserRiseBase  376  8  fertiliserSpread
/// 384     8  waterTrendMultiplier  392  8  fertiliserTrendMultiplier
/// 400     8  waterLower            408  8  waterUpper
/// 416     8  fertiliserLower       424  8  fertiliserUpper
/// 432     8  minA   440  8  maxA   448  8  minB   456  8  maxB
/// 464    24  growthByA            488  24  growthByB          512  24  trackingRate
/// 536    24  growthByDay
struct NodeType {
  int32_t shapeTableOffset;
  uint8_t padding4[4];
  double widthRange[2];
  double lengthRange[2];
  int32_t tropismOperation;
  int32_t tropismAxes;
  CurveRef tropismByAge;
  CurveRef sizeByA;
  CurveRef droopByA;
  CurveRef trendByDay;
  CurveRef trendByA;
  CurveRef fertiliserTrendByB;
  CurveRef trendByAge;
  CurveRef spawnByDay;
  CurveRef spawnBySteps;
  CurveRef spawnByParentA;
  CurveRef spawnByG;
  CurveRef childrenByG;
  double waterFallBase;
  double waterRiseBase;
  double waterSpread;
  double fertiliserFallBase;
  double fertiliserRiseBase;
  double fertiliserSpread;
  double waterTrendMultiplier;
  double fertiliserTrendMultiplier;
  double waterLower;
  double waterUpper;
  double fertiliserLower;
  double fertiliserUpper;
  double minA;
  double maxA;
  double minB;
  double maxB;
  CurveRef growthByA;
  CurveRef growthByB;
  CurveRef trackingRate;
  CurveRef growthByDay;
};

static_assert(sizeof(NodeType) == 560);
static_assert(offsetof(NodeType, shapeTableOffset) == 0);
static_assert(offsetof(NodeType, widthRange) == 8);
static_assert(offsetof(NodeType, lengthRange) == 24);
static_assert(offsetof(NodeType, tropismOperation) == 40);
static_assert(offsetof(NodeType, tropismAxes) == 44);
static_assert(offsetof(NodeType, tropismByAge) == 48);
static_assert(offsetof(NodeType, sizeByA) == 72);
static_assert(offsetof(NodeType, droopByA) == 96);
static_assert(offsetof(NodeType, trendByDay) == 120);
static_assert(offsetof(NodeType, trendByA) == 144);
static_assert(offsetof(NodeType, fertiliserTrendByB) == 168);
static_assert(offsetof(NodeType, trendByAge) == 192);
static_assert(offsetof(NodeType, spawnByDay) == 216);
static_assert(offsetof(NodeType, spawnBySteps) == 240);
static_assert(offsetof(NodeType, spawnByParentA) == 264);
static_assert(offsetof(NodeType, spawnByG) == 288);
static_assert(offsetof(NodeType, childrenByG) == 312);
static_assert(offsetof(NodeType, waterFallBase) == 336);
static_assert(offsetof(NodeType, waterRiseBase) == 344);
static_assert(offsetof(NodeType, waterSpread) == 352);
static_assert(offsetof(NodeType, fertiliserFallBase) == 360);
static_assert(offsetof(NodeType, fertiliserRiseBase) == 368);
static_assert(offsetof(NodeType, fertiliserSpread) == 376);
static_assert(offsetof(NodeType, waterTrendMultiplier) == 384);
static_assert(offsetof(NodeType, fertiliserTrendMultiplier) == 392);
static_assert(offsetof(NodeType, waterLower) == 400);
static_assert(offsetof(NodeType, waterUpper) == 408);
static_assert(offsetof(NodeType, fertiliserLower) == 416);
static_assert(offsetof(NodeType, fertiliserUpper) == 424);
static_assert(offsetof(NodeType, minA) == 432);
static_assert(offsetof(NodeType, maxA) == 440);
static_assert(offsetof(NodeType, minB) == 448);
static_assert(offsetof(NodeType, maxB) == 456);
static_assert(offsetof(NodeType, growthByA) == 464);
static_assert(offsetof(NodeType, growthByB) == 488);
static_assert(offsetof(NodeType, trackingRate) == 512);
static_assert(offsetof(NodeType, growthByDay) == 536);

/// In-place views of validated species records. Requires: offset was accepted by the validator
/// for that record type (inside the record, 8-aligned, outside the fixed fields).
[[nodiscard]] inline const NodeKind* KindAt(const uint8_t* record, int32_t offset) {
  return reinterpret_cast<const NodeKind*>(record + offset);
}
[[nodiscard]] inline const ChildSlot* SlotsOf(const NodeKind* kind) {
  return reinterpret_cast<const ChildSlot*>(reinterpret_cast<const uint8_t*>(kind) + sizeof(NodeKind));
}
[[nodiscard]] inline const NodeType* TypeAt(const uint8_t* record, int32_t offset) {
  return reinterpret_cast<const NodeType*>(record + offset);
}
[[nodiscard]] inline const OrientationDescriptor* DescriptorAt(const uint8_t* record, int32_t offset) {
  return reinterpret_cast<const OrientationDescriptor*>(record + offset);
}

}  // namespace plant
