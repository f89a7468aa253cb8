// What DrawItemFrame paints for each of its nine frame styles: which palette colours go into the
// frame, the gradient, the fill and the bevel, and over which rectangle. Platform-free; the GDI
// half is CUIStyle::DrawItemFrame.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"
#include "framework/style/ui_palette.h"

/// Frame styles of DrawItemFrame.
enum ItemFrameStyle : int32_t {
  kFrameNone = 0,        ///< the parent's background only
  kFrameHot = 1,         ///< frame, gradient P41 -> P42
  kFramePressed = 2,     ///< frame, gradient P43 -> P44
  kFrameSunken = 3,      ///< sunken bevel, filled
  kFrameRaised = 4,      ///< raised bevel, filled
  kFrameFilled = 5,      ///< filled
  kFrameChecked = 6,     ///< as pressed, cut to the icon column when one is given
  kFrameCheckedOff = 7,  ///< checked and disabled: a sunken P3/P2 bevel
  kFrameGradient = 8,    ///< frame, gradient between two chosen palette entries
};
constexpr int32_t kFrameStyleCount = 9;

/// Corner flags of DrawItemFrame: the corners that are rounded.
constexpr uint32_t kCornerTopLeft = 1;
constexpr uint32_t kCornerTopRight = 2;
constexpr uint32_t kCornerBottomLeft = 4;
constexpr uint32_t kCornerBottomRight = 8;
constexpr uint32_t kAllCorners = 15;

/// A palette index that stands for "the style's default colour".
constexpr int32_t kDefaultColorIndex = -1;

/// The painting of one item frame, in order: the parent's background over the whole given
/// rectangle; a fill of `fillRect`; a one-pixel frame around `rect`; a vertical gradient inside
/// it (moved in by 1); a bevel on `rect`. Colours are COLORREFs.
struct ItemFramePlan {
  bool parentBackground;
  ZrfRect rect;  ///< the given rectangle, or its first `width` pixels for styles 6 and 7
  bool fill;
  ZrfRect fillRect;
  uint32_t fillColor;
  bool frame;
  uint32_t frameColor;
  bool gradient;
  uint32_t gradientTop;
  uint32_t gradientBottom;
  bool bevel;
  uint32_t bevelTopLeft;
  uint32_t bevelBottomRight;
};

/// The plan of `style` on `rect`. `width` (0: none) cuts styles 6 and 7 to the icon column;
/// `colorIndex` chooses the frame and fill colour (-1: the style's defaults); `gradientFrom` and
/// `gradientTo` are style 8's gradient (-1: P43 and P44). An index outside the palette counts as
/// -1, and a style outside 0-8 paints nothing.
ItemFramePlan PlanItemFrame(int32_t style, const ZrfRect& rect, int32_t width, int32_t colorIndex,
                            int32_t gradientFrom, int32_t gradientTo,
                            const uint32_t (&palette)[kPaletteSize]);

/// `rect` moved in by `n` on every side.
constexpr ZrfRect DeflateZrfRect(const ZrfRect& rect, int32_t n) {
  return {rect.left + n, rect.top + n, rect.right - n, rect.bottom - n};
}
