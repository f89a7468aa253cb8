// Render program: loads a plant file, optionally grows it, renders it at a given desktop size and
// writes the picture beside a line with its rectangle. Runs under Wine (it draws with GDI).
//
//   render_plant_file plant.plt out.png|out.bmp [--grow steps] [--seed n] [--size WxH] [--autocare 1]
//
// --autocare 1 sets the plant's automatic care before growing, so it is watered and fed.
//
// Prints "rect left top right bottom width height" on success.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plant/file_ops.h"
#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/render_gdi_win.h"
#include "tools/render/picture_file.h"
#include "tools/render/standalone_render_host_win.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: render_plant_file plant.plt out.png|out.bmp [--grow steps] [--seed n] [--size WxH] [--autocare 1]\n");
  return 2;
}

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string in = argv[1];
  const std::string out = argv[2];
  uint32_t steps = 0, seed = 1;
  bool autoCare = false;
  int width = 1920, height = 1080;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--grow") == 0) {
      steps = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      seed = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    } else if (std::strcmp(argv[i], "--autocare") == 0) {
      autoCare = std::strcmp(argv[i + 1], "0") != 0;
    } else if (std::strcmp(argv[i], "--size") == 0) {
      if (std::sscanf(argv[i + 1], "%dx%d", &width, &height) != 2 || width < 1 || height < 1) return Usage();
    } else {
      return Usage();
    }
  }
  if (!EndsWith(out, ".png") && !EndsWith(out, ".bmp")) return Usage();

  plant::Plant plant;
  plant.path = in;
  plant.screenWidth = width;
  plant.screenHeight = height;
  std::string why;
  const plant::LoadResult loaded = plant::LoadPlantFile(plant, plant::SystemFileOps(), tools::kFixedClock, &why);
  if (loaded != plant::LoadResult::Ok) {
    std::fprintf(stderr, "render_plant_file: %s: %s (%s)\n", in.c_str(), plant::LoadResultText(loaded), why.c_str());
    return 1;
  }
  if (autoCare) plant.Record().flags |= plant::kAutoCare;
  plant::SeedRandom(seed);
  if (steps > 0) plant::SimulatePlant(plant, steps);
  plant::RefreshNodeFrames(plant);

  tools::StandaloneRenderHost host;
  plant::PlantPicture picture;
  const plant::RenderOutcome outcome = plant::RenderPlant(plant, picture, host);
  if (outcome != plant::RenderOutcome::HandedOver) {
    std::fprintf(stderr, "render_plant_file: %s\n", plant::RenderOutcomeText(outcome));
    return 1;
  }
  plant::PictureObjects& shown = picture.Objects();
  const bool written = EndsWith(out, ".png") ? render_tool::WritePng(out, shown.bits, shown.Width(), shown.Height())
                                             : render_tool::WriteBmp(out, shown.bits, shown.Width(), shown.Height());
  if (!written) {
    std::fprintf(stderr, "render_plant_file: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("rect %ld %ld %ld %ld %d %d\n", static_cast<long>(shown.rect.left), static_cast<long>(shown.rect.top),
              static_cast<long>(shown.rect.right), static_cast<long>(shown.rect.bottom), shown.Width(),
              shown.Height());
  return 0;
}
