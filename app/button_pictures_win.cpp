// The pictures of a page's image buttons.
#include "app/button_pictures_win.h"

#include "framework/app/zrf_app_win.h"

namespace plantapp {

void ButtonPictures::Load(HWND page, const ButtonPicture* pictures, size_t count, int referenceId) {
  Release();
  RECT client{};
  GetClientRect(GetDlgItem(page, referenceId), &client);
  const int width = client.right - 8;
  const int height = client.bottom - 8;
  if (width <= 0 || height <= 0) return;
  for (size_t i = 0; i < count && count_ < kMost; ++i) {
    HWND button = GetDlgItem(page, pictures[i].buttonId);
    auto bitmap = static_cast<HBITMAP>(LoadImageA(FrameworkModule(), MAKEINTRESOURCEA(pictures[i].bitmapId),
                                                  IMAGE_BITMAP, width, height, LR_LOADMAP3DCOLORS));
    if (button == nullptr || bitmap == nullptr) {
      if (bitmap != nullptr) DeleteObject(bitmap);
      continue;
    }
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    buttons_[count_] = button;
    bitmaps_[count_] = bitmap;
    ++count_;
  }
}

void ButtonPictures::Release() {
  for (size_t i = 0; i < count_; ++i) {
    // A button keeps drawing the bitmap it was given, so it lets go of it before it is deleted.
    if (IsWindow(buttons_[i])) SendMessageA(buttons_[i], BM_SETIMAGE, IMAGE_BITMAP, 0);
    DeleteObject(bitmaps_[i]);
    buttons_[i] = nullptr;
    bitmaps_[i] = nullptr;
  }
  count_ = 0;
}

}  // namespace plantapp
