// RegisterAutostart through the framework's shortcut service; see plant_autostart_win.h.
#include "app/plant_autostart_win.h"

#include "app/plant_autostart.h"
#include "framework/app/zrf_app_win.h"

namespace plantapp {

int32_t RegisterAutostart(const PlantOptions& options, const PlantNames& names) {
  const std::string arguments = LoadPlantArguments(names.fileName);
  const std::string shortcut = AutostartShortcutName(gApp.productName, names.plantName);
  // The plant file carries the plant's icons, so the shortcut shows this plant.
  return gApp.SetAutostart(options.autostart != 0, arguments.c_str(), 1, names.privatePath.c_str(), shortcut.c_str());
}

}  // namespace plantapp
