// STUB of the plant dialog and the welcome dialog, which are built elsewhere and replace these two
// files: the plant program opens its dialogs only through the three entries below. Until then no
// dialog ever opens, and tests that need one are skipped (VERDELO_PLANT_DIALOG_STUB).
#pragma once

#include <windows.h>

namespace plantapp {

struct PlantProcess;

/// Opens the plant dialog beside the plant (the library's active frame is already set), or brings
/// the open one to the front, and gives it the focus. The dialog, or null when none could be made.
/// STUB: always null.
HWND OpenPlantDialog(PlantProcess& process);

/// The open plant dialog, or null. STUB: always null.
[[nodiscard]] HWND PlantDialogWindow();

/// At start-up: the welcome dialog, and the autostart shortcut made or removed as the options say,
/// when the plant's dialog has never been shown. STUB: does nothing.
void ShowWelcome(PlantProcess& process);

}  // namespace plantapp
