// Where the drawing banner goes: its size on a monitor of a given DPI, whether the picture must
// grow to hold it, and the picture's new rectangle. Platform-free; drawing_banner_win.cpp loads
// the bitmap and carries the layout out with GDI.
#pragma once

#include <cstdint>

#include "plant/plant_state.h"

namespace plant {

/// The banner's and the picture's placement for one ShowDrawingBanner.
struct BannerLayout {
  /// The banner's size on the screen: the bitmap's size x DPI / 96, in integers.
  int32_t bannerWidth;
  int32_t bannerHeight;
  /// The picture's size afterwards: at least the banner's in both directions.
  int32_t pictureWidth;
  int32_t pictureHeight;
  /// Whether the picture grows (then a new picture is made and the old one copied in).
  bool enlarge;
  /// Where the old picture lies inside the new one (0, 0 when it does not grow).
  int32_t oldX;
  int32_t oldY;
  /// The picture's rectangle afterwards; the old picture keeps its place on the desktop.
  PixelRect rect;
  /// The banner's top-left corner inside the picture: centred, odd remainders to the right.
  int32_t bannerX;
  int32_t bannerY;
};

/// Lays the banner of bitmapWidth x bitmapHeight pixels (at 96 DPI) over the picture at rect on a
/// monitor of dpi (96 when not positive). A reversed rectangle counts as empty. Sides beyond the
/// 32-bit range saturate rather than wrap.
[[nodiscard]] BannerLayout LayOutBanner(const PixelRect& rect, int32_t bitmapWidth, int32_t bitmapHeight,
                                        int32_t dpi);

}  // namespace plant
