// CUIStyle: the framework's drawing style. Owns the font lists per DPI (with the GDI fonts), the
// palette of the colour scheme, the command icons with their tinted twins, and a small memory DC
// for measuring text and for the corner blends of the drawing primitives.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "framework/base/zrf_array.h"
#include "framework/files/settings_record.h"
#include "framework/style/font_lists.h"
#include "framework/style/font_lists_win.h"
#include "framework/style/icon_table.h"
#include "framework/style/ui_palette.h"

class CUIStyle {
 public:
  /// Seven empty font lists, an empty icon table, the palette and handles zero.
  CUIStyle();
  /// Destroys the icons, the fonts, the DIB section and the memory DC.
  ~CUIStyle();
  CUIStyle(const CUIStyle&) = delete;
  CUIStyle& operator=(const CUIStyle&) = delete;

  /// Creates the memory DC with its 16 x 16 32-bit DIB section and takes the system face from
  /// the non-client metrics. 0, or 1 when the DIB section cannot be made.
  int32_t Init();

  /// Fills the seven font lists for `dpi` (see CFontLists::SetUIFont).
  void SetUIFont(const char* uiFace, int32_t uiSize, int32_t dpi) { fonts_.SetUIFont(uiFace, uiSize, dpi); }
  /// Index of `list`'s entry for `dpi`, made when missing (see CFontLists::GetFont).
  int32_t GetFont(int32_t list, const char* face, int32_t size, int32_t weight, int32_t orientation,
                  int32_t dpi, int32_t pitchAndFamily) {
    return fonts_.GetFont(list, face, size, weight, orientation, dpi, pitchAndFamily);
  }
  /// The font of `list` for `dpi`, owned by the style (see CFontLists::FontForDpi).
  HFONT FontForDpi(int32_t list, int32_t dpi) { return static_cast<HFONT>(fonts_.FontForDpi(list, dpi)); }
  int32_t TextHeight(int32_t dpi) { return fonts_.TextHeight(dpi); }
  int32_t SpaceWidth(int32_t dpi) { return fonts_.SpaceWidth(dpi); }
  CFontLists& Fonts() { return fonts_; }

  /// Size of `text` drawn in `font` (null: the DC's font). Both outputs are 0 first; 0, or
  /// ZRF_ERR_NO_TEXT for a null text.
  int32_t MeasureText(const char* text, int32_t* width, int32_t* height, HFONT font);
  /// As MeasureText in the UI font (bold when `bold`) for `dpi`.
  int32_t MeasureTextUI(const char* text, int32_t* width, int32_t* height, bool bold, int32_t dpi);

  /// Fills the scheme colours and the palette from the system's colours (or the theme's) and
  /// the colour scheme and custom colours of `settings`; the scheme byte is resolved and written
  /// back (255 and unknown values become 1 with a theme, else 0). Returns 0.
  int32_t BuildPalette(SettingsRecord* settings);

  /// Registers the icon of `commandId`: icon resource `resourceId` of the module at `size`
  /// pixels, or, with flags kIconOwnerDrawn, only the size in `sizeReference` (width, height;
  /// borrowed, must outlive the style). Returns the entry's position; ZRF_ERR_ICON when the icon
  /// cannot be loaded; -1 when the table cannot grow.
  int32_t AddIcon(uint16_t commandId, uint16_t resourceId, const int32_t* sizeReference, uint32_t flags,
                  int32_t size);
  /// Position of `commandId`'s icon, -1 when absent.
  int32_t IconIndex(uint16_t commandId) const { return FindIconPosition(icons_, commandId); }
  /// The entry at `position`; requires 0 <= position < IconCount().
  const IconEntry& Icon(int32_t position) const { return *icons_.GetAt(position); }
  int32_t IconCount() const { return icons_.count; }
  /// (Re)loads the icon of `entry` and makes its twin tinted between P3 and P1. 0, ZRF_ERR_ICON
  /// or ZRF_ERR_MEMORY.
  int32_t LoadIcon(IconEntry* entry);
  /// LoadIcon on every entry (after a change of the colour scheme). Returns 0.
  int32_t ReloadIcons();

  /// Module whose icon resources AddIcon loads; the program's by default.
  HINSTANCE module;
  uint32_t palette[kPaletteSize];
  SchemeColors schemeColors;
  HWND bufferWindow;  ///< window of the buffered paint in progress, null otherwise
  HDC memoryDc;
  HBITMAP dibSection;
  HBITMAP previousBitmap;
  uint32_t* dibBits;

 private:
  void DestroyIcons(IconEntry* entry);

  std::mutex dcMutex_;  ///< the memory DC is shared by every thread that measures text
  GdiFontFactory factory_;
  CFontLists fonts_;
  CZrfArray<IconEntry> icons_;
};
