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
