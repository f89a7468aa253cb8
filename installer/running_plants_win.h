// Ending the plants that run in this session before an uninstall or an upgrade takes their files:
// each is asked the way "-QUIT" asks it, so it saves its plant and leaves the desktop itself.
#pragma once

#include <cstdint>

namespace installer {

/// What EndRunningPlants found and left.
struct RunningPlants {
  int32_t asked = 0;       ///< plant and companion processes that were running
  int32_t stillRunning = 0;  ///< of those, the ones that had not ended when the wait was over
};

/// Broadcasts the program's quit control message when a plant (its control window) or the
/// companion runs in this session, and waits up to `timeoutMs` for those processes to end. A
/// process that cannot be waited for (no access) counts as still running. Never ends a process
/// by force: a plant that does not end keeps its files, which the uninstall then leaves for the
/// next restart.
RunningPlants EndRunningPlants(uint32_t timeoutMs);

}  // namespace installer
