// Loading icons from group-icon resources, and the tinted twin made through the icon's bitmaps.
#include "framework/style/icon_win.h"

#include <new>

#include "framework/base/zrf_results.h"
#include "framework/style/icon_directory.h"
#include "framework/style/icon_tint.h"

namespace {

// Resource types by number: RT_ICON and RT_GROUP_ICON are wide or narrow by the UNICODE setting.
constexpr WORD kIconType = 3;
constexpr WORD kGroupIconType = 14;

// Largest icon side read into memory; Windows icons go up to 256.
constexpr LONG kMaxIconSide = 1024;

// GetIconInfo hands over two bitmaps that the caller must delete.
class IconBitmaps {
 public:
  explicit IconBitmaps(HICON icon) { valid_ = icon != nullptr && GetIconInfo(icon, &info_) != FALSE; }
  ~IconBitmaps() {
    if (!valid_) return;
    if (info_.hbmColor) DeleteObject(info_.hbmColor);
    if (info_.hbmMask) DeleteObject(info_.hbmMask);
  }
  IconBitmaps(const IconBitmaps&) = delete;
  IconBitmaps& operator=(const IconBitmaps&) = delete;

  bool IsValid() const { return valid_ && info_.hbmColor != nullptr && info_.hbmMask != nullptr; }
  ICONINFO& Info() { return info_; }

 private:
  ICONINFO info_{};
  bool valid_ = false;
};

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

BITMAPINFO PixelFormat(LONG width, LONG height) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

// Size of the colour bitmap; false for a missing or implausible one.
bool ColorSize(IconBitmaps& bitmaps, LONG* width, LONG* height) {
  BITMAP bitmap{};
  if (GetObjectA(bitmaps.Info().hbmColor, sizeof bitmap, &bitmap) == 0) return false;
  if (bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0) return false;
  if (bitmap.bmWidth > kMaxIconSide || bitmap.bmHeight > kMaxIconSide) return false;
  *width = bitmap.bmWidth;
  *height = bitmap.bmHeight;
  return true;
}

bool ReadBits(HDC dc, HBITMAP bitmap, LONG width, LONG height, uint32_t* pixels) {
  BITMAPINFO format = PixelFormat(width, height);
  return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels, &format, DIB_RGB_COLORS) == height;
}

}  // namespace

HICON LoadResourceIcon(HINSTANCE module, int32_t id, int32_t depthIndex, int32_t sizePixels) {
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kGroupIconType));
  if (group == nullptr) return nullptr;
  HGLOBAL groupData = LoadResource(module, group);
  auto* directory = static_cast<BYTE*>(groupData ? LockResource(groupData) : nullptr);
  const DWORD directorySize = SizeofResource(module, group);
  if (directory == nullptr || directorySize < kGroupIconHeaderSize) return nullptr;

  int imageId = ChooseGroupIconImage(directory, directorySize, depthIndex, sizePixels);
  if (imageId == 0) {
    imageId = LookupIconIdFromDirectoryEx(directory, TRUE, sizePixels, sizePixels, LR_DEFAULTCOLOR);
  }
  if (imageId == 0) return nullptr;
  HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(imageId), MAKEINTRESOURCEA(kIconType));
  if (image == nullptr) return nullptr;
  HGLOBAL imageData = LoadResource(module, image);
  auto* bytes = static_cast<BYTE*>(imageData ? LockResource(imageData) : nullptr);
  if (bytes == nullptr) return nullptr;
  return CreateIconFromResourceEx(bytes, SizeofResource(module, image), TRUE, 0x30000, 0, 0, LR_DEFAULTCOLOR);
}

HICON MakeTintedIcon(HICON icon, COLORREF light, COLORREF dark, int32_t* error, int32_t* width,
                     int32_t* height) {
  *error = ZRF_ERR_ICON;
  IconBitmaps bitmaps(icon);
  LONG w = 0, h = 0;
  if (!bitmaps.IsValid() || !ColorSize(bitmaps, &w, &h)) return nullptr;
  if (width) *width = w;
  if (height) *height = h;

  // w and h are at most kMaxIconSide, so the count fits easily.
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  uint32_t* color = new (std::nothrow) uint32_t[count];
  uint32_t* mask = new (std::nothrow) uint32_t[count];
  HICON twin = nullptr;
  if (color == nullptr || mask == nullptr) {
    *error = ZRF_ERR_MEMORY;
  } else {
    ScreenDc screen;
    ICONINFO& info = bitmaps.Info();
    if (ReadBits(screen.Get(), info.hbmColor, w, h, color) &&
        ReadBits(screen.Get(), info.hbmMask, w, h, mask)) {
      (void)TintIconPixels(color, mask, count, light, dark);
      BITMAPINFO format = PixelFormat(w, h);
      if (SetDIBits(screen.Get(), info.hbmColor, 0, static_cast<UINT>(h), color, &format, DIB_RGB_COLORS) ==
          h) {
        twin = CreateIconIndirect(&info);
      }
    }
    if (twin != nullptr) *error = ZRF_OK;
  }
  delete[] color;
  delete[] mask;
  return twin;
}

bool ReadIconPixels(HICON icon, bool mask, uint32_t* pixels, size_t capacity, size_t* count) {
  IconBitmaps bitmaps(icon);
  LONG w = 0, h = 0;
  if (!bitmaps.IsValid() || !ColorSize(bitmaps, &w, &h)) return false;
  *count = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (*count > capacity) return false;
  ScreenDc screen;
  return ReadBits(screen.Get(), mask ? bitmaps.Info().hbmMask : bitmaps.Info().hbmColor, w, h, pixels);
}
