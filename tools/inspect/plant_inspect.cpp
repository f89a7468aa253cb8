// plant_inspect: prints the fixed fields, the species graph and the node table of a plant file,
// and the validator's verdict.
//   plant_inspect <file.plt>
// Exit code 0 when the file is valid, 1 when it is refused, 2 when it cannot be read. The species
// graph and node details are printed only for a valid file, because only then are its offsets safe
// to follow.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "plant/curve.h"
#include "plant/plant_file.h"
#include "plant/plant_node.h"
#include "plant/plant_record.h"
#include "plant/plant_state.h"
#include "plant/shape_data.h"
#include "plant/species.h"

namespace {

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) {
    return false;
  }
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  const bool ok = std::ferror(in) == 0;
  std::fclose(in);
  return ok;
}

void PrintCurve(const char* name, const plant::CurveRef& ref) {
  std::printf("  %-24s table @%d  x/%g  y*%g\n", name, ref.tableOffset, ref.xScale, ref.yScale);
}

void PrintFixedFields(const plant::PlantRecord& r) {
  std::printf("record\n");
  std::printf("  recordSize %d  nodeSize %d  nodeCount %d  nodeCapacity %d  increment %d\n", r.recordSize,
              r.nodeSize, r.nodeCount, r.nodeCapacity, r.nodeCapacityIncrement);
  std::printf("  maxShapeFaces %d  maxShapeVertices %d\n", r.maxShapeFaces, r.maxShapeVertices);
  std::printf("  pixelScale %g  sizeFactor %g  anchor (%g, %g)\n", r.pixelScale, r.sizeFactor, r.anchorX,
              r.anchorY);
  std::printf("  clock %u  secondsPerStep %d  dayOfYear %d  stepCount %u  flags 0x%x\n",
              static_cast<uint32_t>(r.clock), r.secondsPerStep, r.dayOfYear, r.stepCount,
              static_cast<unsigned>(r.flags));
  std::printf("  water %g (effect %g, optimum %g)  fertiliser %g (effect %g, optimum %g)\n", r.waterLevel,
              r.waterEffect, r.optimalWater, r.fertiliserLevel, r.fertiliserEffect, r.optimalFertiliser);
  std::printf("  temperature %g (optimum %g)  light %g (optimum %g)  brightness %g\n", r.temperature,
              r.optimalTemperature, r.light, r.optimalLight, r.brightness);
  std::printf("  lightDirection (%g, %g, %g)\n", r.lightDirection.x, r.lightDirection.y, r.lightDirection.z);
  std::printf("  rect (%g, %g, %g, %g)  width %g..%g  height %g..%g\n", r.rectLeft, r.rectTop, r.rectRight,
              r.rectBottom, r.minWidth, r.maxWidth, r.minHeight, r.maxHeight);
  std::printf("  pot #%02x%02x%02x  saucer #%02x%02x%02x  (defaults #%02x%02x%02x, #%02x%02x%02x)\n",
              r.potColour.red, r.potColour.green, r.potColour.blue, r.saucerColour.red, r.saucerColour.green,
              r.saucerColour.blue, r.defaultPotColour.red, r.defaultPotColour.green, r.defaultPotColour.blue,
              r.defaultSaucerColour.red, r.defaultSaucerColour.green, r.defaultSaucerColour.blue);
  char tips[plant::kCareTipsSize + 1] = {};
  std::memcpy(tips, r.careTips, plant::kCareTipsSize);
  std::printf("  careTips \"%s\"\n", tips);
  PrintCurve("waterUseByCount", r.waterUseByCount);
  PrintCurve("waterUseByTemperature", r.waterUseByTemperature);
  PrintCurve("fertiliserUseByCount", r.fertiliserUseByCount);
  PrintCurve("seasonCurve", r.seasonCurve);
  PrintCurve("temperatureEffectCurve", r.temperatureEffectCurve);
  PrintCurve("lightEffectCurve", r.lightEffectCurve);
  PrintCurve("waterEffectCurve", r.waterEffectCurve);
  PrintCurve("fertiliserEffectCurve", r.fertiliserEffectCurve);
  PrintCurve("trendChanceByStep", r.trendChanceByStep);
}

