// Ageing a plant file; see age_plant.h.
#include "tools/ageplant/age_plant.h"

#include <cstring>

#include "plant/plant_clock.h"
#include "plant/plant_file.h"
#include "plant/plant_record.h"

namespace age_tool {
bool AgePlantBytes(std::vector<uint8_t>* bytes, int64_t now, int64_t secondsBack, bool cared,
                   std::string* why) {
  if (secondsBack < 0) {
    *why = "the time back must not be negative";
    return false;
  }
  // The engine's own loader decides whether these are a plant file; the loaded copy is dropped.
  plant::Plant probe;
  if (plant::LoadPlantBytes(probe, bytes->data(), bytes->size(), now, why) != plant::LoadResult::Ok) {
    return false;
  }
  // The loader has proved the fixed fields are all there; they move out and back whole.
  plant::PlantRecord record;
  std::memcpy(&record, bytes->data(), sizeof record);
  record.clock = plant::StoreClock(now - secondsBack);
  record.flags |= plant::kGrowWhileOff | plant::kCleanShutdown | (cared ? plant::kAutoCare : 0);
  std::memcpy(bytes->data(), &record, sizeof record);
  return true;
}

}  // namespace age_tool
