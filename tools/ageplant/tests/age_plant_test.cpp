// An aged plant keeps its clock at load, so the program grows it for the whole time back.
#include "tools/ageplant/age_plant.h"

#include <gtest/gtest.h>

#include "app/simulation_clock.h"
#include "plant/plant_file.h"
#include "plant/tests/test_plants.h"

namespace {

constexpr int64_t kNow = 1700000000;  // November 2023
constexpr int64_t kTwoWeeks = 14 * 86400;

TEST(AgePlant, TwoWeeksBackAreTwoWeeksOfCaredStepsAtTheNextStart) {
  std::vector<uint8_t> bytes = plant_test::DefaultPlantBytes();
  std::string why;
  ASSERT_TRUE(age_tool::AgePlantBytes(&bytes, kNow, kTwoWeeks, true, &why)) << why;
  plant::Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), kNow, &why), plant::LoadResult::Ok)
      << why;
  // The default species steps ten minutes: 14 x 144 steps.
  EXPECT_EQ(plantapp::StartupBacklog(kNow, plant.Record().clock, plant.Record().secondsPerStep), 2016);
  EXPECT_NE(plant.Record().flags & plant::kAutoCare, 0);
}

TEST(AgePlant, WhatIsNotAPlantFileIsLeftAlone) {
  std::vector<uint8_t> bytes = plant_test::DefaultPlantBytes();
  bytes[offsetof(plant::PlantRecord, signature)] = 'X';
  const std::vector<uint8_t> before = bytes;
  std::string why;
  EXPECT_FALSE(age_tool::AgePlantBytes(&bytes, kNow, kTwoWeeks, false, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(bytes, before);
  std::vector<uint8_t> good = plant_test::DefaultPlantBytes();
  EXPECT_FALSE(age_tool::AgePlantBytes(&good, kNow, -1, false, &why));
}

}  // namespace
