// The autostart shortcuts the program made in the uninstalling user's Startup folder point at the
// program an uninstall deletes: the uninstall removes them.
#pragma once

#include <cstdint>

namespace installer {

/// Deletes every "<product>-<plant>.lnk" (the name the program gives each plant's autostart
/// shortcut) in the calling user's Startup folder. Returns the number deleted; one that cannot
/// be deleted is logged on standard error and left.
int32_t RemoveAutostartShortcuts();

}  // namespace installer
