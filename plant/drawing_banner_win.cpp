// Drawing the banner with GDI; the layout is decided in drawing_banner.cpp.
#include "plant/drawing_banner_win.h"

#include <mutex>

#include "plant/drawing_banner.h"
#include "plant/render_core.h"
#include "resources/resource_ids.h"

namespace plant {
namespace {

// The picture's rectangle is in desktop-area pixels, whose origin is the virtual screen's corner.
int DpiOfPicture(const RECT& rect, DpiForScreenRect dpiForRect) {
  if (dpiForRect == nullptr) {
    return 96;
  }
  RECT screen = rect;
  OffsetRect(&screen, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN));
  return dpiForRect(screen);
}

}  // namespace

bool ShowDrawingBanner(PlantPicture& picture, HWND window, HINSTANCE module, DpiForScreenRect dpiForRect) {
  // Loaded as an owned copy, not shared: it is deleted after use, which a shared bitmap must not be.
  GdiBitmap banner(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(IDB_DRAWING_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP size{};
  if (banner.Get() == nullptr || GetObjectA(banner.Get(), sizeof size, &size) == 0 || size.bmWidth < 1 ||
      size.bmHeight < 1) {
    return false;
  }
  MemoryDc bannerDc;
  {
    const WindowDc windowDc(window);
    bannerDc = MemoryDc(CreateCompatibleDC(windowDc.Get()));
  }
  if (bannerDc.Get() == nullptr) {
    return false;
  }
  SelectObject(bannerDc.Get(), banner.Get());

  PictureObjects replaced;  // the picture given up, deleted after the lock
  bool drawn = false;
  {
    const std::lock_guard<std::mutex> hold(picture.Lock());
    PictureObjects& shown = picture.Objects();
    const PixelRect rect{shown.rect.left, shown.rect.top, shown.rect.right, shown.rect.bottom};
    const BannerLayout layout = LayOutBanner(rect, size.bmWidth, size.bmHeight, DpiOfPicture(shown.rect, dpiForRect));
    PictureObjects* target = &shown;
    if (layout.enlarge || shown.dc.Get() == nullptr) {
      const RECT grown{layout.rect.left, layout.rect.top, layout.rect.right, layout.rect.bottom};
      if (CreateDibPicture(window, grown, &replaced)) {
        if (shown.dc.Get() != nullptr) {
          BitBlt(replaced.dc.Get(), layout.oldX, layout.oldY, shown.Width(), shown.Height(), shown.dc.Get(), 0, 0,
                 SRCCOPY);
        }
        target = &replaced;
      } else {
        target = nullptr;
      }
    }
    if (target != nullptr) {
      SetStretchBltMode(target->dc.Get(), COLORONCOLOR);
      StretchBlt(target->dc.Get(), layout.bannerX, layout.bannerY, layout.bannerWidth, layout.bannerHeight,
                 bannerDc.Get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
      // GDI may batch calls; the pixels must be final before they are keyed.
      GdiFlush();
      if (target->bits != nullptr) {
        ApplyAlphaKey(target->bits, static_cast<size_t>(target->Width()) * static_cast<size_t>(target->Height()));
      }
      if (target == &replaced) {
        picture.Swap(&replaced);
      }
      drawn = true;
    }
  }
  return drawn;
}

}  // namespace plant
