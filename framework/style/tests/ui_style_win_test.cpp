// The UI style under Wine: palette from the system colours, fonts at 96 and 144 DPI, vertical
// text, text measuring and the command icons with their tinted twins.
#include "framework/style/ui_style_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/base/zrf_results.h"
#include "framework/style/icon_tint.h"
#include "framework/style/icon_win.h"

namespace {

LOGFONTA FontOf(HFONT font) {
  LOGFONTA logFont{};
  GetObjectA(font, sizeof logFont, &logFont);
  return logFont;
}

std::vector<uint32_t> Pixels(void* icon, bool mask) {
  std::vector<uint32_t> pixels(256 * 256);
  size_t count = 0;
  EXPECT_TRUE(ReadIconPixels(static_cast<HICON>(icon), mask, pixels.data(), pixels.size(), &count));
  pixels.resize(count);
  return pixels;
}

bool IsThemeActiveNow() {
  HMODULE uxTheme = LoadLibraryA("UxTheme.dll");
  if (uxTheme == nullptr) return false;
  auto isThemeActive =
      reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(uxTheme, "IsThemeActive")));
  const bool active = isThemeActive != nullptr && isThemeActive();
  FreeLibrary(uxTheme);
  return active;
}

TEST(UIStyleWin, PaletteFollowsTheSchemeAndTheSystemColours) {
  CUIStyle style;
  ASSERT_EQ(style.Init(), 0);
  SettingsRecord settings = DefaultSettingsRecord();
  ASSERT_EQ(settings.colorScheme, 255);
  EXPECT_EQ(style.BuildPalette(&settings), 0);
  EXPECT_EQ(settings.colorScheme, IsThemeActiveNow() ? 1 : 0);

  settings.colorScheme = 0;
  EXPECT_EQ(style.BuildPalette(&settings), 0);
  EXPECT_EQ(style.palette[0], GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(style.palette[3], GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(style.palette[50], GetSysColor(COLOR_GRAYTEXT));

  settings.colorScheme = 2;
  EXPECT_EQ(style.BuildPalette(&settings), 0);
  EXPECT_EQ(style.schemeColors.base, settings.customColors[0]);
  EXPECT_EQ(style.palette[46], settings.customColors[2]);
}

TEST(UIStyleWin, OneFontPerListAndDpiScaledFrom96) {
  CUIStyle style;
  ASSERT_EQ(style.Init(), 0);
  style.SetUIFont("", 12, 96);
  HFONT at96 = style.FontForDpi(kFontUI, 96);
  HFONT at144 = style.FontForDpi(kFontUI, 144);
  ASSERT_NE(at96, nullptr);
  ASSERT_NE(at144, nullptr);
  EXPECT_NE(at96, at144);
  EXPECT_EQ(style.FontForDpi(kFontUI, 144), at144);
  EXPECT_EQ(style.Fonts().EntryCount(kFontUI), 2);
  EXPECT_EQ(style.Fonts().EntryCount(kFontUIBold), 1);
  EXPECT_EQ(FontOf(at96).lfHeight, -12);
  EXPECT_EQ(FontOf(at144).lfHeight, -18);
  EXPECT_EQ(FontOf(style.FontForDpi(kFontUIBold, 96)).lfWeight, FW_BOLD);
  EXPECT_GT(style.TextHeight(144), style.TextHeight(96));
  EXPECT_GT(style.SpaceWidth(96), 0);

  int32_t width96 = 0, height96 = 0, width144 = 0, height144 = 0;
  EXPECT_EQ(style.MeasureTextUI("Growing", &width96, &height96, false, 96), 0);
  EXPECT_EQ(style.MeasureTextUI("Growing", &width144, &height144, false, 144), 0);
  EXPECT_GT(width144, width96);
  EXPECT_GT(height144, height96);
  int32_t width = 5, height = 5;
  EXPECT_EQ(style.MeasureText(nullptr, &width, &height, at96), ZRF_ERR_NO_TEXT);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
}

// Bounding box of the non-white pixels after drawing `text` in `font`.
RECT InkedBox(HFONT font, const char* text) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -300, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT all{0, 0, 300, 300};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 150, 20, text, static_cast<int>(strlen(text)));
  GdiFlush();
  RECT box{300, 300, -1, -1};
  const uint32_t* pixels = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) {
      if ((pixels[y * 300 + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return box;
}

TEST(UIStyleWin, VerticalFontsDrawTheirTextDownwards) {
  CUIStyle style;
  ASSERT_EQ(style.Init(), 0);
  style.SetUIFont("", 12, 96);
  HFONT vertical = style.FontForDpi(kFontUIVertical, 96);
  EXPECT_EQ(FontOf(vertical).lfEscapement, -900);
  EXPECT_EQ(FontOf(vertical).lfOrientation, -900);
  const RECT down = InkedBox(vertical, "MMMMMMMM");
  ASSERT_GT(down.right, down.left);
  EXPECT_GT(down.bottom - down.top, 2 * (down.right - down.left));
  const RECT across = InkedBox(style.FontForDpi(kFontUI, 96), "MMMMMMMM");
  EXPECT_GT(across.right - across.left, 2 * (across.bottom - across.top));
}

TEST(UIStyleWin, CommandIconsAreSortedAndTintedBetweenTheShadowAndLightColours) {
  CUIStyle style;
  ASSERT_EQ(style.Init(), 0);
  SettingsRecord settings = DefaultSettingsRecord();
  settings.colorScheme = 1;
  (void)style.BuildPalette(&settings);
  const int32_t ownerSize[2] = {20, 18};
  EXPECT_EQ(style.AddIcon(0xF131, 1, nullptr, 0, 32), 0);
  EXPECT_EQ(style.AddIcon(0xF110, 2, nullptr, 0, 16), 0);
  EXPECT_EQ(style.AddIcon(0xF134, 0, ownerSize, kIconOwnerDrawn, 16), 2);
  EXPECT_EQ(style.AddIcon(0xF120, 77, nullptr, 0, 16), ZRF_ERR_ICON);
  ASSERT_EQ(style.IconCount(), 3);
  EXPECT_EQ(style.IconIndex(0xF110), 0);
  EXPECT_EQ(style.IconIndex(0xF131), 1);
  EXPECT_EQ(style.IconIndex(0xF120), -1);
  const IconEntry& owner = style.Icon(style.IconIndex(0xF134));
  EXPECT_EQ(owner.width, 20);
  EXPECT_EQ(owner.height, 18);
  EXPECT_EQ(owner.normalIcon, nullptr);

  const IconEntry& ramp = style.Icon(1);
  EXPECT_EQ(ramp.width, 32);
  std::vector<uint32_t> expected = Pixels(ramp.normalIcon, false);
  (void)TintIconPixels(expected.data(), Pixels(ramp.normalIcon, true).data(), expected.size(),
                       style.palette[1], style.palette[3]);
  EXPECT_EQ(Pixels(ramp.tintedIcon, false), expected);

  // A new scheme changes the tinted twin, not the icon itself.
  const std::vector<uint32_t> normalBefore = Pixels(ramp.normalIcon, false);
  const std::vector<uint32_t> tintedBefore = Pixels(ramp.tintedIcon, false);
  settings.colorScheme = 2;
  settings.customColors[0] = 0x00205020;
  (void)style.BuildPalette(&settings);
  EXPECT_EQ(style.ReloadIcons(), 0);
  EXPECT_EQ(Pixels(style.Icon(1).normalIcon, false), normalBefore);
  EXPECT_NE(Pixels(style.Icon(1).tintedIcon, false), tintedBefore);
}

}  // namespace
