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

// The banner bitmap selected into a memory DC. The bitmap is declared first, so the DC holding
// it is deleted before it.
struct LoadedBanner {
  GdiBitmap bitmap;
  MemoryDc dc;
  BITMAP size{};
};

bool LoadBanner(HWND window, HINSTANCE module, LoadedBanner* banner) {
  // An owned copy, not a shared one: it is deleted after use, which a shared bitmap must not be.
  banner->bitmap = GdiBitmap(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(IDB_DRAWING_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (banner->bitmap.Get() == nullptr || GetObjectA(banner->bitmap.Get(), sizeof banner->size, &banner->size) == 0 ||
      banner->size.bmWidth < 1 || banner->size.bmHeight < 1) {
    return false;
  }
  {
    const WindowDc windowDc(window);
    banner->dc = MemoryDc(CreateCompatibleDC(windowDc.Get()));
  }
  if (banner->dc.Get() == nullptr) {
    return false;
  }
  SelectObject(banner->dc.Get(), banner->bitmap.Get());
  return true;
}

// A picture of the layout's size holding shown at the layout's offset. Requires: the lock.
bool Enlarge(const PictureObjects& shown, const BannerLayout& layout, HWND window, PictureObjects* grown) {
  const RECT rect{layout.rect.left, layout.rect.top, layout.rect.right, layout.rect.bottom};
  if (!CreateDibPicture(window, rect, grown)) {
    return false;
  }
  if (shown.dc.Get() != nullptr) {
    BitBlt(grown->dc.Get(), layout.oldX, layout.oldY, shown.Width(), shown.Height(), shown.dc.Get(), 0, 0, SRCCOPY);
  }
  return true;
}

void PaintBanner(PictureObjects& target, const LoadedBanner& banner, const BannerLayout& layout) {
  SetStretchBltMode(target.dc.Get(), COLORONCOLOR);
  StretchBlt(target.dc.Get(), layout.bannerX, layout.bannerY, layout.bannerWidth, layout.bannerHeight,
             banner.dc.Get(), 0, 0, banner.size.bmWidth, banner.size.bmHeight, SRCCOPY);
  // GDI may batch calls; the pixels must be final before they are keyed.
  GdiFlush();
  if (target.bits != nullptr) {
    ApplyAlphaKey(target.bits, static_cast<size_t>(target.Width()) * static_cast<size_t>(target.Height()));
  }
}

}  // namespace

bool ShowDrawingBanner(PlantPicture& picture, HWND window, HINSTANCE module, DpiForScreenRect dpiForRect) {
  LoadedBanner banner;
  if (!LoadBanner(window, module, &banner)) {
    return false;
  }
  // Declared before the lock, so the picture given up is deleted only after the lock is released.
  PictureObjects replaced;
  const std::lock_guard<std::mutex> hold(picture.Lock());
  PictureObjects& shown = picture.Objects();
  const PixelRect rect{shown.rect.left, shown.rect.top, shown.rect.right, shown.rect.bottom};
  const BannerLayout layout =
      LayOutBanner(rect, banner.size.bmWidth, banner.size.bmHeight, DpiOfPicture(shown.rect, dpiForRect));
  const bool grow = layout.enlarge || shown.dc.Get() == nullptr;
  if (grow && !Enlarge(shown, layout, window, &replaced)) {
    return false;
  }
  PaintBanner(grow ? replaced : shown, banner, layout);
  if (grow) {
    picture.Swap(&replaced);
  }
  return true;
}

}  // namespace plant
