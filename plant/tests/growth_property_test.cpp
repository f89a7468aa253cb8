// Properties of the growth step over many seeds and changing care: after every step the node array
// is a valid tree whose counters match it, and the plant still passes the validator after it is
// saved to a file and loaded again.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/plant_validator.h"
#include "plant/random.h"
#include "plant/species.h"
#include "plant/tests/growth_fixture.h"
#include "tools/species/default_species.h"

namespace plant {
namespace {

constexpr int kStepsPerDay = 144;

bool IsAncestorOrRoot(const Plant& p, int32_t node, int32_t candidate) {
  for (int32_t a = p.Node(node).parent; a >= 0; a = p.Node(a).parent) {
    if (a == candidate) return true;
  }
  return candidate == 0;
}

// Empty when the array is a valid tree: parents and references are earlier ancestors, every
// childCount and slot counter equals the children found, and the slots after the last node are zero.
std::string TreeProblem(const Plant& p) {
  const PlantRecord& r = p.Record();
  const int32_t count = r.nodeCount;
  const size_t nodeSize = static_cast<uint32_t>(r.nodeSize);
  std::vector<uint32_t> children(static_cast<size_t>(count), 0);
  std::vector<std::vector<int>> bySlot(static_cast<size_t>(count), std::vector<int>(nodeSize - kNodeFixedSize, 0));
  for (int32_t i = 1; i < count; ++i) {
    const PlantNode& n = p.Node(i);
    if (n.parent < 0 || n.parent >= i) return "node " + std::to_string(i) + ": parent not earlier";
    if (!IsAncestorOrRoot(p, i, n.frameRef) || !IsAncestorOrRoot(p, i, n.tropismRef)) {
      return "node " + std::to_string(i) + ": reference is not an ancestor";
    }
    if (n.age == kDeadAge) return "node " + std::to_string(i) + ": dead node left in the array";
    children[static_cast<size_t>(n.parent)] += 1;
    bySlot[static_cast<size_t>(n.parent)][n.slot] += 1;
  }
  for (int32_t i = 0; i < count; ++i) {
    if (p.Node(i).childCount != children[static_cast<size_t>(i)]) {
      return "node " + std::to_string(i) + ": childCount differs from its children";
    }
    const uint8_t* counters = p.NodeBytes(i) + kNodeFixedSize;
    const uint8_t slots = KindAt(p.record.get(), p.Node(i).kindOffset)->slotCount;
    for (uint8_t s = 0; s < slots; ++s) {
      if (counters[s] != bySlot[static_cast<size_t>(i)][s]) {
        return "node " + std::to_string(i) + ": slot counter differs from its children";
      }
    }
  }
  const uint8_t* tail = p.NodeBytes(count);
  const size_t tailSize = static_cast<size_t>(r.nodeCapacity + 1 - count) * nodeSize;
  for (size_t b = 0; b < tailSize; ++b) {
    if (tail[b] != 0) return "spare slots are not zero";
  }
  return "";
}

// Care that changes every day: mostly watered and fed, now and then forgotten or overdone, with
// the temperature and light wandering from comfortable to harmful.
struct CareSchedule {
  explicit CareSchedule(uint32_t seed) : random(seed) {}

  void StartDay(PlantRecord& r) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double water = unit(random);
    if (water < 0.6) r.waterLevel = 0.3 + water;
    if (water > 0.97) r.waterLevel = 1.8;
    if (unit(random) < 0.1) r.fertiliserLevel = 0.3 + unit(random);
    r.temperature = 8.0 + 30.0 * unit(random);
    r.light = 0.1 + 0.9 * unit(random);
    if (unit(random) < 0.05) r.flags ^= kAutoCare;
  }

  std::mt19937 random;
};

std::string ScratchPath(uint32_t seed) {
  std::random_device device;
  const std::string name = "verdelo-growth-" + std::to_string(seed) + "-" + std::to_string(device()) + ".plt";
  return (std::filesystem::temp_directory_path() / name).string();
}

void ExpectSavedPlantLoads(Plant& p, uint32_t seed) {
  p.path = ScratchPath(seed);
  ASSERT_EQ(SavePlantFile(p, SystemFileOps()), SaveResult::Ok);
  Plant loaded;
  loaded.path = p.path;
  loaded.screenWidth = 1024;
  loaded.screenHeight = 768;
  std::string why;
  const LoadResult result = LoadPlantFile(loaded, SystemFileOps(), test::kNewYear2025, &why);
  std::remove(p.path.c_str());
  ASSERT_EQ(result, LoadResult::Ok) << why;
  ASSERT_EQ(loaded.Record().nodeCount, p.Record().nodeCount);
  const size_t nodeBytes = static_cast<size_t>(p.Record().nodeCount) * static_cast<uint32_t>(p.Record().nodeSize);
  EXPECT_EQ(std::memcmp(loaded.nodes.get(), p.nodes.get(), nodeBytes), 0);
}

TEST(GrowthProperties, EveryStepLeavesAValidTreeThatSavesAndLoads) {
  test::UseUtcTimeZone();
  std::vector<uint8_t> file;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) << why;
  int grown = 0;
  int withDeaths = 0;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    Plant p;
    ASSERT_EQ(LoadPlantBytes(p, file.data(), file.size(), test::kNewYear2025, &why), LoadResult::Ok) << why;
    ForgetNodeFrames();
    SeedRandom(seed);
    CareSchedule care(seed);
    int32_t peak = 0;
    bool died = false;
    for (int step = 0; step < 30 * kStepsPerDay; ++step) {
      if (step % kStepsPerDay == 0) care.StartDay(p.Record());
      const int32_t before = p.Record().nodeCount;
      SimulatePlant(p, 1);
      died = died || p.Record().nodeCount < before;
      const std::string problem = TreeProblem(p);
      ASSERT_EQ(problem, "") << "seed " << seed << ", step " << step;
      peak = std::max(peak, p.Record().nodeCount);
      if (step % (5 * kStepsPerDay) == 0) {
        ASSERT_TRUE(ValidatePlant(p.record.get(), p.nodes.get(), &why)) << "seed " << seed << ": " << why;
      }
    }
    grown += peak > 20 ? 1 : 0;
    withDeaths += died ? 1 : 0;
    ExpectSavedPlantLoads(p, seed);
  }
  // The schedules must exercise both births and deaths to prove anything.
  EXPECT_GE(grown, 4);
  EXPECT_GE(withDeaths, 4);
}

}  // namespace
}  // namespace plant
