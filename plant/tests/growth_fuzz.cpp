// libFuzzer target: whatever plant file the loader accepts is grown for a few dozen steps, with
// its health asked after each; the growth step and the geometry must stay inside the loaded
// blocks and clear of undefined behaviour for every accepted file.
#include <cstddef>
#include <cstdint>

#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/random.h"

namespace {

constexpr int64_t kNewYear2025 = 1735689600;
constexpr int kSteps = 48;
// Enough nodes to exercise births and deaths; beyond it a run only costs time.
constexpr int32_t kNodeLimit = 2048;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plant::Plant plant;
  if (plant::LoadPlantBytes(plant, data, size, kNewYear2025, nullptr) != plant::LoadResult::Ok) {
    return 0;
  }
  plant::ForgetNodeFrames();
  plant::SeedRandom(static_cast<uint32_t>(size));
  for (int step = 0; step < kSteps && plant.Record().nodeCount < kNodeLimit; ++step) {
    plant::SimulatePlant(plant, 1);
    (void)plant::ComputePlantHealth(plant);
  }
  return 0;
}
