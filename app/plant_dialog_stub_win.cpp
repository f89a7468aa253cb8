// STUB: no plant dialog and no welcome dialog yet; see plant_dialog_stub_win.h.
#include "app/plant_dialog_stub_win.h"

namespace plantapp {

HWND OpenPlantDialog(PlantProcess&) { return nullptr; }

HWND PlantDialogWindow() { return nullptr; }

void ShowWelcome(PlantProcess&) {}

}  // namespace plantapp
