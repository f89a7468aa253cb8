// Render benchmark: the default species grown from its seedling for one simulated year (seed 1,
// automatic care), rendered at a 1920 x 1080 desktop again and again with GDI; prints the
// milliseconds of one render (minimum and median). Runs under Wine.
//
//   render_bench [renders]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/render_gdi_win.h"
#include "tools/render/standalone_render_host_win.h"
#include "tools/species/default_species.h"

int main(int argc, char** argv) {
  const int renders = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  std::vector<uint8_t> file;
  std::string why;
  if (!species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) {
    std::fprintf(stderr, "render_bench: cannot build the default species: %s\n", why.c_str());
    return 1;
  }
  plant::Plant plant;
  plant.screenWidth = 1920;
  plant.screenHeight = 1080;
  if (plant::LoadPlantBytes(plant, file.data(), file.size(), tools::kFixedClock, &why) != plant::LoadResult::Ok) {
    std::fprintf(stderr, "render_bench: the default species does not load: %s\n", why.c_str());
    return 1;
  }
  plant.Record().flags |= plant::kAutoCare;
  plant::SeedRandom(1);
  const uint32_t yearSteps = static_cast<uint32_t>(365 * 86400 / plant.Record().secondsPerStep);
  plant::SimulatePlant(plant, yearSteps);
  plant::RefreshNodeFrames(plant);

  tools::StandaloneRenderHost host;
  plant::PlantPicture picture;
  std::vector<double> ms;
  for (int i = 0; i < renders; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (plant::RenderPlant(plant, picture, host) != plant::RenderOutcome::HandedOver) {
      std::fprintf(stderr, "render_bench: render failed\n");
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  const plant::PictureObjects& shown = picture.Objects();
  std::printf("default species after %u steps (one simulated year, seed 1): %d nodes\n", yearSteps,
              plant.Record().nodeCount);
  std::printf("picture %dx%d at a 1920x1080 desktop, %d renders\n", shown.Width(), shown.Height(), renders);
  std::printf("one render: min %.2f ms, median %.2f ms\n", ms.front(), ms[ms.size() / 2]);
  return 0;
}
