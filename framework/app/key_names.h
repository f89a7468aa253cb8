// The names of the virtual keys, for texts of key combinations: an English display name and the
// Windows constant of each code, and the local name the keyboard layout gives (filled at start).
#pragma once

#include <cstdint>

constexpr int32_t kKeyNameCount = 255;  ///< virtual-key codes 0 to 254

/// One virtual key. In memory only.
struct KeyNameEntry {
  uint8_t code;
  char displayName[32];   ///< English ("Backspace", "F1", "A"); empty for keys without one
  char constantName[65];  ///< "VK_BACK", "VK_F1"; the letter or digit itself; "NONE" for 0
  char localName[32];     ///< the keyboard layout's name; filled by the start-up
  uint16_t constantLength;
};

/// The table, one entry per code; all empty until FillKeyNames.
extern KeyNameEntry gKeyNames[kKeyNameCount];

/// Fills the codes, display names, constant names and their lengths, and empties the local names.
void FillKeyNames();
