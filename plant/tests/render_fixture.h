// Test support: hand-made plants for the colour and renderer tests. A small record with its
// species data in the free area below the fixed fields, and nodes with explicit world frames (the
// renderer reads frames; it never computes them).
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "plant/curve.h"
#include "plant/plant_node.h"
#include "plant/plant_record.h"
#include "plant/plant_state.h"
#include "plant/shape_data.h"

namespace plant::testing {

/// Lays out species data in the record's free area and nodes behind it.
class FixtureBuilder {
 public:
  explicit FixtureBuilder(uint32_t recordSize = kFixedFieldsEnd) : record_(recordSize, 0) {
    PlantRecord& r = Record();
    r.recordSize = static_cast<int32_t>(recordSize);
    r.nodeSize = 312;
    std::memcpy(r.signature, kSignature, sizeof kSignature);
  }

  PlantRecord& Record() { return *reinterpret_cast<PlantRecord*>(record_.data()); }
  std::vector<uint8_t>& Bytes() { return record_; }

  /// Copies size bytes into the free area, 8-aligned; returns their record offset.
  int32_t Put(const void* data, size_t size) {
    next_ = (next_ + 7) & ~size_t{7};
    std::memcpy(record_.data() + next_, data, size);
    const int32_t at = static_cast<int32_t>(next_);
    next_ += size;
    return at;
  }
  int32_t PutWords(std::initializer_list<uint32_t> words) {
    std::vector<uint32_t> v(words);
    return Put(v.data(), v.size() * 4);
  }

  /// A curve table through the given points, without repetition.
  int32_t Curve(std::initializer_list<std::pair<double, double>> points) {
    std::vector<double> table{double(points.size()), 0, 0, 0};
    for (const auto& p : points) {
      table.push_back(p.first);
      table.push_back(p.second);
    }
    return Put(table.data(), table.size() * 8);
  }
  CompactCurveRef Constant(double y) { return CompactCurveRef{Curve({{0, y}}), 1, 1}; }
  /// y = x over [-1e6, 1e6].
  CompactCurveRef Identity() { return CompactCurveRef{Curve({{-1e6, -1e6}, {1e6, 1e6}}), 1, 1}; }

  int32_t Stop(uint8_t red, uint8_t green, uint8_t blue, uint8_t weight) {
    const ColourStop stop{weight, blue, green, red};
    return Put(&stop, sizeof stop);
  }
  int32_t Gradient(CompactCurveRef position, std::initializer_list<int32_t> stops) {
    std::vector<uint8_t> bytes(sizeof(ColorGradient) + 4 * stops.size());
    const ColorGradient head{static_cast<int32_t>(stops.size()), position};
    std::memcpy(bytes.data(), &head, sizeof head);
    std::memcpy(bytes.data() + sizeof head, std::data(stops), 4 * stops.size());
    return Put(bytes.data(), bytes.size());
  }
  /// A one-stop gradient.
  int32_t Solid(uint8_t red, uint8_t green, uint8_t blue, uint8_t weight = 100) {
    return Gradient(Constant(0), {Stop(red, green, blue, weight)});
  }

  /// Material with its fill gradients {front, back, belowA, aboveA, belowB, aboveB} and edge
  /// gradients in the same order.
  int32_t MaterialOf(const int32_t (&gradients)[12], CompactCurveRef curveA, CompactCurveRef curveB) {
    Material m{};
    std::memcpy(m.gradients, gradients, sizeof m.gradients);
    m.curveA = curveA;
    m.curveB = curveB;
    return Put(&m, sizeof m);
  }

