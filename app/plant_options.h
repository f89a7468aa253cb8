// The per-plant options that belong to the program rather than to the plant file, and their data
// file "<plant>-Options" in the per-user data folder. Platform-free: the file goes through the
// framework's data-file store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class DataFileStore;

namespace plantapp {

/// The options record, little-endian, four signed 32-bit integers; non-zero means on.
///
/// off  size  field             default
///   0     4  autostart         0  start this plant with Windows
///   4     4  idleCpu           1  run the worker at idle priority
///   8     4  followScreenMode  0  keep rendering after the screen size changes
///  12     4  fahrenheit        0  show temperatures in degrees Fahrenheit
struct PlantOptions {
  int32_t autostart = 0;
  int32_t idleCpu = 1;
  int32_t followScreenMode = 0;
  int32_t fahrenheit = 0;
};
static_assert(sizeof(PlantOptions) == 16);  // == kPlantOptionsSize, no padding
static_assert(offsetof(PlantOptions, autostart) == 0);
static_assert(offsetof(PlantOptions, idleCpu) == 4);
static_assert(offsetof(PlantOptions, followScreenMode) == 8);
static_assert(offsetof(PlantOptions, fahrenheit) == 12);

/// Bytes of the stored record.
inline constexpr uint32_t kPlantOptionsSize = 16;

/// Reads the data file optionsName (see NamePlant) of the per-user data folder over *options: a
/// missing or unreadable file leaves it as it was, a shorter one replaces only the bytes it holds,
/// a longer one gives its first 16 bytes.
void ReadOptions(DataFileStore& store, const std::string& optionsName, PlantOptions* options);

/// Writes options as the data file optionsName of the per-user data folder, replacing the old file
/// only by a complete new one. Returns the bytes written: 16, or 0 when it failed (the old file is
/// then unchanged).
uint32_t SaveOptions(DataFileStore& store, const std::string& optionsName, const PlantOptions& options);

}  // namespace plantapp
