// Species builder: turns a species description into the bytes of a plant file (".plt").
//
// A species description is a plain C++ value of type Species (see default_species.cpp for a full
// one), readable top to bottom:
// - Curve: points (x, y) with x ascending, an optional repeated section, and the scales of the
//   reference that uses it. Constant(c) is the shared one-point table scaled by c. Renderer curves
//   (shapes, materials, gradients) take whole-number scales; put fractions in the points.
// - Record: every fixed field of the plant record: sizes of the picture, care levels and optima,
//   the nine record curves, colours, care tips, flags.
// - Type: how a node grows and dies (NodeType), naming the Shape that draws it ("" = not drawn).
// - Kind: what a node is (NodeKind): its Type, size curves by age, its most children and its
//   child Slots, each naming the child Kind, the most children it makes, its spawn chance by age
//   and the Orientation of the child.
// - Shape: a ShapeTable: stage and variant counts and curves, light curves, thresholds, the
//   entries (index stage + variant x stages), and the colour grid (row after row). An Entry holds
//   a denominator, vertices and Faces; a Face names a Material and lists corners (vertex number,
//   optionally or-ed with EdgeLine or EdgePixel).
// - MaterialSpec: twelve Gradient names (fill then edge; front, back, A below/at-or-above, B
//   below/at-or-above) and the A and B curves. Gradient: position curve and stops (Rgb(...) or
//   one of the palette stops PotColour, SaucerColour).
// - Node: the plant as it starts. Node 0 (the root anchor, of Species::rootKind) is implicit; each
//   listed node names its parent (an earlier index), the making slot, its kind, age and local
//   directions. Child counters, states (the effects of optimal care unless given), sizes, world
//   axes and positions are worked out by the builder.
//
// The builder lays everything out after the fixed fields, 8-aligned, sharing identical curve
// tables, computes recordSize, nodeSize and the shape maxima, and runs the engine's validator over
// the result. The output depends on the description only, so it is the same on every run.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "plant/shape_data.h"
#include "plant/vec3.h"

