// The plant validator; see plant_validator.h for what it proves. Everything here reads the
// untrusted bytes with memcpy after a bounds check done by subtraction, so no check can wrap.
#include "plant/plant_validator.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

#include "plant/curve.h"
#include "plant/node_array.h"
#include "plant/node_geometry.h"
#include "plant/plant_node.h"
#include "plant/plant_record.h"
#include "plant/shape_data.h"
#include "plant/species.h"

namespace plant {
namespace {

template <typename T>
T ReadAt(const uint8_t* base, uint64_t offset) {
  T value;
  std::memcpy(&value, base + offset, sizeof value);
  return value;
}

std::string Num(int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  return text;
}

bool Fail(std::string* why, const std::string& message) {
  if (why != nullptr) {
    *why = message;
  }
  return false;
}

bool AllFinite(const double* values, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (!std::isfinite(values[i])) {
      return false;
    }
  }
  return true;
}

class Validator {
 public:
  Validator(const uint8_t* record, const uint8_t* nodes, std::string* why)
      : record_(record),
        nodes_(nodes),
        why_(why),
        head_(ReadHead(record)),
        recordSize_(static_cast<uint32_t>(head_.recordSize)),
        nodeSize_(static_cast<uint32_t>(head_.nodeSize)),
        nodeCount_(head_.nodeCount) {}

  bool Run() { return CheckFixedFields() && CheckRecordCurves() && CheckNodeKinds() && CheckNodes(); }

 private:
  static PlantRecord ReadHead(const uint8_t* record) {
    PlantRecord head;
    std::memcpy(&head, record, sizeof head);
    return head;
  }

  // Requires: true of every record that CheckRecordHead accepted.
  bool InRecord(int64_t offset, uint64_t size) const {
    return offset >= 0 && static_cast<uint64_t>(offset) <= recordSize_ &&
           size <= recordSize_ - static_cast<uint64_t>(offset);
  }

  // Species data may lie anywhere in the record except over the fixed fields, which the program
  // rewrites while the plant lives.
  bool Placeable(int64_t offset, uint64_t size, uint32_t alignment) const {
    if (!InRecord(offset, size) || offset % alignment != 0) {
      return false;
    }
    const uint64_t end = static_cast<uint64_t>(offset) + size;
    return end <= kFixedFieldsStart || static_cast<uint64_t>(offset) >= kFixedFieldsEnd;
  }

  bool Bad(const std::string& what, int64_t offset, const std::string& problem) const {
    return Fail(why_, what + " at record offset " + Num(offset) + ": " + problem);
  }

  bool CheckFixedFields() {
    // The pot's levels and their effects are left out: growth computes them from the species'
    // curves every step, and curves of finite points can still overflow or give no number.
    const double fixedDoubles[] = {
        head_.pixelScale,       head_.sizeFactor,   head_.anchorX,           head_.anchorY,
        head_.temperature,      head_.light,        head_.lightDirection.x,  head_.lightDirection.y,
        head_.lightDirection.z, head_.optimalWater, head_.optimalFertiliser, head_.optimalTemperature,
        head_.optimalLight,     head_.brightness,   head_.rectLeft,          head_.rectTop,
        head_.rectRight,        head_.rectBottom,   head_.minWidth,          head_.maxWidth,
        head_.minHeight,        head_.maxHeight};
    if (!AllFinite(fixedDoubles, std::size(fixedDoubles))) {
      return Fail(why_, "record: a fixed field holds a NaN or infinite value");
    }
    if (!(head_.pixelScale > 0.0) || !(head_.sizeFactor > 0.0)) {
      return Fail(why_, "record: pixelScale and sizeFactor must be positive");
    }
    if (head_.minWidth < 0.0 || head_.maxWidth < 0.0 || head_.minHeight < 0.0 || head_.maxHeight < 0.0) {
      return Fail(why_, "record: a picture size limit is negative");
    }
    if (std::memchr(head_.careTips, 0, sizeof head_.careTips) == nullptr) {
      return Fail(why_, "record: careTips has no terminating NUL within 512 bytes");
    }
    return true;
  }

