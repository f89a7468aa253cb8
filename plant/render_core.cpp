// The renderer's two passes; see render_core.h for the design note.
#include "plant/render_core.h"

#include <cmath>
#include <new>

#include "plant/colour.h"
#include "plant/curve.h"
#include "plant/plant_node.h"
#include "plant/plant_record.h"
#include "plant/record_read.h"
#include "plant/saturate.h"
#include "plant/shape_data.h"
#include "plant/species.h"
#include "plant/vec3_math.h"

namespace plant {

const char* RenderResultText(RenderResult result) {
  switch (result) {
    case RenderResult::Ok: return "rendered";
    case RenderResult::Aborted: return "render aborted by a worker command";
    case RenderResult::TooLarge: return "picture too large";
    case RenderResult::NoMemory: return "no memory for the render buffers";
  }
  return "unknown render result";
}

/// The shape entry chosen for a node.
struct PlantRenderer::Placement {
  int32_t tableOffset;
  ShapeTable table;
  uint32_t entryOffset;
  ShapeEntry entry;
};

namespace {

constexpr double kBoundsStart = 1e300;
// Transparent pixels between the drawing and every side of the picture. With none, the leftmost
// and topmost corners fell on the picture's first column and row, and the outermost leaf tips of a
// grown plant touched, and looked cut by, its edge.
constexpr int32_t kPictureMargin = 2;
constexpr uint32_t kEntryOffsetsStart = sizeof(ShapeTable);

double Evaluate(const uint8_t* record, const CompactCurveRef& curve, double x) {
  return EvaluateCurve(record, ToCurveRef(curve), x);
}

// trunc of a curve value used as a table index, clamped into 0..count - 1 (count >= 1).
uint32_t IndexInto(double value, uint32_t count) {
  const uint32_t index = SaturateToU32(value);
  return index < count ? index : count - 1;
}

bool IsUsableExtent(double extent) { return extent > 0.0 && std::isfinite(extent); }

}  // namespace

PlantRenderer::PlantRenderer(Plant& plant, const std::atomic<int32_t>* workerCommand)
    : plant_(plant), workerCommand_(workerCommand) {
  const PlantRecord& record = plant.Record();
  // The validator caps both maxima and the node count, so these sizes are bounded.
  maxFaces_ = record.maxShapeFaces > 0 ? static_cast<uint32_t>(record.maxShapeFaces) : 0;
  maxVertices_ = record.maxShapeVertices > 0 ? static_cast<uint32_t>(record.maxShapeVertices) : 0;
  const size_t nodeCount = record.nodeCount > 0 ? static_cast<size_t>(record.nodeCount) : 0;
  nodeOrder_.reset(new (std::nothrow) DepthRecord[nodeCount + 1]);
  faceOrder_.reset(new (std::nothrow) DepthRecord[maxFaces_ + 1]);
  vertices_.reset(new (std::nothrow) Vec3[maxVertices_ + 1]);
  points_.reset(new (std::nothrow) ScreenPoint[maxVertices_ + 1]);
  edgeFlags_.reset(new (std::nothrow) uint8_t[maxVertices_ + 1]);
  buffersReady_ = nodeOrder_ && faceOrder_ && vertices_ && points_ && edgeFlags_;
}

PlantRenderer::~PlantRenderer() = default;

bool PlantRenderer::ShouldStop() const {
  return workerCommand_ != nullptr && workerCommand_->load(std::memory_order_relaxed) != 0;
}

// Finds the node's shape entry. False when its type is not drawn or the entry has nothing to
// place (no vertex, or a zero denominator that would make every vertex infinite).
bool PlantRenderer::ChooseEntry(const PlantNode& node, Placement* placement) const {
  const uint8_t* record = plant_.record.get();
  const int32_t typeOffset = ReadRecordAt<int32_t>(record, static_cast<uint32_t>(node.kindOffset));
  placement->tableOffset = ReadRecordAt<int32_t>(record, static_cast<uint32_t>(typeOffset));
  placement->table = ReadRecordAt<ShapeTable>(record, static_cast<uint32_t>(placement->tableOffset));
  const ShapeTable& table = placement->table;
  if (table.stageCount == 0 || table.variantCount == 0) {
    return false;
  }
  const uint32_t stage = IndexInto(Evaluate(record, table.stageCurve, node.age), table.stageCount);
  const uint32_t variant = IndexInto(Evaluate(record, table.variantCurve, node.waterState), table.variantCount);
  const uint64_t slot = static_cast<uint64_t>(placement->tableOffset) + kEntryOffsetsStart +
                        4ull * (stage + uint64_t{variant} * table.stageCount);
  placement->entryOffset = static_cast<uint32_t>(ReadRecordAt<int32_t>(record, slot));
  placement->entry = ReadRecordAt<ShapeEntry>(record, placement->entryOffset);
  const ShapeEntry& entry = placement->entry;
  return entry.vertexCount != 0 && entry.vertexCount <= maxVertices_ && entry.denominator != 0;
}

// World positions of the entry's vertices into vertices_: the local integers scaled by the
// node's size over D, then carried into the node's world frame.
void PlantRenderer::PlaceVertices(const PlantNode& node, const Placement& placement) {
  const uint8_t* record = plant_.record.get();
  const double denominator = placement.entry.denominator;
  for (uint32_t k = 0; k < placement.entry.vertexCount; ++k) {
    const ShapeVertex v = ReadRecordAt<ShapeVertex>(
        record, static_cast<uint64_t>(placement.entry.vertexListOffset) + uint64_t{k} * sizeof(ShapeVertex));
    const Vec3 local{v.x * node.width / denominator, v.y * node.depth / denominator,
                     v.z * node.length / denominator};
    Vec3* world = &vertices_[k];
    Vec3Combine(world, local, node.axisX, node.axisY, node.axisZ);
    Vec3Add(world, *world, node.position);
  }
}

RenderResult PlantRenderer::Plan(RenderLayout* layout) {
  if (!buffersReady_) {
    return RenderResult::NoMemory;
  }
  PlantRecord& record = plant_.Record();
  const int32_t nodeCount = record.nodeCount;
  double minY = kBoundsStart, minZ = kBoundsStart, maxY = -kBoundsStart, maxZ = -kBoundsStart;
  bool anyVertex = false;
  for (int32_t i = 1; i < nodeCount; ++i) {
    if (ShouldStop()) {
      return RenderResult::Aborted;
    }
    const PlantNode& node = plant_.Node(i);
    nodeOrder_[i] = DepthRecord{node.position.x, static_cast<uint32_t>(i)};
    Placement placement;
    if (!ChooseEntry(node, &placement)) {
      continue;
    }
    PlaceVertices(node, placement);
    for (uint32_t k = 0; k < placement.entry.vertexCount; ++k) {
      minY = std::fmin(minY, vertices_[k].y);
      maxY = std::fmax(maxY, vertices_[k].y);
      minZ = std::fmin(minZ, vertices_[k].z);
      maxZ = std::fmax(maxZ, vertices_[k].z);
      anyVertex = true;
    }
  }
  SortByKey(nodeOrder_.get(), 1, nodeCount - 1);

  const int32_t anchorX = SaturateToI32(plant_.screenWidth * record.anchorX);
  const int32_t anchorY = SaturateToI32(plant_.screenHeight * record.anchorY);
  *layout = RenderLayout{};
  // Nothing to draw gives one transparent pixel, so a plant whose last drawn node died stops
  // showing its old picture. The size factor then stays as it was.
  auto nothingToDraw = [&] {
    layout->empty = true;
    // An anchor far off screen saturates; the pixel stays inside the 32-bit range.
    const int32_t x = anchorX < INT32_MAX ? anchorX : INT32_MAX - 1;
    const int32_t y = anchorY < INT32_MAX ? anchorY : INT32_MAX - 1;
    layout->rect = PixelRect{x, y, x + 1, y + 1};
    layout->width = layout->height = 1;
    return RenderResult::Ok;
  };
  if (!anyVertex || !std::isfinite(maxY - minY) || !std::isfinite(maxZ - minZ)) {
    return nothingToDraw();
  }

  // A zero extent (a young upright stem drawn in one plane) or a zero pixel scale would make a
  // bound infinite, and the infinite factor would be saved with the plant; such an axis does not
  // take part in the fit.
  const double unit = plant_.pixelsPerUnit;
  double sizeFactor = record.sizeFactor;
  const double extentZ = maxZ - minZ;
  const double extentY = maxY - minY;
  if (IsUsableExtent(extentZ) && IsUsableExtent(unit)) {
    ClampValue(&sizeFactor, record.minHeight * 768 / extentZ / unit, record.maxHeight * 768 / extentZ / unit);
  }
  if (IsUsableExtent(extentY) && IsUsableExtent(unit)) {
    ClampValue(&sizeFactor, record.minWidth * 1024 / extentY / unit, record.maxWidth * 1024 / extentY / unit);
  }
  if (IsUsableExtent(sizeFactor)) {
    record.sizeFactor = sizeFactor;
  }
  const double s = record.sizeFactor * unit;
  if (!IsUsableExtent(s)) {
    return nothingToDraw();  // a stored factor or pixel scale of 0 or less, with nothing to fit it
  }

  // Pass 2 moves every corner in by the margin, so the drawing stays where these bounds put it.
  const int64_t left = int64_t{anchorX} - 1 - kPictureMargin + SaturateToI32(s * minY);
  const int64_t top = int64_t{anchorY} - SaturateToI32(s * maxZ) - 1 - kPictureMargin;
  const int64_t right = int64_t{anchorX} + 1 + kPictureMargin + SaturateToI32(s * maxY);
  const int64_t bottom = int64_t{anchorY} - SaturateToI32(s * minZ) + 1 + kPictureMargin;
  if (right - left > kMaxPictureSide || bottom - top > kMaxPictureSide ||
      left < INT32_MIN || right > INT32_MAX || top < INT32_MIN || bottom > INT32_MAX) {
    return RenderResult::TooLarge;
  }
  layout->minY = minY;
  layout->maxY = maxY;
  layout->minZ = minZ;
  layout->maxZ = maxZ;
  layout->scale = s;
  layout->rect = PixelRect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
  layout->width = int32_t(right - left);
  layout->height = int32_t(bottom - top);
  return RenderResult::Ok;
}

RenderResult PlantRenderer::Draw(const RenderLayout& layout, DrawSink& sink) {
  if (!buffersReady_) {
    return RenderResult::NoMemory;
  }
  const int32_t nodeCount = plant_.Record().nodeCount;
  for (int32_t i = 1; i < nodeCount; ++i) {
    if (ShouldStop()) {
      return RenderResult::Aborted;
    }
    if (layout.empty) {
      continue;
    }
    const PlantNode& node = plant_.Node(static_cast<int32_t>(nodeOrder_[i].reference));
    Placement placement;
    if (!ChooseEntry(node, &placement)) {
      continue;
    }
    DrawNode(node, placement, layout, sink);
  }
  return RenderResult::Ok;
}

void PlantRenderer::DrawNode(const PlantNode& node, const Placement& placement, const RenderLayout& layout,
                             DrawSink& sink) {
  const uint8_t* record = plant_.record.get();
  const double edgeLight = Evaluate(record, placement.table.edgeLightCurve, layout.scale * node.length);
  PlaceVertices(node, placement);

  // Face heads lie one after another behind the entry head; each is followed by its index words.
  const uint32_t faceCount = placement.entry.faceCount < maxFaces_ ? placement.entry.faceCount : maxFaces_;
  uint64_t faceOffset = uint64_t{placement.entryOffset} + sizeof(ShapeEntry);
  for (uint32_t f = 0; f < faceCount; ++f) {
    const ShapeFace face = ReadRecordAt<ShapeFace>(record, faceOffset);
    double sumX = 0.0;
    for (uint32_t k = 0; k < face.indexCount; ++k) {
      const uint32_t word = ReadRecordAt<uint32_t>(record, faceOffset + sizeof(ShapeFace) + 4ull * k);
      const uint32_t vertex = word & kVertexIndexMask;
      sumX += vertex < placement.entry.vertexCount ? vertices_[vertex].x : 0.0;
    }
    const double key = face.indexCount == 0 ? 0.0 : sumX * (1.0 / face.indexCount);
    faceOrder_[f] = DepthRecord{key, static_cast<uint32_t>(faceOffset)};
    faceOffset += sizeof(ShapeFace) + 4ull * face.indexCount;
  }
  SortByKey(faceOrder_.get(), 0, static_cast<int32_t>(faceCount) - 1);
  for (uint32_t f = 0; f < faceCount; ++f) {
    DrawFace(node, placement, faceOrder_[f].reference, edgeLight, layout, sink);
  }
}

void PlantRenderer::DrawFace(const PlantNode& node, const Placement& placement, uint32_t faceOffset,
                             double edgeLight, const RenderLayout& layout, DrawSink& sink) {
  const uint8_t* record = plant_.record.get();
  const PlantRecord& fields = plant_.Record();
  const ShapeFace face = ReadRecordAt<ShapeFace>(record, faceOffset);
  const uint32_t cornerCount = face.indexCount;
  // The point and flag buffers hold maxShapeVertices + 1 entries: the corners and corner 0 again.
  if (cornerCount == 0 || cornerCount > maxVertices_) {
    return;
  }
  for (uint32_t k = 0; k < cornerCount; ++k) {
    const uint32_t word = ReadRecordAt<uint32_t>(record, uint64_t{faceOffset} + sizeof(ShapeFace) + 4ull * k);
    const uint32_t vertex = word & kVertexIndexMask;
    if (vertex >= placement.entry.vertexCount) {
      return;
    }
    const Vec3& corner = vertices_[vertex];
    points_[k] = ScreenPoint{SaturateToI32((corner.y - layout.minY) * layout.scale) + kPictureMargin,
                             SaturateToI32((layout.maxZ - corner.z) * layout.scale) + kPictureMargin};
    edgeFlags_[k] = static_cast<uint8_t>(word >> kEdgeFlagShift);
  }
  points_[cornerCount] = points_[0];
  edgeFlags_[cornerCount] = edgeFlags_[0];

  double light = fields.brightness;
  bool backFace = false;
  if (cornerCount > 2) {
    const uint64_t words = uint64_t{faceOffset} + sizeof(ShapeFace);
    const Vec3& k0 = vertices_[ReadRecordAt<uint32_t>(record, words) & kVertexIndexMask];
    const Vec3& k1 = vertices_[ReadRecordAt<uint32_t>(record, words + 4) & kVertexIndexMask];
    const Vec3& k2 = vertices_[ReadRecordAt<uint32_t>(record, words + 8) & kVertexIndexMask];
    Vec3 u, v, normal;
    Vec3Cross(&normal, *Vec3Sub(&u, k1, k0), *Vec3Sub(&v, k2, k0));
    // Collinear or repeated first corners give no normal; normalising it would spread NaN into
    // the colour, so such a face is lit like one with fewer than three corners.
    if (IsUsableExtent(Vec3Length(normal))) {
      Vec3Normalize(&normal);
      backFace = normal.x < 0.0;
      const double facing = Vec3Dot(fields.lightDirection, normal);
      light = fields.brightness + Evaluate(record, placement.table.facingLightCurve, backFace ? -facing : facing);
    }
  }

  const Material material = ReadRecordAt<Material>(record, static_cast<uint32_t>(face.materialOffset));
  const double a = Evaluate(record, material.curveA, node.waterState);
  const double b = Evaluate(record, material.curveB, node.fertiliserState);
  const bool aboveA = static_cast<double>(placement.table.thresholdA) <= a;
  const bool aboveB = static_cast<double>(placement.table.thresholdB) <= b;
  const GridWeights weights = SampleGrid(record, placement.tableOffset, a, b);
  const int32_t* g = material.gradients;
  const uint32_t fill = MixColors(record, node.age, g[backFace ? 1 : 0], weights.first, g[aboveA ? 3 : 2],
                                  weights.second, g[aboveB ? 5 : 4], light);
  sink.FillPolygon(points_.get(), cornerCount, fill);

  const uint32_t edge = MixColors(record, node.age, g[backFace ? 7 : 6], weights.first, g[aboveA ? 9 : 8],
                                  weights.second, g[aboveB ? 11 : 10], light + edgeLight);
  for (uint32_t k = 1; k <= cornerCount; ++k) {
    if (edgeFlags_[k] == kEdgeLine) {
      sink.DrawEdge(points_[k - 1], points_[k], edge);
    } else if (edgeFlags_[k] == kEdgePixel) {
      sink.DrawPixel(points_[k], edge);
    }
  }
}

void ApplyAlphaKey(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    pixels[i] = (pixels[i] & 0x00FFFFFFu) == 0 ? 0u : (pixels[i] | 0xFF000000u);
  }
}

}  // namespace plant
