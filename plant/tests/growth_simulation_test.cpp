// The growth step on small species whose numbers are chosen so that every result can be worked out
// by hand: care, the calendar, drift, trends, death, children with their random draws, ancestor
// selection and health.
#include "plant/growth_simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plant/child_spawn.h"
#include "plant/plant_clock.h"
#include "plant/random.h"
#include "plant/species.h"
#include "plant/tests/frame_fixture.h"
#include "plant/tests/growth_fixture.h"
#include "plant/tests/random_probe.h"

namespace plant {
namespace {

using species::Constant;
using test::ArithmeticSpecies;
using test::LoadSpecies;
using test::DrawsBetween;
using test::NodeOf;

// Values one more step draws.
int DrawsOfOneStep(Plant& p) {
  const uint32_t before = EngineRandom().State();
  SimulatePlant(p, 1);
  return DrawsBetween(before, EngineRandom().State(), 1000);
}

species::Node LeafWithWater(int32_t parent, double waterState) {
  species::Node n = NodeOf("leaf", parent);
  n.waterState = waterState;
  n.waterRates[0] = -0.0625;
  n.waterRates[1] = 0.0625;
  n.fertiliserRates[0] = -0.0625;
  n.fertiliserRates[1] = 0.0625;
  return n;
}

TEST(GrowthCare, UsesWaterAndFertiliserByTemperatureCountAndSeason) {
  species::Species s = ArithmeticSpecies();
  s.record.waterUseByTemperature = Constant(0.5);
  s.record.waterUseByCount = Constant(0.0625);
  s.record.fertiliserUseByCount = Constant(0.125);
  s.record.seasonCurve = Constant(0.5);
  s.record.waterLevel = 1.0;
  s.record.fertiliserLevel = 1.0;
  s.nodes = {NodeOf("pot", 0)};
  Plant p;
  LoadSpecies(s, &p);
  // Each step: water 0.5 x (0.0625 x 0.5) = 1/64, fertiliser 0.125 x 0.5 = 1/16.
  SimulatePlant(p, 3);
  EXPECT_EQ(p.Record().waterLevel, 1.0 - 3.0 / 64);
  EXPECT_EQ(p.Record().fertiliserLevel, 1.0 - 3.0 / 16);
  EXPECT_EQ(p.Record().waterEffect, 1.0 - 3.0 / 64);
  SimulatePlant(p, 37);
  EXPECT_EQ(p.Record().waterLevel, 1.0 - 40.0 / 64);
  EXPECT_EQ(p.Record().fertiliserLevel, -1.5);  // not clamped at 0
  EXPECT_EQ(p.Record().fertiliserEffect, 0.0);  // the curve is flat below its first point
  EXPECT_EQ(p.Record().stepCount, 40u);
  EXPECT_EQ(ReadClock(p.Record().clock), test::kNewYear2025 + 40 * 600);
}

TEST(GrowthCare, AutomaticCareRestoresTheOptimaEveryStep) {
  species::Species s = ArithmeticSpecies();
  s.record.flags = kAutoCare;
  s.record.waterUseByCount = Constant(0.25);
  s.record.optimalTemperature = 21.0;
  s.record.optimalLight = 0.75;
  s.nodes = {NodeOf("pot", 0)};
  Plant p;
  LoadSpecies(s, &p);
  for (int step = 0; step < 3; ++step) {
    PlantRecord& r = p.Record();
    r.waterLevel = 0.125;
    r.fertiliserLevel = -2.0;
    r.temperature = 3.0;
    r.light = 0.0;
    SimulatePlant(p, 1);
    EXPECT_EQ(r.waterLevel, 0.5);
    EXPECT_EQ(r.fertiliserLevel, 0.5);
    EXPECT_EQ(r.temperature, 21.0);
    EXPECT_EQ(r.light, 0.75);
    EXPECT_EQ(r.waterEffect, 0.5);
  }
}

// A curve that is 2 (a certain chance) at x and 0 half a unit or more away from it.
species::Curve PeakAt(double x) { return species::Line({{x - 0.5, 0.0}, {x, 2.0}, {x + 0.5, 0.0}}); }

// 2025-03-06 12:00 UTC less one step: the first step lands on day 64 with step count 1.
constexpr int64_t kBeforeDay64 = test::kNewYear2025 + 64 * 86400 + 43200 - 600;

TEST(GrowthStepCurves, SeasonGrowthAndMakingReadTheDayAndTheStepCount) {
  test::UseUtcTimeZone();
  species::Species s = ArithmeticSpecies();
  s.record.waterUseByTemperature = Constant(0.5);
  s.record.waterUseByCount = Constant(0.0625);
  s.record.seasonCurve = species::Line({{0.0, 0.0}, {128.0, 1.0}});
  s.types[2].growthByDay = species::Line({{0.0, 0.0}, {128.0, 1.0}});
  // Making a leaf is certain on day 64 at step 1 and impossible on any other day or step; the
  // pot's own type, which is not the child's, would never make one.
  s.types[2].spawnByDay = species::Line({{63.0, 0.0}, {64.0, 2.0}});
  s.types[2].spawnBySteps = species::Line({{1.0, 2.0}, {2.0, 0.0}});
  s.types[1].spawnByDay = Constant(0.0);
  s.types[1].spawnBySteps = Constant(0.0);
  s.kinds[1].slots[0].spawnByAge = Constant(1.0);
  s.kinds[1].slots[0].maxCount = 2;
  s.nodes = {NodeOf("pot", 0), NodeOf("leaf", 1)};
  Plant p;
  LoadSpecies(s, &p, kBeforeDay64);
  SimulatePlant(p, 1);
  ASSERT_EQ(p.Record().dayOfYear, 64);
  ASSERT_EQ(p.Record().stepCount, 1u);
  EXPECT_EQ(p.Record().waterLevel, 0.5 - 0.5 * 0.0625 * 0.5);  // season(64) = 0.5
  EXPECT_EQ(p.Node(2).age, 0.5);                               // growthByDay(64) = 0.5
  ASSERT_EQ(p.Record().nodeCount, 4);
  EXPECT_EQ(p.Node(3).parent, 1);
  EXPECT_EQ(p.Node(3).age, 0.5);
}

// The four chances of a water trend are drawn in a fixed order and the first that fires ends the
// draws, so the number of values one step draws tells which fired. Each row makes one of them
// certain at its own argument only (step 1, the leaf's age 300, day 64, the leaf's A 0.5).
TEST(GrowthTrend, TheFourWaterTrendChancesDrawInOrderAtTheirOwnArguments) {
  struct Row {
    const char* chance;
    void (*make)(species::Species&);
    int draws;
  };
  const Row rows[] = {
      // The pot fires at its first chance (2 values) and draws 2 for fertiliser and 2 for its
      // slot; the leaf inherits its trend and draws only 2 for fertiliser and 2 for its slot.
      {"by step", [](species::Species& s) { s.record.trendChanceByStep = PeakAt(1.0); }, 6 + 4},
      // From here the pot draws 8 + 2 + 2; the leaf 2 per chance up to the one that fires, then
      // 2 for fertiliser and 2 for its slot.
      {"by age", [](species::Species& s) { s.types[2].trendByAge = PeakAt(300.0); }, 12 + 4 + 4},
      {"by day", [](species::Species& s) { s.types[2].trendByDay = PeakAt(64.0); }, 12 + 6 + 4},
      {"by A", [](species::Species& s) { s.types[2].trendByA = PeakAt(0.5); }, 12 + 8 + 4},
  };
  test::UseUtcTimeZone();
  for (const Row& row : rows) {
    species::Species s = ArithmeticSpecies();
    species::Node leaf = NodeOf("leaf", 1);
    leaf.age = 300.0;
    s.nodes = {NodeOf("pot", 0), leaf};
    row.make(s);
    Plant p;
    LoadSpecies(s, &p, kBeforeDay64);
    EXPECT_EQ(DrawsOfOneStep(p), row.draws) << row.chance;
    EXPECT_EQ(p.Node(2).waterTrend, -1) << row.chance;  // A 0.5 is not above the optimum's 0.5
  }
}

TEST(GrowthCalendar, FoldsTheLeapDayAndKeepsTimeBeyond2038) {
  test::UseUtcTimeZone();
  struct Row {
    int64_t noon;
    int32_t day;
  };
  const Row rows[] = {
      {1709121600, 58},   // 2024-02-28: nothing before 29 February moves
      {1709208000, 58},   // 2024-02-29 shares its day with 28 February
      {1709294400, 59},   // 2024-03-01
      {1677672000, 59},   // 2023-03-01
      {1735646400, 364},  // 2024-12-31
      {2214216000, 59},   // 2040-03-01: the stored clock is negative as an int32
      {4107499200, 58},   // 2100-02-28
      {4107585600, 59},   // 2100-03-01: 2100 is no leap year, so nothing is folded
  };
  species::Species s = ArithmeticSpecies();
  s.nodes = {NodeOf("pot", 0)};
  for (const Row& row : rows) {
    Plant p;
    LoadSpecies(s, &p, row.noon - 600);
    SimulatePlant(p, 1);
    EXPECT_EQ(p.Record().dayOfYear, row.day) << row.noon;
    EXPECT_EQ(ReadClock(p.Record().clock), row.noon);
  }
}

TEST(GrowthDrift, StatesTrackTheEffectsAndStopOnThem) {
  species::Species s = ArithmeticSpecies();
  s.record.waterLevel = 0.25;
  s.record.fertiliserLevel = 0.5;
  species::Node leaf = LeafWithWater(1, 0.5);
  leaf.fertiliserState = 0.25;
  s.nodes = {NodeOf("pot", 0), leaf};
  Plant p;
  LoadSpecies(s, &p);
  const double water[] = {0.4375, 0.375, 0.3125, 0.25, 0.25};
  const double fertiliser[] = {0.3125, 0.375, 0.4375, 0.5, 0.5};
  for (int step = 0; step < 5; ++step) {
    SimulatePlant(p, 1);
    EXPECT_EQ(p.Node(2).waterState, water[step]) << step;
    EXPECT_EQ(p.Node(2).fertiliserState, fertiliser[step]) << step;
    EXPECT_EQ(p.Node(2).age, step + 1.0);
  }
}

TEST(GrowthTrend, BoundsSetTheTrendAndTheLowerBoundWins) {
  struct Row {
    double upper;
    double lower;
    int8_t trend;
    double water;  // after one step at twice the rate
  };
  const Row rows[] = {
      {0.75, -1e9, 1, 0.875},  // at the upper bound: rising
      {1e9, 0.75, -1, 0.625},  // at the lower bound: falling
      {0.75, 0.8, -1, 0.625},  // at both: the lower bound wins
      {0.8, 0.7, 0, 0.6875},   // between them: tracking toward 0.5
  };
  for (const Row& row : rows) {
    species::Species s = ArithmeticSpecies();
    s.types[2].waterUpper = row.upper;
    s.types[2].waterLower = row.lower;
    s.nodes = {NodeOf("pot", 0), LeafWithWater(1, 0.75)};
    Plant p;
    LoadSpecies(s, &p);
    SimulatePlant(p, 1);
    EXPECT_EQ(p.Node(2).waterTrend, row.trend) << row.upper << " " << row.lower;
    EXPECT_EQ(p.Node(2).waterState, row.water);
  }
}

TEST(GrowthTrend, SpreadsThroughASubtreeInOneStepAndStopsItsChildren) {
  species::Species s = ArithmeticSpecies();
  s.types[2].waterUpper = 0.75;
  s.kinds[2].slots[0].spawnByAge = Constant(2.0);  // certain, were it not for the trend
  s.nodes = {NodeOf("pot", 0), LeafWithWater(1, 0.75), LeafWithWater(2, 0.5), LeafWithWater(3, 0.5)};
  Plant p;
  LoadSpecies(s, &p);
  SimulatePlant(p, 1);
  ASSERT_EQ(p.Record().nodeCount, 5);  // no child: every leaf has a trend
  for (int32_t i = 2; i <= 4; ++i) {
    EXPECT_EQ(p.Node(i).waterTrend, 1) << i;
    EXPECT_EQ(p.Node(i).age, 1.0) << i;  // a trend does not stop ageing
  }
  EXPECT_EQ(p.Node(3).waterState, 0.625);  // drifts at the trend rate, away from the effect
  SimulatePlant(p, 1);
  EXPECT_EQ(p.Node(3).waterState, 0.75);
}

TEST(GrowthDeath, RemovesTheSubtreeAndGrowsTheNextNodeInTheSameStep) {
  species::Species s = ArithmeticSpecies();
  s.types[2].minA = 0.45;
  s.record.waterLevel = 0.25;
  species::Node steady = NodeOf("leaf", 1);  // no rates: stays at 0.5
  s.nodes = {NodeOf("pot", 0), LeafWithWater(1, 0.5), LeafWithWater(2, 0.5), steady};
  Plant p;
  LoadSpecies(s, &p);
  SimulatePlant(p, 1);  // node 2 falls to 0.4375 < 0.45 and takes node 3 with it
  ASSERT_EQ(p.Record().nodeCount, 3);
  EXPECT_EQ(p.Node(2).parent, 1);
  EXPECT_EQ(p.Node(2).waterState, 0.5);
  EXPECT_EQ(p.Node(2).age, 1.0);  // the node that slid into index 2 was grown once
  EXPECT_EQ(p.Node(1).childCount, 1u);
  EXPECT_EQ(p.SlotCounters(1)[0], 1);

  s.types[2].minA = 0.4375;  // nodes 2 and 3 reach exactly the bound: they live
  Plant q;
  LoadSpecies(s, &q);
  q.Node(4).waterState = std::nan("");  // fails every comparison, yet must not survive them
  SimulatePlant(q, 1);
  ASSERT_EQ(q.Record().nodeCount, 4);
  EXPECT_EQ(q.Node(3).waterState, 0.4375);
}

TEST(GrowthDeath, RemovesOnlyTheDyingSubtreeEvenBesideALivingNodeAgedMinusOne) {
  species::Species s = ArithmeticSpecies();
  s.types[2].minA = 0.45;
  s.types[2].growthByA = Constant(-0.5);  // ages fall by 0.5 a step
  s.record.waterLevel = 0.25;
  species::Node ageing = NodeOf("leaf", 1);
  ageing.age = -0.5;
  s.nodes = {NodeOf("pot", 0), LeafWithWater(1, 0.5625), ageing};
  Plant p;
  LoadSpecies(s, &p);
  SimulatePlant(p, 1);
  ASSERT_EQ(p.Node(3).age, -1.0);  // alive, though its age equals the dead mark
  SimulatePlant(p, 1);             // node 2 reaches 0.4375 and dies
  ASSERT_EQ(p.Record().nodeCount, 3);
  EXPECT_EQ(p.Node(2).parent, 1);
  EXPECT_EQ(p.Node(2).age, -1.5);
  EXPECT_EQ(p.Node(1).childCount, 1u);
}

TEST(GrowthChildren, ANewbornStartsAtOptimalCareAndGrowsInItsBirthStep) {
  species::Species s = ArithmeticSpecies();
  s.kinds[1].slots[0].maxCount = 1;
  s.kinds[1].slots[0].spawnByAge = Constant(2.0);  // above 1 + 1/32767: certain
  s.nodes = {NodeOf("pot", 0)};
  Plant p;
  LoadSpecies(s, &p);
  SeedRandom(5);
  // Pot: 8 values for the water trend chances, 2 for fertiliser, 2 for the slot, 16 for the
  // child; the newborn leaf: 10 for its trends and 2 for its own (zero) spawn chance.
  EXPECT_EQ(DrawsOfOneStep(p), 40);
  ASSERT_EQ(p.Record().nodeCount, 3);
  const PlantNode& child = p.Node(2);
  EXPECT_EQ(child.parent, 1);
  EXPECT_EQ(child.slot, 0);
  EXPECT_EQ(child.kindOffset, SlotsOf(KindAt(p.record.get(), p.Node(1).kindOffset))[0].childKindOffset);
  EXPECT_EQ(child.waterState, 0.5);
  EXPECT_EQ(child.fertiliserState, 0.5);
  EXPECT_EQ(child.waterFallRate, -0.0625);  // no spread
  EXPECT_EQ(child.age, 1.0);
  EXPECT_EQ(p.Node(1).childCount, 1u);
  EXPECT_EQ(p.SlotCounters(1)[0], 1);
  // The slot is full now and is skipped without a draw.
  EXPECT_EQ(DrawsOfOneStep(p), 10 + 12);
  EXPECT_EQ(p.Record().nodeCount, 3);
}

TEST(GrowthChildren, ATrendOrAZeroBudgetChangesWhatIsDrawn) {
  species::Species s = ArithmeticSpecies();
  s.kinds[1].slots[0].spawnByAge = Constant(2.0);
  s.types[1].waterUpper = 0.5;  // the pot starts at 0.5: rising from its first step
  s.nodes = {NodeOf("pot", 0)};
  Plant p;
  LoadSpecies(s, &p);
  EXPECT_EQ(DrawsOfOneStep(p), 12);  // trend chances, then the slot's chance, forced to 0
  EXPECT_EQ(DrawsOfOneStep(p), 4);   // with a water trend its chances are no longer drawn
  EXPECT_EQ(p.Record().nodeCount, 2);

  s.types[1].waterUpper = 1e9;
  s.kinds[1].maxChildren = 0;
  Plant q;
  LoadSpecies(s, &q);
  EXPECT_EQ(DrawsOfOneStep(q), 10);  // no budget: no slot is tried
  EXPECT_EQ(q.Record().nodeCount, 2);

  // A negative budget fraction saturates to no budget instead of an undefined conversion.
  s.kinds[1].maxChildren = 8;
  s.types[1].childrenByG = Constant(-0.5);
  Plant r;
  LoadSpecies(s, &r);
  EXPECT_EQ(DrawsOfOneStep(r), 10);
  s.types[1].childrenByG = Constant(1e300);  // and a huge one to the largest count
  Plant t;
  LoadSpecies(s, &t);
  EXPECT_EQ(DrawsOfOneStep(t), 10 + 2 + 16 + 10 + 2);
}

TEST(GrowthChildren, AFailedAppendChangesNothingAndIsRetriedLater) {
  species::Species s = ArithmeticSpecies();
  s.kinds[1].slots[0].spawnByAge = Constant(2.0);
  s.kinds[1].slots[0].maxCount = 1;
  s.nodes = {NodeOf("pot", 0)};
  Plant p;
  LoadSpecies(s, &p);
  p.Record().nodeCapacityIncrement = 0;  // the full array cannot grow
  SimulatePlant(p, 1);
  EXPECT_EQ(p.Record().nodeCount, 2);
  EXPECT_EQ(p.Node(1).childCount, 0u);
  EXPECT_EQ(p.SlotCounters(1)[0], 0);
  p.Record().nodeCapacityIncrement = 4;
  SimulatePlant(p, 1);
  EXPECT_EQ(p.Record().nodeCount, 3);
  EXPECT_EQ(p.Node(1).childCount, 1u);
}

// A chain pot - 2 - 3 - 4 whose frames are easy to name (all at the origin, of size 1):
// node 2: X = (0,0,1), Y = (1,0,0), Z = (0,1,0); node 3 (anchor 1): X = (0,1,0), Y = (0,0,1),
// Z = (1,0,0); node 4: X = (1,0,0), Y = (0,0,-1), Z = (0,1,0). Node 4 makes a leaf oriented by o.
Plant SpawnOnFramedChain(const species::Orientation& o) {
  species::Species s = ArithmeticSpecies();
  s.kinds[2].slots[0].orientation = o;
  species::Node n2 = NodeOf("leaf", 1);
  n2.upLocal = {1, 0, 0};
  n2.directionLocal = {0, 1, 0};
  species::Node n3 = NodeOf("leaf", 2);
  n3.upLocal = {0, 0, 1};
  n3.directionLocal = {1, 0, 0};
  n3.anchor = 1;
  species::Node n4 = NodeOf("leaf", 3);
  n4.upLocal = {0, 0, -1};
  n4.directionLocal = {0, 1, 0};
  s.nodes = {NodeOf("pot", 0), n2, n3, n4};
  Plant p;
  LoadSpecies(s, &p);
  EXPECT_TRUE(SpawnChild(p, 4, 0));
  return p;
}

TEST(GrowthChildren, OrientationFollowsTheSelectedFramesRollAndFlipsAndIsStoredInTheFrameReference) {
  constexpr double kQuarter = 1.5707963267948966;
  constexpr double kEighth = kQuarter / 2;
  const double h = std::sqrt(0.5);
  struct Row {
    const char* what;
    species::Orientation o;
    Vec3 up;
    Vec3 direction;
  };
  std::vector<Row> rows(3);
  // Direction from node 4 (depth -1), up from node 3 (first anchor), stored in node 2 (depth -3).
  // Polar a quarter turn, azimuth an eighth, roll a quarter turn, each flipped (certain chances):
  // w = -(h X4 - h Y4) = (-h, 0, -h). v = Z3 x w = (0, h, 0); u = v x w = (-h, 0, h) once
  // normalised; the flipped roll plus the quarter turn every child gets is no turn: v = u. In node
  // 2's frame: up (h, -h, 0), direction (-h, -h, 0).
  rows[0].what = "selected frames, roll and flips";
  rows[0].o.directionSelector = -1;
  rows[0].o.upSelector = 1;
  rows[0].o.frameSelector = -3;
  rows[0].o.polarRange[0] = rows[0].o.polarRange[1] = kQuarter;
  rows[0].o.azimuthRange[0] = rows[0].o.azimuthRange[1] = kEighth;
  rows[0].o.rollRange[0] = rows[0].o.rollRange[1] = kQuarter;
  rows[0].o.polarFlip = rows[0].o.azimuthFlip = rows[0].o.rollFlip = 2.0;
  rows[0].up = {h, -h, 0};
  rows[0].direction = {-h, -h, 0};
  // Straight along node 4's Z, (0,1,0), which is also the up reference node 2's Z: no up from
  // Z2 x w. The child would sit at node 4's tip along X4, (1,0,0), so v = (1,0,0) x w = (0,0,1),
  // and a quarter turn of roll keeps it. In node 2's frame: up (1,0,0), direction (0,0,1).
  rows[1].what = "up from the child's position";
  rows[1].o.directionSelector = -1;
  rows[1].o.upSelector = -3;
  rows[1].o.frameSelector = -3;
  rows[1].o.polar = kQuarter;
  rows[1].up = {1, 0, 0};
  rows[1].direction = {0, 0, 1};
  // The same with no offset: the child sits on node 2's origin, so up is node 2's Y, (1,0,0):
  // in node 2's frame up (0,1,0), direction (0,0,1).
  rows[2] = rows[1];
  rows[2].what = "up from the up reference's Y";
  rows[2].o.radius = 0.0;
  rows[2].up = {0, 1, 0};
  for (const Row& row : rows) {
    SeedRandom(1);
    Plant p = SpawnOnFramedChain(row.o);
    ASSERT_EQ(p.Record().nodeCount, 6) << row.what;
    const PlantNode& child = p.Node(5);
    EXPECT_EQ(child.frameRef, 2) << row.what;
    EXPECT_NEAR(child.upLocal.x, row.up.x, 1e-12) << row.what;
    EXPECT_NEAR(child.upLocal.y, row.up.y, 1e-12) << row.what;
    EXPECT_NEAR(child.upLocal.z, row.up.z, 1e-12) << row.what;
    EXPECT_NEAR(child.directionLocal.x, row.direction.x, 1e-12) << row.what;
    EXPECT_NEAR(child.directionLocal.y, row.direction.y, 1e-12) << row.what;
    EXPECT_NEAR(child.directionLocal.z, row.direction.z, 1e-12) << row.what;
  }
}

TEST(GrowthChildren, SelectorsPickAncestorsByDepthOrAnchorCount) {
  test::FrameFixture f(6);
  const uint8_t anchors[] = {0, 0, 1, 0, 1, 1};  // nodes 0 to 5, a chain
  for (int32_t i = 0; i < 6; ++i) f.plant.Node(i).anchor = anchors[i];
  // Walking up from node 5: depth -1 node 5 (count 1), -2 node 4 (2), -3 node 3 (2), -4 node 2 (3),
  // -5 node 1 (3), -6 node 0 (3).
  struct Row {
    AncestorSelector selector;
    int32_t picked;
  };
  const Row rows[] = {{0, 0}, {-1, 5}, {-3, 3}, {-6, 0}, {-10, 0}, {1, 5}, {2, 4}, {3, 2}, {5, 0}};
  for (const Row& row : rows) {
    EXPECT_EQ(SelectAncestor(f.plant, 5, row.selector), row.picked) << row.selector;
  }
}

TEST(GrowthHealth, AveragesGrowthOfCountingNodesAndKnowsWhenItCannotTell) {
  species::Species s = ArithmeticSpecies();
  s.types[2].growthByA = species::Line({{0.0, 0.0}, {1.0, 1.0}});
  s.types[2].growthByB = species::Line({{0.0, 0.0}, {1.0, 1.0}});
  Plant empty;
  LoadSpecies(s, &empty);
  EXPECT_EQ(ComputePlantHealth(empty), -1.0);  // only node 0

  s.nodes = {NodeOf("pot", 0)};
  Plant potOnly;
  LoadSpecies(s, &potOnly);
  EXPECT_EQ(ComputePlantHealth(potOnly), -1.0);  // the pot's type does not count
  SimulatePlant(potOnly, 3);
  EXPECT_EQ(ComputePlantHealth(potOnly), -1.0);  // steps alone are no life

  species::Node a = NodeOf("leaf", 1);
  a.waterState = 0.5;
  a.fertiliserState = 0.25;
  species::Node b = NodeOf("leaf", 1);
  b.waterState = 0.75;
  b.fertiliserState = 0.5;
  s.nodes = {NodeOf("pot", 0), a, b};
  Plant mixed;
  LoadSpecies(s, &mixed);
  EXPECT_EQ(ComputePlantHealth(mixed), 0.5 * (0.75 + 1.25) / 2);
  mixed.Node(3).fertiliserTrend = -1;  // counts, but adds nothing
  EXPECT_EQ(ComputePlantHealth(mixed), 0.5 * 0.75 / 2);
}

}  // namespace
}  // namespace plant