void PrintSpeciesGraph(plant::Plant& plant) {
  const uint8_t* record = plant.record.get();
  std::set<int32_t> seen;
  std::vector<int32_t> pending;
  for (int32_t i = 0; i < plant.Record().nodeCount; ++i) {
    pending.push_back(plant.Node(i).kindOffset);
  }
  std::printf("species\n");
  while (!pending.empty()) {
    const int32_t offset = pending.front();
    pending.erase(pending.begin());
    if (!seen.insert(offset).second) {
      continue;
    }
    const plant::NodeKind* kind = plant::KindAt(record, offset);
    const plant::NodeType* type = plant::TypeAt(record, kind->typeOffset);
    plant::ShapeTable shape;
    std::memcpy(&shape, record + type->shapeTableOffset, sizeof shape);
    std::printf("  kind @%d: type @%d (shape @%d, %ux%u entries%s), maxChildren %u, %u slots\n", offset,
                kind->typeOffset, type->shapeTableOffset, shape.stageCount, shape.variantCount,
                shape.stageCount == 0 ? ", not drawn" : "", kind->maxChildren, kind->slotCount);
    std::printf("    type: water rates %g/%g, A %g..%g, B %g..%g, health %s\n", type->waterFallBase,
                type->waterRiseBase, type->minA, type->maxA, type->minB, type->maxB,
                type->waterFallBase != 0.0 ? "counts" : "ignored");
    const plant::ChildSlot* slots = plant::SlotsOf(kind);
    for (uint32_t s = 0; s < kind->slotCount; ++s) {
      std::printf("    slot %u -> kind @%d, maxCount %u, orientation @%d\n", s, slots[s].childKindOffset,
                  slots[s].maxCount, slots[s].orientationOffset);
      pending.push_back(slots[s].childKindOffset);
    }
  }
}

void PrintNodes(plant::Plant& plant) {
  std::printf("nodes\n");
  std::printf("  %5s %6s %4s %8s %9s %7s %7s %5s %5s %8s %8s %8s\n", "index", "parent", "slot", "kind", "age",
              "A", "B", "trend", "kids", "length", "y", "z");
  for (int32_t i = 0; i < plant.Record().nodeCount; ++i) {
    const plant::PlantNode& n = plant.Node(i);
    std::printf("  %5d %6d %4u %8d %9.2f %7.4f %7.4f %2d/%-2d %5u %8.4f %8.4f %8.4f\n", i, n.parent, n.slot,
                n.kindOffset, n.age, n.waterState, n.fertiliserState, n.waterTrend, n.fertiliserTrend,
                n.childCount, n.length, n.position.y, n.position.z);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: plant_inspect <file.plt>\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(argv[1], &bytes)) {
    std::fprintf(stderr, "plant_inspect: cannot read %s\n", argv[1]);
    return 2;
  }
  std::printf("file %s, %zu bytes\n", argv[1], bytes.size());
  if (bytes.size() >= sizeof(plant::PlantRecord)) {
    plant::PlantRecord fields;
    std::memcpy(&fields, bytes.data(), sizeof fields);
    PrintFixedFields(fields);
  }
  plant::Plant plant;
  std::string why;
  // The clock rule needs a present time; the stored clock keeps the printed values as in the file.
  int64_t clock = 0;
  if (bytes.size() >= sizeof(plant::PlantRecord)) {
    int32_t stored;
    std::memcpy(&stored, bytes.data() + offsetof(plant::PlantRecord, clock), sizeof stored);
    clock = static_cast<uint32_t>(stored);
  }
  const plant::LoadResult result = plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), clock, &why);
  if (result != plant::LoadResult::Ok) {
    std::printf("verdict: refused, result %d: %s (%s)\n", static_cast<int>(result),
                plant::LoadResultText(result), why.c_str());
    return 1;
  }
  PrintSpeciesGraph(plant);
  PrintNodes(plant);
  std::printf("verdict: valid\n");
  return 0;
}