namespace species {

struct Point {
  double x;
  double y;
};

struct Curve {
  std::vector<Point> points{{0.0, 1.0}};
  double maxRepeats = 0.0;
  double repeatStart = 0.0;
  double repeatEnd = 0.0;
  double xScale = 1.0;
  double yScale = 1.0;
};

/// The constant value (one shared table scaled in y).
[[nodiscard]] Curve Constant(double value);
/// A piecewise-linear curve through points, scales 1.
[[nodiscard]] Curve Line(std::vector<Point> points);

struct Orientation {
  double radius = 1.0;
  double polar = 0.0;
  double azimuth = 0.0;
  double offsetScaleRange[2] = {1.0, 1.0};
  uint8_t anchor = 0;
  int32_t frameSelector = 0;
  int32_t tropismSelector = 0;
  int32_t directionSelector = 0;
  int32_t upSelector = 0;
  double polarRange[2] = {0.0, 0.0};
  double polarFlip = 0.0;
  double azimuthRange[2] = {0.0, 0.0};
  double azimuthFlip = 0.0;
  double rollRange[2] = {0.0, 0.0};
  double rollFlip = 0.0;
};

struct Slot {
  std::string childKind;
  uint8_t maxCount = 1;
  Curve spawnByAge = Constant(0.0);
  Orientation orientation;
};

struct Kind {
  std::string name;
  std::string type;
  Curve widthByAge = Constant(1.0);
  Curve depthByAge = Constant(1.0);
  Curve lengthByAge = Constant(1.0);
  uint32_t maxChildren = 0;
  std::vector<Slot> slots;
};

struct Type {
  std::string name;
  std::string shape;  ///< "" for a type that is not drawn
  double widthRange[2] = {1.0, 1.0};
  double lengthRange[2] = {1.0, 1.0};
  int32_t tropismOperation = 0;
  int32_t tropismAxes = 0;
  Curve tropismByAge = Constant(0.0);
  Curve sizeByA = Constant(1.0);
  Curve droopByA = Constant(1.0);
  Curve trendByDay = Constant(0.0);
  Curve trendByA = Constant(0.0);
  Curve fertiliserTrendByB = Constant(0.0);
  Curve trendByAge = Constant(0.0);
  Curve spawnByDay = Constant(1.0);
  Curve spawnBySteps = Constant(1.0);
  Curve spawnByParentA = Constant(1.0);
  Curve spawnByG = Constant(1.0);
  Curve childrenByG = Constant(1.0);
  double waterFallBase = 0.0;
  double waterRiseBase = 0.0;
  double waterSpread = 0.0;
  double fertiliserFallBase = 0.0;
  double fertiliserRiseBase = 0.0;
  double fertiliserSpread = 0.0;
  double waterTrendMultiplier = 1.0;
  double fertiliserTrendMultiplier = 1.0;
  double waterLower = -1e9;
  double waterUpper = 1e9;
  double fertiliserLower = -1e9;
  double fertiliserUpper = 1e9;
  double minA = -1e9;
  double maxA = 1e9;
  double minB = -1e9;
  double maxB = 1e9;
  Curve growthByA = Constant(1.0);
  Curve growthByB = Constant(1.0);
  Curve trackingRate = Constant(1.0);
  Curve growthByDay = Constant(1.0);
};

struct Stop {
  uint8_t weight = 0;  ///< weight byte, or a palette byte 0x80..0x83
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

[[nodiscard]] constexpr Stop Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return Stop{0, red, green, blue};
}
constexpr Stop PotColour{0x80, 0, 0, 0};
constexpr Stop SaucerColour{0x81, 0, 0, 0};

struct Gradient {
  std::string name;
  Curve position = Constant(0.0);
  std::vector<Stop> stops;
};

struct MaterialSpec {
  std::string name;
  /// Fill gradients: front, back, A below TA, A at or above TA, B below TB, B at or above TB.
  std::string fill[6];
  /// Edge gradients in the same order.
  std::string edge[6];
  Curve curveA = Constant(0.0);
  Curve curveB = Constant(0.0);
};

constexpr uint32_t EdgeLine = plant::kEdgeLine << plant::kEdgeFlagShift;
constexpr uint32_t EdgePixel = plant::kEdgePixel << plant::kEdgeFlagShift;

struct Face {
  std::string material;
  std::vector<uint32_t> corners;
};

struct Entry {
  uint32_t denominator = 100;
  std::vector<plant::ShapeVertex> vertices;
  std::vector<Face> faces;
};

struct Shape {
  std::string name;
  uint32_t stages = 1;
  uint32_t variants = 1;
  uint32_t thresholdA = 0;
  uint32_t thresholdB = 0;
  Curve stageCurve = Constant(0.0);
  Curve variantCurve = Constant(0.0);
  Curve facingLightCurve = Constant(0.0);
  Curve edgeLightCurve = Constant(0.0);
  std::vector<Entry> entries;  ///< stages x variants, index stage + variant x stages
  uint32_t gridRowLength = 2;
  std::vector<uint32_t> grid;  ///< whole rows of gridRowLength cells, (weight1 << 8) | weight2
};

struct Node {
  int32_t parent = 0;
  uint8_t slot = 0;
  std::string kind;
  double age = 0.0;
  double widthFactor = 1.0;
  double lengthFactor = 1.0;
  double waterState = NAN;       ///< NaN: the effect of optimal water
  double fertiliserState = NAN;  ///< NaN: the effect of optimal fertiliser
  int32_t frameRef = 0;
  int32_t tropismRef = 0;
  uint8_t anchor = 0;
  double waterRates[2] = {0.0, 0.0};       ///< fall, rise
  double fertiliserRates[2] = {0.0, 0.0};  ///< fall, rise
  plant::Vec3 upLocal{0.0, 1.0, 0.0};
  plant::Vec3 directionLocal{0.0, 0.0, 1.0};
  plant::Vec3 offset{0.0, 0.0, 0.0};
};

struct Colour {
  uint8_t weight = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

struct Record {
  int32_t nodeCapacityIncrement = 64;
  double pixelScale = 0.04;
  double sizeFactor = 1.0;
  double anchorX = 0.85;
  double anchorY = 0.9;
  int32_t clock = 0;
  int32_t secondsPerStep = 600;
  Curve waterUseByCount = Constant(0.0);
  Curve waterUseByTemperature = Constant(1.0);
  Curve fertiliserUseByCount = Constant(0.0);
  Curve seasonCurve = Constant(1.0);
  double temperature = 20.0;
  Curve temperatureEffectCurve = Constant(1.0);
  double light = 0.7;
  Curve lightEffectCurve = Constant(1.0);
  plant::Vec3 lightDirection{0.8, -0.3, 0.52};
  double waterLevel = 0.6;
  double fertiliserLevel = 0.6;
  Curve waterEffectCurve = Line({{0.0, 0.0}, {1.0, 1.0}});
  Curve fertiliserEffectCurve = Line({{0.0, 0.0}, {1.0, 1.0}});
  double optimalWater = 0.6;
  double optimalFertiliser = 0.6;
  double optimalTemperature = 20.0;
  double optimalLight = 0.7;
  Curve trendChanceByStep = Constant(0.0);
  double brightness = 0.0;
  int32_t flags = 0;
  double rect[4] = {0.8, 0.7, 0.9, 0.9};  ///< left, top, right, bottom as screen fractions
  double minWidth = 0.05;
  double maxWidth = 0.9;
  double minHeight = 0.05;
  double maxHeight = 0.9;
  std::string careTips;
  Colour potColour;
  Colour saucerColour;
};

struct Species {
  Record record;
  std::string rootKind;  ///< kind of node 0
  std::vector<Type> types;
  std::vector<Kind> kinds;
  std::vector<Shape> shapes;
  std::vector<MaterialSpec> materials;
  std::vector<Gradient> gradients;
  std::vector<Node> nodes;  ///< nodes 1, 2, ...; node 0 is implicit
};

/// Builds the plant file of species into *file. False when the description is inconsistent (an
/// unknown name, a parent that is not earlier, a slot the parent's kind lacks) or the result fails
/// the engine's validator; *why then says what.
[[nodiscard]] bool BuildPlantFile(const Species& species, std::vector<uint8_t>* file, std::string* why);

}  // namespace species
