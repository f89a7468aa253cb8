// Species builder: lays a Species out as a plant record and node array; see species_builder.h.
#include "tools/species/species_builder.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "plant/curve.h"
#include "plant/plant_node.h"
#include "plant/plant_record.h"
#include "plant/plant_validator.h"
#include "plant/species.h"

namespace species {

Curve Constant(double value) {
  Curve curve;
  curve.yScale = value;
  return curve;
}

Curve Line(std::vector<Point> points) {
  Curve curve;
  curve.points = std::move(points);
  return curve;
}

namespace {

using plant::Vec3;

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y};
}

Vec3 Normalised(const Vec3& v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

Vec3 Combine(const Vec3& v, const Vec3& x, const Vec3& y, const Vec3& z) {
  return {v.x * x.x + v.y * y.x + v.z * z.x, v.x * x.y + v.y * y.y + v.z * z.y,
          v.x * x.z + v.y * y.z + v.z * z.z};
}

class Layout {
 public:
  explicit Layout(const Species& species) : species_(species), bytes_(plant::kFixedFieldsEnd, 0) {}

  bool Build(std::vector<uint8_t>* file, std::string* why) {
    why_ = why;
    if (!ReserveNamed() || !FillKinds() || !FillTypes() || !FillShapes() || !FillMaterials() ||
        !FillGradients()) {
      return false;
    }
    FillRecord();
    if (!BuildNodes()) {
      return false;
    }
    plant::PlantRecord& record = Fields();
    record.recordSize = static_cast<int32_t>(bytes_.size());
    std::string problem;
    if (!plant::CheckRecordHead(bytes_.data(), &problem) ||
        !plant::ValidatePlant(bytes_.data(), nodes_.data(), &problem)) {
      return Fail("the built plant fails validation: " + problem);
    }
    *file = bytes_;
    file->insert(file->end(), nodes_.begin(), nodes_.end());
    return true;
  }

 private:
  bool Fail(const std::string& message) {
    if (why_ != nullptr) {
      *why_ = message;
    }
    return false;
  }

  plant::PlantRecord& Fields() { return *reinterpret_cast<plant::PlantRecord*>(bytes_.data()); }

  int32_t Allocate(size_t size) {
    const size_t at = (bytes_.size() + 7) & ~static_cast<size_t>(7);
    bytes_.resize(at + ((size + 7) & ~static_cast<size_t>(7)), 0);
    return static_cast<int32_t>(at);
  }

  template <typename T>
  void Put(int32_t offset, const T& value) {
    std::memcpy(bytes_.data() + offset, &value, sizeof value);
  }

  // Identical tables are stored once; a Constant shares the one-point table {(0, 1)}.
  int32_t Table(const Curve& curve) {
    std::vector<double> values{static_cast<double>(curve.points.size()), curve.maxRepeats, curve.repeatStart,
                               curve.repeatEnd};
    for (const Point& point : curve.points) {
      values.push_back(point.x);
      values.push_back(point.y);
    }
    const auto found = tables_.find(values);
    if (found != tables_.end()) {
      return found->second;
    }
    const int32_t offset = Allocate(values.size() * sizeof(double));
    std::memcpy(bytes_.data() + offset, values.data(), values.size() * sizeof(double));
    tables_.emplace(values, offset);
    return offset;
  }

  plant::CurveRef Ref(const Curve& curve) {
    plant::CurveRef ref{};
    ref.tableOffset = Table(curve);
    ref.xScale = curve.xScale;
    ref.yScale = curve.yScale;
    return ref;
  }

  plant::CompactCurveRef CompactRef(const Curve& curve) {
    plant::CompactCurveRef ref{};
    ref.tableOffset = Table(curve);
    ref.xScale = static_cast<uint32_t>(curve.xScale);
    ref.yScale = static_cast<uint32_t>(curve.yScale);
    return ref;
  }

  bool Find(const std::map<std::string, int32_t>& names, const std::string& name, const char* what,
            int32_t* offset) {
    const auto found = names.find(name);
    if (found == names.end()) {
      return Fail(std::string("unknown ") + what + " \"" + name + "\"");
    }
    *offset = found->second;
    return true;
  }

  // Kinds, types, shape tables, materials and gradients refer to each other by name, so they get
  // their places first and their contents afterwards.
  bool ReserveNamed() {
    for (const Kind& kind : species_.kinds) {
      kinds_[kind.name] = Allocate(plant::NodeKindSize(static_cast<uint32_t>(kind.slots.size())));
    }
    for (const Type& type : species_.types) {
      types_[type.name] = Allocate(sizeof(plant::NodeType));
    }
    notDrawn_ = Allocate(sizeof(plant::ShapeTable));
    for (const Shape& shape : species_.shapes) {
      if (shape.entries.size() != static_cast<size_t>(shape.stages) * shape.variants ||
          shape.gridRowLength < 2 || shape.grid.size() % shape.gridRowLength != 0 ||
          shape.grid.size() / shape.gridRowLength < 2) {
        return Fail("shape \"" + shape.name + "\" needs stages x variants entries and two whole grid rows");
      }
      shapes_[shape.name] =
          Allocate(sizeof(plant::ShapeTable) + 4 * (shape.entries.size() + shape.grid.size()));
    }
    for (const MaterialSpec& material : species_.materials) {
      materials_[material.name] = Allocate(sizeof(plant::Material));
    }
    for (const Gradient& gradient : species_.gradients) {
      gradients_[gradient.name] = Allocate(sizeof(plant::ColorGradient) + 4 * gradient.stops.size());
    }
    return true;
  }

  bool FillKinds() {
    for (const Kind& kind : species_.kinds) {
      const int32_t at = kinds_[kind.name];
      plant::NodeKind head{};
      if (!Find(types_, kind.type, "type", &head.typeOffset)) {
        return false;
      }
      head.widthByAge = Ref(kind.widthByAge);
      head.depthByAge = Ref(kind.depthByAge);
      head.lengthByAge = Ref(kind.lengthByAge);
      head.maxChildren = kind.maxChildren;
      head.slotCount = static_cast<uint8_t>(kind.slots.size());
      Put(at, head);
      for (size_t s = 0; s < kind.slots.size(); ++s) {
        const Slot& slot = kind.slots[s];
        plant::ChildSlot out{};
        if (!Find(kinds_, slot.childKind, "kind", &out.childKindOffset)) {
          return false;
        }
        out.maxCount = slot.maxCount;
        out.spawnByAge = Ref(slot.spawnByAge);
        out.orientationOffset = Descriptor(slot.orientation);
        Put(at + static_cast<int32_t>(plant::NodeKindSize(static_cast<uint32_t>(s))), out);
      }
    }
    return true;
  }

  int32_t Descriptor(const Orientation& o) {
    plant::OrientationDescriptor d{};
    d.radius = o.radius;
    d.polar = o.polar;
    d.azimuth = o.azimuth;
    std::copy(o.offsetScaleRange, o.offsetScaleRange + 2, d.offsetScaleRange);
    d.anchor = o.anchor;
    d.frameSelector = o.frameSelector;
    d.tropismSelector = o.tropismSelector;
    d.directionSelector = o.directionSelector;
    d.upSelector = o.upSelector;
    std::copy(o.polarRange, o.polarRange + 2, d.polarRange);
    d.polarFlip = o.polarFlip;
    std::copy(o.azimuthRange, o.azimuthRange + 2, d.azimuthRange);
    d.azimuthFlip = o.azimuthFlip;
    std::copy(o.rollRange, o.rollRange + 2, d.rollRange);
    d.rollFlip = o.rollFlip;
    const int32_t at = Allocate(sizeof d);
    Put(at, d);
    return at;
  }

  bool FillTypes() {
    for (const Type& type : species_.types) {
      plant::NodeType t{};
      t.shapeTableOffset = notDrawn_;
      if (!type.shape.empty() && !Find(shapes_, type.shape, "shape", &t.shapeTableOffset)) {
        return false;
      }
      std::copy(type.widthRange, type.widthRange + 2, t.widthRange);
      std::copy(type.lengthRange, type.lengthRange + 2, t.lengthRange);
      t.tropismOperation = type.tropismOperation;
      t.tropismAxes = type.tropismAxes;
      t.tropismByAge = Ref(type.tropismByAge);
      t.sizeByA = Ref(type.sizeByA);
      t.droopByA = Ref(type.droopByA);
      t.trendByDay = Ref(type.trendByDay);
      t.trendByA = Ref(type.trendByA);
      t.fertiliserTrendByB = Ref(type.fertiliserTrendByB);
      t.trendByAge = Ref(type.trendByAge);
      t.spawnByDay = Ref(type.spawnByDay);
      t.spawnBySteps = Ref(type.spawnBySteps);
      t.spawnByParentA = Ref(type.spawnByParentA);
      t.spawnByG = Ref(type.spawnByG);
      t.childrenByG = Ref(type.childrenByG);
      t.waterFallBase = type.waterFallBase;
      t.waterRiseBase = type.waterRiseBase;
      t.waterSpread = type.waterSpread;
      t.fertiliserFallBase = type.fertiliserFallBase;
      t.fertiliserRiseBase = type.fertiliserRiseBase;
      t.fertiliserSpread = type.fertiliserSpread;
      t.waterTrendMultiplier = type.waterTrendMultiplier;
      t.fertiliserTrendMultiplier = type.fertiliserTrendMultiplier;
      t.waterLower = type.waterLower;
      t.waterUpper = type.waterUpper;
      t.fertiliserLower = type.fertiliserLower;
      t.fertiliserUpper = type.fertiliserUpper;
      t.minA = type.minA;
      t.maxA = type.maxA;
      t.minB = type.minB;
      t.maxB = type.maxB;
      t.growthByA = Ref(type.growthByA);
      t.growthByB = Ref(type.growthByB);
      t.trackingRate = Ref(type.trackingRate);
      t.growthByDay = Ref(type.growthByDay);
      Put(types_[type.name], t);
    }
    return true;
  }

  bool FillShapes() {
    for (const Shape& shape : species_.shapes) {
      const int32_t at = shapes_[shape.name];
      plant::ShapeTable table{};
      table.stageCount = shape.stages;
      table.variantCount = shape.variants;
      table.gridRowLength = shape.gridRowLength;
      table.gridRowCount = static_cast<uint32_t>(shape.grid.size() / shape.gridRowLength);
      table.thresholdA = shape.thresholdA;
      table.thresholdB = shape.thresholdB;
      table.stageCurve = CompactRef(shape.stageCurve);
      table.variantCurve = CompactRef(shape.variantCurve);
      table.facingLightCurve = CompactRef(shape.facingLightCurve);
      table.edgeLightCurve = CompactRef(shape.edgeLightCurve);
      Put(at, table);
      int32_t cursor = at + static_cast<int32_t>(sizeof table);
      for (const Entry& entry : shape.entries) {
        int32_t entryOffset = 0;
        if (!BuildEntry(entry, &entryOffset)) {
          return false;
        }
        Put(cursor, entryOffset);
        cursor += 4;
      }
      for (const uint32_t cell : shape.grid) {
        Put(cursor, cell);
        cursor += 4;
      }
    }
    return true;
  }

  bool BuildEntry(const Entry& entry, int32_t* offset) {
    size_t size = sizeof(plant::ShapeEntry);
    for (const Face& face : entry.faces) {
      size += sizeof(plant::ShapeFace) + 4 * face.corners.size();
      maxVertices_ = std::max(maxVertices_, static_cast<uint32_t>(face.corners.size()));
    }
    maxVertices_ = std::max(maxVertices_, static_cast<uint32_t>(entry.vertices.size()));
    maxFaces_ = std::max(maxFaces_, static_cast<uint32_t>(entry.faces.size()));
    const int32_t at = Allocate(size);
    plant::ShapeEntry head{};
    head.denominator = entry.denominator;
    head.vertexCount = static_cast<uint32_t>(entry.vertices.size());
    head.faceCount = static_cast<uint32_t>(entry.faces.size());
    if (!entry.vertices.empty()) {
      head.vertexListOffset = Allocate(entry.vertices.size() * sizeof(plant::ShapeVertex));
      std::memcpy(bytes_.data() + head.vertexListOffset, entry.vertices.data(),
                  entry.vertices.size() * sizeof(plant::ShapeVertex));
    }
    Put(at, head);
    int32_t cursor = at + static_cast<int32_t>(sizeof head);
    for (const Face& face : entry.faces) {
      plant::ShapeFace faceHead{};
      if (!Find(materials_, face.material, "material", &faceHead.materialOffset)) {
        return false;
      }
      faceHead.indexCount = static_cast<uint32_t>(face.corners.size());
      Put(cursor, faceHead);
      cursor += static_cast<int32_t>(sizeof faceHead);
      for (const uint32_t corner : face.corners) {
        Put(cursor, corner);
        cursor += 4;
      }
    }
    *offset = at;
    return true;
  }

  bool FillMaterials() {
    for (const MaterialSpec& material : species_.materials) {
      plant::Material out{};
      for (int g = 0; g < 6; ++g) {
        if (!Find(gradients_, material.fill[g], "gradient", &out.gradients[g]) ||
            !Find(gradients_, material.edge[g], "gradient", &out.gradients[6 + g])) {
          return false;
        }
      }
      out.curveA = CompactRef(material.curveA);
      out.curveB = CompactRef(material.curveB);
      Put(materials_[material.name], out);
    }
    return true;
  }

  bool FillGradients() {
    for (const Gradient& gradient : species_.gradients) {
      const int32_t at = gradients_[gradient.name];
      plant::ColorGradient head{};
      head.stopCount = static_cast<int32_t>(gradient.stops.size());
      head.positionCurve = CompactRef(gradient.position);
      Put(at, head);
      for (size_t s = 0; s < gradient.stops.size(); ++s) {
        const Stop& stop = gradient.stops[s];
        const plant::ColourStop out{stop.weight, stop.blue, stop.green, stop.red};
        const int32_t stopAt = Allocate(sizeof out);
        Put(stopAt, out);
        Put(at + static_cast<int32_t>(sizeof head + 4 * s), stopAt);
      }
    }
    return true;
  }

  static plant::StoredColour Stored(const Colour& colour) {
    return plant::StoredColour{colour.weight, colour.blue, colour.green, colour.red};
  }

  void FillRecord() {
    const Record& in = species_.record;
    // Curve tables first: they may grow the byte vector, which would move the record.
    const plant::CurveRef refs[] = {
        Ref(in.waterUseByCount),  Ref(in.waterUseByTemperature),  Ref(in.fertiliserUseByCount),
        Ref(in.seasonCurve),      Ref(in.temperatureEffectCurve), Ref(in.lightEffectCurve),
        Ref(in.waterEffectCurve), Ref(in.fertiliserEffectCurve),  Ref(in.trendChanceByStep)};
    plant::PlantRecord& record = Fields();
    record.waterUseByCount = refs[0];
    record.waterUseByTemperature = refs[1];
    record.fertiliserUseByCount = refs[2];
    record.seasonCurve = refs[3];
    record.temperatureEffectCurve = refs[4];
    record.lightEffectCurve = refs[5];
    record.waterEffectCurve = refs[6];
    record.fertiliserEffectCurve = refs[7];
    record.trendChanceByStep = refs[8];
    record.maxShapeFaces = static_cast<int32_t>(maxFaces_);
    record.maxShapeVertices = static_cast<int32_t>(maxVertices_);
    record.nodeCapacityIncrement = in.nodeCapacityIncrement;
    record.pixelScale = in.pixelScale;
    record.sizeFactor = in.sizeFactor;
    record.anchorX = in.anchorX;
    record.anchorY = in.anchorY;
    record.clock = in.clock;
    record.secondsPerStep = in.secondsPerStep;
    record.temperature = in.temperature;
    record.light = in.light;
    record.lightDirection = in.lightDirection;
    record.waterLevel = in.waterLevel;
    record.fertiliserLevel = in.fertiliserLevel;
    record.optimalWater = in.optimalWater;
    record.optimalFertiliser = in.optimalFertiliser;
    record.optimalTemperature = in.optimalTemperature;
    record.optimalLight = in.optimalLight;
    record.brightness = in.brightness;
    record.flags = in.flags;
    record.rectLeft = in.rect[0];
    record.rectTop = in.rect[1];
    record.rectRight = in.rect[2];
    record.rectBottom = in.rect[3];
    record.minWidth = in.minWidth;
    record.maxWidth = in.maxWidth;
    record.minHeight = in.minHeight;
    record.maxHeight = in.maxHeight;
    std::memcpy(record.careTips, in.careTips.data(),
                std::min(in.careTips.size(), sizeof record.careTips - 1));
    record.potColour = Stored(in.potColour);
    record.saucerColour = Stored(in.saucerColour);
    record.defaultPotColour = Stored(in.potColour);
    record.defaultSaucerColour = Stored(in.saucerColour);
    std::memcpy(record.signature, plant::kSignature, sizeof plant::kSignature);
    const uint8_t* bytes = bytes_.data();
    record.waterEffect = plant::EvaluateCurve(bytes, record.waterEffectCurve, record.waterLevel);
    record.fertiliserEffect =
        plant::EvaluateCurve(bytes, record.fertiliserEffectCurve, record.fertiliserLevel);
  }

  // Node 0 is the world frame; every listed node gets its counters from the list and its size and
  // frame from its kind's curves and its ancestors, as the geometry would compute them unbent.
  bool BuildNodes() {
    plant::PlantRecord& record = Fields();
    uint32_t maxSlots = 0;
    for (const Kind& kind : species_.kinds) {
      maxSlots = std::max(maxSlots, static_cast<uint32_t>(kind.slots.size()));
    }
    const uint32_t nodeSize = (plant::kNodeFixedSize + maxSlots + 7) & ~7u;
    const size_t count = species_.nodes.size() + 1;
    record.nodeSize = static_cast<int32_t>(nodeSize);
    record.nodeCount = static_cast<int32_t>(count);
    record.nodeCapacity = record.nodeCount;
    nodes_.assign(count * nodeSize, 0);

    std::vector<plant::PlantNode> built(count);
    plant::PlantNode& root = built[0];
    root = plant::PlantNode{};
    root.parent = -1;
    if (!Find(kinds_, species_.rootKind, "kind", &root.kindOffset)) {
      return false;
    }
    root.upLocal = {0.0, 1.0, 0.0};
    root.directionLocal = {0.0, 0.0, 1.0};
    root.axisX = {1.0, 0.0, 0.0};
    root.axisY = {0.0, 1.0, 0.0};
    root.axisZ = {0.0, 0.0, 1.0};
    const uint8_t* bytes = bytes_.data();
    for (size_t i = 1; i < count; ++i) {
      const Node& in = species_.nodes[i - 1];
      plant::PlantNode& n = built[i];
      n = plant::PlantNode{};
      if (in.parent < 0 || static_cast<size_t>(in.parent) >= i || in.frameRef < 0 ||
          static_cast<size_t>(in.frameRef) >= i || in.tropismRef < 0 ||
          static_cast<size_t>(in.tropismRef) >= i) {
        return Fail("node " + std::to_string(i) + ": parent and references must be earlier nodes");
      }
      if (!Find(kinds_, in.kind, "kind", &n.kindOffset)) {
        return false;
      }
      plant::PlantNode& parent = built[static_cast<size_t>(in.parent)];
      const plant::NodeKind* parentKind = plant::KindAt(bytes, parent.kindOffset);
      if (in.slot >= parentKind->slotCount) {
        return Fail("node " + std::to_string(i) + ": its parent's kind has no slot " +
                    std::to_string(in.slot));
      }
      n.parent = in.parent;
      n.slot = in.slot;
      parent.childCount += 1;
      ++counters_[{static_cast<size_t>(in.parent), in.slot}];
      n.anchor = in.anchor;
      n.frameRef = in.frameRef;
      n.tropismRef = in.tropismRef;
      n.age = in.age;
      n.widthFactor = in.widthFactor;
      n.lengthFactor = in.lengthFactor;
      n.waterState = std::isnan(in.waterState)
                         ? plant::EvaluateCurve(bytes, record.waterEffectCurve, record.optimalWater)
                         : in.waterState;
      n.fertiliserState =
          std::isnan(in.fertiliserState)
              ? plant::EvaluateCurve(bytes, record.fertiliserEffectCurve, record.optimalFertiliser)
              : in.fertiliserState;
      n.waterFallRate = in.waterRates[0];
      n.waterRiseRate = in.waterRates[1];
      n.fertiliserFallRate = in.fertiliserRates[0];
      n.fertiliserRiseRate = in.fertiliserRates[1];
      n.upLocal = Normalised(in.upLocal);
      n.directionLocal = Normalised(in.directionLocal);
      n.offset = in.offset;
      PlaceNode(built, i);
    }
    for (size_t i = 0; i < count; ++i) {
      std::memcpy(nodes_.data() + i * nodeSize, &built[i], sizeof(plant::PlantNode));
    }
    for (const auto& [key, value] : counters_) {
      nodes_[key.first * nodeSize + plant::kNodeFixedSize + key.second] = static_cast<uint8_t>(value);
    }
    return true;
  }

  void PlaceNode(std::vector<plant::PlantNode>& built, size_t i) {
    const uint8_t* bytes = bytes_.data();
    plant::PlantNode& n = built[i];
    const plant::PlantNode& p = built[static_cast<size_t>(n.parent)];
    const plant::PlantNode& f = built[static_cast<size_t>(n.frameRef)];
    const plant::NodeKind* kind = plant::KindAt(bytes, n.kindOffset);
    const plant::NodeType* type = plant::TypeAt(bytes, kind->typeOffset);
    const double m = plant::EvaluateCurve(bytes, type->sizeByA, n.waterState);
    n.width = plant::EvaluateCurve(bytes, kind->widthByAge, n.age) * m * n.widthFactor;
    n.depth = plant::EvaluateCurve(bytes, kind->depthByAge, n.age) * m * n.widthFactor;
    n.length = plant::EvaluateCurve(bytes, kind->lengthByAge, n.age) * m * n.lengthFactor;
    const Vec3 local{n.offset.x * p.width, n.offset.y * p.depth, n.offset.z * p.length};
    const Vec3 shift = Combine(local, p.axisX, p.axisY, p.axisZ);
    n.position = {p.position.x + shift.x, p.position.y + shift.y, p.position.z + shift.z};
    const Vec3 v = Combine(n.upLocal, f.axisX, f.axisY, f.axisZ);
    const Vec3 w = Combine(n.directionLocal, f.axisX, f.axisY, f.axisZ);
    n.axisX = Normalised(Cross(v, w));
    n.axisY = Normalised(v);
    n.axisZ = Normalised(w);
  }

  const Species& species_;
  std::vector<uint8_t> bytes_;
  std::vector<uint8_t> nodes_;
  std::string* why_ = nullptr;
  std::map<std::string, int32_t> kinds_;
  std::map<std::string, int32_t> types_;
  std::map<std::string, int32_t> shapes_;
  std::map<std::string, int32_t> materials_;
  std::map<std::string, int32_t> gradients_;
  std::map<std::vector<double>, int32_t> tables_;
  std::map<std::pair<size_t, uint8_t>, uint32_t> counters_;
  int32_t notDrawn_ = 0;
  uint32_t maxFaces_ = 0;
  uint32_t maxVertices_ = 0;
};

}  // namespace

bool BuildPlantFile(const Species& species, std::vector<uint8_t>* file, std::string* why) {
  Layout layout(species);
  return layout.Build(file, why);
}

}  // namespace species
