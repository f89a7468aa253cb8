// Ending the plants that run in this session before an uninstall or an upgrade takes their files
// (each is asked the way "-QUIT" asks it, so it saves its plant and leaves the desktop itself), and
// starting the ones an upgrade ended again afterwards.
#pragma once

#include <cstdint>
#include <vector>

#include "installer/plant_command_list.h"

namespace installer {

/// What EndRunningPlants found and left.
struct RunningPlants {
  int32_t asked = 0;         ///< plant and companion processes that were running
  int32_t stillRunning = 0;  ///< of those, the ones that had not ended when the wait was over
  /// The plant processes that ended, each as it was started; a plant whose command line could not
  /// be read (no access, another bitness) is missing here and counted in `unread`.
  std::vector<PlantCommand> ended;
  int32_t unread = 0;
};

/// Broadcasts the program's quit control message when a plant (its control window) or the
/// companion runs in this session, and waits up to `timeoutMs` for those processes to end. A
/// process that cannot be waited for (no access) counts as still running. Never ends a process
/// by force: a plant that does not end keeps its files, which the uninstall then leaves for the
/// next restart. The companion is not among `ended`: a plant starts it again.
RunningPlants EndRunningPlants(uint32_t timeoutMs);

/// Starts each of `plants` again, as the calling user, with its command line, in its program's
/// folder (where the Start-menu entry starts it). Returns the number started; one that cannot be
/// started is logged on standard error.
int32_t StartPlants(const std::vector<PlantCommand>& plants);

}  // namespace installer
