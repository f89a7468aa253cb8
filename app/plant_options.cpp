// The options record in and out of its data file; see plant_options.h.
#include "app/plant_options.h"

#include <cstring>

#include "framework/files/data_file.h"

namespace plantapp {

// The record is four little-endian 32-bit integers without padding (see the static_asserts), so
// it moves in and out of the file's bytes in one copy.
void ReadOptions(DataFileStore& store, const std::string& optionsName, PlantOptions* options) {
  // The store reads over the buffer and leaves the rest of it, so the current values stand where
  // a short file ends.
  uint8_t bytes[kPlantOptionsSize];
  std::memcpy(bytes, options, sizeof bytes);
  if (store.ReadDataFile(optionsName.c_str(), kNoFileNumber, bytes, kPlantOptionsSize, kDataFolderLocation) != 0) {
    std::memcpy(options, bytes, sizeof bytes);
  }
}

uint32_t SaveOptions(DataFileStore& store, const std::string& optionsName, const PlantOptions& options) {
  uint8_t bytes[kPlantOptionsSize];
  std::memcpy(bytes, &options, sizeof bytes);
  return store.WriteDataFile(optionsName.c_str(), kNoFileNumber, bytes, kPlantOptionsSize, kDataFolderLocation);
}

}  // namespace plantapp
