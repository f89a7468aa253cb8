// The renderer core against pictures worked out by hand (one_square_fixture.h has the fixture).
#include "plant/render_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plant/tests/one_square_fixture.h"
#include "plant/tests/recording_sink.h"

namespace plant {
namespace {

using testing::BuildOneSquare;
using testing::FixtureBuilder;
using testing::Primitive;
using testing::RecordingSink;

struct Rendered {
  RenderResult planned;
  RenderResult drawn;
  RenderLayout layout;
  RecordingSink sink;
};

Rendered RenderAll(Plant& plant, const std::atomic<int32_t>* command = nullptr) {
  Rendered out{};
  PlantRenderer renderer(plant, command);
  out.planned = renderer.Plan(&out.layout);
  out.drawn = out.planned == RenderResult::Ok ? renderer.Draw(out.layout, out.sink) : out.planned;
  return out;
}

TEST(RenderCore, OneSquareHasTheHandWorkedRectanglePointsAndColours) {
  Plant plant;
  BuildOneSquare(&plant);
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  EXPECT_EQ(plant.Record().sizeFactor, 1.0);
  EXPECT_EQ(r.layout.scale, 96.0);
  EXPECT_EQ(r.layout.rect.left, 461);
  EXPECT_EQ(r.layout.rect.top, 573);
  EXPECT_EQ(r.layout.rect.right, 563);
  EXPECT_EQ(r.layout.rect.bottom, 675);
  EXPECT_EQ(r.layout.width, 102);
  EXPECT_EQ(r.layout.height, 102);

  ASSERT_EQ(r.sink.primitives.size(), 4u);
  const Primitive& fill = r.sink.primitives[0];
  EXPECT_EQ(fill.kind, Primitive::Fill);
  EXPECT_EQ(fill.colour, testing::kOneSquareFrontFill);
  const std::vector<ScreenPoint> corners{{2, 98}, {98, 98}, {98, 2}, {2, 2}};
  EXPECT_EQ(fill.points, corners);
  // Corner 1 ends the bottom edge, corner 2 is a pixel, corner 0's flag closes the left edge.
  EXPECT_EQ(r.sink.primitives[1].kind, Primitive::Edge);
  EXPECT_EQ(r.sink.primitives[1].points, (std::vector<ScreenPoint>{{2, 98}, {98, 98}}));
  EXPECT_EQ(r.sink.primitives[2].kind, Primitive::Pixel);
  EXPECT_EQ(r.sink.primitives[2].points, (std::vector<ScreenPoint>{{98, 2}}));
  EXPECT_EQ(r.sink.primitives[3].kind, Primitive::Edge);
  EXPECT_EQ(r.sink.primitives[3].points, (std::vector<ScreenPoint>{{2, 2}, {2, 98}}));
  for (size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(r.sink.primitives[i].colour, testing::kOneSquareFrontEdge);
  }
  // Everything drawn stays two pixels in from the left and top and four from the right and
  // bottom: a transparent margin on every side.
  for (const Primitive& p : r.sink.primitives) {
    for (ScreenPoint pt : p.points) {
      EXPECT_GE(pt.x, 2);
      EXPECT_GE(pt.y, 2);
      EXPECT_LE(pt.x, r.layout.width - 4);
      EXPECT_LE(pt.y, r.layout.height - 4);
    }
  }
}

TEST(RenderCore, ReversedCornersDrawABackFaceWithTheNormalTurnedToTheViewer) {
  Plant plant;
  testing::OneSquareOptions options;
  options.reversed = true;
  BuildOneSquare(&plant, options);
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  ASSERT_FALSE(r.sink.primitives.empty());
  EXPECT_EQ(r.sink.primitives[0].colour, testing::kOneSquareBackFill);
  EXPECT_EQ(r.sink.primitives[1].colour, testing::kOneSquareBackEdge);
}

TEST(RenderCore, WidthBoundsWinOverConflictingHeightBoundsAndTheFactorIsStored) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantRecord& record = plant.Record();
  record.minHeight = 3.0 * 96 / 768;   // height wants at least 3
  record.maxWidth = 2.0 * 96 / 1024;   // width allows at most 2
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  double stored;
  std::memcpy(&stored, plant.record.get() + 9096, sizeof stored);
  EXPECT_EQ(stored, 2.0);
  EXPECT_EQ(r.layout.scale, 192.0);
  EXPECT_EQ(r.layout.rect.left, 413);
  EXPECT_EQ(r.layout.rect.top, 477);
  EXPECT_EQ(r.layout.rect.right, 611);
  EXPECT_EQ(r.layout.rect.bottom, 675);
}

// A plant drawn in one vertical plane has no width; the width bounds would divide by zero and
// store an infinite factor in the plant file.
TEST(RenderCore, ZeroWidthExtentKeepsTheFactorFinite) {
  FixtureBuilder b;
  PlantRecord& r = b.Record();
  r.pixelScale = 0.125;
  r.sizeFactor = 1.0;
  r.anchorX = r.anchorY = 0.5;
  r.minWidth = r.minHeight = 0.0625;
  r.maxWidth = r.maxHeight = 0.5;
  r.lightDirection = Vec3{1, 0, 0};
  const int32_t g = b.Solid(200, 100, 50);
  const int32_t material = b.MaterialOf({g, g, g, g, g, g, g, g, g, g, g, g}, b.Constant(0), b.Constant(0));
  const int32_t entry = b.Entry(1, {{0, 0, 0}, {0, 0, 1}}, {{material, {0x10000000, 0x10000001}}});
  const int32_t table = b.Table(1, 1, 2, 0, 0, b.Constant(0), b.Constant(0), b.Constant(0), b.Constant(0), {entry},
                                {0x6400, 0x6400, 0x6400, 0x6400});
  Plant plant;
  b.Build(&plant, {{b.KindFor(table), Vec3{0, 0, 0}}});
  const Rendered out = RenderAll(plant);
  ASSERT_EQ(out.drawn, RenderResult::Ok);
  EXPECT_EQ(plant.Record().sizeFactor, 1.0);  // inside the height bounds [0.5, 4]
  EXPECT_EQ(out.layout.width, 6);
  EXPECT_EQ(out.layout.height, 102);
  ASSERT_FALSE(out.sink.primitives.empty());
  // Two corners: no normal, lit by brightness alone with the front gradient.
  EXPECT_EQ(out.sink.primitives[0].kind, Primitive::Fill);
  EXPECT_EQ(out.sink.primitives[0].points.size(), 2u);
}

TEST(RenderCore, PlantWithoutDrawnVertexGivesOneTransparentPixelAndKeepsTheFactor) {
  Plant plant;
  BuildOneSquare(&plant);
  plant.Node(1).width = plant.Node(1).depth = plant.Node(1).length = 0.0;  // every vertex at one point
  plant.Record().sizeFactor = 1.5;
  Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  EXPECT_EQ(plant.Record().sizeFactor, 1.5);
  EXPECT_TRUE(std::isfinite(r.layout.scale));

  Plant none;
  BuildOneSquare(&none);
  none.Record().nodeCount = 1;  // only the root, which is never drawn
  r = RenderAll(none);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  EXPECT_TRUE(r.layout.empty);
  EXPECT_EQ(r.layout.width, 1);
  EXPECT_EQ(r.layout.height, 1);
  EXPECT_EQ(r.layout.rect.left, 512);
  EXPECT_EQ(r.layout.rect.top, 672);
  EXPECT_TRUE(r.sink.primitives.empty());

  // A hostile anchor far past the screen saturates; the pixel must not overflow.
  none.Record().anchorX = 1e300;
  none.Record().anchorY = 1e300;
  r = RenderAll(none);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  EXPECT_EQ(r.layout.rect.right, INT32_MAX);
  EXPECT_EQ(r.layout.rect.bottom, INT32_MAX);

  // Limits of 0 clamp the factor to 0, which is never stored; a stored factor of 0 then leaves
  // nothing that can be drawn.
  Plant flat;
  BuildOneSquare(&flat);
  flat.Record().minWidth = flat.Record().maxWidth = flat.Record().minHeight = flat.Record().maxHeight = 0.0;
  r = RenderAll(flat);
  EXPECT_EQ(flat.Record().sizeFactor, 1.0);
  EXPECT_EQ(r.layout.width, 102);
  flat.Record().sizeFactor = 0.0;
  r = RenderAll(flat);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  EXPECT_TRUE(r.layout.empty);
  EXPECT_EQ(flat.Record().sizeFactor, 0.0);
}

// Collinear first corners have no normal; normalising it would give NaN colours, which end up as
// black (the transparent key) or garbage.
TEST(RenderCore, CollinearFirstCornersAreLitByBrightnessAlone) {
  Plant plant;
  testing::OneSquareOptions options;
  options.vertices = {{0, -50, 0}, {0, 0, 0}, {0, 50, 0}, {0, 0, 100}};
  options.words = {0x00000000, 0x00000001, 0x00000002, 0x00000003};
  BuildOneSquare(&plant, options);
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  ASSERT_EQ(r.sink.primitives.size(), 1u);
  EXPECT_EQ(r.sink.primitives[0].colour, testing::kOneSquareUnlitFill);
}

TEST(RenderCore, NodesAreDrawnFarToNearWhateverTheirIndexOrder) {
  Plant plant;
  testing::OneSquareOptions options;
  options.withFarSquare = true;
  BuildOneSquare(&plant, options);  // node 1 near (x 0), node 2 far (x -1)
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  std::vector<const Primitive*> fills;
  for (const Primitive& p : r.sink.primitives) {
    if (p.kind == Primitive::Fill) fills.push_back(&p);
  }
  ASSERT_EQ(fills.size(), 2u);
  // The far square is the one shifted a quarter unit (24 pixels) to the right.
  EXPECT_EQ(fills[0]->points[0].x, 2 + 24);
  EXPECT_EQ(fills[1]->points[0].x, 2);
}

// One node of length 2 with two square faces listed near one first: the near one (x 0) red with a
// drawn bottom edge, the far one (x -0.5, shifted right) blue. The edge light curve runs from
// -0.25 at 0 to +0.25 at 384 pixels.
void BuildTwoFacedNode(Plant* plant) {
  FixtureBuilder b;
  testing::SetOneSquareView(b.Record());
  const int32_t none = b.Solid(0, 0, 0, 0);
  const int32_t red = b.Solid(255, 0, 0);
  const int32_t blue = b.Solid(0, 0, 255);
  const int32_t green = b.Solid(0, 255, 0);
  const int32_t near = b.MaterialOf({red, red, none, none, none, none, green, green, none, none, none, none},
                                    b.Constant(0), b.Constant(0));
  const int32_t far = b.MaterialOf({blue, blue, none, none, none, none, green, green, none, none, none, none},
                                   b.Constant(0), b.Constant(0));
  const std::vector<ShapeVertex> nearSquare{{0, -50, 0}, {0, 50, 0}, {0, 50, 100}, {0, -50, 100}};
  const std::vector<ShapeVertex> farSquare{{-50, -25, 0}, {-50, 75, 0}, {-50, 75, 100}, {-50, -25, 100}};
  std::vector<ShapeVertex> vertices = nearSquare;
  vertices.insert(vertices.end(), farSquare.begin(), farSquare.end());
  const int32_t entry = b.Entry(100, vertices, {{near, {0, 0x10000001, 2, 3}}, {far, {4, 5, 6, 7}}});
  const CompactCurveRef facing{b.Curve({{-1, -0.25}, {1, 0.25}}), 1, 1};
  const CompactCurveRef edgeLight{b.Curve({{0, -0.25}, {384, 0.25}}), 1, 1};
  const int32_t table = b.Table(1, 1, 2, 0, 0, b.Constant(0), b.Constant(0), facing, edgeLight, {entry},
                                {0x6400, 0x6400, 0x6400, 0x6400});
  FixtureBuilder::NodeSpec node{b.KindFor(table), Vec3{0, 0, 0}};
  node.length = 2;
  b.Build(plant, {node});
}

TEST(RenderCore, FacesOfOneNodeAreDrawnFarToNear) {
  Plant plant;
  BuildTwoFacedNode(&plant);
  const Rendered r = RenderAll(plant);
  ASSERT_EQ(r.drawn, RenderResult::Ok);
  ASSERT_EQ(r.layout.scale, 96.0);
  ASSERT_EQ(r.sink.primitives.size(), 3u);
  // Both faces face the light (+0.25): blue and red at lightness 0.75.
  EXPECT_EQ(r.sink.primitives[0].kind, Primitive::Fill);
  EXPECT_EQ(r.sink.primitives[0].colour, 0xFF7F7Fu);
  EXPECT_EQ(r.sink.primitives[1].kind, Primitive::Fill);
  EXPECT_EQ(r.sink.primitives[1].colour, 0x7F7FFFu);
}

TEST(RenderCore, EdgeLightIsTakenAtTheNodeLengthInPixels) {
  Plant plant;
  BuildTwoFacedNode(&plant);
  const Rendered r = RenderAll(plant);
  const auto edge = std::find_if(r.sink.primitives.begin(), r.sink.primitives.end(),
                                 [](const Primitive& p) { return p.kind == Primitive::Edge; });
  ASSERT_NE(edge, r.sink.primitives.end());
  // s x length = 96 x 2 = 192 pixels, half way along the curve: edge light 0, so the edge is lit
  // like the face, +0.25: green at lightness 0.75.
  EXPECT_EQ(edge->colour, 0x7FFF7Fu);
}

class StopAfterFirstFill : public RecordingSink {
 public:
  explicit StopAfterFirstFill(std::atomic<int32_t>* command) : command_(command) {}
  void FillPolygon(const ScreenPoint* points, uint32_t count, uint32_t colour) override {
    RecordingSink::FillPolygon(points, count, colour);
    command_->store(1);
  }

