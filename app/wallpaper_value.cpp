// The wallpaper decision; see wallpaper_value.h.
#include "app/wallpaper_value.h"

namespace plantapp {

bool ShouldReplaceWallpaper(WallpaperRead read, std::string_view value) {
  switch (read) {
    case WallpaperRead::Missing: return true;
    case WallpaperRead::Failed: return false;
    case WallpaperRead::Read: return value.empty() || value[0] == '\0' || value[0] == '(';
  }
  return false;
}

}  // namespace plantapp
