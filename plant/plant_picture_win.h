// The plant picture: the memory DC, its 32-bit bitmap (black pixels are transparent) and its
// rectangle in desktop-area pixels. The worker builds a new one off to the side and swaps it in;
// the UI thread blends, hit-tests and replaces it. Both hold the picture's lock while they touch
// it, and the lock is held only for the exchange, never for drawing or for deleting the old one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <utility>

#include "plant/gdi_handles_win.h"

namespace plant {

/// One picture's GDI objects. The bitmap is selected into the DC; the DC is deleted first.
struct PictureObjects {
  GdiBitmap bitmap;  // declared first so that it is destroyed after the DC
  MemoryDc dc;
  /// Top-down 32-bit pixels of the bitmap when it is a DIB section made here; else null.
  uint32_t* bits = nullptr;
  RECT rect{};

  PictureObjects() = default;
  PictureObjects(PictureObjects&&) noexcept = default;
  PictureObjects& operator=(PictureObjects&& other) noexcept {
    if (this != &other) {
      dc.Reset();  // unselects the bitmap, which can only then be deleted
      bitmap = std::move(other.bitmap);
      dc = std::move(other.dc);
      bits = std::exchange(other.bits, nullptr);
      rect = other.rect;
    }
    return *this;
  }

  [[nodiscard]] int32_t Width() const { return rect.right - rect.left; }
  [[nodiscard]] int32_t Height() const { return rect.bottom - rect.top; }
};

/// Makes a picture of width x height pixels (both at least 1) placed at rect: a memory DC
/// compatible with window's DC (the screen's for a null window) holding a top-down 32-bit DIB
/// section, all black and transparent. False when GDI refuses; *out is then empty.
[[nodiscard]] bool CreateDibPicture(HWND window, const RECT& rect, PictureObjects* out);

/// The shown picture and its lock.
class PlantPicture {
 public:
  /// Held by whoever reads or replaces the objects below.
  [[nodiscard]] std::mutex& Lock() { return lock_; }
  /// The current objects. Requires: Lock() held.
  [[nodiscard]] PictureObjects& Objects() { return objects_; }
  /// Exchanges the current objects with *fresh, which then holds the replaced ones for the caller
  /// to delete outside the lock. Requires: Lock() held.
  void Swap(PictureObjects* fresh) { std::swap(objects_, *fresh); }

 private:
  std::mutex lock_;
  PictureObjects objects_;
};

/// The process's plant picture; lives for the whole process.
[[nodiscard]] PlantPicture& CurrentPicture();

}  // namespace plant
