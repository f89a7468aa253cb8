// The plant file saved with the shown rectangle; see plant_save_win.h.
#include "app/plant_save_win.h"

#include <mutex>

#include "plant/file_ops.h"

namespace plantapp {

plant::SaveResult SavePlantAsShown(plant::Plant& plant, plant::PlantPicture& picture, uint32_t* systemError) {
  {
    const std::lock_guard<std::mutex> hold(picture.Lock());
    const RECT& r = picture.Objects().rect;
    if (r.right > r.left && r.bottom > r.top) {
      plant.rect = plant::PixelRect{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                                    static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
    }
  }
  return plant::SavePlantFile(plant, plant::SystemFileOps(), systemError);
}

}  // namespace plantapp
