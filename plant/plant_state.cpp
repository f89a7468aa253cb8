// The process's one plant.
#include "plant/plant_state.h"

namespace plant {

void Plant::Reset() {
  record.reset();
  nodes.reset();
  renumber.reset();
  pixelsPerUnit = 0.0;
  rect = PixelRect{};
  lastFrameStep = -1;
}

Plant& CurrentPlant() {
  static Plant plant;
  return plant;
}

}  // namespace plant
