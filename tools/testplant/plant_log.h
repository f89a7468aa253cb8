// The shared log that test plants write and test drivers read: every desktop-draw sub-code a test
// plant receives, numbered across processes, and each plant's window. Shared by the test plant and
// drivers; the driver creates the mapping before it starts any plant.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace testplant {

inline constexpr char kLogMapping[] = "OstrelTestPlantLog";
/// Auto-reset event set after every entry and every published window.
inline constexpr char kLogEvent[] = "OstrelTestPlantLogEvent";
inline constexpr int32_t kMaxPlants = 32;
inline constexpr int32_t kMaxEntries = 16384;

/// Commands a driver sends to a test plant's window: SendMessage(window, WM_APP + command).
enum Command : unsigned {
  CommandRegister = 1,    ///< Ostrel_Register under the busy claim; answers its result
  CommandUnregister = 2,  ///< Ostrel_Unregister under the busy claim, repainting the plant's place
  CommandUpdate = 3,      ///< Ostrel_Update over the plant's rectangle
  CommandRehook = 4,      ///< Ostrel_Rehook with the plant's rectangle
  CommandActivate = 5,    ///< become the active plant, as its dialog opening would
};

/// Code of the entry a plant logs with the result of a CommandRegister (in `answer`).
inline constexpr uint32_t kRegisterResultCode = 0x10000;

/// One received sub-code. `rect`: for Paint the bounds of the shared paint region, for
/// FrameChanged the new frame, for HitTest the point in left/top.
struct LogEntry {
  int32_t written;  // 1 once the other fields are complete
  int32_t plant;
  uint32_t code;
  int32_t lParam;
  int32_t busy;     // the shared busy word while the sub-code was handled
  int32_t answer;
  ostrel::Rect32 rect;
};

struct PlantLog {
  int32_t next;
  uint32_t windows[kMaxPlants];
  LogEntry entries[kMaxEntries];
};

}  // namespace testplant
