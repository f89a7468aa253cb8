// Registering the plant to start with Windows, from its autostart option.
#pragma once

#include <cstdint>

#include "app/plant_names.h"
#include "app/plant_options.h"

namespace plantapp {

/// Makes or removes the plant's Startup-folder shortcut "<product>-<plant>.lnk" as the autostart
/// option says: on, an existing shortcut is kept and a missing one is made to start the program
/// with -WAITFORDATAPATH -AUTOSTART -LOADPLANT "<plant file>" and the plant file's icons; off, it is
/// deleted. Other plants' shortcuts are never touched. The framework's SetAutostart result: 0 or
/// ZRF_ERR_SHORTCUT. Requires: COM on this thread.
int32_t RegisterAutostart(const PlantOptions& options, const PlantNames& names);

}  // namespace plantapp
