// The options record in and out of its data file; see plant_options.h.
#include "app/plant_options.h"

#include <cstring>

#include "framework/data_file.h"

namespace app {
namespace {

using OptionBytes = uint8_t[kPlantOptionsSize];

void Put32(uint8_t* at, int32_t value) { std::memcpy(at, &value, sizeof value); }

int32_t Get32(const uint8_t* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void Encode(const PlantOptions& options, OptionBytes& bytes) {
  Put32(bytes + 0, options.autostart);
  Put32(bytes + 4, options.idleCpu);
  Put32(bytes + 8, options.followScreenMode);
  Put32(bytes + 12, options.fahrenheit);
}

void Decode(const OptionBytes& bytes, PlantOptions* options) {
  options->autostart = Get32(bytes + 0);
  options->idleCpu = Get32(bytes + 4);
  options->followScreenMode = Get32(bytes + 8);
  options->fahrenheit = Get32(bytes + 12);
}

}  // namespace

void ReadOptions(DataFileStore& store, const std::string& optionsName, PlantOptions* options) {
  // The store reads over the buffer and leaves the rest of it, so the current values stand where
  // a short file ends.
  OptionBytes bytes;
  Encode(*options, bytes);
  if (store.ReadDataFile(optionsName.c_str(), kNoFileNumber, bytes, kPlantOptionsSize, kDataFolderLocation) != 0) {
    Decode(bytes, options);
  }
}

uint32_t SaveOptions(DataFileStore& store, const std::string& optionsName, const PlantOptions& options) {
  OptionBytes bytes;
  Encode(options, bytes);
  return store.WriteDataFile(optionsName.c_str(), kNoFileNumber, bytes, kPlantOptionsSize, kDataFolderLocation);
}

}  // namespace app