  bool CheckRecordCurves() {
    struct Named {
      const char* name;
      const CurveRef& ref;
      size_t offset;
    };
    const Named curves[] = {
        {"waterUseByCount", head_.waterUseByCount, offsetof(PlantRecord, waterUseByCount)},
        {"waterUseByTemperature", head_.waterUseByTemperature, offsetof(PlantRecord, waterUseByTemperature)},
        {"fertiliserUseByCount", head_.fertiliserUseByCount, offsetof(PlantRecord, fertiliserUseByCount)},
        {"seasonCurve", head_.seasonCurve, offsetof(PlantRecord, seasonCurve)},
        {"temperatureEffectCurve", head_.temperatureEffectCurve,
         offsetof(PlantRecord, temperatureEffectCurve)},
        {"lightEffectCurve", head_.lightEffectCurve, offsetof(PlantRecord, lightEffectCurve)},
        {"waterEffectCurve", head_.waterEffectCurve, offsetof(PlantRecord, waterEffectCurve)},
        {"fertiliserEffectCurve", head_.fertiliserEffectCurve, offsetof(PlantRecord, fertiliserEffectCurve)},
        {"trendChanceByStep", head_.trendChanceByStep, offsetof(PlantRecord, trendChanceByStep)},
    };
    for (const Named& curve : curves) {
      if (!CheckCurve(curve.ref, std::string("record field ") + curve.name,
                      static_cast<int64_t>(curve.offset))) {
        return false;
      }
    }
    return true;
  }

  bool CheckCurve(const CurveRef& ref, const std::string& owner, int64_t refOffset) {
    if (!std::isfinite(ref.xScale) || ref.xScale == 0.0 || !std::isfinite(ref.yScale)) {
      return Bad(owner + " curve reference", refOffset, "x scale zero or a scale not finite");
    }
    return CheckCurveTable(ref.tableOffset, owner, refOffset);
  }

  bool CheckCompactCurve(const CompactCurveRef& ref, const std::string& owner, int64_t refOffset) {
    if (ref.xScale == 0) {
      return Bad(owner + " curve reference", refOffset, "x scale zero");
    }
    return CheckCurveTable(ref.tableOffset, owner, refOffset);
  }

  bool CheckCurveTable(int32_t offset, const std::string& owner, int64_t refOffset) {
    if (checkedTables_.count(offset) != 0) {
      return true;
    }
    const std::string what = "curve table of " + owner + " (reference at " + Num(refOffset) + ")";
    if (!Placeable(offset, sizeof(CurveTableHead), 1)) {
      return Bad(what, offset, "outside the record or over the fixed fields");
    }
    const CurveTableHead head = ReadAt<CurveTableHead>(record_, static_cast<uint32_t>(offset));
    if (!std::isfinite(head.count) || head.count < 1.0 || head.count >= kMaxCurvePoints + 1.0) {
      return Bad(what, offset, "point count not within 1.." + Num(kMaxCurvePoints));
    }
    const uint32_t count = static_cast<uint32_t>(head.count);
    if (!Placeable(offset, CurveTableSize(count), 1)) {
      return Bad(what, offset, "points run outside the record or over the fixed fields");
    }
    if (!std::isfinite(head.maxRepeats) || head.maxRepeats < 0.0 || head.maxRepeats >= 4294967296.0 ||
        !std::isfinite(head.repeatStart) || !std::isfinite(head.repeatEnd)) {
      return Bad(what, offset, "repeat fields not finite or out of range");
    }
    if (head.maxRepeats != 0.0 && !(head.repeatEnd > head.repeatStart)) {
      return Bad(what, offset, "repeated section with no positive period");
    }
    double previousX = -HUGE_VAL;
    for (uint32_t i = 0; i < count; ++i) {
      const uint64_t at = static_cast<uint32_t>(offset) + CurveTableSize(i);
      const double x = ReadAt<double>(record_, at);
      const double y = ReadAt<double>(record_, at + 8);
      if (!std::isfinite(x) || !std::isfinite(y)) {
        return Bad(what, offset, "point " + Num(i) + " not finite");
      }
      if (x < previousX) {
        return Bad(what, offset, "x values not ascending at point " + Num(i));
      }
      previousX = x;
    }
    checkedTables_.insert(offset);
    return true;
  }

