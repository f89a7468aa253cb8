// The autostart shortcut's name; see plant_autostart.h.
#include "app/plant_autostart.h"

namespace plantapp {

std::string AutostartShortcutName(const std::string& productName, const std::string& plantName) {
  return productName + "-" + plantName;
}

}  // namespace plantapp
