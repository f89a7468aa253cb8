// Test support: reading a whole file that another process keeps replacing (the plant file, which
// every pass of the worker rewrites).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

/// The whole file, read through a handle that lets the writer replace the file meanwhile. The
/// writer itself may hold the file for a moment (its attributes); such an open is tried again.
/// Empty, with `*why` set, when it cannot be read.
inline std::vector<uint8_t> ReadSharedFile(const std::string& path, std::string* why) {
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    if (attempt > 0) {
      if (GetLastError() != ERROR_SHARING_VIOLATION) break;
      Sleep(2);
    }
    file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) {
    *why = "cannot open " + path + ", error " + std::to_string(GetLastError());
    return {};
  }
  std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
  DWORD got = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size()) {
    *why = "short read of " + path;
    bytes.clear();
  }
  CloseHandle(file);
  return bytes;
}