  bool CheckNodeKinds() {
    for (int32_t i = 0; i < nodeCount_; ++i) {
      const PlantNode node = NodeAt(i);
      if (!CheckKindClosure(node.kindOffset, "node " + Num(i))) {
        return false;
      }
    }
    return true;
  }

  // Kinds may refer to each other in cycles, so the closure is walked with a worklist and a
  // visited set rather than by recursion.
  bool CheckKindClosure(int32_t first, const std::string& owner) {
    if (checkedKinds_.count(first) != 0) {
      return true;
    }
    std::vector<int32_t> pending{first};
    std::vector<std::string> owners{owner};
    while (!pending.empty()) {
      const int32_t offset = pending.back();
      const std::string from = owners.back();
      pending.pop_back();
      owners.pop_back();
      if (checkedKinds_.count(offset) != 0) {
        continue;
      }
      checkedKinds_.insert(offset);
      if (!CheckKind(offset, from, pending, owners)) {
        return false;
      }
    }
    return true;
  }

  bool CheckKind(int32_t offset, const std::string& owner, std::vector<int32_t>& pending,
                 std::vector<std::string>& owners) {
    const std::string what = "NodeKind of " + owner;
    if (!Placeable(offset, sizeof(NodeKind), 8)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 8-aligned");
    }
    const NodeKind kind = ReadAt<NodeKind>(record_, static_cast<uint32_t>(offset));
    if (kind.slotCount > nodeSize_ - kNodeFixedSize) {
      return Bad(what, offset, "more child slots than a node has counters");
    }
    if (!Placeable(offset, NodeKindSize(kind.slotCount), 8)) {
      return Bad(what, offset, "child slots run outside the record or over the fixed fields");
    }
    const std::string self = "NodeKind at " + Num(offset);
    if (!CheckCurve(kind.widthByAge, self, offset + 8) || !CheckCurve(kind.depthByAge, self, offset + 32) ||
        !CheckCurve(kind.lengthByAge, self, offset + 56) || !CheckType(kind.typeOffset, self)) {
      return false;
    }
    for (uint32_t s = 0; s < kind.slotCount; ++s) {
      const int64_t slotOffset = offset + static_cast<int64_t>(NodeKindSize(s));
      const ChildSlot slot = ReadAt<ChildSlot>(record_, static_cast<uint64_t>(slotOffset));
      const std::string slotName = self + " slot " + Num(s);
      if (slot.maxCount > 127) {
        return Bad(slotName, slotOffset, "maxCount above 127");
      }
      if (!CheckCurve(slot.spawnByAge, slotName, slotOffset + 8) ||
          !CheckDescriptor(slot.orientationOffset, slotName)) {
        return false;
      }
      pending.push_back(slot.childKindOffset);
      owners.push_back(slotName);
    }
    return true;
  }

