// Test support: a disk that runs out of space the way Windows' file systems do. Every write goes
// through the zip library's file calls; one that does not fit whole is refused whole (nothing
// written, errno ENOSPC), and later smaller writes that still fit succeed. Removing a file frees
// nothing, as a file sent to the recycle bin on the same volume keeps its space.
#pragma once

#include <cerrno>
#include <cstdint>

#include "zip/zip_file.h"

namespace zip::testing {

class FullDisk {
 public:
  /// Puts the calls in place with `freeBytes` left; the platform's return when this goes.
  explicit FullDisk(uint64_t freeBytes) {
    FreeBytes() = freeBytes;
    calls_ = SystemFileCalls();
    calls_.write = Write;
    SetFileCallsForTesting(&calls_);
  }
  ~FullDisk() { SetFileCallsForTesting(nullptr); }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  /// Bytes that still fit.
  static uint64_t& FreeBytes() {
    static uint64_t freeBytes = 0;
    return freeBytes;
  }

 private:
  static size_t Write(OsHandle file, const void* bytes, size_t size) {
    if (size > FreeBytes()) {
      errno = ENOSPC;
      return 0;
    }
    const size_t written = SystemFileCalls().write(file, bytes, size);
    FreeBytes() -= written;
    return written;
  }

  FileCalls calls_{};
};

}  // namespace zip::testing
