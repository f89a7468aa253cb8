// The process's plant-data lock.
#include "app/plant_data_lock.h"

namespace plantapp {

std::mutex& PlantDataLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace plantapp
