// CUIStyle: the framework's drawing style. Owns the font lists per DPI (with the GDI fonts), the
// palette of the colour scheme, the command icons with their tinted twins, and a small memory DC
// for measuring text and for the corner blends of the drawing primitives.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "framework/base/zrf_array.h"
#include "framework/files/settings_record.h"
#include "framework/style/corner_blend.h"
#include "framework/style/font_lists.h"
#include "framework/style/font_lists_win.h"
#include "framework/style/icon_table.h"
#include "framework/style/item_frame_plan.h"
#include "framework/style/ui_palette.h"
#include "framework/style/ui_shapes.h"

/// A paint that goes through a memory bitmap (CUIStyle::BeginBuffer). With memoryDc null the
/// buffer could not be made and the caller paints straight into its own DC.
struct BufferedPaint {
  int32_t width;
  int32_t height;
  HDC memoryDc;
  HDC callerDc;
  HBITMAP bitmap;
  HGDIOBJ previousBitmap;  ///< what the memory DC held before the bitmap
  HWND previousWindow;     ///< the buffered window before this paint, put back at the end
};

/// WM_ZRF_DRAWICON's lParam: the owner-drawn icon of `commandId` is to be drawn into `rect` of
/// the DC in wParam; an empty rectangle asks for the icon's size (written back into it).
struct DrawIconRequest {
  uint32_t commandId;
  RECT rect;
};

/// DrawRectangle's brush colour for a hollow rectangle.
constexpr uint32_t kHollowBrush = 0xFFFFFFFF;

/// GradientRect's modes.
constexpr int32_t kGradientHorizontal = 0;
constexpr int32_t kGradientVertical = 1;

/// `rect` moved in by `n` on every side.
void DeflateRect(const RECT& rect, RECT* out, int32_t n);

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

  // Drawing primitives (buffered_paint_win.cpp, ui_primitives_win.cpp, item_frame_win.cpp,
  // draw_text_icon_win.cpp). Colours are COLORREFs; "selector" is a colour selector of
  // ui_palette.h. Every pen and brush made for a call is deleted before it returns.

  /// Starts a buffered paint of `width` x `height`: remembers the window of `*dc` as the buffered
  /// window and replaces `*dc` by a memory DC with a compatible bitmap. When the memory DC or the
  /// bitmap cannot be made, `*dc` stays the caller's and the paint goes straight to it.
  void BeginBuffer(BufferedPaint* paint, HDC* dc, int32_t width, int32_t height);
  /// Copies the buffer to the caller's DC at (0, 0), puts the buffered window back and deletes
  /// the memory DC, then the bitmap. Nothing is copied when BeginBuffer could not buffer.
  void EndBuffer(BufferedPaint* paint);

  void FillRect(HDC dc, const RECT& rect, uint32_t color);
  /// A one-pixel frame.
  void FrameRect(HDC dc, const RECT& rect, uint32_t color);
  /// A rectangle outlined in `penColor` and filled with `brushColor` (kHollowBrush: not filled).
  void DrawRectangle(HDC dc, const RECT& rect, uint32_t penColor, uint32_t brushColor);
  /// Left and top edges in `a` when raised, else in `b`; right and bottom edges in the other.
  void DrawBevel(HDC dc, const RECT& rect, bool raised, uint32_t a, uint32_t b);
  /// A gradient from `a` (left or top) to `b`; kGradientHorizontal or kGradientVertical.
  void GradientRect(HDC dc, uint32_t a, uint32_t b, const RECT& rect, int32_t mode);
  /// A filled triangle centred in `rect`, pointing right, down or up (ArrowDirection).
  void DrawArrow(HDC dc, uint32_t selector, int32_t direction, const RECT& rect);
  /// The check glyph centred in `rect`.
  void DrawGlyph(HDC dc, uint32_t selector, const RECT& rect);
  /// A line in P31 with its P32 shadow, across when `rect` is wider than tall, else down.
  void DrawSeparator(HDC dc, const RECT& rect);
  /// Six grip squares (P27, each with a P26 one a pixel further in) in the lower right corner.
  void DrawSizeGrip(HDC dc, const RECT& rect);
  /// The 4-pixel splitter bar along the left (vertical) or top edge of `rect`, into `*out` when
  /// given; drawn (raised bevel P2/P3, inside P30) only with a DC.
  void DrawSplitter(HDC dc, const RECT& rect, RECT* out, bool vertical);
  /// Has `parent` (null: the buffered window's parent) paint its background into `rect` of `dc`:
  /// WM_ZRF_PAINTBACKGROUND with the DC clipped to `rect` and the origin of the DC's window in
  /// the parent's coordinates (x in the low word, y in the high word, each signed 16 bits). The
  /// DC's clip is as before afterwards. Nothing without a parent.
  void DrawParentBackground(HWND parent, HDC dc, const RECT& rect);
  /// Rounds a corner: mixes the 3 x 3 pixels at `corner` of `dc` with the parent's background by
  /// `mask`. Without a parent the pixels stay.
  void DrawCorner(HWND parent, HDC dc, const RECT& corner, const CornerMask& mask);
  /// An item's frame in frame style 0-8 (item_frame_plan.h), then its rounded corners (flags
  /// kCornerTopLeft...). `width` cuts styles 6 and 7 to an icon column (0: none); `colorIndex`,
  /// `gradientFrom` and `gradientTo` are palette indexes or -1 for the style's defaults.
  void DrawItemFrame(HDC dc, const RECT& rect, int32_t style, uint32_t corners, int32_t width,
                     int32_t colorIndex, int32_t gradientFrom, int32_t gradientTo);
  /// Draws printf-style text into `rect`, formatted into 1040 characters (longer text is cut),
  /// transparent, in the selector's colour, in the UI font for `dpi` (bold when `bold`), with
  /// alignment 0 left, 1 centre, 2 right, on one line centred vertically with an ellipsis; with
  /// kTextVertical in `alignment`, turned down in the vertical UI font. 0, or ZRF_ERR_NO_TEXT for
  /// a null format. Requires: `format` is the program's own (pass other text as "%s").
  int32_t DrawTextF(HDC dc, int32_t dpi, const char* format, uint32_t selector, const RECT& rect,
                    uint32_t alignment, bool bold, ...);
  /// Draws the icon of `commandId` sized to `rect`: the normal icon when bit 0 of `state`
  /// (enabled) is set, else the tinted one. An owner-drawn icon is drawn by the window
  /// drawIconWindow names (WM_ZRF_DRAWICON with a DrawIconRequest), whose answer is returned
  /// (0 when there is no such window). ZRF_ERR_NO_ICON when the command has no icon.
  int32_t DrawCommandIcon(HDC dc, uint16_t commandId, uint32_t state, const RECT& rect);

  /// The window that draws owner-drawn icons: the first framework window. Set by the start-up;
  /// null: none.
  HWND (*drawIconWindow)();

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