  bool CheckType(int32_t offset, const std::string& owner) {
    if (checkedTypes_.count(offset) != 0) {
      return true;
    }
    const std::string what = "NodeType of " + owner;
    if (!Placeable(offset, sizeof(NodeType), 8)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 8-aligned");
    }
    const NodeType type = ReadAt<NodeType>(record_, static_cast<uint32_t>(offset));
    const double values[] = {type.widthRange[0], type.widthRange[1], type.lengthRange[0],
                             type.lengthRange[1]};
    double bases[16];
    std::memcpy(bases, &type.waterFallBase, sizeof bases);
    if (!AllFinite(values, std::size(values)) || !AllFinite(bases, std::size(bases))) {
      return Bad(what, offset, "a value is NaN or infinite");
    }
    const int32_t op = type.tropismOperation;
    if (op != kTropismNone && op != kTropismAdd && op != kTropismMultiply && op != kTropismSet &&
        op != kTropismReversed) {
      return Bad(what, offset, "unknown tropismOperation " + Num(op));
    }
    if (type.tropismAxes < -5 || type.tropismAxes > 5) {
      return Bad(what, offset, "tropismAxes outside -5..5");
    }
    const std::string self = "NodeType at " + Num(offset);
    const CurveRef* curves[] = {&type.tropismByAge,   &type.sizeByA,    &type.droopByA,
                                &type.trendByDay,     &type.trendByA,   &type.fertiliserTrendByB,
                                &type.trendByAge,     &type.spawnByDay, &type.spawnBySteps,
                                &type.spawnByParentA, &type.spawnByG,   &type.childrenByG,
                                &type.growthByA,      &type.growthByB,  &type.trackingRate,
                                &type.growthByDay};
    for (const CurveRef* curve : curves) {
      const int64_t at =
          offset + (reinterpret_cast<const uint8_t*>(curve) - reinterpret_cast<const uint8_t*>(&type));
      if (!CheckCurve(*curve, self, at)) {
        return false;
      }
    }
    if (!CheckShapeTable(type.shapeTableOffset, self)) {
      return false;
    }
    checkedTypes_.insert(offset);
    return true;
  }

  bool CheckDescriptor(int32_t offset, const std::string& owner) {
    if (checkedDescriptors_.count(offset) != 0) {
      return true;
    }
    const std::string what = "OrientationDescriptor of " + owner;
    if (!Placeable(offset, sizeof(OrientationDescriptor), 8)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 8-aligned");
    }
    const OrientationDescriptor d = ReadAt<OrientationDescriptor>(record_, static_cast<uint32_t>(offset));
    const double values[] = {d.radius,
                             d.polar,
                             d.azimuth,
                             d.offsetScaleRange[0],
                             d.offsetScaleRange[1],
                             d.polarRange[0],
                             d.polarRange[1],
                             d.polarFlip,
                             d.azimuthRange[0],
                             d.azimuthRange[1],
                             d.azimuthFlip,
                             d.rollRange[0],
                             d.rollRange[1],
                             d.rollFlip};
    if (!AllFinite(values, std::size(values))) {
      return Bad(what, offset, "a value is NaN or infinite");
    }
    checkedDescriptors_.insert(offset);
    return true;
  }

  bool CheckShapeTable(int32_t offset, const std::string& owner) {
    if (checkedShapes_.count(offset) != 0) {
      return true;
    }
    const std::string what = "ShapeTable of " + owner;
    if (!Placeable(offset, sizeof(ShapeTable), 4)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 4-aligned");
    }
    const ShapeTable table = ReadAt<ShapeTable>(record_, static_cast<uint32_t>(offset));
    checkedShapes_.insert(offset);
    if (table.stageCount == 0) {
      return true;  // not drawn: nothing else of the table is read
    }
    if (table.variantCount == 0) {
      return Bad(what, offset, "no variants");
    }
    // The colour grid is sampled at (column + 1, row + 1), so it needs two columns and two rows.
    const uint64_t entries = static_cast<uint64_t>(table.stageCount) * table.variantCount;
    const uint64_t gridCells = 2ull * table.gridRowLength;
    if (table.gridRowLength < 2 || entries > recordSize_ / 4 || gridCells > recordSize_ / 4 ||
        !Placeable(offset, sizeof(ShapeTable) + 4 * (entries + gridCells), 4)) {
      return Bad(what, offset, "entry offsets or a two-row colour grid do not fit the record");
    }
    const std::string self = "ShapeTable at " + Num(offset);
    if (!CheckCompactCurve(table.stageCurve, self, offset + 24) ||
        !CheckCompactCurve(table.variantCurve, self, offset + 36) ||
        !CheckCompactCurve(table.facingLightCurve, self, offset + 48) ||
        !CheckCompactCurve(table.edgeLightCurve, self, offset + 60)) {
      return false;
    }
    for (uint64_t e = 0; e < entries; ++e) {
      const int32_t entry =
          ReadAt<int32_t>(record_, static_cast<uint32_t>(offset) + sizeof(ShapeTable) + 4 * e);
      if (!CheckEntry(entry, self + " entry " + Num(static_cast<int64_t>(e)))) {
        return false;
      }
    }
    return true;
  }

