// Ageing a plant file; see age_plant.h.
#include "tools/ageplant/age_plant.h"

#include <cstddef>
#include <cstring>

#include "plant/plant_clock.h"
#include "plant/plant_file.h"
#include "plant/plant_record.h"

namespace age_tool {
namespace {

template <typename T>
T Get(const std::vector<uint8_t>& bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

template <typename T>
void Put(std::vector<uint8_t>* bytes, size_t offset, const T& value) {
  std::memcpy(bytes->data() + offset, &value, sizeof value);
}

}  // namespace

bool AgePlantBytes(std::vector<uint8_t>* bytes, int64_t now, int64_t secondsBack, bool cared, std::string* why) {
  if (secondsBack < 0) {
    *why = "the time back must not be negative";
    return false;
  }
  // The engine's own loader decides whether these are a plant file; the loaded copy is dropped.
  plant::Plant probe;
  if (plant::LoadPlantBytes(probe, bytes->data(), bytes->size(), now, why) != plant::LoadResult::Ok) {
    return false;
  }
  const int32_t flags = Get<int32_t>(*bytes, offsetof(plant::PlantRecord, flags));
  Put(bytes, offsetof(plant::PlantRecord, clock), plant::StoreClock(now - secondsBack));
  const int32_t added = plant::kGrowWhileOff | plant::kCleanShutdown | (cared ? plant::kAutoCare : 0);
  Put(bytes, offsetof(plant::PlantRecord, flags), static_cast<int32_t>(flags | added));
  return true;
}

}  // namespace age_tool
