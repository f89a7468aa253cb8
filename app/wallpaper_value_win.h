// The desktop's Wallpaper value in the registry (HKEY_CURRENT_USER "Control Panel\Desktop").
#pragma once

namespace plantapp {

/// Sets the Wallpaper value to productName when ShouldReplaceWallpaper says so, then tells every
/// top-level window of the change (a window that does not answer within a second is skipped, so
/// a hung window cannot hold up the start). Registry errors leave the value alone. True when the
/// value was set.
bool FixWallpaperValue(const char* productName);

}  // namespace plantapp
