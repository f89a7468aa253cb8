// The repair of an empty desktop wallpaper setting at start-up: the decision is platform-free,
// wallpaper_value_win.cpp reads and writes the registry value and tells the desktop.
#pragma once

#include <string_view>

namespace plantapp {

/// How reading the desktop's Wallpaper value went.
enum class WallpaperRead {
  Read,     ///< the whole value was read as a string
  Missing,  ///< there is no such value
  Failed,   ///< anything else: not a string, too large, or the read failed
};

/// Whether the Wallpaper value is replaced by the product name: when it is missing, empty, or
/// starts with "(" (a placeholder such as "(None)"). value holds exactly the bytes read, with or
/// without a terminating NUL. A failed read never replaces what the user may have set.
[[nodiscard]] bool ShouldReplaceWallpaper(WallpaperRead read, std::string_view value);

}  // namespace plantapp
