// The accelerator table's rule: which entry a key press takes and whether its command is sent.
// Platform-free; the message loop feeds it the key, the modifiers that are down and the framework
// windows, and sends WM_ZRF_COMMAND itself.
#pragma once

#include <cstdint>

#include "framework/app/command_table.h"
#include "framework/base/zrf_array.h"

/// Window index of an accelerator that works in every framework window.
constexpr uint16_t kAnyWindow = 0xFFFF;
/// Code in the high word of WM_ZRF_COMMAND's wParam for a command sent by an accelerator.
constexpr uint32_t kAcceleratorCommandCode = 0x10;

/// One accelerator. In memory only; programs fill the table, the framework adds none.
struct AcceleratorEntry {
  uint16_t virtualKey;
  uint8_t shift;  ///< 1: Shift must be down; 0: not checked
  uint8_t ctrl;
  uint8_t alt;
  uint16_t commandId;
  uint16_t windowIndex;  ///< framework window it works in; kAnyWindow: all
};

/// The modifiers that are down.
struct KeyModifiers {
  bool shift;
  bool ctrl;
  bool alt;
};

/// The framework windows as the rule sees them: the indexes in the windows list and the index of
/// the one that is the process's foreground window (-1 when none is).
struct AcceleratorWindows {
  const uint16_t* indexes;
  int32_t count;
  int32_t foregroundIndex;
};

/// What a key press does.
struct AcceleratorMatch {
  bool taken;          ///< an entry took the key: it is swallowed, sent or not
  bool send;           ///< WM_ZRF_COMMAND goes to the foreground window
  uint16_t commandId;  ///< the taken entry's command
};

/// The first entry for `key` whose required modifiers are down and whose window index is
/// kAnyWindow or the foreground framework window's is taken; an entry whose window index names
/// no framework window ends the search without taking the key. A taken command is sent when it
/// is unknown to `commands` (the program handles it) or enabled or has kCommandAlwaysSends; a
/// disabled one swallows the key.
AcceleratorMatch MatchAccelerator(const CZrfArray<AcceleratorEntry>& table, uint16_t key, KeyModifiers down,
                                  const AcceleratorWindows& windows, const CCommandTable& commands);
