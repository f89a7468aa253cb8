// The first plant picture at start, optionally showing the snapshot saved at the last orderly
// shutdown, and the saving of that snapshot. Failures are silent for the plant program (the
// picture then starts black); the results exist for logs and tests.
#pragma once

#include <windows.h>

#include "plant/file_ops.h"
#include "plant/plant_picture_win.h"
#include "plant/plant_state.h"

namespace plant {

enum class SnapshotOutcome {
  Done = 0,      ///< shown (loading) or written (saving)
  NotAsked,      ///< the plant's flags lack ShowSnapshot: the picture stays black
  Missing,       ///< no snapshot file to show
  Refused,       ///< the snapshot file is truncated, too large or malformed; the picture stays black
  NoCanvas,      ///< GDI could not make the picture or read its bits
  WriteFailed,   ///< the snapshot could not be written; the previous one, if any, is unchanged
};

/// Fixed text of an outcome, for logs.
[[nodiscard]] const char* SnapshotOutcomeText(SnapshotOutcome outcome);

/// Installs a black picture of the plant rectangle's size in picture (each side at least 1 and at
/// most kMaxPictureSide pixels, compatible with window's DC, the screen's for null; a single
/// pixel when GDI cannot make that) and, when the plant's flags ask for it, stretches the
/// snapshot beside the plant file onto it. Only when not even a pixel can be made does the shown
/// picture stay as it was (NoCanvas). Runs on the UI thread before the worker starts.
SnapshotOutcome LoadSnapshot(const Plant& plant, PlantPicture& picture, HWND window, FileOps& ops);

/// Writes the current picture as the snapshot beside the plant file, 32 bits per pixel.
SnapshotOutcome SaveSnapshot(const Plant& plant, PlantPicture& picture, FileOps& ops);

}  // namespace plant
