// A hand-made plant for geometry tests: node 0 at the world origin with identity axes and
// further nodes of one kind whose curves are constants the test sets, so that every size and frame
// can be worked out by hand.
#pragma once

#include <cstring>

#include "plant/curve.h"
#include "plant/plant_state.h"
#include "plant/species.h"

namespace plant::test {

class FrameFixture {
 public:
  static constexpr int32_t kTableOffset = 10672;  // one table: the constant 1
  static constexpr int32_t kKindOffset = 10720;
  static constexpr int32_t kTypeOffset = kKindOffset + 88;
  static constexpr int32_t kRecordSize = kTypeOffset + 560;
  static constexpr int32_t kNodeSize = 312;

  explicit FrameFixture(int32_t nodeCount) {
    plant.record.reset(new uint8_t[kRecordSize]());
    plant.nodes.reset(new uint8_t[static_cast<size_t>(nodeCount + 1) * kNodeSize]());
    PlantRecord& r = plant.Record();
    r.recordSize = kRecordSize;
    r.nodeSize = kNodeSize;
    r.nodeCount = nodeCount;
    r.nodeCapacity = nodeCount;
    r.nodeCapacityIncrement = 8;
    const double table[] = {1.0, 0.0, 0.0, 0.0, 0.0, 1.0};
    std::memcpy(plant.record.get() + kTableOffset, table, sizeof table);
    NodeKind& kind = Kind();
    kind.typeOffset = kTypeOffset;
    kind.widthByAge = Constant(1.0);
    kind.depthByAge = Constant(1.0);
    kind.lengthByAge = Constant(1.0);
    NodeType& type = Type();
    type.sizeByA = Constant(1.0);
    type.droopByA = Constant(1.0);
    type.tropismByAge = Constant(0.0);
    PlantNode& root = plant.Node(0);
    root.parent = -1;
    root.axisX = {1, 0, 0};
    root.axisY = {0, 1, 0};
    root.axisZ = {0, 0, 1};
    for (int32_t i = 1; i < nodeCount; ++i) {
      PlantNode& node = plant.Node(i);
      node.parent = i - 1;
      node.kindOffset = kKindOffset;
      node.widthFactor = 1.0;
      node.lengthFactor = 1.0;
      node.upLocal = {0, 1, 0};
      node.directionLocal = {0, 0, 1};
    }
  }

  static CurveRef Constant(double value) { return CurveRef{kTableOffset, {}, 1.0, value}; }

  NodeKind& Kind() { return *reinterpret_cast<NodeKind*>(plant.record.get() + kKindOffset); }
  NodeType& Type() { return *reinterpret_cast<NodeType*>(plant.record.get() + kTypeOffset); }

  Plant plant;
};

}  // namespace plant::test
