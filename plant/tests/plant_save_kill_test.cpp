// A child process saves the plant over and over, alternating two versions, and is killed with
// SIGKILL at a random moment; the plant file must then always be one complete version.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "plant/plant_file.h"
#include "plant/tests/test_plants.h"

namespace {

using Bytes = std::vector<uint8_t>;

[[noreturn]] void SaveForever(const std::string& path) {
  plant::Plant plant;
  const Bytes bytes = plant_test::DefaultPlantBytes();
  if (plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, nullptr) != plant::LoadResult::Ok) {
    _exit(3);
  }
  plant.path = path;
  for (uint64_t round = 0;; ++round) {
    plant.Record().waterLevel = (round % 2 == 0) ? 0.25 : 0.75;
    if (plant::SavePlantFile(plant, plant::SystemFileOps()) != plant::SaveResult::Ok) {
      _exit(4);
    }
  }
}

TEST(PlantFileSave, KilledSaverNeverLeavesATornFile) {
  plant_test::ScratchFolder folder("save_killed");
  const std::string path = folder.File("plant.plt");
  const Bytes original = plant_test::DefaultPlantBytes();
  plant_test::WriteFile(path, original);
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SaveForever(path);
    }
    usleep(2000 + random() % 20000);
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself, status " << status;

    const Bytes onDisk = plant_test::ReadFile(path);
    ASSERT_EQ(onDisk.size(), original.size()) << "round " << round;
    plant::Plant plant;
    std::string why;
    ASSERT_EQ(plant::LoadPlantBytes(plant, onDisk.data(), onDisk.size(), 0, &why), plant::LoadResult::Ok)
        << "round " << round << ": " << why;
    const double level = plant.Record().waterLevel;
    EXPECT_TRUE(level == 0.25 || level == 0.75 || onDisk == original) << "round " << round;
  }
}

}  // namespace