 private:
  std::atomic<int32_t>* command_;
};

TEST(RenderCore, WorkerCommandStopsEitherPassAtTheNextNode) {
  Plant plant;
  testing::OneSquareOptions options;
  options.withFarSquare = true;
  BuildOneSquare(&plant, options);
  std::atomic<int32_t> command{2};
  RenderLayout layout{};
  {
    PlantRenderer renderer(plant, &command);
    EXPECT_EQ(renderer.Plan(&layout), RenderResult::Aborted);
  }
  command = 0;
  PlantRenderer renderer(plant, &command);
  ASSERT_EQ(renderer.Plan(&layout), RenderResult::Ok);
  StopAfterFirstFill sink(&command);
  EXPECT_EQ(renderer.Draw(layout, sink), RenderResult::Aborted);
  size_t fills = 0;
  for (const Primitive& p : sink.primitives) fills += p.kind == Primitive::Fill;
  EXPECT_EQ(fills, 1u);
}

TEST(RenderCore, AlphaKeyMakesOnlyPureBlackTransparent) {
  uint32_t pixels[] = {0x00000000, 0xAB000000, 0x00000001, 0x00010000, 0x7F0A0A0A, 0x00FFFFFF};
  ApplyAlphaKey(pixels, std::size(pixels));
  EXPECT_EQ(pixels[0], 0x00000000u);
  EXPECT_EQ(pixels[1], 0x00000000u);
  EXPECT_EQ(pixels[2], 0xFF000001u);
  EXPECT_EQ(pixels[3], 0xFF010000u);
  EXPECT_EQ(pixels[4], 0xFF0A0A0Au);
  EXPECT_EQ(pixels[5], 0xFFFFFFFFu);
}

}  // namespace
}  // namespace plant
