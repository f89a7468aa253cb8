// The font lists' Win32 half: GDI makes, measures and deletes their fonts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "framework/style/font_lists.h"

/// Size of `text` drawn in `font` (null: the DC's font) in `dc`, without prefix processing.
SIZE MeasureTextInDc(HDC dc, HFONT font, const char* text);

/// Makes GDI fonts for the font lists and measures them in the style's memory DC.
class GdiFontFactory final : public FontFactory {
 public:
  GdiFontFactory(HDC& measuringDc, std::mutex& dcMutex) : dc_(measuringDc), dcMutex_(dcMutex) {}
  void* CreateFont(const FontRequest& request) override;
  void Measure(void* font, int32_t* textHeight, int32_t* spaceWidth) override;
  void DeleteFont(void* font) override;
  int32_t DesktopDpi() override;

 private:
  HDC& dc_;
  std::mutex& dcMutex_;
};
