// Test support: the "one square" plant, one node drawing one lit square, whose picture is worked
// out by hand in the renderer tests (W 1024, H 768, 96 pixels per plant unit, s = 96).
#pragma once

#include "plant/tests/render_fixture.h"

namespace plant::testing {

/// COLORREFs the fixture's faces and edges get, worked out by hand from the mix and the HSL shift:
/// front fill red lit +0.25 (l 0.75), front edge green lit 0, back fill blue lit +0.25, back edge
/// yellow lit 0; an unlit front fill (no normal) is red at l 0.5.
constexpr uint32_t kOneSquareFrontFill = 0x7F7FFF;
constexpr uint32_t kOneSquareFrontEdge = 0x0AFF0A;
constexpr uint32_t kOneSquareBackFill = 0xFF7F7F;
// Yellow's red comes back as (2/3 - 1/2) x 6 x 255 = 254.99..., truncated to 254.
constexpr uint32_t kOneSquareBackEdge = 0x0AFFFE;
constexpr uint32_t kOneSquareUnlitFill = 0x0A0AFF;

struct OneSquareOptions {
  /// Corners listed clockwise as seen by the viewer: a back face.
  bool reversed = false;
  /// A second square of the same shape at depth x = -1 (far), shifted by a quarter unit to the
  /// right, as node 2: later in index order, yet drawn first.
  bool withFarSquare = false;
  /// Replace the square's vertices and index words (both or neither).
  std::vector<ShapeVertex> vertices;
  std::vector<uint32_t> words;
};

/// The record fields the one-square pictures are worked out with: at W 1024 and H 768, 96 pixels
/// per plant unit, the anchor at (512, 672), pictures of 64 to 512 pixels wide and 48 to 384
/// high, brightness 0 and the light coming from the viewer.
inline void SetOneSquareView(PlantRecord& r) {
  r.pixelScale = 0.125;
  r.sizeFactor = 1.0;
  r.anchorX = 0.5;
  r.anchorY = 0.875;
  r.minWidth = r.minHeight = 0.0625;
  r.maxWidth = r.maxHeight = 0.5;
  r.lightDirection = Vec3{1, 0, 0};
  r.brightness = 0.0;
}

inline void BuildOneSquare(Plant* plant, const OneSquareOptions& options = {}) {
  FixtureBuilder b;
  SetOneSquareView(b.Record());

  const int32_t none = b.Solid(0, 0, 0, 0);
  const int32_t red = b.Solid(255, 0, 0);
  const int32_t blue = b.Solid(0, 0, 255);
  const int32_t green = b.Solid(0, 255, 0);
  const int32_t yellow = b.Solid(255, 255, 0);
  const int32_t material = b.MaterialOf({red, blue, none, none, none, none, green, yellow, none, none, none, none},
                                        b.Constant(0), b.Constant(0));
  const bool custom = !options.words.empty();
  const std::vector<uint32_t> words =
      custom ? options.words
             : options.reversed ? std::vector<uint32_t>{0x10000003, 0x10000002, 0x20000001, 0x00000000}
                                : std::vector<uint32_t>{0x10000000, 0x10000001, 0x20000002, 0x00000003};
  const std::vector<ShapeVertex> vertices =
      custom ? options.vertices : std::vector<ShapeVertex>{{0, -50, 0}, {0, 50, 0}, {0, 50, 100}, {0, -50, 100}};
  const int32_t entry = b.Entry(100, vertices, {{material, words}});
  const CompactCurveRef facing{b.Curve({{-1, -0.25}, {1, 0.25}}), 1, 1};
  const int32_t table = b.Table(1, 1, 2, 0, 0, b.Constant(0), b.Constant(0), facing, b.Constant(-0.25), {entry},
                                {0x6400, 0x6400, 0x6400, 0x6400});
  const int32_t kind = b.KindFor(table);
  std::vector<FixtureBuilder::NodeSpec> nodes{{kind, Vec3{0, 0, 0}}};
  if (options.withFarSquare) {
    nodes.push_back({kind, Vec3{-1, 0.25, 0}});
  }
  b.Build(plant, nodes);
}

}  // namespace plant::testing
