// Icons from the test program's resources and their tinted twins under Wine.
#include "framework/style/icon_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/base/zrf_results.h"
#include "framework/style/tests/icon_pixels_win.h"

namespace {

int Width(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST(IconWin, FullyClearIconKeepsItsPixels) {
  HICON icon = LoadResourceIcon(GetModuleHandleA(nullptr), 2, -1, 16);
  ASSERT_NE(icon, nullptr);
  int32_t error = -1;
  HICON twin = MakeTintedIcon(icon, 0xFFFFFF, 0x000000, &error);
  ASSERT_NE(twin, nullptr);
  EXPECT_EQ(IconPixels(twin, false), IconPixels(icon, false));
  DestroyIcon(twin);
  DestroyIcon(icon);
}

TEST(IconWin, ImageChosenByDepthAndSize) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  const struct {
    int32_t size;
    int width;
  } cases[] = {{48, 48}, {16, 16}, {22, 24}, {40, 48}, {0, 16}};
  for (const auto& c : cases) {
    HICON icon = LoadResourceIcon(module, 3, 3, c.size);
    ASSERT_NE(icon, nullptr) << c.size;
    EXPECT_EQ(Width(icon), c.width) << c.size;
    DestroyIcon(icon);
  }
  EXPECT_EQ(LoadResourceIcon(module, 99, -1, 0), nullptr);
  int32_t error = -1;
  EXPECT_EQ(MakeTintedIcon(nullptr, 0, 0, &error), nullptr);
  EXPECT_EQ(error, ZRF_ERR_ICON);
}

// The tinted-twin path as the wait uses it; the UI style's icons go through it as well.

}  // namespace
