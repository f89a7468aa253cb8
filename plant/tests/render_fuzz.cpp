// Fuzz target: any bytes the plant validator accepts render without a fault. The plant file is
// external input (installed species, configuration archives), and the renderer reads it in place.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/render_core.h"

namespace {

class NullSink : public plant::DrawSink {
 public:
  void FillPolygon(const plant::ScreenPoint*, uint32_t, uint32_t) override {}
  void DrawEdge(plant::ScreenPoint, plant::ScreenPoint, uint32_t) override {}
  void DrawPixel(plant::ScreenPoint, uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plant::Plant plant;
  plant.screenWidth = 1920;
  plant.screenHeight = 1080;
  std::string why;
  if (plant::LoadPlantBytes(plant, data, size, 1735689600, &why) != plant::LoadResult::Ok) {
    return 0;
  }
  plant::RefreshNodeFrames(plant);
  plant::PlantRenderer renderer(plant, nullptr);
  plant::RenderLayout layout{};
  if (renderer.Plan(&layout) == plant::RenderResult::Ok) {
    NullSink sink;
    (void)renderer.Draw(layout, sink);
  }
  return 0;
}
