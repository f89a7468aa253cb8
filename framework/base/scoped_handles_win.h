// One owner per Win32 handle kind used by the framework: each closes or releases exactly what it
// holds, cannot be copied, and may be moved.
#pragma once

#include <windows.h>

#include <utility>

/// A kernel HANDLE (files, events, mutexes); INVALID_HANDLE_VALUE and null both mean none.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Close(); }

  bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  /// Closes the handle now; false when CloseHandle failed (for files: data may be lost).
  bool Close() {
    if (!IsValid()) return true;
    BOOL closed = CloseHandle(std::exchange(handle_, nullptr));
    return closed != FALSE;
  }

 private:
  HANDLE handle_ = nullptr;
};

/// An open registry key.
class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ScopedRegKey(ScopedRegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ~ScopedRegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }

  HKEY Get() const { return key_; }
  /// Where RegOpenKeyEx and RegCreateKeyEx store the key; only on an empty owner.
  HKEY* Receive() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

/// COM on this thread for the owner's life; uninitialised only when initialising worked.
class ScopedComInit {
 public:
  ScopedComInit() : result_(CoInitialize(nullptr)) {}
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;
  ~ScopedComInit() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

/// A COM interface pointer, released once.
template <typename T>
class ScopedComPtr {
 public:
  ScopedComPtr() = default;
  ScopedComPtr(const ScopedComPtr&) = delete;
  ScopedComPtr& operator=(const ScopedComPtr&) = delete;
  ~ScopedComPtr() {
    if (ptr_ != nullptr) ptr_->Release();
  }

  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  /// Where a creating call stores the pointer; only on an empty owner.
  T** Receive() { return &ptr_; }
  void** ReceiveVoid() { return reinterpret_cast<void**>(&ptr_); }

 private:
  T* ptr_ = nullptr;
};

/// Memory from the COM task allocator (item id lists, strings returned by the shell).
template <typename T>
class ScopedCoMem {
 public:
  ScopedCoMem() = default;
  ScopedCoMem(const ScopedCoMem&) = delete;
  ScopedCoMem& operator=(const ScopedCoMem&) = delete;
  ~ScopedCoMem() { CoTaskMemFree(ptr_); }

  T* Get() const { return ptr_; }
  T** Receive() { return &ptr_; }

 private:
  T* ptr_ = nullptr;
};

/// Selects a GDI object (pen, brush, font, bitmap) into a DC for the owner's life and puts the
/// previous one back. A null object selects nothing.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

/// A GDI object made by a Create call, deleted once with DeleteObject. It must no longer be
/// selected into a DC by then, so declare it before the ScopedSelect that selects it.
template <typename Handle>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(Handle object) : object_(object) {}
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  ~ScopedGdiObject() { Reset(); }

  Handle Get() const { return object_; }
  void Reset() {
    if (object_ != nullptr) DeleteObject(std::exchange(object_, nullptr));
  }

 private:
  Handle object_ = nullptr;
};

/// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class ScopedMemoryDc {
 public:
  explicit ScopedMemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  ~ScopedMemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

/// A window's DC from GetDC (the screen's for a null window), released to the same window.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};
