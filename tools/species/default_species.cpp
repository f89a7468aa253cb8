// The default species. Time: one step is 600 s, so 144 steps make a day; ages grow by about one
// per step under good care, and every curve by age takes days (x scale 144).
//
// Biology in short:
// - node 1 is the pot (with saucer), immortal, drawn in the pot and saucer colours the user picks;
// - node 2 is the seedling's first stem piece, with two seed leaves; each main stem piece makes up
//   to two leaves and, from its fourth day, the next piece (six in all); the second to fourth
//   pieces may also start a side branch of up to three pieces;
// - leaves and stems follow the pot's water and fertiliser. A dry or starved node starts an
//   irreversible decline and dies, taking its subtree with it; leaves also age and are replaced;
// - cold, heat and darkness stop growth; warmth speeds water use. Once the first stem piece dies
//   the plant is dead for good, as the pot never sprouts again.
#include "tools/species/default_species.h"

#include <string>

namespace species {
namespace {

constexpr double kStepsPerDay = 144.0;

// A curve whose x values are days of node age.
Curve ByDays(std::vector<Point> points) {
  Curve curve = Line(std::move(points));
  curve.xScale = kStepsPerDay;
  return curve;
}

// Renderer constants: compact references have whole-number scales, so the value is the point.
Curve Value(double value) { return Line({{0.0, value}}); }

Record PotRecord() {
  Record r;
  r.nodeCapacityIncrement = 64;
  r.pixelScale = 0.045;
  r.sizeFactor = 1.0;
  r.anchorX = 0.85;
  r.anchorY = 0.92;
  r.secondsPerStep = 600;
  // A pot filled to the optimum lasts about a week for a seedling and four to five days for a grown
  // plant before the leaves start to suffer.
  r.waterUseByCount = Line({{1.0, 0.0004}, {40.0, 0.0007}, {150.0, 0.0011}});
  r.waterUseByTemperature = Line({{0.0, 0.4}, {20.0, 1.0}, {35.0, 1.8}, {50.0, 2.5}});
  // Fertiliser at the optimum lasts about two months for a seedling and six weeks for a grown plant.
  r.fertiliserUseByCount = Line({{1.0, 0.00005}, {40.0, 0.00009}, {150.0, 0.00014}});
  r.seasonCurve = Constant(1.0);
  r.temperature = 20.0;
  r.temperatureEffectCurve =
      Line({{4.0, 0.0}, {14.0, 0.8}, {18.0, 1.0}, {26.0, 1.0}, {32.0, 0.6}, {40.0, 0.0}});
  r.light = 0.7;
  r.lightEffectCurve = Line({{0.0, 0.0}, {0.2, 0.3}, {0.6, 1.0}, {1.0, 1.0}});
  r.lightDirection = {0.8, -0.36, 0.48};
  r.waterLevel = 0.6;
  r.fertiliserLevel = 0.6;
  // A full pot gives 0.85: below the point where leaves drown, which only overfilling reaches.
  r.waterEffectCurve = Line({{0.0, 0.0}, {1.0, 0.85}, {2.0, 1.0}});
  r.fertiliserEffectCurve = Line({{0.0, 0.0}, {1.0, 0.85}, {2.0, 1.0}});
  r.optimalWater = 0.6;
  r.optimalFertiliser = 0.6;
  r.optimalTemperature = 20.0;
  r.optimalLight = 0.7;
  r.trendChanceByStep = Constant(0.0);
  r.brightness = 0.0;
  r.flags = 0;
  // First picture box around the anchor; fractions of 1024 and 256 survive a save exactly.
  r.rect[0] = 840.0 / 1024.0;
  r.rect[1] = 218.0 / 256.0;
  r.rect[2] = 900.0 / 1024.0;
  r.rect[3] = 236.0 / 256.0;
  r.minWidth = 0.03;
  r.maxWidth = 0.5;
  r.minHeight = 0.06;
  r.maxHeight = 0.6;
  r.careTips =
      "Water the plant when the soil feels dry, about twice a week; never leave the pot full for long. "
      "Give fertilizer about once a month. Keep it between 18 and 26 \xB0" "C (64 and 79 \xB0" "F) in a "
      "bright place out of direct sun. Old leaves turn yellow and fall; new ones follow.";
  r.potColour = Colour{0, 190, 92, 52};
  r.saucerColour = Colour{0, 158, 76, 44};
  return r;
}

Type AnchorType() {
  Type t;
  t.name = "anchor";
  return t;
}

Type PotType() {
  Type t;
  t.name = "pot";
  t.shape = "pot";
  return t;
}

// What stems and leaves share: tracking rates, growth by the node's states, and how eagerly a
// newborn of this type appears.
Type LivingType(const std::string& name, const std::string& shape) {
  Type t;
  t.name = name;
  t.shape = shape;
  t.widthRange[0] = 0.9;
  t.widthRange[1] = 1.1;
  t.lengthRange[0] = 0.85;
  t.lengthRange[1] = 1.15;
  t.growthByA = Line({{0.05, 0.0}, {0.3, 1.0}, {0.8, 1.0}, {0.95, 0.5}});
  t.growthByB = Line({{0.0, 0.1}, {0.3, 1.0}, {0.8, 1.0}, {1.0, 0.6}});
  t.trackingRate = Constant(1.0);
  t.spawnByParentA = Line({{0.2, 0.0}, {0.3, 1.0}});
  t.spawnByG = Line({{0.0, 0.0}, {0.5, 1.0}});
  t.childrenByG = Line({{0.0, 0.0}, {0.3, 1.0}});
  t.waterTrendMultiplier = 2.0;
  t.fertiliserTrendMultiplier = 2.0;
  t.waterUpper = 0.95;
  t.maxA = 1.0;
  t.fertiliserUpper = 0.95;
  t.maxB = 1.0;
  return t;
}

Type StemType() {
  Type t = LivingType("stem", "stem");
  t.waterFallBase = -0.004;
  t.waterRiseBase = 0.004;
  t.waterSpread = 0.2;
  t.fertiliserFallBase = -0.002;
  t.fertiliserRiseBase = 0.002;
  t.fertiliserSpread = 0.2;
  // Stems hold out until the pot is all but dry, well after the leaves have given up.
  t.waterLower = 0.03;
  t.minA = 0.01;
  t.fertiliserLower = 0.03;
  t.minB = 0.01;
  t.sizeByA = Line({{0.05, 0.85}, {0.3, 1.0}});
  t.droopByA = Line({{0.05, 0.6}, {0.25, 1.0}});
  return t;
}

Type LeafType() {
  Type t = LivingType("leaf", "leaf");
  t.waterFallBase = -0.005;
  t.waterRiseBase = 0.005;
  t.waterSpread = 0.25;
  t.fertiliserFallBase = -0.002;
  t.fertiliserRiseBase = 0.002;
  t.fertiliserSpread = 0.25;
  t.waterLower = 0.12;
  t.waterUpper = 0.92;
  t.minA = 0.06;
  t.fertiliserLower = 0.08;
  t.minB = 0.04;
  t.sizeByA = Line({{0.06, 0.7}, {0.35, 1.0}});
  t.droopByA = Line({{0.06, 0.3}, {0.3, 1.0}});
  // Old leaves start to fade after forty days; hardly one outlives a hundred.
  t.trendByAge = ByDays({{0.0, 0.0}, {40.0, 0.0}, {70.0, 0.002}, {100.0, 0.02}});
  t.spawnByParentA = Line({{0.15, 0.0}, {0.25, 1.0}});
  t.childrenByG = Constant(1.0);
  return t;
}

// Children sit at the tip of their parent, angled in the parent's frame, with the world's up as
// up reference so that leaves and stems face the viewer.
Orientation AtTip(double polarLow, double polarHigh, double tipLow) {
  Orientation o;
  o.radius = 1.0;
  o.offsetScaleRange[0] = tipLow;
  o.offsetScaleRange[1] = 1.0;
  o.frameSelector = -1;
  o.tropismSelector = 0;
  o.directionSelector = -1;
  o.upSelector = 0;
  o.polarRange[0] = polarLow;
  o.polarRange[1] = polarHigh;
  o.polarFlip = 0.5;
  o.azimuthRange[0] = -0.3;
  o.azimuthRange[1] = 0.3;
  return o;
}

Slot LeafSlot() {
  Slot s;
  s.childKind = "leaf";
  s.maxCount = 2;
  s.spawnByAge = ByDays({{0.0, 0.0}, {0.5, 0.0}, {1.0, 0.01}});
  s.orientation = AtTip(0.7, 1.1, 0.7);
  return s;
}

Slot NextPieceSlot(const std::string& kind) {
  Slot s;
  s.childKind = kind;
  s.maxCount = 1;
  s.spawnByAge = ByDays({{0.0, 0.0}, {3.0, 0.0}, {4.0, 0.02}});
  s.orientation = AtTip(0.05, 0.25, 1.0);
  return s;
}

Slot BranchSlot() {
  Slot s;
  s.childKind = "branch1";
  s.maxCount = 1;
  s.spawnByAge = ByDays({{0.0, 0.0}, {6.0, 0.0}, {10.0, 0.005}});
  s.orientation = AtTip(0.5, 0.9, 0.9);
  return s;
}

Kind StemPiece(const std::string& name, const std::string& next, bool branches) {
  Kind k;
  k.name = name;
  k.type = "stem";
  k.widthByAge = ByDays({{0.0, 0.03}, {20.0, 0.09}, {120.0, 0.14}});
  k.depthByAge = k.widthByAge;
  k.lengthByAge = ByDays({{0.0, 0.05}, {6.0, 0.9}, {30.0, 1.1}});
  k.slots.push_back(LeafSlot());
  if (!next.empty()) {
    k.slots.push_back(NextPieceSlot(next));
  }
  if (branches) {
    k.slots.push_back(BranchSlot());
  }
  for (const Slot& slot : k.slots) {
    k.maxChildren += slot.maxCount;
  }
  return k;
}

std::vector<Kind> Kinds() {
  std::vector<Kind> kinds;
  Kind anchor;
  anchor.name = "anchor";
  anchor.type = "anchor";
  anchor.widthByAge = anchor.depthByAge = anchor.lengthByAge = Constant(0.0);
  anchor.maxChildren = 1;
  anchor.slots.push_back(Slot{"pot", 1, Constant(0.0), Orientation{}});
  kinds.push_back(anchor);

  Kind pot;
  pot.name = "pot";
  pot.type = "pot";
  pot.widthByAge = Constant(1.3);
  pot.depthByAge = Constant(1.3);
  pot.lengthByAge = Constant(1.1);
  pot.maxChildren = 1;
  pot.slots.push_back(Slot{"main1", 1, Constant(0.0), Orientation{}});
  kinds.push_back(pot);

  for (int piece = 1; piece <= 6; ++piece) {
    const std::string next = piece < 6 ? "main" + std::to_string(piece + 1) : "";
    kinds.push_back(StemPiece("main" + std::to_string(piece), next, piece >= 2 && piece <= 4));
  }
  for (int piece = 1; piece <= 3; ++piece) {
    const std::string next = piece < 3 ? "branch" + std::to_string(piece + 1) : "";
    kinds.push_back(StemPiece("branch" + std::to_string(piece), next, false));
  }

  Kind leaf;
  leaf.name = "leaf";
  leaf.type = "leaf";
  leaf.widthByAge = ByDays({{0.0, 0.04}, {5.0, 0.45}, {60.0, 0.5}});
  leaf.depthByAge = Constant(0.02);
  leaf.lengthByAge = ByDays({{0.0, 0.08}, {5.0, 0.9}, {60.0, 1.0}});
  kinds.push_back(leaf);
  return kinds;
}

// Colour grid of living tissue, 3 x 3 cells: the column follows water (0 dry, 1 watered), the row
// fertiliser (0 starved, 1 fed); the third column and row repeat the second so that sampling at
// exactly 1 stays inside. Cell = (weight of the age colour << 8) | share of the dry colour.
std::vector<uint32_t> LivingGrid() {
  const uint32_t starvedDry = (20u << 8) | 50u;
  const uint32_t starved = 45u << 8;
  const uint32_t dry = (30u << 8) | 100u;
  const uint32_t healthy = 100u << 8;
  return {starvedDry, starved, starved, dry, healthy, healthy, dry, healthy, healthy};
}

std::vector<uint32_t> PlainGrid() { return std::vector<uint32_t>(9, 100u << 8); }

Shape PotShape() {
  Shape s;
  s.name = "pot";
  s.facingLightCurve = Line({{-1.0, -0.3}, {1.0, 0.08}});
  s.edgeLightCurve = Value(-0.12);
  s.gridRowLength = 3;
  s.grid = PlainGrid();
  Entry e;
  e.vertices = {{0, -42, 0},  {0, 42, 0},  {0, 50, 8},   {0, -50, 8},     // saucer
                {0, -34, 8},  {0, 34, 8},  {0, 46, 88},  {0, -46, 88},    // body
                {1, -50, 86}, {1, 50, 86}, {1, 50, 100}, {1, -50, 100}};  // rim, drawn over the body
  e.faces = {{"saucer", {0, 1, 2, 3 | EdgeLine}},
             {"pot", {4 | EdgeLine, 5, 6 | EdgeLine, 7}},
             {"pot", {8 | EdgeLine, 9 | EdgeLine, 10 | EdgeLine, 11 | EdgeLine}}};
  s.entries.push_back(e);
  return s;
}

Shape StemShape() {
  Shape s;
  s.name = "stem";
  s.thresholdA = 1;
  s.thresholdB = 1;
  s.facingLightCurve = Line({{-1.0, -0.2}, {1.0, 0.08}});
  s.edgeLightCurve = Value(-0.1);
  s.gridRowLength = 3;
  s.grid = LivingGrid();
  Entry e;
  // Two crossed strips, so a piece shows its width from whatever side it is seen.
  e.vertices = {{-50, 0, 0}, {50, 0, 0}, {50, 0, 100}, {-50, 0, 100},
                {0, -50, 0}, {0, 50, 0}, {0, 50, 100}, {0, -50, 100}};
  e.faces = {{"stem", {0 | EdgeLine, 1, 2 | EdgeLine, 3}}, {"stem", {4 | EdgeLine, 5, 6 | EdgeLine, 7}}};
  s.entries.push_back(e);
  return s;
}

Entry LeafEntry(const std::vector<plant::ShapeVertex>& outline) {
  Entry e;
  e.vertices = outline;
  // Stalk corners 0 to 2 and 8 carry no edge; the blade's outline is drawn darker.
  e.faces = {{"leaf",
              {0, 1, 2, 3 | EdgeLine, 4 | EdgeLine, 5 | EdgeLine, 6 | EdgeLine, 7 | EdgeLine, 8 | EdgeLine}}};
  return e;
}

Shape LeafShape() {
  Shape s;
  s.name = "leaf";
  s.variants = 2;
  s.thresholdA = 1;
  s.thresholdB = 1;
  // Variant 0 is the curled, wilting blade of a dry leaf; variant 1 the open blade.
  s.variantCurve = Line({{0.25, 0.0}, {0.26, 1.0}});
  s.facingLightCurve = Line({{-1.0, -0.25}, {1.0, 0.1}});
  s.edgeLightCurve = Value(-0.08);
  s.gridRowLength = 3;
  s.grid = LivingGrid();
  s.entries.push_back(LeafEntry({{-4, 0, 0},
                                 {4, 0, 0},
                                 {4, 0, 18},
                                 {28, 0, 38},
                                 {30, 0, 62},
                                 {12, 0, 92},
                                 {-14, 0, 70},
                                 {-26, 0, 40},
                                 {-4, 0, 18}}));
  s.entries.push_back(LeafEntry({{-4, 0, 0},
                                 {4, 0, 0},
                                 {4, 0, 18},
                                 {45, 0, 40},
                                 {38, 0, 70},
                                 {0, 0, 100},
                                 {-38, 0, 70},
                                 {-45, 0, 40},
                                 {-4, 0, 18}}));
  return s;
}

MaterialSpec Plain(const std::string& name, const std::string& gradient) {
  MaterialSpec m;
  m.name = name;
  for (int g = 0; g < 6; ++g) {
    m.fill[g] = gradient;
    m.edge[g] = gradient;
  }
  return m;
}

MaterialSpec Living(const std::string& name, const std::string& front, const std::string& back,
                    const std::string& edge) {
  MaterialSpec m;
  m.name = name;
  const std::string fill[6] = {front, back, "dry", "dry", "starved", "starved"};
  const std::string edges[6] = {edge, edge, "dry edge", "dry edge", "starved edge", "starved edge"};
  for (int g = 0; g < 6; ++g) {
    m.fill[g] = fill[g];
    m.edge[g] = edges[g];
  }
  m.curveA = Line({{0.08, 0.0}, {0.3, 1.0}});
  m.curveB = Line({{0.05, 0.0}, {0.3, 1.0}});
  return m;
}

Gradient Solid(const std::string& name, Stop stop) { return Gradient{name, Constant(0.0), {stop}}; }

// A gradient over the node's age in days: the position curve gives the stop index.
Gradient ByAge(const std::string& name, std::vector<Point> dayToStop, std::vector<Stop> stops) {
  Curve position = ByDays(std::move(dayToStop));
  return Gradient{name, position, std::move(stops)};
}

std::vector<Gradient> Gradients() {
  return {
      Solid("pot", PotColour),
      Solid("saucer", SaucerColour),
      Solid("dry", Rgb(150, 110, 60)),
      Solid("dry edge", Rgb(105, 75, 40)),
      Solid("starved", Rgb(205, 190, 70)),
      Solid("starved edge", Rgb(150, 140, 50)),
      ByAge("stem", {{0.0, 0.0}, {20.0, 1.0}, {120.0, 2.0}},
            {Rgb(120, 190, 80), Rgb(70, 140, 50), Rgb(110, 100, 60)}),
      ByAge("stem edge", {{0.0, 0.0}, {20.0, 1.0}, {120.0, 2.0}},
            {Rgb(70, 130, 45), Rgb(40, 95, 30), Rgb(80, 70, 40)}),
      ByAge("leaf", {{0.0, 0.0}, {8.0, 1.0}, {50.0, 1.0}, {80.0, 2.0}, {110.0, 3.0}},
            {Rgb(130, 200, 70), Rgb(50, 140, 45), Rgb(170, 170, 60), Rgb(140, 100, 50)}),
      ByAge("leaf back", {{0.0, 0.0}, {8.0, 1.0}, {50.0, 1.0}, {80.0, 2.0}, {110.0, 3.0}},
            {Rgb(150, 210, 100), Rgb(90, 170, 80), Rgb(185, 185, 90), Rgb(150, 115, 65)}),
      ByAge("leaf edge", {{0.0, 0.0}, {8.0, 1.0}, {50.0, 1.0}, {80.0, 2.0}, {110.0, 3.0}},
            {Rgb(80, 150, 45), Rgb(30, 95, 30), Rgb(130, 125, 40), Rgb(100, 70, 35)}),
  };
}

// The seedling: node 1 the pot, node 2 the first stem piece leaning a little to the right, nodes
// 3 and 4 its seed leaves to either side.
std::vector<Node> Seedling() {
  Node pot;
  pot.parent = 0;
  pot.kind = "pot";
  pot.upLocal = {0.0, 1.0, 0.0};
  pot.directionLocal = {0.0, 0.0, 1.0};

  Node stem;
  stem.parent = 1;
  stem.kind = "main1";
  stem.frameRef = 1;
  stem.age = 0.5 * kStepsPerDay;
  stem.upLocal = {-1.0, 0.0, 0.0};
  stem.directionLocal = {0.0, 0.1, 1.0};
  stem.offset = {0.0, 0.0, 1.0};
  stem.waterRates[0] = -0.004;
  stem.waterRates[1] = 0.004;
  stem.fertiliserRates[0] = -0.002;
  stem.fertiliserRates[1] = 0.002;

  std::vector<Node> nodes{pot, stem};
  for (const double side : {1.0, -1.0}) {
    Node leaf;
    leaf.parent = 2;
    leaf.slot = 0;
    leaf.kind = "leaf";
    leaf.frameRef = 2;
    leaf.age = 0.3 * kStepsPerDay;
    leaf.upLocal = {0.0, 1.0, 0.0};
    leaf.directionLocal = {side * 0.8, 0.0, 0.6};
    leaf.offset = {0.0, 0.0, 0.9};
    leaf.waterRates[0] = -0.005;
    leaf.waterRates[1] = 0.005;
    leaf.fertiliserRates[0] = -0.002;
    leaf.fertiliserRates[1] = 0.002;
    nodes.push_back(leaf);
  }
  return nodes;
}

}  // namespace

Species DefaultSpecies() {
  Species s;
  s.record = PotRecord();
  s.rootKind = "anchor";
  s.types = {AnchorType(), PotType(), StemType(), LeafType()};
  s.kinds = Kinds();
  s.shapes = {PotShape(), StemShape(), LeafShape()};
  s.materials = {Plain("pot", "pot"), Plain("saucer", "saucer"), Living("stem", "stem", "stem", "stem edge"),
                 Living("leaf", "leaf", "leaf back", "leaf edge")};
  s.gradients = Gradients();
  s.nodes = Seedling();
  return s;
}

}  // namespace species
