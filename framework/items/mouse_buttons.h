// Which mouse buttons an item event reports, and when a press is a double click. Platform-free.
#pragma once

#include <cstdint>

constexpr uint32_t kButtonLeft = 1;
constexpr uint32_t kButtonRight = 2;
constexpr uint32_t kButtonMiddle = 4;

/// The key-state bits of a mouse message's wParam (MK_LBUTTON, MK_RBUTTON, MK_MBUTTON).
constexpr uint32_t kKeyStateLeft = 0x1;
constexpr uint32_t kKeyStateRight = 0x2;
constexpr uint32_t kKeyStateMiddle = 0x10;

/// The buttons of a mouse message: its own button with the others held down as the message's
/// key state gives them (not the physical buttons, which differ when the buttons are swapped).
uint32_t MouseButtonMask(uint32_t ownButton, uint32_t keyState);

/// Position of a button (kButtonLeft, kButtonRight, kButtonMiddle) in a per-button table; -1 for
/// anything else.
int32_t ButtonSlot(uint32_t button);

/// True when a press at `now` follows the same button's previous press (`previous`, 0 when there
/// was none) by less than `doubleClickTime` milliseconds. Double clicks are found by time alone.
bool IsDoubleClick(uint64_t previous, uint64_t now, uint32_t doubleClickTime);