  bool CheckEntry(int32_t offset, const std::string& owner) {
    if (checkedEntries_.count(offset) != 0) {
      return true;
    }
    const std::string what = "ShapeEntry of " + owner;
    if (!Placeable(offset, sizeof(ShapeEntry), 4)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 4-aligned");
    }
    const ShapeEntry entry = ReadAt<ShapeEntry>(record_, static_cast<uint32_t>(offset));
    if (entry.denominator == 0) {
      return Bad(what, offset, "denominator 0");
    }
    if (entry.vertexCount > static_cast<uint32_t>(head_.maxShapeVertices) ||
        entry.faceCount > static_cast<uint32_t>(head_.maxShapeFaces)) {
      return Bad(what, offset, "more vertices or faces than the record's maxima");
    }
    if (entry.vertexCount != 0 &&
        !Placeable(entry.vertexListOffset, static_cast<uint64_t>(entry.vertexCount) * sizeof(ShapeVertex),
                   4)) {
      return Bad(what, offset, "vertex list outside the record or over the fixed fields");
    }
    int64_t face = offset + static_cast<int64_t>(sizeof(ShapeEntry));
    for (uint32_t f = 0; f < entry.faceCount; ++f) {
      if (!Placeable(face, sizeof(ShapeFace), 4)) {
        return Bad(what, offset, "face " + Num(f) + " outside the record");
      }
      const ShapeFace head = ReadAt<ShapeFace>(record_, static_cast<uint64_t>(face));
      if (head.indexCount == 0 || head.indexCount > static_cast<uint32_t>(head_.maxShapeVertices) ||
          !Placeable(face, sizeof(ShapeFace) + 4ull * head.indexCount, 4)) {
        return Bad(what, offset, "face " + Num(f) + " has no corners, too many, or runs outside the record");
      }
      for (uint32_t k = 0; k < head.indexCount; ++k) {
        const uint32_t word =
            ReadAt<uint32_t>(record_, static_cast<uint64_t>(face) + sizeof(ShapeFace) + 4ull * k);
        if ((word & kVertexIndexMask) >= entry.vertexCount) {
          return Bad(what, offset, "face " + Num(f) + " names a vertex past the entry's vertices");
        }
      }
      if (!CheckMaterial(head.materialOffset, "ShapeEntry at " + Num(offset) + " face " + Num(f))) {
        return false;
      }
      face += static_cast<int64_t>(sizeof(ShapeFace) + 4ull * head.indexCount);
    }
    checkedEntries_.insert(offset);
    return true;
  }

  bool CheckMaterial(int32_t offset, const std::string& owner) {
    if (checkedMaterials_.count(offset) != 0) {
      return true;
    }
    if (!Placeable(offset, sizeof(Material), 4)) {
      return Bad("Material of " + owner, offset,
                 "outside the record, over the fixed fields or not 4-aligned");
    }
    const Material material = ReadAt<Material>(record_, static_cast<uint32_t>(offset));
    const std::string self = "Material at " + Num(offset);
    for (uint32_t g = 0; g < kMaterialGradientCount; ++g) {
      if (!CheckGradient(material.gradients[g], self)) {
        return false;
      }
    }
    if (!CheckCompactCurve(material.curveA, self, offset + 48) ||
        !CheckCompactCurve(material.curveB, self, offset + 60)) {
      return false;
    }
    checkedMaterials_.insert(offset);
    return true;
  }

