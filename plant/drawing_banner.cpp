// Banner layout; see drawing_banner.h.
#include "plant/drawing_banner.h"

#include <algorithm>

#include "plant/saturate.h"

namespace plant {
namespace {

constexpr int64_t kBaseDpi = 96;

}  // namespace

BannerLayout LayOutBanner(const PixelRect& rect, int32_t bitmapWidth, int32_t bitmapHeight, int32_t dpi) {
  const int64_t scale = dpi > 0 ? dpi : kBaseDpi;
  // Both factors are below 2^31, so the products fit in 64 bits.
  const int64_t bannerWidth = std::max<int64_t>(bitmapWidth, 0) * scale / kBaseDpi;
  const int64_t bannerHeight = std::max<int64_t>(bitmapHeight, 0) * scale / kBaseDpi;
  const int64_t width = std::max<int64_t>(int64_t{rect.right} - rect.left, 0);
  const int64_t height = std::max<int64_t>(int64_t{rect.bottom} - rect.top, 0);
  const int64_t targetWidth = std::max(width, bannerWidth);
  const int64_t targetHeight = std::max(height, bannerHeight);

  BannerLayout layout{};
  layout.bannerWidth = ClampToI32(bannerWidth);
  layout.bannerHeight = ClampToI32(bannerHeight);
  layout.pictureWidth = ClampToI32(targetWidth);
  layout.pictureHeight = ClampToI32(targetHeight);
  layout.enlarge = width < bannerWidth || height < bannerHeight;
  layout.rect = rect;
  if (layout.enlarge) {
    // The old picture keeps its pixels' places on the desktop: the rectangle grows by half the
    // difference on the left and top (rounded down) and by the rest on the right and bottom.
    const int64_t oldX = (targetWidth - width) / 2;
    const int64_t oldY = (targetHeight - height) / 2;
    layout.oldX = ClampToI32(oldX);
    layout.oldY = ClampToI32(oldY);
    const int64_t left = int64_t{rect.left} - oldX;
    const int64_t top = int64_t{rect.top} - oldY;
    layout.rect = PixelRect{ClampToI32(left), ClampToI32(top), ClampToI32(left + targetWidth), ClampToI32(top + targetHeight)};
  }
  layout.bannerX = ClampToI32((targetWidth - bannerWidth) / 2);
  layout.bannerY = ClampToI32((targetHeight - bannerHeight) / 2);
  return layout;
}

}  // namespace plant
