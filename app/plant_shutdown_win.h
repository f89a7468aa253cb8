// The orderly end of a plant process and the restart of its plant from the installed plant file.
#pragma once

#include <cstdint>

namespace plantapp {

/// Ends the plant of CurrentPlantProcess(): closes its dialog as OK does, stops the clock and the
/// worker, leaves the desktop, and with `save` saves the plant file (marked as shut down cleanly,
/// its dialog as shown), the snapshot and the options; then frees the plant, its picture and its
/// icons. A second call does nothing (the end of a session and the end of the message loop both
/// call it). UI thread.
void ShutdownPlant(bool save);

/// Starts the plant afresh from the installed plant file, after the user has confirmed: the running
/// plant is shut down, its private copy replaced by the installed one, and a new process started on
/// it; this process then ends. Returns only when the installed plant file cannot be copied: the
/// result of the message that says so, with the plant still running.
int32_t RestartPlant();

}  // namespace plantapp
