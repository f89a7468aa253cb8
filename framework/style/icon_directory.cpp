// Image choice in a group-icon directory.
#include "framework/style/icon_directory.h"

namespace {

constexpr uint16_t kDepths[4] = {1, 4, 8, 32};

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

int32_t Width(const uint8_t* entry) { return entry[0] == 0 ? 256 : entry[0]; }

}  // namespace

uint16_t ChooseGroupIconImage(const uint8_t* directory, size_t size, int32_t depthIndex, int32_t sizePixels) {
  if (directory == nullptr || depthIndex < 0 || size < kGroupIconHeaderSize) return 0;
  if (depthIndex > 3) depthIndex = 3;
  const size_t count = Read16(directory + 4);
  if (count > (size - kGroupIconHeaderSize) / kGroupIconEntrySize) return 0;
  const uint8_t* entries = directory + kGroupIconHeaderSize;

  for (int32_t depth = depthIndex; depth >= 0; --depth) {
    const uint8_t* chosen = nullptr;
    int32_t chosenDifference = 0;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* entry = entries + i * kGroupIconEntrySize;
      if (Read16(entry + 6) != kDepths[depth]) continue;
      if (sizePixels == 0) return Read16(entry + 12);
      int32_t difference = Width(entry) - sizePixels;
      if (difference < 0) difference = -difference;
      if (chosen == nullptr || difference < chosenDifference) {
        chosen = entry;
        chosenDifference = difference;
      }
    }
    if (chosen != nullptr) return Read16(chosen + 12);
  }
  return 0;
}
