// Node frames worked out by hand: a chain of nodes, a rotated parent, tropism and droop, the
// refresh cache, and a property sweep over random frames.
#include "plant/node_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "plant/tests/frame_fixture.h"
#include "plant/vec3_math.h"

namespace plant {
namespace {

using test::FrameFixture;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = 1e-12;
const double kHalfRoot2 = std::sqrt(0.5);

void ExpectVec(const Vec3& actual, double x, double y, double z) {
  EXPECT_NEAR(actual.x, x, kTolerance);
  EXPECT_NEAR(actual.y, y, kTolerance);
  EXPECT_NEAR(actual.z, z, kTolerance);
}

TEST(NodeGeometry, ChainStacksNodesAlongTheirParentsScaledAxes) {
  FrameFixture f(4);
  f.Kind().widthByAge = FrameFixture::Constant(2.0);
  f.Kind().depthByAge = FrameFixture::Constant(3.0);
  f.Kind().lengthByAge = FrameFixture::Constant(4.0);
  f.Type().sizeByA = FrameFixture::Constant(0.5);
  Plant& p = f.plant;
  p.Node(1).widthFactor = 1.5;
  p.Node(1).lengthFactor = 2.0;
  p.Node(2).offset = {0, 0, 1};      // on top of node 1
  p.Node(3).offset = {1, 1, 0.5};    // beside node 2, half way up
  for (int32_t i = 1; i < 4; ++i) ComputeNodeFrame(p, i);

  // Depth takes the width factor, length the length factor: 2 x 0.5 x 1.5, 3 x 0.5 x 1.5, 4 x 0.5 x 2.
  EXPECT_EQ(p.Node(1).width, 1.5);
  EXPECT_EQ(p.Node(1).depth, 2.25);
  EXPECT_EQ(p.Node(1).length, 4.0);
  ExpectVec(p.Node(1).position, 0, 0, 0);
  ExpectVec(p.Node(2).position, 0, 0, 4);
  // Node 2 is 1 x 1.5 x 2: its sibling offset (1, 1, 0.5) lands at (1, 1.5, 4 + 1).
  ExpectVec(p.Node(3).position, 1, 1.5, 5);
  ExpectVec(p.Node(3).axisX, 1, 0, 0);
  ExpectVec(p.Node(3).axisY, 0, 1, 0);
  ExpectVec(p.Node(3).axisZ, 0, 0, 1);
}

TEST(NodeGeometry, RotatedParentCarriesChildFrameAndOffset) {
  FrameFixture f(3);
  Plant& p = f.plant;
  f.Kind().lengthByAge = FrameFixture::Constant(2.0);
  // Node 1 grows along world Y with its up along world Z: X = up x growth = Z x Y = -X.
  p.Node(1).upLocal = {0, 0, 1};
  p.Node(1).directionLocal = {0, 1, 0};
  // Node 2 keeps its directions in node 1's frame: growth along node 1's Y, up along node 1's Z.
  p.Node(2).frameRef = 1;
  p.Node(2).offset = {0, 0, 1};
  p.Node(2).upLocal = {0, 0, 1};
  p.Node(2).directionLocal = {0, 1, 0};
  ComputeNodeFrame(p, 1);
  ComputeNodeFrame(p, 2);

  ExpectVec(p.Node(1).axisX, -1, 0, 0);
  ExpectVec(p.Node(1).axisY, 0, 0, 1);
  ExpectVec(p.Node(1).axisZ, 0, 1, 0);
  ExpectVec(p.Node(2).position, 0, 2, 0);  // the tip of node 1, length 2 along world Y
  ExpectVec(p.Node(2).axisZ, 0, 0, 1);     // node 1's Y
  ExpectVec(p.Node(2).axisY, 0, 1, 0);     // node 1's Z
  ExpectVec(p.Node(2).axisX, 1, 0, 0);
}

TEST(NodeGeometry, TropismSetTurnsAboutReferenceX) {
  FrameFixture f(2);
  f.Type().tropismOperation = kTropismSet;
  f.Type().tropismAxes = 0;
  f.Type().tropismByAge = FrameFixture::Constant(kPi / 2);
  Plant& p = f.plant;
  ComputeNodeFrame(p, 1);
  // Straight up has no XY component, so G falls back to Y; I = X, J = Z, K = X x Z = -Y. Setting
  // the angle from Z to a quarter turn points the node along -Y and its up (Y) along Z.
  ExpectVec(p.Node(1).axisZ, 0, -1, 0);
  ExpectVec(p.Node(1).axisY, 0, 0, 1);
  ExpectVec(p.Node(1).axisX, 1, 0, 0);
}

TEST(NodeGeometry, TropismAddTurnsFurtherAboutReferenceY) {
  FrameFixture f(2);
  f.Type().tropismOperation = kTropismAdd;
  f.Type().tropismAxes = -1;  // sign ignored: I = Y, J = Z, K = Y x Z = X
  f.Type().tropismByAge = FrameFixture::Constant(kPi / 4);
  Plant& p = f.plant;
  p.Node(1).directionLocal = {kHalfRoot2, 0, kHalfRoot2};  // 45 degrees from Z toward X
  ComputeNodeFrame(p, 1);
  ExpectVec(p.Node(1).axisZ, 1, 0, 0);
  ExpectVec(p.Node(1).axisY, 0, 1, 0);  // up lies along the rotation axis and stays
}

TEST(NodeGeometry, TropismThatCannotTurnLeavesTheFrameBitForBit) {
  struct Row {
    int32_t operation;
    int32_t axes;
    double tau;
  };
  const Row rows[] = {
      {kTropismNone, 0, 1.0},      // no operation
      {kTropismAdd, 0, 0.0},       // no amount
      {kTropismAdd, 6, 1.0},       // no axis: skipped rather than turned about garbage
      {kTropismAdd, -9, 1.0},
  };
  for (const Row& row : rows) {
    FrameFixture f(2);
    f.Type().tropismOperation = row.operation;
    f.Type().tropismAxes = row.axes;
    f.Type().tropismByAge = FrameFixture::Constant(row.tau);
    Plant& p = f.plant;
    p.Node(1).directionLocal = {0.6, 0, 0.8};
    p.Node(1).upLocal = {0, 1, 0};
    ComputeNodeFrame(p, 1);
    EXPECT_EQ(p.Node(1).axisZ.x, 0.6);
    EXPECT_EQ(p.Node(1).axisZ.z, 0.8);
    EXPECT_EQ(p.Node(1).axisY.y, 1.0);
  }
}

TEST(NodeGeometry, ReversedTropismKeepsTheDirection) {
  FrameFixture f(2);
  f.Type().tropismOperation = kTropismReversed;
  f.Type().tropismAxes = 2;
  f.Type().tropismByAge = FrameFixture::Constant(1.0);
  Plant& p = f.plant;
  p.Node(1).directionLocal = {0.6, 0, 0.8};
  ComputeNodeFrame(p, 1);
  ExpectVec(p.Node(1).axisZ, 0.6, 0, 0.8);
}

TEST(NodeGeometry, DroopHalvesTheAngleFromStraightDown) {
  FrameFixture f(2);
  f.Type().droopByA = FrameFixture::Constant(0.5);
  Plant& p = f.plant;
  p.Node(1).directionLocal = {1, 0, 0};  // horizontal, a quarter turn from down
  p.Node(1).upLocal = {0, 0, 1};
  ComputeNodeFrame(p, 1);
  ExpectVec(p.Node(1).axisZ, kHalfRoot2, 0, -kHalfRoot2);
  ExpectVec(p.Node(1).axisY, kHalfRoot2, 0, kHalfRoot2);  // up turns with it
}

TEST(NodeGeometry, DroopZeroHangsEveryDirectionStraightDown) {
  const Vec3 directions[] = {{0, 0, 1}, {1, 0, 0}, {0, -0.6, 0.8}, {0.48, 0.6, -0.64}};
  for (const Vec3& direction : directions) {
    FrameFixture f(2);
    f.Type().droopByA = FrameFixture::Constant(0.0);
    Plant& p = f.plant;
    p.Node(1).directionLocal = direction;
    Vec3 up;
    Vec3Cross(&up, direction, Vec3{0, 0.8, 0.6});  // any direction perpendicular to it
    Vec3Normalize(&up);
    p.Node(1).upLocal = up;
    ComputeNodeFrame(p, 1);
    ExpectVec(p.Node(1).axisZ, 0, 0, -1);
  }
}

TEST(NodeGeometry, RefreshRunsOncePerStepCountOfEachPlantAndNeverTouchesNodeZero) {
  FrameFixture f(3);
  Plant& p = f.plant;
  p.Node(2).offset = {0, 0, 1};
  p.Node(0).position = {0, 0, 0.5};
  p.Record().stepCount = 7;
  RefreshNodeFrames(p);
  EXPECT_EQ(p.Node(2).position.z, 1.5);

  p.Node(0).position = {0, 0, 2};
  RefreshNodeFrames(p);  // same step count: nothing recomputed
  EXPECT_EQ(p.Node(2).position.z, 1.5);

  // A second plant of the process at the same step count has frames of its own to compute.
  FrameFixture second(3);
  second.plant.Node(2).offset = {0, 0, 1};
  second.plant.Record().stepCount = 7;
  RefreshNodeFrames(second.plant);
  EXPECT_EQ(second.plant.Node(2).position.z, 1.0);

  uint8_t root[FrameFixture::kNodeSize];
  std::memcpy(root, p.NodeBytes(0), sizeof root);
  p.Record().stepCount = 8;
  RefreshNodeFrames(p);
  EXPECT_EQ(p.Node(1).position.z, 2.0);
  EXPECT_EQ(p.Node(2).position.z, 3.0);
  EXPECT_EQ(std::memcmp(root, p.NodeBytes(0), sizeof root), 0);
}

// Random unit direction with an up direction perpendicular to it.
void RandomDirections(std::mt19937& random, Vec3* direction, Vec3* up) {
  std::normal_distribution<double> normal;
  Vec3 helper;
  do {
    Vec3Set(direction, normal(random), normal(random), normal(random));
    Vec3Set(&helper, normal(random), normal(random), normal(random));
    Vec3Cross(up, *direction, helper);
  } while (Vec3Length(*direction) < 1e-3 || Vec3Length(*up) < 1e-3);
  Vec3Normalize(direction);
  Vec3Normalize(up);
}

TEST(NodeGeometry, EveryBendKeepsAnOrthonormalFrame) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> amount(-3.0, 3.0);
  const int32_t operations[] = {kTropismAdd, kTropismMultiply, kTropismSet, kTropismReversed};
  for (int trial = 0; trial < 200; ++trial) {
    for (int32_t operation : operations) {
      for (int32_t axes = -5; axes <= 5; ++axes) {
        FrameFixture f(2);
        f.Type().tropismOperation = operation;
        f.Type().tropismAxes = axes;
        f.Type().tropismByAge = FrameFixture::Constant(amount(random));
        f.Type().droopByA = FrameFixture::Constant(amount(random) + 1.0);
        Plant& p = f.plant;
        RandomDirections(random, &p.Node(1).directionLocal, &p.Node(1).upLocal);
        ComputeNodeFrame(p, 1);
        const PlantNode& n = p.Node(1);
        ASSERT_NEAR(Vec3Length(n.axisX), 1.0, 1e-9);
        ASSERT_NEAR(Vec3Length(n.axisY), 1.0, 1e-9);
        ASSERT_NEAR(Vec3Length(n.axisZ), 1.0, 1e-9);
        ASSERT_NEAR(Vec3Dot(n.axisX, n.axisY), 0.0, 1e-9);
        ASSERT_NEAR(Vec3Dot(n.axisY, n.axisZ), 0.0, 1e-9);
        ASSERT_NEAR(Vec3Dot(n.axisZ, n.axisX), 0.0, 1e-9);
      }
    }
  }
}

}  // namespace
}  // namespace plant