  bool CheckGradient(int32_t offset, const std::string& owner) {
    if (checkedGradients_.count(offset) != 0) {
      return true;
    }
    const std::string what = "ColorGradient of " + owner;
    if (!Placeable(offset, sizeof(ColorGradient), 4)) {
      return Bad(what, offset, "outside the record, over the fixed fields or not 4-aligned");
    }
    const ColorGradient gradient = ReadAt<ColorGradient>(record_, static_cast<uint32_t>(offset));
    if (gradient.stopCount < 1 || gradient.stopCount > kMaxGradientStops ||
        !Placeable(offset, sizeof(ColorGradient) + 4ull * static_cast<uint32_t>(gradient.stopCount), 4)) {
      return Bad(what, offset,
                 "stop count not within 1.." + Num(kMaxGradientStops) + " or stops outside the record");
    }
    const std::string self = "ColorGradient at " + Num(offset);
    if (!CheckCompactCurve(gradient.positionCurve, self, offset + 4)) {
      return false;
    }
    for (int32_t s = 0; s < gradient.stopCount; ++s) {
      const int32_t stop =
          ReadAt<int32_t>(record_, static_cast<uint32_t>(offset) + sizeof(ColorGradient) + 4ull * s);
      if (!Placeable(stop, sizeof(ColourStop), 1)) {
        return Bad(self + " stop " + Num(s), stop, "outside the record or over the fixed fields");
      }
      const uint8_t first = record_[static_cast<uint32_t>(stop)];
      if (first > kPaletteLast) {  // 0x80..0x83 name the four colour slots
        return Bad(self + " stop " + Num(s), stop, "palette reference beyond the four colour slots");
      }
    }
    checkedGradients_.insert(offset);
    return true;
  }

  PlantNode NodeAt(int32_t index) const {
    return ReadAt<PlantNode>(nodes_, static_cast<uint64_t>(index) * nodeSize_);
  }

  uint8_t SlotCountOf(int32_t kindOffset) const {
    return ReadAt<NodeKind>(record_, static_cast<uint32_t>(kindOffset)).slotCount;
  }

  // age..fertiliserState are 8 consecutive doubles, waterFallRate..position 4 doubles and 7 Vec3.
  static bool NodeValuesFinite(const PlantNode& node) {
    double states[8];
    double geometry[4 + 7 * 3];
    std::memcpy(states, &node.age, sizeof states);
    std::memcpy(geometry, &node.waterFallRate, sizeof geometry);
    return AllFinite(states, std::size(states)) && AllFinite(geometry, std::size(geometry));
  }

  static bool HasListedTrends(const PlantNode& node) {
    return node.waterTrend >= -1 && node.waterTrend <= 1 && node.fertiliserTrend >= -1 &&
           node.fertiliserTrend <= 1;
  }

  bool CheckNodes() {
    const PlantNode root = NodeAt(0);
    if (root.parent != -1) {
      return Fail(why_, "node 0: parent must be -1");
    }
    if (!NodeValuesFinite(root)) {
      return Fail(why_, "node 0: a value is NaN or infinite");
    }
    // Node 0 is never grown, but its children inherit its trends.
    if (!HasListedTrends(root)) {
      return Fail(why_, "node 0: a trend is not -1, 0 or 1");
    }
    for (int32_t j = 1; j < nodeCount_; ++j) {
      if (!CheckNode(j)) {
        return false;
      }
    }
    return CheckReferences() && CheckCounters();
  }

