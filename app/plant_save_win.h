// Saving the plant file as the plant is shown: the plant rectangle lives with the shown picture
// (the renderer, the banner and the plant window move it), and the plant file keeps it as fractions
// of the screen, so every save takes it from the picture first.
#pragma once

#include <cstdint>

#include "plant/plant_file.h"
#include "plant/plant_picture_win.h"
#include "plant/plant_state.h"

namespace plantapp {

/// Saves plant with the rectangle of the picture shown now; a picture not made yet keeps the
/// loaded rectangle. On failure *systemError (when given) tells why (SavePlantFile). Requires: the
/// plant-data lock held (the picture's lock is taken inside, in that order).
plant::SaveResult SavePlantAsShown(plant::Plant& plant, plant::PlantPicture& picture,
                                   uint32_t* systemError = nullptr);

}  // namespace plantapp
