// Owners of the GDI handles the plant picture is made of: one non-copyable owner per handle, so
// every DC and bitmap is released exactly once, and in the right order by whoever holds it last.
#pragma once

#include <windows.h>

#include <utility>

namespace plant {

/// A memory device context from CreateCompatibleDC; deleted with DeleteDC.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC dc) : dc_(dc) {}
  ~MemoryDc() { Reset(); }
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      Reset();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }
  void Reset() {
    if (dc_ != nullptr) {
      DeleteDC(dc_);
      dc_ = nullptr;
    }
  }

 private:
  HDC dc_ = nullptr;
};

/// A bitmap (or other GDI object); deleted with DeleteObject. Delete the DC it is selected into
/// first: a selected object cannot be deleted.
class GdiBitmap {
 public:
  GdiBitmap() = default;
  explicit GdiBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
  ~GdiBitmap() { Reset(); }
  GdiBitmap(GdiBitmap&& other) noexcept : bitmap_(std::exchange(other.bitmap_, nullptr)) {}
  GdiBitmap& operator=(GdiBitmap&& other) noexcept {
    if (this != &other) {
      Reset();
      bitmap_ = std::exchange(other.bitmap_, nullptr);
    }
    return *this;
  }
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;
  [[nodiscard]] HBITMAP Get() const { return bitmap_; }
  void Reset() {
    if (bitmap_ != nullptr) {
      DeleteObject(bitmap_);
      bitmap_ = nullptr;
    }
  }

 private:
  HBITMAP bitmap_ = nullptr;
};

/// A window's (or, for a null window, the screen's) device context from GetDC; released with
/// ReleaseDC to the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace plant
