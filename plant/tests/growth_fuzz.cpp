// libFuzzer target: whatever plant file the loader accepts is grown for a few dozen steps, with
// its health asked after each; the growth step and the geometry must stay inside the loaded
// blocks and clear of undefined behaviour for every accepted file. After every step the plant is
// saved and loaded again: a plant that growth made and the loader refuses would be lost at the
// next start, so that ends the run with the loader's reason.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "plant/growth_simulation.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/tests/memory_file_ops.h"

namespace {

constexpr int64_t kNewYear2025 = 1735689600;
constexpr int kSteps = 48;
// Enough nodes to exercise births and deaths; beyond it a run only costs time.
constexpr int32_t kNodeLimit = 2048;

void ExpectSaveAndReload(plant::Plant& grown, int step) {
  plant::test::MemoryFileOps files;
  grown.path = "grown.plt";
  plant::Plant reloaded;
  reloaded.path = grown.path;
  std::string why = "the save failed";
  if (plant::SavePlantFile(grown, files) != plant::SaveResult::Ok ||
      plant::LoadPlantFile(reloaded, files, kNewYear2025, &why) != plant::LoadResult::Ok) {
    std::fprintf(stderr, "step %d grew a plant that does not load again: %s\n", step, why.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plant::Plant plant;
  if (plant::LoadPlantBytes(plant, data, size, kNewYear2025, nullptr) != plant::LoadResult::Ok) {
    return 0;
  }
  plant::SeedRandom(static_cast<uint32_t>(size));
  for (int step = 1; step <= kSteps && plant.Record().nodeCount < kNodeLimit; ++step) {
    plant::SimulatePlant(plant, 1);
    (void)plant::ComputePlantHealth(plant);
    ExpectSaveAndReload(plant, step);
  }
  return 0;
}
