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

/// Commands a driver sends to a test plant's window: SendMessage(window, WM_APP + command). The
/// plant makes its calls through the plant program's hook client, directly or through the
/// companion as its command line says.
enum Command : unsigned {
  CommandRegister = 1,    ///< RegisterWithHook; answers its result
  CommandUnregister = 2,  ///< UnregisterFromHook, repainting the plant's place; answers its result
  CommandUpdate = 3,      ///< UpdateHook over the plant's rectangle
  CommandRehook = 4,      ///< RequestRehook with the plant's rectangle
  /// Become the active plant, as its dialog opening would, and tell the desktop, as an activation
  /// by a double-click or by a registration does.
  CommandActivate = 5,
  /// RegisterWithHook that stops after the library's call, before the claim is released: it sets
  /// kCallReturnedEvent and goes on once kGoOnEvent is set (at most 15 s).
  CommandRegisterHeld = 6,
  /// The next Paint does not return until the process ends.
  CommandHangOnPaint = 7,
};

/// Events of CommandRegisterHeld, made by the driver.
inline constexpr char kCallReturnedEvent[] = "OstrelTestPlantCallReturned";
inline constexpr char kGoOnEvent[] = "OstrelTestPlantGoOn";

/// Environment variable a driver may set before starting plants: the longest wait, in
/// milliseconds, for the companion's answer to one request (the real one is over ten seconds).
inline constexpr char kReplyMsVariable[] = "OSTREL_TEST_REPLY_MS";
/// Environment variable a driver may set before starting plants: the stale limit of the `busy`
/// claim in milliseconds (the real one is about a minute); the plant gives up three times later.
inline constexpr char kStaleMsVariable[] = "OSTREL_TEST_STALE_MS";

/// Code of the entry a plant logs with the result of a CommandRegister (in `answer`).
inline constexpr uint32_t kRegisterResultCode = 0x10000;

/// One received sub-code. `rect`: for Paint the bounds of the shared paint region, for
/// FrameChanged the new frame, for HitTest the point in left/top. `window`: for Paint the window
/// the plant paints into.
struct LogEntry {
  int32_t written;  // 1 once the other fields are complete
  int32_t plant;
  uint32_t code;
  int32_t lParam;
  int32_t busy;  // the shared busy word while the sub-code was handled
  int32_t answer;
  ostrel::Rect32 rect;
  uint32_t window;
};

struct PlantLog {
  int32_t next;
  uint32_t windows[kMaxPlants];
  LogEntry entries[kMaxEntries];
};

}  // namespace testplant
