// The platform-free half of the plant renderer: it decides every number of a picture (bounds,
// painter's order, size factor, rectangle, projected corners, fill and edge colours, edge flags)
// and hands the drawing to a DrawSink. render_gdi_win.cpp supplies the GDI sink and the hand-over.
//
// Design: a painter's algorithm. Pass 1 places every drawn vertex to find the plant's extent in
// the screen plane (y across, z up) and takes each node's depth key (its position's x, larger is
// nearer). The size factor is fitted to the record's height and width limits (width last, so it
// wins), which fixes the pixel scale s and the picture rectangle, with a transparent margin of two
// pixels or more around the drawing on every side. Pass 2 visits the nodes far to
// near and, within a node, its faces far to near (mean corner x); each face is one flat-shaded
// polygon whose colour mixes three gradients weighted by the colour grid and lit by the face's
// facing towards the light, followed by its flagged edges (lines or single pixels) in a second
// colour. The working buffers are sized once per render from the record's shape maxima, which
// the plant validator has proved to bound every entry and face.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "plant/depth_sort.h"
#include "plant/plant_state.h"
#include "plant/vec3.h"

namespace plant {

/// A picture pixel position; (0, 0) is the top-left pixel of the picture.
struct ScreenPoint {
  int32_t x;
  int32_t y;
};

/// Receives the drawing of pass 2 in painter's order. Colours are COLORREFs (red in the low byte).
class DrawSink {
 public:
  virtual ~DrawSink() = default;
  /// A filled polygon (winding fill) with edges in the same colour; count >= 1.
  virtual void FillPolygon(const ScreenPoint* points, uint32_t count, uint32_t colour) = 0;
  /// A line from one corner to the next.
  virtual void DrawEdge(ScreenPoint from, ScreenPoint to, uint32_t colour) = 0;
  /// One corner pixel.
  virtual void DrawPixel(ScreenPoint at, uint32_t colour) = 0;
};

enum class RenderResult {
  Ok = 0,
  Aborted,   ///< the worker command became non-zero; nothing may be handed over
  TooLarge,  ///< the fitted picture exceeds kMaxPictureSide in width or height
  NoMemory,  ///< a working buffer could not be allocated
};

/// Fixed text of a result, for logs.
[[nodiscard]] const char* RenderResultText(RenderResult result);

/// Largest picture width or height a render produces.
constexpr int32_t kMaxPictureSide = 16384;

/// What pass 1 decided: the extent of the drawn vertices in plant units, the pixel scale and the
/// picture rectangle in desktop-area pixels.
struct RenderLayout {
  double minY;
  double maxY;
  double minZ;
  double maxZ;
  /// Pixels per plant unit: sizeFactor x the plant's pixelsPerUnit.
  double scale;
  PixelRect rect;
  int32_t width;
  int32_t height;
  /// Nothing is drawn: the picture is one transparent pixel at the anchor.
  bool empty;
};

/// One render of a plant: its working buffers and the two passes. Used by one thread at a time;
/// it borrows the plant for its lifetime.
class PlantRenderer {
 public:
  /// workerCommand may be null (never aborts); a non-zero value stops the render at the next node.
  PlantRenderer(Plant& plant, const std::atomic<int32_t>* workerCommand);
  ~PlantRenderer();
  PlantRenderer(const PlantRenderer&) = delete;
  PlantRenderer& operator=(const PlantRenderer&) = delete;

  /// Pass 1, the depth sort, the size-factor fit and the rectangle. Writes the fitted sizeFactor
  /// into the record (only a finite, positive value; a plant without drawn vertex, or without
  /// extent along an axis, keeps the bounds of that axis out of the fit). Requires: the plant
  /// passed the plant validator and its node frames are current.
  [[nodiscard]] RenderResult Plan(RenderLayout* layout);

  /// Pass 2 into sink, with the layout Plan made.
  [[nodiscard]] RenderResult Draw(const RenderLayout& layout, DrawSink& sink);

 private:
  struct Placement;
  [[nodiscard]] bool ShouldStop() const;
  [[nodiscard]] bool ChooseEntry(const PlantNode& node, Placement* placement) const;
  void PlaceVertices(const PlantNode& node, const Placement& placement);
  void DrawNode(const PlantNode& node, const Placement& placement, const RenderLayout& layout,
                DrawSink& sink);
  void DrawFace(const PlantNode& node, const Placement& placement, uint32_t faceOffset,
                double edgeLight, const RenderLayout& layout, DrawSink& sink);

  Plant& plant_;
  const std::atomic<int32_t>* workerCommand_;
  uint32_t maxFaces_ = 0;
  uint32_t maxVertices_ = 0;
  std::unique_ptr<DepthRecord[]> nodeOrder_;
  std::unique_ptr<DepthRecord[]> faceOrder_;
  std::unique_ptr<Vec3[]> vertices_;
  std::unique_ptr<ScreenPoint[]> points_;
  std::unique_ptr<uint8_t[]> edgeFlags_;
  bool buffersReady_ = false;
};

/// The transparency key: alpha 0 where blue, green and red are all 0, else 255, over count
/// 32-bit pixels (blue in the low byte, alpha in the high byte).
void ApplyAlphaKey(uint32_t* pixels, size_t count);

}  // namespace plant
