// Reading and repairing the Wallpaper value; the decision is in wallpaper_value.cpp.
#include "app/wallpaper_value_win.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/wallpaper_value.h"
#include "framework/base/scoped_handles_win.h"

namespace plantapp {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWallpaperName[] = "Wallpaper";
constexpr char kWallpaperSetting[] = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\Wallpaper";
// A wallpaper path is a few hundred bytes; anything near this is not one, and is left alone.
constexpr DWORD kLargestValue = 64 * 1024;
constexpr UINT kBroadcastTimeout = 1000;  // milliseconds per window

// Reads the whole value: a first call for its size and type, a second for the bytes. A value that
// changes size in between counts as a failed read rather than judging a partial buffer.
WallpaperRead ReadWallpaper(HKEY key, std::string* value) {
  DWORD type = 0;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, kWallpaperName, nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) {
    return WallpaperRead::Missing;
  }
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size > kLargestValue) {
    return WallpaperRead::Failed;
  }
  value->assign(size, '\0');
  DWORD read = size;
  status = RegQueryValueExA(key, kWallpaperName, nullptr, &type, reinterpret_cast<BYTE*>(value->data()), &read);
  if (status != ERROR_SUCCESS || read > size) {
    return WallpaperRead::Failed;
  }
  value->resize(read);
  return WallpaperRead::Read;
}

}  // namespace

bool FixWallpaperValue(const char* productName) {
  {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
      return false;
    }
    std::string value;
    const WallpaperRead read = ReadWallpaper(key.Get(), &value);
    if (!ShouldReplaceWallpaper(read, value)) {
      return false;
    }
    const DWORD size = static_cast<DWORD>(std::strlen(productName) + 1);
    if (RegSetValueExA(key.Get(), kWallpaperName, 0, REG_SZ, reinterpret_cast<const BYTE*>(productName), size) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, SPI_SETDESKWALLPAPER,
                      reinterpret_cast<LPARAM>(kWallpaperSetting), SMTO_ABORTIFHUNG | SMTO_NORMAL, kBroadcastTimeout,
                      nullptr);
  return true;
}

}  // namespace plantapp
