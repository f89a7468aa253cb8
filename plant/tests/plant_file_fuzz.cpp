// libFuzzer target: any bytes go through the loader; whatever it accepts is then exercised the way
// the engine will use it (every curve evaluated, nodes appended and removed), which must stay
// inside the loaded blocks.
#include <cstddef>
#include <cstdint>

#include "plant/curve.h"
#include "plant/node_array.h"
#include "plant/plant_file.h"
#include "plant/species.h"

namespace {

void EvaluateKindCurves(const uint8_t* record, const plant::NodeKind* kind) {
  const double xs[] = {-1e9, -1.0, 0.0, 0.5, 37.0, 1e12};
  const plant::NodeType* type = plant::TypeAt(record, kind->typeOffset);
  for (const double x : xs) {
    (void)plant::EvaluateCurve(record, kind->widthByAge, x);
    (void)plant::EvaluateCurve(record, kind->lengthByAge, x);
    (void)plant::EvaluateCurve(record, type->growthByA, x);
    (void)plant::EvaluateCurve(record, type->growthByDay, x);
    for (uint32_t s = 0; s < kind->slotCount; ++s) {
      (void)plant::EvaluateCurve(record, plant::SlotsOf(kind)[s].spawnByAge, x);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plant::Plant plant;
  if (plant::LoadPlantBytes(plant, data, size, 0, nullptr) != plant::LoadResult::Ok) {
    return 0;
  }
  const uint8_t* record = plant.record.get();
  const plant::PlantRecord& fields = plant.Record();
  for (const double x : {-5.0, 0.0, 0.5, 20.0, 400.0}) {
    (void)plant::EvaluateCurve(record, fields.waterUseByCount, x);
    (void)plant::EvaluateCurve(record, fields.seasonCurve, x);
    (void)plant::EvaluateCurve(record, fields.waterEffectCurve, x);
  }
  for (int32_t i = 0; i < fields.nodeCount; ++i) {
    EvaluateKindCurves(record, plant::KindAt(record, plant.Node(i).kindOffset));
  }
  // Grow a child wherever the kind has a slot, then remove the last node's subtree.
  for (int32_t i = 0, count = fields.nodeCount; i < count && i < 64; ++i) {
    const plant::NodeKind* kind = plant::KindAt(record, plant.Node(i).kindOffset);
    if (kind->slotCount > 0) {
      plant::PlantNode* child = plant::AddNode(plant, i, 0);
      if (child != nullptr) {
        child->kindOffset = plant::SlotsOf(kind)[0].childKindOffset;
      }
    }
  }
  if (plant.Record().nodeCount > 1) {
    plant::RemoveDeadNodes(plant, plant.Record().nodeCount - 1);
  }
  if (fields.nodeCount > 2) {
    plant::RemoveDeadNodes(plant, 1);
  }
  return 0;
}
