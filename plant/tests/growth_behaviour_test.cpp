// The default species on real runs of the simulation: cared for it grows over weeks; without
// water it declines and dies; darkness, cold and heat stop its growth and heat dries the pot.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/plant_record.h"
#include "plant/random.h"
#include "plant/tests/growth_fixture.h"
#include "tools/species/default_species.h"

namespace plant {
namespace {

constexpr int kStepsPerDay = 144;  // the default species steps 600 s

// What the user does before every step; a negative value leaves that setting alone.
struct Care {
  double water = 0.6;
  double fertiliser = 0.6;
  double temperature = 20.0;
  double light = 0.7;
};

struct Figures {
  int32_t nodeCount;
  double oldestAge;
  double health;
};

Figures Measure(const Plant& p) {
  Figures f{p.Record().nodeCount, 0.0, ComputePlantHealth(p)};
  for (int32_t i = 2; i < f.nodeCount; ++i) f.oldestAge = std::max(f.oldestAge, p.Node(i).age);
  return f;
}

void LoadSeedling(Plant* p) {
  test::UseUtcTimeZone();
  test::LoadSpecies(species::DefaultSpecies(), p);
  SeedRandom(2026);
}

// Grows p for days, applying care before every step (as the plant dialog may at any moment), and
// returns the figures at the end of each day.
std::vector<Figures> GrowDays(Plant& p, int days, const Care& care) {
  std::vector<Figures> daily;
  for (int day = 0; day < days; ++day) {
    for (int step = 0; step < kStepsPerDay; ++step) {
      PlantRecord& r = p.Record();
      if (care.water >= 0) r.waterLevel = care.water;
      if (care.fertiliser >= 0) r.fertiliserLevel = care.fertiliser;
      r.temperature = care.temperature;
      r.light = care.light;
      SimulatePlant(p, 1);
    }
    daily.push_back(Measure(p));
  }
  return daily;
}

TEST(DefaultSpecies, CaredForItGrowsOverWeeksAndStaysHealthy) {
  Plant p;
  LoadSeedling(&p);
  const Figures start = Measure(p);
  const std::vector<Figures> days = GrowDays(p, 28, Care{});
  for (int week = 1; week <= 4; ++week) {
    const Figures& end = days[static_cast<size_t>(week * 7 - 1)];
    const Figures& before = week == 1 ? start : days[static_cast<size_t>(week * 7 - 8)];
    EXPECT_GT(end.nodeCount, before.nodeCount) << "week " << week;
    EXPECT_GT(end.oldestAge, before.oldestAge + 6 * kStepsPerDay) << "week " << week;
  }
  for (const Figures& day : days) {
    EXPECT_GE(day.health, 0.9);
  }
  EXPECT_GE(days.back().nodeCount, 3 * start.nodeCount);
}

TEST(DefaultSpecies, WithoutWaterItDeclinesAndDiesForGood) {
  Plant p;
  LoadSeedling(&p);
  Care dry;
  dry.water = -1.0;
  const std::vector<Figures> days = GrowDays(p, 21, dry);
  const auto dead = std::find_if(days.begin(), days.end(), [](const Figures& f) { return f.nodeCount == 2; });
  ASSERT_NE(dead, days.end()) << "still alive after three weeks without water";
  EXPECT_LT(dead - days.begin(), 10);
  const bool declined = std::any_of(days.begin(), dead, [](const Figures& f) { return f.health < 0.9; });
  EXPECT_TRUE(declined) << "died without a visible decline";
  EXPECT_EQ(dead->health, 0.0);  // only the pot is left: dead, not unknown
  EXPECT_LT(p.Record().waterLevel, 0.0);
  // Watering a dead plant brings nothing back: the pot never sprouts again.
  GrowDays(p, 7, Care{});
  EXPECT_EQ(p.Record().nodeCount, 2);
}

TEST(DefaultSpecies, DarknessColdAndHeatStopItsGrowth) {
  struct Row {
    const char* what;
    double temperature;
    double light;
  };
  const Row rows[] = {{"darkness", 20.0, 0.0}, {"cold", 3.0, 0.7}, {"heat", 45.0, 0.7}};
  for (const Row& row : rows) {
    Plant p;
    LoadSeedling(&p);
    const Figures start = Measure(p);
    Care care;
    care.temperature = row.temperature;
    care.light = row.light;
    const Figures end = GrowDays(p, 14, care).back();
    EXPECT_EQ(end.nodeCount, start.nodeCount) << row.what;
    EXPECT_EQ(end.oldestAge, start.oldestAge) << row.what;
  }
}

TEST(DefaultSpecies, DimLightAndWarmthSlowItsGrowth) {
  Plant good;
  LoadSeedling(&good);
  const Figures best = GrowDays(good, 21, Care{}).back();
  struct Row {
    const char* what;
    double temperature;
    double light;
  };
  const Row rows[] = {{"dim light", 20.0, 0.15}, {"warmth", 34.0, 0.7}, {"coolness", 12.0, 0.7}};
  for (const Row& row : rows) {
    Plant p;
    LoadSeedling(&p);
    const Figures start = Measure(p);
    Care care;
    care.temperature = row.temperature;
    care.light = row.light;
    const Figures end = GrowDays(p, 21, care).back();
    EXPECT_GT(end.oldestAge, start.oldestAge) << row.what;
    EXPECT_LT(end.oldestAge, best.oldestAge) << row.what;
    EXPECT_LE(end.nodeCount, best.nodeCount) << row.what;
  }
}

TEST(DefaultSpecies, HeatDriesThePotFaster) {
  double level[2];
  const double temperatures[2] = {20.0, 35.0};
  for (int i = 0; i < 2; ++i) {
    Plant p;
    LoadSeedling(&p);
    Care care;
    care.water = -1.0;
    care.temperature = temperatures[i];
    GrowDays(p, 2, care);
    level[i] = p.Record().waterLevel;
  }
  EXPECT_LT(level[1], level[0]);
  EXPECT_LT(level[1], 0.6 - 1.5 * (0.6 - level[0]));  // at 35 degrees water goes 1.8 times as fast
}

}  // namespace
}  // namespace plant
