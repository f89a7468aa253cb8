// Growth benchmark: grows the default species from its seedling for one simulated year at the
// species' own step length, once as a single catch-up batch and once step by step (as the worker
// runs it when the program is on), and prints the figures.
//
//   growth_bench [seed]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "tools/species/default_species.h"

namespace {

using Clock = std::chrono::steady_clock;

// 2025-01-01 00:00 UTC: a fixed start, so every run grows the same plant.
constexpr int64_t kStart = 1735689600;

bool LoadSeedling(const std::vector<uint8_t>& file, plant::Plant* out) {
  std::string why;
  if (plant::LoadPlantBytes(*out, file.data(), file.size(), kStart, &why) != plant::LoadResult::Ok) {
    std::fprintf(stderr, "growth_bench: the default species does not load: %s\n", why.c_str());
    return false;
  }
  out->Record().flags |= plant::kAutoCare;
  return true;
}

struct Run {
  double seconds;
  int32_t nodeCount;
  int32_t peakNodeCount;
  double health;
};

Run Grow(plant::Plant& p, uint32_t steps, uint32_t batch, uint32_t seed) {
  plant::SeedRandom(seed);
  Run run{0.0, 0, p.Record().nodeCount, 0.0};
  const Clock::time_point start = Clock::now();
  for (uint32_t done = 0; done < steps; done += batch) {
    plant::SimulatePlant(p, batch);
    if (p.Record().nodeCount > run.peakNodeCount) run.peakNodeCount = p.Record().nodeCount;
  }
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.nodeCount = p.Record().nodeCount;
  run.health = plant::ComputePlantHealth(p);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t seed = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1;
  std::vector<uint8_t> file;
  std::string why;
  if (!species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) {
    std::fprintf(stderr, "growth_bench: cannot build the default species: %s\n", why.c_str());
    return 1;
  }
  plant::Plant catchUp;
  plant::Plant stepwise;
  if (!LoadSeedling(file, &catchUp) || !LoadSeedling(file, &stepwise)) {
    return 1;
  }
  const int32_t secondsPerStep = catchUp.Record().secondsPerStep;
  const uint32_t yearSteps = static_cast<uint32_t>(365 * 86400 / secondsPerStep);
  const int32_t startNodes = catchUp.Record().nodeCount;

  const Run batch = Grow(catchUp, yearSteps, yearSteps, seed);
  const Run single = Grow(stepwise, yearSteps, 1, seed);

  std::printf("default species, seed %u, %d s per step, %u steps = one simulated year, automatic care\n", seed,
              secondsPerStep, yearSteps);
  std::printf("nodes: %d at the start, %d at the end (peak %d), health %.3f\n", startNodes, batch.nodeCount,
              single.peakNodeCount, batch.health);
  const size_t nodeBytes = static_cast<size_t>(batch.nodeCount) * static_cast<uint32_t>(catchUp.Record().nodeSize);
  const bool same = batch.nodeCount == single.nodeCount &&
                    std::memcmp(catchUp.nodes.get(), stepwise.nodes.get(), nodeBytes) == 0;
  std::printf("batch and step-by-step runs grew %s\n", same ? "the same plant" : "DIFFERENT plants");
  std::printf("a year of catch-up in one batch: %.3f s (%.0f steps/s)\n", batch.seconds, yearSteps / batch.seconds);
  std::printf("a year step by step, frames refreshed after every step: %.3f s (%.0f steps/s)\n", single.seconds,
              yearSteps / single.seconds);
  return 0;
}
