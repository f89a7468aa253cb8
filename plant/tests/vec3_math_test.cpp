// Vector operations on worked values, including outputs that alias their inputs.
#include "plant/vec3_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plant {
namespace {

void ExpectVec(const Vec3& actual, double x, double y, double z) {
  EXPECT_EQ(actual.x, x);
  EXPECT_EQ(actual.y, y);
  EXPECT_EQ(actual.z, z);
}

TEST(Vec3Math, ComponentWiseOperations) {
  const Vec3 a{1, 2, 3};
  const Vec3 b{4, -5, 0.5};
  Vec3 out;
  ExpectVec(*Vec3Add(&out, a, b), 5, -3, 3.5);
  ExpectVec(*Vec3Sub(&out, a, b), -3, 7, 2.5);
  ExpectVec(*Vec3Scale(&out, a, -2), -2, -4, -6);
  ExpectVec(*Vec3ScaleAxes(&out, a, 2, 0.5, -1), 2, 1, -3);
  ExpectVec(*Vec3Set(&out, 7, 8, 9), 7, 8, 9);
  ExpectVec(*Vec3Copy(&out, b), 4, -5, 0.5);
  EXPECT_EQ(Vec3Dot(a, b), 4 - 10 + 1.5);
}

TEST(Vec3Math, CrossFollowsTheRightHandRuleAndVanishesForParallels) {
  Vec3 out;
  ExpectVec(*Vec3Cross(&out, Vec3{1, 0, 0}, Vec3{0, 1, 0}), 0, 0, 1);
  ExpectVec(*Vec3Cross(&out, Vec3{0, 1, 0}, Vec3{0, 0, 1}), 1, 0, 0);
  ExpectVec(*Vec3Cross(&out, Vec3{1, 2, 3}, Vec3{4, 5, 6}), -3, 6, -3);
  ExpectVec(*Vec3Cross(&out, Vec3{1, 2, 3}, Vec3{-2, -4, -6}), 0, 0, 0);
}

TEST(Vec3Math, OutputMayBeAnInput) {
  Vec3 a{1, 2, 3};
  Vec3Cross(&a, a, Vec3{4, 5, 6});
  ExpectVec(a, -3, 6, -3);
  Vec3 v{1, 2, 3};
  Vec3Combine(&v, v, Vec3{0, 1, 0}, Vec3{0, 0, 1}, Vec3{1, 0, 0});
  ExpectVec(v, 3, 1, 2);
  Vec3 s{1, 1, 1};
  Vec3Sub(&s, Vec3{5, 5, 5}, s);
  ExpectVec(s, 4, 4, 4);
}

TEST(Vec3Math, LengthNormaliseAndProject) {
  Vec3 v{3, 4, 0};
  EXPECT_EQ(Vec3Length(v), 5);
  EXPECT_EQ(Vec3Normalize(&v), 5);
  ExpectVec(v, 0.6, 0.8, 0);
  Vec3 unit{0, 0, 1};
  EXPECT_EQ(Vec3Normalize(&unit), 1);
  ExpectVec(unit, 0, 0, 1);
  const Vec3 a{2, 0, 0};
  EXPECT_EQ(Vec3Project(a, Vec3{3, 7, -1}), 3);  // divides by |a|, the first argument
  const Vec3 c{1, 2, 2};
  EXPECT_EQ(Vec3Project(c, c), 3);
}

TEST(Vec3Math, CombineIsAChangeOfBasis) {
  Vec3 out;
  // Frame turned a quarter turn about Z: X' = Y, Y' = -X, Z' = Z.
  ExpectVec(*Vec3Combine(&out, Vec3{2, 3, 4}, Vec3{0, 1, 0}, Vec3{-1, 0, 0}, Vec3{0, 0, 1}), -3, 2, 4);
}

TEST(Vec3Math, FromPolarTakesRadiusPolarAndAzimuth) {
  const double pi = 3.14159265358979323846;
  Vec3 out;
  Vec3FromPolar(&out, Vec3{2, 0, 1.234});
  ExpectVec(out, 0, 0, 2);
  Vec3FromPolar(&out, Vec3{2, pi / 2, pi / 2});
  EXPECT_NEAR(out.x, 0, 1e-15);
  EXPECT_NEAR(out.y, 2, 1e-15);
  EXPECT_NEAR(out.z, 0, 1e-15);
  Vec3FromPolar(&out, Vec3{1, pi / 3, pi});
  EXPECT_NEAR(out.x, -std::sqrt(3.0) / 2, 1e-15);
  EXPECT_NEAR(out.y, 0, 1e-15);
  EXPECT_NEAR(out.z, 0.5, 1e-15);
}

}  // namespace
}  // namespace plant