  /// A shape entry: D, vertices and faces (material, index words).
  int32_t Entry(uint32_t denominator, const std::vector<ShapeVertex>& vertices,
                const std::vector<std::pair<int32_t, std::vector<uint32_t>>>& faces) {
    const int32_t vertexList = Put(vertices.data(), vertices.size() * sizeof(ShapeVertex));
    std::vector<uint32_t> words{denominator, uint32_t(vertices.size()), uint32_t(vertexList), uint32_t(faces.size())};
    for (const auto& face : faces) {
      words.push_back(uint32_t(face.first));
      words.push_back(uint32_t(face.second.size()));
      words.insert(words.end(), face.second.begin(), face.second.end());
      if (face.second.size() > maxCorners_) maxCorners_ = uint32_t(face.second.size());
    }
    if (vertices.size() > maxCorners_) maxCorners_ = uint32_t(vertices.size());
    if (faces.size() > maxFaces_) maxFaces_ = uint32_t(faces.size());
    return Put(words.data(), words.size() * 4);
  }

  /// Shape table with the given curves, entry offsets (stage + variant x S) and grid cells.
  int32_t Table(uint32_t stages, uint32_t variants, uint32_t gridRowLength, uint32_t thresholdA,
                uint32_t thresholdB, CompactCurveRef stage, CompactCurveRef variant, CompactCurveRef facing,
                CompactCurveRef edge, const std::vector<int32_t>& entries, const std::vector<uint32_t>& cells) {
    std::vector<uint8_t> bytes(sizeof(ShapeTable) + 4 * (entries.size() + cells.size()));
    const ShapeTable head{stages, variants, gridRowLength, uint32_t(cells.size() / (gridRowLength ? gridRowLength : 1)),
                          thresholdA, thresholdB, stage, variant, facing, edge};
    std::memcpy(bytes.data(), &head, sizeof head);
    std::memcpy(bytes.data() + sizeof head, entries.data(), 4 * entries.size());
    std::memcpy(bytes.data() + sizeof head + 4 * entries.size(), cells.data(), 4 * cells.size());
    return Put(bytes.data(), bytes.size());
  }

  /// A NodeKind whose NodeType draws with the shape table at tableOffset (only the first field of
  /// each record is laid out: the renderer reads nothing else).
  int32_t KindFor(int32_t tableOffset) {
    const int32_t type = PutWords({uint32_t(tableOffset), 0});
    return PutWords({uint32_t(type), 0});
  }

  /// A node with an identity frame at position, of the given size.
  struct NodeSpec {
    int32_t kindOffset;
    Vec3 position;
    double width = 1, depth = 1, length = 1;
    double age = 0, waterState = 0, fertiliserState = 0;
    Vec3 axisX{1, 0, 0}, axisY{0, 1, 0}, axisZ{0, 0, 1};
  };

  /// The finished plant: node 0 is a root that is never drawn, then the given nodes.
  void Build(Plant* plant, const std::vector<NodeSpec>& nodes, int32_t screenWidth = 1024,
             int32_t screenHeight = 768) {
    PlantRecord& r = Record();
    r.nodeCount = int32_t(nodes.size() + 1);
    r.nodeCapacity = r.nodeCount;
    r.maxShapeFaces = int32_t(maxFaces_);
    r.maxShapeVertices = int32_t(maxCorners_);
    plant->record.reset(new uint8_t[record_.size()]);
    std::memcpy(plant->record.get(), record_.data(), record_.size());
    const size_t nodeBytes = (nodes.size() + 2) * 312;
    plant->nodes.reset(new uint8_t[nodeBytes]());
    plant->screenWidth = screenWidth;
    plant->screenHeight = screenHeight;
    plant->pixelsPerUnit = screenHeight * r.pixelScale;
    plant->Node(0).parent = -1;
    for (size_t i = 0; i < nodes.size(); ++i) {
      PlantNode& n = plant->Node(int32_t(i + 1));
      const NodeSpec& s = nodes[i];
      n.kindOffset = s.kindOffset;
      n.position = s.position;
      n.width = s.width;
      n.depth = s.depth;
      n.length = s.length;
      n.age = s.age;
      n.waterState = s.waterState;
      n.fertiliserState = s.fertiliserState;
      n.axisX = s.axisX;
      n.axisY = s.axisY;
      n.axisZ = s.axisZ;
    }
  }

 private:
  std::vector<uint8_t> record_;
  size_t next_ = 16;
  uint32_t maxCorners_ = 0;
  uint32_t maxFaces_ = 0;
};

}  // namespace plant::testing
