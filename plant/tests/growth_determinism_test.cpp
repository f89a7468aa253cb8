// One seed and one plant file grow one plant on every build: the node array of the default species
// after a month of steps (with a dry spell that kills most leaves) is held here as a hash, and the native and Windows builds must both give
// it. The hash covers what growth decides (structure, ages, states, trends, rates, factors,
// counters), which uses only IEEE additions, multiplications, divisions and comparisons. Frames
// also pass through sin, cos and atan2, whose last bits differ between C runtimes, so they are
// compared with a tolerance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "plant/growth_simulation.h"
#include "plant/random.h"
#include "plant/tests/growth_fixture.h"
#include "tools/species/default_species.h"

namespace plant {
namespace {

constexpr int kStepsPerDay = 144;
constexpr uint32_t kSeed = 20251209;
constexpr uint64_t kExpectedHash = 0x780f57ba419c6458;
constexpr int32_t kExpectedNodeCount = 47;
constexpr int32_t kExpectedGrownCount = 37;
constexpr int32_t kExpectedDriedCount = 16;
constexpr double kExpectedGeometrySum = 656.02695165795694;

class Fnv1a {
 public:
  template <typename T>
  void Add(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) {
      hash_ = (hash_ ^ b) * 0x100000001b3ull;
    }
  }
  [[nodiscard]] uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ull;
};

uint64_t GrowthHash(const Plant& p) {
  Fnv1a h;
  const PlantRecord& r = p.Record();
  h.Add(r.nodeCount);
  h.Add(r.stepCount);
  h.Add(r.waterLevel);
  h.Add(r.fertiliserLevel);
  for (int32_t i = 0; i < r.nodeCount; ++i) {
    const PlantNode& n = p.Node(i);
    h.Add(n.parent);
    h.Add(n.slot);
    h.Add(n.childCount);
    h.Add(n.kindOffset);
    h.Add(n.anchor);
    h.Add(n.frameRef);
    h.Add(n.tropismRef);
    h.Add(n.age);
    h.Add(n.widthFactor);
    h.Add(n.lengthFactor);
    h.Add(n.waterState);
    h.Add(n.fertiliserState);
    h.Add(n.waterTrend);
    h.Add(n.fertiliserTrend);
    h.Add(n.waterFallRate);
    h.Add(n.waterRiseRate);
    h.Add(n.fertiliserFallRate);
    h.Add(n.fertiliserRiseRate);
    for (uint32_t s = kNodeFixedSize; s < static_cast<uint32_t>(r.nodeSize); ++s) h.Add(p.NodeBytes(i)[s]);
  }
  return h.Value();
}

double GeometrySum(const Plant& p) {
  double sum = 0.0;
  for (int32_t i = 1; i < p.Record().nodeCount; ++i) {
    const PlantNode& n = p.Node(i);
    for (const Vec3* v : {&n.position, &n.axisX, &n.axisY, &n.axisZ, &n.upLocal, &n.directionLocal, &n.offset}) {
      sum += std::fabs(v->x) + std::fabs(v->y) + std::fabs(v->z);
    }
    sum += n.width + n.depth + n.length;
  }
  return sum;
}

TEST(GrowthDeterminism, AMonthOfTheDefaultSpeciesGivesTheSameNodeArrayOnEveryBuild) {
  test::UseUtcTimeZone();
  Plant p;
  test::LoadSpecies(species::DefaultSpecies(), &p);
  SeedRandom(kSeed);
  // Three weeks of automatic care, a few days in which the pot dries out, then care again.
  p.Record().flags |= kAutoCare;
  SimulatePlant(p, 21 * kStepsPerDay);
  const int32_t grown = p.Record().nodeCount;
  p.Record().flags &= ~kAutoCare;
  SimulatePlant(p, 5 * kStepsPerDay + 96);
  const int32_t dried = p.Record().nodeCount;
  p.Record().flags |= kAutoCare;
  SimulatePlant(p, 5 * kStepsPerDay);
  EXPECT_EQ(grown, kExpectedGrownCount);
  EXPECT_EQ(dried, kExpectedDriedCount);  // leaves died while the pot was dry
  std::printf("grown to %d nodes, %d left after the dry days, %d at the end\n", grown, dried, p.Record().nodeCount);
  std::printf("node count %d, growth hash 0x%016llx, geometry sum %.17g\n", p.Record().nodeCount,
              static_cast<unsigned long long>(GrowthHash(p)), GeometrySum(p));
  EXPECT_EQ(p.Record().nodeCount, kExpectedNodeCount);
  EXPECT_EQ(GrowthHash(p), kExpectedHash);
  EXPECT_NEAR(GeometrySum(p), kExpectedGeometrySum, 1e-9 * kExpectedGeometrySum);
}

}  // namespace
}  // namespace plant
