// Banner layout; see drawing_banner.h.
#include "plant/drawing_banner.h"

#include <algorithm>

namespace plant {
namespace {

constexpr int64_t kBaseDpi = 96;

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

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
  layout.bannerWidth = Saturate(bannerWidth);
  layout.bannerHeight = Saturate(bannerHeight);
  layout.pictureWidth = Saturate(targetWidth);
  layout.pictureHeight = Saturate(targetHeight);
  layout.enlarge = width < bannerWidth || height < bannerHeight;
  layout.rect = rect;
  if (layout.enlarge) {
    // The old picture keeps its pixels' places on the desktop: the rectangle grows by half the
    // difference on the left and top (rounded down) and by the rest on the right and bottom.
    const int64_t oldX = (targetWidth - width) / 2;
    const int64_t oldY = (targetHeight - height) / 2;
    layout.oldX = Saturate(oldX);
    layout.oldY = Saturate(oldY);
    const int64_t left = int64_t{rect.left} - oldX;
    const int64_t top = int64_t{rect.top} - oldY;
    layout.rect = PixelRect{Saturate(left), Saturate(top), Saturate(left + targetWidth), Saturate(top + targetHeight)};
  }
  layout.bannerX = Saturate((targetWidth - bannerWidth) / 2);
  layout.bannerY = Saturate((targetHeight - bannerHeight) / 2);
  return layout;
}

}  // namespace plant
