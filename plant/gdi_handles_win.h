// Owners of the GDI handles the plant picture is made of: one non-copyable owner per handle, so
// every DC and bitmap is released exactly once, and in the right order by whoever holds it last.
#pragma once

#include <windows.h>

#include <utility>

namespace plant {

/// One GDI handle, released once by Release::operator() when the owner lets it go.
template <typename Handle, typename Release>
class GdiOwner {
 public:
  GdiOwner() = default;
  explicit GdiOwner(Handle handle) : handle_(handle) {}
  ~GdiOwner() { Reset(); }
  GdiOwner(GdiOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiOwner& operator=(GdiOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiOwner(const GdiOwner&) = delete;
  GdiOwner& operator=(const GdiOwner&) = delete;
  [[nodiscard]] Handle Get() const { return handle_; }
  void Reset() {
    if (handle_ != nullptr) {
      Release()(std::exchange(handle_, nullptr));
    }
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteDcCall {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteObjectCall {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct DestroyIconCall {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

/// An icon this process made (extracted, or loaded without LR_SHARED); destroyed with DestroyIcon.
/// A shared icon (LoadIcon, LR_SHARED) belongs to the system and is never put in one.
using OwnedIcon = GdiOwner<HICON, DestroyIconCall>;

/// A memory device context from CreateCompatibleDC; deleted with DeleteDC.
using MemoryDc = GdiOwner<HDC, DeleteDcCall>;

/// A bitmap; deleted with DeleteObject. Delete the DC it is selected into first: a selected
/// object cannot be deleted.
using GdiBitmap = GdiOwner<HBITMAP, DeleteObjectCall>;

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
