// The pictures of a page's image buttons: loaded at the size of a reference button less 8 pixels
// each way (again after a DPI change), with the light greys mapped to the button colours, and
// deleted when the page goes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace plantapp {

/// A button of a page and the bitmap resource it shows.
struct ButtonPicture {
  int buttonId;
  int bitmapId;
};

class ButtonPictures {
 public:
  ButtonPictures() = default;
  ButtonPictures(const ButtonPictures&) = delete;
  ButtonPictures& operator=(const ButtonPictures&) = delete;
  ~ButtonPictures() { Release(); }

  /// Gives each listed button of page its picture, sized from the client area of the button
  /// referenceId; the pictures given before are released first. A picture that does not load
  /// leaves its button without one.
  void Load(HWND page, const ButtonPicture* pictures, size_t count, int referenceId);
  /// Takes the pictures off their buttons and deletes them.
  void Release();

 private:
  static constexpr size_t kMost = 8;
  HWND buttons_[kMost] = {};
  HBITMAP bitmaps_[kMost] = {};
  size_t count_ = 0;
};

}  // namespace plantapp
