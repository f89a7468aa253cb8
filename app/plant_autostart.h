// The plant's own Startup-folder shortcut: one per plant, so that turning one plant's autostart
// on or off never keeps, replaces or deletes another plant's. Platform-free; the shortcut itself
// is written by plant_autostart_win.cpp through the framework.
#pragma once

#include <string>

namespace plantapp {

/// The shortcut's name: the product name and the plant name joined by "-", "Verdelo-Fern".
[[nodiscard]] std::string AutostartShortcutName(const std::string& productName, const std::string& plantName);

}  // namespace plantapp
