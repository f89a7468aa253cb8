// Making picture bitmaps and the process's picture; see plant_picture_win.h.
#include "plant/plant_picture_win.h"

#include "plant/render_core.h"

namespace plant {

bool CreateDibPicture(HWND window, const RECT& rect, PictureObjects* out) {
  *out = PictureObjects{};
  // The rectangle can come from a plant file: its sides are worked out in 64 bits, and a picture
  // larger than any the renderer makes is refused rather than asked of GDI.
  const int64_t width = int64_t{rect.right} - rect.left;
  const int64_t height = int64_t{rect.bottom} - rect.top;
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return false;
  }
  MemoryDc dc;
  {
    const WindowDc windowDc(window);
    if (windowDc.Get() == nullptr) {
      return false;
    }
    dc = MemoryDc(CreateCompatibleDC(windowDc.Get()));
  }
  if (dc.Get() == nullptr) {
    return false;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap.Get() == nullptr || bits == nullptr) {
    return false;
  }
  SelectObject(dc.Get(), bitmap.Get());
  out->bitmap = std::move(bitmap);
  out->dc = std::move(dc);
  out->bits = static_cast<uint32_t*>(bits);
  out->rect = rect;
  return true;
}

PlantPicture& CurrentPicture() {
  static PlantPicture picture;
  return picture;
}

}  // namespace plant