  bool CheckNode(int32_t j) {
    const PlantNode node = NodeAt(j);
    const std::string name = "node " + Num(j);
    if (node.parent < 0 || node.parent >= j) {
      return Fail(why_, name + ": parent " + Num(node.parent) + " is not an earlier node");
    }
    if (node.slot >= SlotCountOf(NodeAt(node.parent).kindOffset)) {
      return Fail(why_, name + ": slot " + Num(node.slot) + " is not a child slot of the parent's kind");
    }
    if (node.frameRef < 0 || node.frameRef >= j || node.tropismRef < 0 || node.tropismRef >= j) {
      return Fail(why_, name + ": frameRef or tropismRef is not an earlier node");
    }
    // Growth keeps the states of a living node finite (a state that is no number fails the
    // survival test), but every other number of a node comes from the species' curves, which can
    // overflow or give no number even between finite points; the engine computes with such values
    // without fault, so a plant keeps them across a save.
    if (!std::isfinite(node.waterState) || !std::isfinite(node.fertiliserState)) {
      return Fail(why_, name + ": a state is NaN or infinite");
    }
    if (!HasListedTrends(node)) {
      return Fail(why_, name + ": a trend is not -1, 0 or 1");
    }
    if (!AreUsableLocalDirections(node.upLocal, node.directionLocal)) {
      return Fail(why_, name + ": upLocal and directionLocal must be unit and not parallel");
    }
    return true;
  }

  // Frame and tropism references must be ancestors. Entry and exit times of a depth-first walk
  // answer "is a an ancestor of j" in constant time, so deep chains cost no more than wide trees.
  bool CheckReferences() {
    const size_t count = static_cast<size_t>(nodeCount_);
    std::vector<int32_t> firstChild(count + 1, 0);
    for (size_t j = 1; j < count; ++j) {
      ++firstChild[static_cast<size_t>(NodeAt(static_cast<int32_t>(j)).parent) + 1];
    }
    for (size_t i = 0; i < count; ++i) {
      firstChild[i + 1] += firstChild[i];
    }
    std::vector<int32_t> children(count > 0 ? count - 1 : 0);
    std::vector<int32_t> fill(firstChild.begin(), firstChild.end() - 1);
    for (size_t j = 1; j < count; ++j) {
      children[static_cast<size_t>(fill[static_cast<size_t>(NodeAt(static_cast<int32_t>(j)).parent)]++)] =
          static_cast<int32_t>(j);
    }
    std::vector<uint32_t> enter(count), leave(count);
    std::vector<std::pair<int32_t, int32_t>> stack{{0, firstChild[0]}};
    uint32_t clock = 0;
    enter[0] = clock++;
    while (!stack.empty()) {
      auto& [node, next] = stack.back();
      if (next < firstChild[static_cast<size_t>(node) + 1]) {
        const int32_t child = children[static_cast<size_t>(next++)];
        enter[static_cast<size_t>(child)] = clock++;
        stack.emplace_back(child, firstChild[static_cast<size_t>(child)]);
      } else {
        leave[static_cast<size_t>(node)] = clock++;
        stack.pop_back();
      }
    }
    auto isAncestor = [&](int32_t a, int32_t j) {
      return enter[static_cast<size_t>(a)] < enter[static_cast<size_t>(j)] &&
             leave[static_cast<size_t>(j)] < leave[static_cast<size_t>(a)];
    };
    for (int32_t j = 1; j < nodeCount_; ++j) {
      const PlantNode node = NodeAt(j);
      if (!isAncestor(node.frameRef, j) || !isAncestor(node.tropismRef, j)) {
        return Fail(why_, "node " + Num(j) + ": frameRef or tropismRef is not an ancestor");
      }
    }
    return true;
  }

