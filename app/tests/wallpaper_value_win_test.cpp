// The Wallpaper value of this run's own Wine prefix: each row sets a value, runs the repair and
// reads back what is left.
#include "app/wallpaper_value_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace plantapp {
namespace {

constexpr char kKey[] = "Control Panel\\Desktop";

void SetWallpaper(DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Wallpaper", 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

void DeleteWallpaper() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Wallpaper"); }

std::string Wallpaper() {
  char value[512] = {};
  DWORD size = sizeof value - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kKey, "Wallpaper", RRF_RT_ANY, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

TEST(FixWallpaperValue, SetOnlyWhenMissingEmptyOrParenthesised) {
  struct Row {
    std::string before;
    bool set;
  };
  // Values longer than a short read would take are judged whole.
  const Row rows[] = {
      {"", true},
      {"(a placeholder much longer than ten bytes)", true},
      {"C:\\Pictures\\a meadow in spring.bmp", false},
  };
  for (const Row& row : rows) {
    SetWallpaper(REG_SZ, row.before.c_str(), static_cast<DWORD>(row.before.size() + 1));
    EXPECT_EQ(FixWallpaperValue("Verdelo"), row.set) << row.before;
    EXPECT_EQ(Wallpaper(), row.set ? "Verdelo" : row.before) << row.before;
  }
  DeleteWallpaper();
  EXPECT_TRUE(FixWallpaperValue("Verdelo"));
  EXPECT_EQ(Wallpaper(), "Verdelo");
  // A value that is not a string is not judged by its bytes.
  const DWORD number = '(';
  SetWallpaper(REG_DWORD, &number, sizeof number);
  EXPECT_FALSE(FixWallpaperValue("Verdelo"));
  DeleteWallpaper();
}

}  // namespace
}  // namespace plantapp
