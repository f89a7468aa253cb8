// Properties of the growth step over many seeds and changing care, for the default species and for
// species whose curves go negative, drop to zero or reach the ends of the double range: after
// every step the node array is a valid tree whose counters match it, and at the end of every day
// the plant is saved, loaded again (it must be accepted: a plant growth made and the loader
// refuses is lost at the next start) and grown on from what was loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/plant_clock.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/species.h"
#include "plant/tests/curve_extremes_species.h"
#include "plant/tests/growth_fixture.h"
#include "plant/tests/memory_file_ops.h"
#include "tools/species/default_species.h"

namespace plant {
namespace {

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

// Saves p, loads the file into a new plant with the clock where it stood, and checks that the
// nodes came back byte for byte; p then goes on as the loaded plant. Empty when all went well.
std::string SaveAndReload(Plant& p, test::MemoryFileOps& files) {
  p.path = "plant.plt";
  if (SavePlantFile(p, files) != SaveResult::Ok) return "the save failed";
  Plant loaded;
  loaded.path = p.path;
  std::string why;
  if (LoadPlantFile(loaded, files, ReadClock(p.Record().clock), &why) != LoadResult::Ok) {
    return "the loader refuses the saved plant: " + why;
  }
  const size_t nodeBytes = static_cast<size_t>(p.Record().nodeCount) * static_cast<uint32_t>(p.Record().nodeSize);
  if (loaded.Record().nodeCount != p.Record().nodeCount ||
      std::memcmp(loaded.nodes.get(), p.nodes.get(), nodeBytes) != 0) {
    return "the loaded nodes differ from the saved ones";
  }
  p = std::move(loaded);
  return "";
}

// What the runs of one species went through, counted in seeds.
struct Outcome {
  int grown = 0;       // the plant reached more than 20 nodes
  int withDeaths = 0;  // a node died
  int minusOne = 0;    // a node was saved with an age of exactly -1.0
  int nonFinite = 0;   // a node number or the water level was saved infinite or as no number
};

bool HasAgeMinusOne(const Plant& p) {
  for (int32_t i = 1; i < p.Record().nodeCount; ++i) {
    if (p.Node(i).age == -1.0) return true;
  }
  return false;
}

bool HasNonFiniteNumber(const Plant& p) {
  for (int32_t i = 1; i < p.Record().nodeCount; ++i) {
    const double* values = &p.Node(i).age;  // age to fertiliserState: 8 doubles
    if (!std::all_of(values, values + 8, [](double v) { return std::isfinite(v); })) return true;
  }
  return !std::isfinite(p.Record().waterLevel);
}

// Grows a plant of the species for each seed, checking the tree after every step and saving and
// loading it after every day.
Outcome GrowEverySeed(const species::Species& description, const std::string& name, uint32_t seeds, int days,
                      int stepsPerDay) {
  Outcome outcome;
  std::vector<uint8_t> file;
  std::string why;
  EXPECT_TRUE(species::BuildPlantFile(description, &file, &why)) << name << ": " << why;
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    Plant p;
    EXPECT_EQ(LoadPlantBytes(p, file.data(), file.size(), test::kNewYear2025, &why), LoadResult::Ok) << why;
    SeedRandom(seed);
    CareSchedule care(seed);
    test::MemoryFileOps files;
    int32_t peak = 0;
    bool died = false;
    bool minusOne = false;
    bool nonFinite = false;
    for (int day = 0; day < days; ++day) {
      care.StartDay(p.Record());
      for (int step = 0; step < stepsPerDay; ++step) {
        const int32_t before = p.Record().nodeCount;
        SimulatePlant(p, 1);
        died = died || p.Record().nodeCount < before;
        peak = std::max(peak, p.Record().nodeCount);
        const std::string problem = TreeProblem(p);
        if (!problem.empty()) {
          ADD_FAILURE() << name << ", seed " << seed << ", day " << day << ", step " << step << ": "
                        << problem;
          return outcome;
        }
      }
      minusOne = minusOne || HasAgeMinusOne(p);
      nonFinite = nonFinite || HasNonFiniteNumber(p);
      const std::string problem = SaveAndReload(p, files);
      if (!problem.empty()) {
        ADD_FAILURE() << name << ", seed " << seed << ", after day " << day << ": " << problem;
        return outcome;
      }
    }
    outcome.grown += peak > 20 ? 1 : 0;
    outcome.withDeaths += died ? 1 : 0;
    outcome.minusOne += minusOne ? 1 : 0;
    outcome.nonFinite += nonFinite ? 1 : 0;
  }
  return outcome;
}

TEST(GrowthProperties, TheDefaultSpeciesStaysAValidTreeThatSavesAndLoadsEveryDay) {
  test::UseUtcTimeZone();
  const Outcome outcome = GrowEverySeed(species::DefaultSpecies(), "default", 12, 30, 144);
  // The schedules must exercise both births and deaths to prove anything.
  EXPECT_GE(outcome.grown, 4);
  EXPECT_GE(outcome.withDeaths, 4);
}

TEST(GrowthProperties, NegativeZeroAndExtremeCurvesGrowPlantsThatLoadAgain) {
  test::UseUtcTimeZone();
  std::map<std::string, Outcome> outcomes;
  for (const test::NamedSpecies& s : test::CurveExtremesSpecies()) {
    const Outcome o = GrowEverySeed(s.description, s.name, 8, 6, test::kCurveExtremesStepsPerDay);
    std::printf(
        "%-9s of 8 seeds: %d with deaths, %d saved an age of -1.0, %d saved numbers that are not finite\n",
        s.name, o.withDeaths, o.minusOne, o.nonFinite);
    outcomes[s.name] = o;
  }
  // What each species is there for must have happened.
  EXPECT_GE(outcomes["branching"].withDeaths, 4);
  EXPECT_EQ(outcomes["negative"].minusOne, 8);  // at least the pot at the end of its first day
  EXPECT_GE(outcomes["extreme"].nonFinite, 4);
}

}  // namespace
}  // namespace plant