  bool CheckCounters() {
    const size_t count = static_cast<size_t>(nodeCount_);
    std::vector<uint32_t> children(count, 0);
    std::vector<size_t> slotBase(count + 1, 0);
    for (size_t i = 0; i < count; ++i) {
      slotBase[i + 1] = slotBase[i] + SlotCountOf(NodeAt(static_cast<int32_t>(i)).kindOffset);
    }
    std::vector<uint32_t> perSlot(slotBase[count], 0);
    for (size_t j = 1; j < count; ++j) {
      const PlantNode node = NodeAt(static_cast<int32_t>(j));
      ++children[static_cast<size_t>(node.parent)];
      ++perSlot[slotBase[static_cast<size_t>(node.parent)] + node.slot];
    }
    for (size_t i = 0; i < count; ++i) {
      const PlantNode node = NodeAt(static_cast<int32_t>(i));
      if (node.childCount != children[i]) {
        return Fail(why_, "node " + Num(static_cast<int64_t>(i)) + ": childCount disagrees with the array");
      }
      const uint8_t* counters = nodes_ + i * nodeSize_ + kNodeFixedSize;
      for (size_t s = 0; s < slotBase[i + 1] - slotBase[i]; ++s) {
        if (counters[s] != perSlot[slotBase[i] + s]) {
          return Fail(why_, "node " + Num(static_cast<int64_t>(i)) + ": counter of slot " +
                                Num(static_cast<int64_t>(s)) + " disagrees with the array");
        }
      }
    }
    return true;
  }

  const uint8_t* record_;
  const uint8_t* nodes_;
  std::string* why_;
  PlantRecord head_;
  uint32_t recordSize_;
  uint32_t nodeSize_;
  int32_t nodeCount_;
  std::unordered_set<int32_t> checkedTables_;
  std::unordered_set<int32_t> checkedKinds_;
  std::unordered_set<int32_t> checkedTypes_;
  std::unordered_set<int32_t> checkedDescriptors_;
  std::unordered_set<int32_t> checkedShapes_;
  std::unordered_set<int32_t> checkedEntries_;
  std::unordered_set<int32_t> checkedMaterials_;
  std::unordered_set<int32_t> checkedGradients_;
};

}  // namespace

bool CheckRecordHead(const uint8_t* head, std::string* why) {
  PlantRecord record;
  std::memcpy(&record, head, sizeof record);
  if (std::memcmp(record.signature, kSignature, sizeof kSignature) != 0) {
    return Fail(why, "record: the signature is not \"Brambeck\"");
  }
  if (record.recordSize < static_cast<int32_t>(kFixedFieldsEnd) ||
      static_cast<uint32_t>(record.recordSize) > kMaxRecordSize) {
    return Fail(why, "record: recordSize " + Num(record.recordSize) + " not within " + Num(kFixedFieldsEnd) +
                         ".." + Num(kMaxRecordSize));
  }
  if (record.nodeSize < static_cast<int32_t>(kNodeFixedSize) ||
      static_cast<uint32_t>(record.nodeSize) > kMaxNodeSize || record.nodeSize % 8 != 0) {
    return Fail(why, "record: nodeSize " + Num(record.nodeSize) + " not a multiple of 8 within " +
                         Num(kNodeFixedSize) + ".." + Num(kMaxNodeSize));
  }
  if (record.nodeCount < 1 || record.nodeCount > kMaxNodeCount) {
    return Fail(why, "record: nodeCount " + Num(record.nodeCount) + " not within 1.." + Num(kMaxNodeCount));
  }
  if (record.nodeCapacityIncrement < 1 || record.nodeCapacityIncrement > kMaxCapacityIncrement) {
    return Fail(why, "record: nodeCapacityIncrement " + Num(record.nodeCapacityIncrement) +
                         " not within 1.." + Num(kMaxCapacityIncrement));
  }
  if (record.secondsPerStep < 1) {
    return Fail(why, "record: secondsPerStep " + Num(record.secondsPerStep) + " is not positive");
  }
  if (record.maxShapeFaces < 0 || record.maxShapeFaces > kMaxShapeLimit || record.maxShapeVertices < 0 ||
      record.maxShapeVertices > kMaxShapeLimit) {
    return Fail(why, "record: maxShapeFaces or maxShapeVertices not within 0.." + Num(kMaxShapeLimit));
  }
  return true;
}

bool ValidatePlant(const uint8_t* record, const uint8_t* nodes, std::string* why) {
  Validator validator(record, nodes, why);
  return validator.Run();
}

}  // namespace plant
